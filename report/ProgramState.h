#pragma once
#include <string>

#include "jobpool/JobPool.h"

// The program-wide pool that runs the report jobs: created idle at start-up,
// started once the main window exists, released at exit without being stopped.
extern JobPool* TheJobPool;

// The full path of the file most recently accepted by a drop.
extern std::wstring CurrentPath;
