#pragma once
#include <windows.h>

#include <cstdint>

// Called on a worker thread with a job's two values, first value first.
using JobRoutine = void (*)(std::uint32_t first, std::uint32_t second);

// A pool of worker threads fed through an I/O completion port.
class JobPool {
public:
    int Start(JobRoutine routine, std::int32_t count = 0);
    int Post(std::uint32_t first = 0, std::uint32_t second = 0);
    int Stop();
};
