#include "jobpool/JobPool.h"

#include <string>

#include "jobpool/ServeWaitingMessages.h"

namespace {

bool PostPacket(HANDLE port, std::uintptr_t first, std::uintptr_t second, std::intptr_t kind)
{
    return PostQueuedCompletionStatus(port, static_cast<DWORD>(first), second,
                                      reinterpret_cast<OVERLAPPED*>(kind)) != FALSE;
}

// Stop's event is named after the port so that two pools stopping at the same
// time cannot share it.
std::wstring StopEventName(HANDLE port)
{
    return std::to_wstring(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(port)));
}

}  // namespace

int JobPool::Start(JobRoutine routine, std::int32_t count)
{
    if (state_ != Idle) return 0;
    if (count <= 0) count = DefaultWorkerCount;

    port_ = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 0);
    routine_ = reinterpret_cast<std::uintptr_t>(routine);
    workerCount_ = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        // Workers keep the normal priority: a hashing thread above the window's
        // thread would make the window sluggish.
        HANDLE thread = CreateThread(nullptr, 0, WorkerLoop, port_, 0, nullptr);
        if (thread == nullptr) continue;
        CloseHandle(thread);
        ++workerCount_;
    }
    state_ = Running;
    return 1;
}

int JobPool::Post(std::uint32_t first, std::uint32_t second)
{
    if (state_ != Running) return 0;
    return PostPacket(port_, first, second, static_cast<std::intptr_t>(routine_)) ? 1 : 0;
}

int JobPool::Stop()
{
    if (state_ != Running) return 0;
    state_ = Stopping;

    for (std::int32_t i = 1; i < workerCount_; ++i) PostPacket(port_, 0, 0, QuitPacket);

    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, StopEventName(port_).c_str());
    if (event != nullptr) ResetEvent(event);

    // The packets leave the port in order, so the quit-and-signal packet is
    // taken last, by the one worker still alive once every job has run.
    const bool signalQueued =
        workerCount_ > 0 &&
        PostPacket(port_, reinterpret_cast<std::uintptr_t>(event), 0, QuitAndSignalPacket);

    if (signalQueued && event != nullptr) {
        // A running job may be sending a message to one of this thread's
        // windows; serving them between slices lets it finish.
        while (WaitForSingleObject(event, StopWaitSliceMs) == WAIT_TIMEOUT) ServeWaitingMessages();
    }
    if (workerCount_ == 0 && port_ != nullptr) CloseHandle(port_);

    if (event != nullptr) CloseHandle(event);
    state_ = Idle;
    return 1;
}

DWORD WINAPI JobPool::WorkerLoop(void* portParameter)
{
    HANDLE port = static_cast<HANDLE>(portParameter);
    DWORD first = 0;
    ULONG_PTR second = 0;
    std::intptr_t kind = 0;
    while (port != nullptr) {
        OVERLAPPED* third = nullptr;
        if (!GetQueuedCompletionStatus(port, &first, &second, &third, INFINITE)) break;
        kind = reinterpret_cast<std::intptr_t>(third);
        if (kind < 0) break;
        auto routine = reinterpret_cast<JobRoutine>(kind);
        if (routine != nullptr) routine(first, static_cast<std::uint32_t>(second));
    }
    if (kind == QuitAndSignalPacket) {
        SetEvent(reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(first)));
        CloseHandle(port);
    }
    return 0;
}
