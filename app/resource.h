#pragma once

#define IDI_VELQUIN 1
