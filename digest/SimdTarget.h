#pragma once
// Lets one function use instructions the rest of the 32-bit build may not
// assume; the caller checks the processor first. MSVC needs no marking.
#if defined(__GNUC__) || defined(__clang__)
#define VELQUIN_TARGET(features) __attribute__((target(features)))
#else
#define VELQUIN_TARGET(features)
#endif
