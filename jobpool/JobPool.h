#pragma once
#include <windows.h>

#include <cstdint>

// Called on a worker thread with a job's two values, first value first.
using JobRoutine = void (*)(std::uint32_t first, std::uint32_t second);

// A pool of worker threads fed through an I/O completion port.
//
// Every packet on the port carries three values in the three fields of a
// completion packet (bytes transferred, key, overlapped pointer). The third
// tells the packet's kind: a job names the routine to run with the first two;
// QuitPacket ends the worker that takes it; QuitAndSignalPacket also sets the
// event whose handle travels as the first value and closes the port. A worker
// therefore needs nothing but its port and never reads the pool object.
//
// Start, Post and Stop are called from one thread. Releasing the pool stops no
// worker and closes no handle; a copy refers to the same port and workers.
class JobPool {
public:
    static constexpr std::int32_t Idle = 0;
    static constexpr std::int32_t Running = 1;
    static constexpr std::int32_t Stopping = 2;

    static constexpr std::int32_t DefaultWorkerCount = 10;
    static constexpr std::intptr_t QuitPacket = -1;
    static constexpr std::intptr_t QuitAndSignalPacket = -2;
    static constexpr DWORD StopWaitSliceMs = 100;

    // Creates the port and `count` workers (10 when count <= 0).
    // 0 when the pool is not idle.
    int Start(JobRoutine routine, std::int32_t count = 0);

    // Queues one job; 1 when the port took it, 0 when not running.
    int Post(std::uint32_t first = 0, std::uint32_t second = 0);

    // Ends every worker once the jobs queued before have run, serving the
    // calling thread's window messages while it waits. 0 when not running.
    int Stop();

    // The body of every worker thread; its start parameter is the port.
    static DWORD WINAPI WorkerLoop(void* port);

    HANDLE Port() const { return port_; }
    std::int32_t State() const { return state_; }
    std::int32_t WorkerCount() const { return workerCount_; }

private:
    // The port that the last Start made; after Stop it keeps the value of the
    // port that the last worker closes.
    HANDLE port_ = nullptr;
    std::int32_t state_ = Idle;
    std::uintptr_t routine_ = 0;
    // The workers Start actually created: Stop hands out one control packet
    // per live worker, so a thread that could not be made must not be counted.
    std::int32_t workerCount_ = 0;
};
