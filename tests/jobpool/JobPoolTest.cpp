#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

#include "jobpool/JobPool.h"

namespace {

constexpr DWORD Patience = 10000;

struct RanJob {
    std::uint32_t first;
    std::uint32_t second;
    DWORD thread;
};

// What the routines below saw; routines are plain functions, so it is global.
struct JobLog {
    std::mutex lock;
    std::vector<RanJob> ran;
    std::atomic<int> running{0};
    std::atomic<int> overlaps{0};
    std::atomic<int> entered{0};
    int enteredTarget = 0;
    HANDLE allEntered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::function<void()> duringJob;

    void Reset()
    {
        ran.clear();
        running = overlaps = entered = 0;
        enteredTarget = 0;
        ResetEvent(allEntered);
        ResetEvent(release);
        duringJob = nullptr;
    }
    std::vector<RanJob> Ran()
    {
        std::lock_guard guard(lock);
        return ran;
    }
};
JobLog Log;

void RecordingJob(std::uint32_t first, std::uint32_t second)
{
    if (Log.running.fetch_add(1) != 0) ++Log.overlaps;
    if (Log.duringJob) Log.duringJob();
    {
        std::lock_guard guard(Log.lock);
        Log.ran.push_back({first, second, GetCurrentThreadId()});
    }
    SwitchToThread();  // widens the window in which an overlap would show
    --Log.running;
}

// Holds its worker until Log.release is set, once Log.enteredTarget jobs are
// inside at the same time.
void BlockingJob(std::uint32_t first, std::uint32_t second)
{
    {
        std::lock_guard guard(Log.lock);
        Log.ran.push_back({first, second, GetCurrentThreadId()});
    }
    if (++Log.entered == Log.enteredTarget) SetEvent(Log.allEntered);
    WaitForSingleObject(Log.release, INFINITE);
}

int ThreadsOfThisProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

// Handles of the distinct threads that ran the logged jobs.
std::vector<HANDLE> OpenJobThreads()
{
    std::vector<DWORD> ids;
    for (const RanJob& job : Log.Ran()) ids.push_back(job.thread);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    std::vector<HANDLE> threads;
    for (DWORD id : ids) threads.push_back(OpenThread(SYNCHRONIZE, FALSE, id));
    return threads;
}

bool AllEnd(std::vector<HANDLE>& threads)
{
    const bool ended = WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE,
                                              Patience) == WAIT_OBJECT_0;
    for (HANDLE thread : threads) CloseHandle(thread);
    threads.clear();
    return ended;
}

// A message-only window of the test's thread: the thread that calls Stop.
class TestWindow {
public:
    static constexpr UINT FromJob = WM_APP + 1;
    static constexpr UINT Posted = WM_APP + 2;

    TestWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"JobPoolTestWindow";
        RegisterClassW(&windowClass);
        handle = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, windowClass.hInstance, nullptr);
    }
    ~TestWindow() { DestroyWindow(handle); }

    HWND handle;
    static inline std::function<void(UINT)> onMessage;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message >= WM_APP && onMessage) {
            onMessage(message);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

class JobPoolTest : public testing::Test {
protected:
    void SetUp() override { Log.Reset(); }
    void TearDown() override
    {
        SetEvent(Log.release);
        pool.Stop();
        TestWindow::onMessage = nullptr;
    }

    JobPool pool;
};

TEST_F(JobPoolTest, StartCreatesTheAskedNumberOfWorkersOrTenWhenNotPositive)
{
    struct Case {
        std::int32_t asked;
        int workers;
    };
    for (Case c : {Case{0, 10}, Case{-5, 10}, Case{1, 1}, Case{3, 3}}) {
        SCOPED_TRACE(c.asked);
        Log.Reset();
        const int threadsBefore = ThreadsOfThisProcess();
        ASSERT_EQ(pool.Start(BlockingJob, c.asked), 1);
        EXPECT_EQ(ThreadsOfThisProcess() - threadsBefore, c.workers);
        EXPECT_EQ(pool.WorkerCount(), c.workers);

        // As many jobs as workers are all running at once on distinct threads.
        Log.enteredTarget = c.workers;
        for (int i = 0; i < c.workers; ++i) ASSERT_EQ(pool.Post(i, 0), 1);
        ASSERT_EQ(WaitForSingleObject(Log.allEntered, Patience), WAIT_OBJECT_0);
        std::vector<HANDLE> workers = OpenJobThreads();
        EXPECT_EQ(static_cast<int>(workers.size()), c.workers);

        SetEvent(Log.release);
        ASSERT_EQ(pool.Stop(), 1);
        ASSERT_TRUE(AllEnd(workers));
    }
}

TEST_F(JobPoolTest, RefusalsReturnZeroAndChangeNothing)
{
    EXPECT_EQ(pool.Post(1, 1), 0);
    EXPECT_EQ(pool.Stop(), 0);
    EXPECT_EQ(pool.State(), JobPool::Idle);
    EXPECT_EQ(pool.Port(), nullptr);

    ASSERT_EQ(pool.Start(RecordingJob, 1), 1);
    const HANDLE port = pool.Port();
    const int threads = ThreadsOfThisProcess();
    EXPECT_EQ(pool.Start(RecordingJob, 3), 0);
    EXPECT_EQ(pool.Port(), port);
    EXPECT_EQ(pool.WorkerCount(), 1);
    EXPECT_EQ(pool.State(), JobPool::Running);
    EXPECT_EQ(ThreadsOfThisProcess(), threads);

    ASSERT_EQ(pool.Stop(), 1);
    EXPECT_EQ(pool.State(), JobPool::Idle);
    EXPECT_EQ(pool.Post(2, 2), 0);
    EXPECT_EQ(pool.Stop(), 0);
    EXPECT_TRUE(Log.Ran().empty());
}

TEST_F(JobPoolTest, OneWorkerRunsJobsOneAtATimeInPostOrderWithValuesUnchanged)
{
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> posted = {
        {1, 2}, {0x80000000u, 0xFFFFFFFFu}, {0, 0x80000001u}, {0xDEADBEEFu, 7}};
    ASSERT_EQ(pool.Start(RecordingJob, 1), 1);
    for (auto [first, second] : posted) ASSERT_EQ(pool.Post(first, second), 1);
    ASSERT_EQ(pool.Stop(), 1);

    const std::vector<RanJob> ran = Log.Ran();
    ASSERT_EQ(ran.size(), posted.size());
    for (std::size_t i = 0; i < ran.size(); ++i) {
        EXPECT_EQ(ran[i].first, posted[i].first) << i;
        EXPECT_EQ(ran[i].second, posted[i].second) << i;
        EXPECT_EQ(ran[i].thread, ran[0].thread) << i;
    }
    EXPECT_EQ(Log.overlaps, 0);
}

TEST_F(JobPoolTest, PostReturnsBeforeTheJobRuns)
{
    ASSERT_EQ(pool.Start(BlockingJob, 1), 1);
    Log.enteredTarget = 1;
    EXPECT_EQ(pool.Post(1, 0), 1);
    EXPECT_EQ(pool.Post(2, 0), 1);  // the only worker is held by the first job
    ASSERT_EQ(WaitForSingleObject(Log.allEntered, Patience), WAIT_OBJECT_0);
    EXPECT_EQ(Log.Ran().size(), 1u);
}

TEST_F(JobPoolTest, StopReturnsOnlyAfterEveryQueuedJobRanAndEndsEveryWorker)
{
    TestWindow window;
    // The first job holds every worker until Stop is waiting and serves the
    // message that lets them go.
    TestWindow::onMessage = [](UINT) { SetEvent(Log.release); };
    ASSERT_EQ(pool.Start(BlockingJob, 10), 1);
    Log.enteredTarget = 10;
    for (std::uint32_t i = 0; i < 10; ++i) ASSERT_EQ(pool.Post(i, 0), 1);
    ASSERT_EQ(WaitForSingleObject(Log.allEntered, Patience), WAIT_OBJECT_0);
    for (std::uint32_t i = 10; i < 15; ++i) ASSERT_EQ(pool.Post(i, 0), 1);

    std::vector<HANDLE> workers = OpenJobThreads();
    ASSERT_EQ(workers.size(), 10u);
    const HANDLE port = pool.Port();

    PostMessageW(window.handle, TestWindow::Posted, 0, 0);
    ASSERT_EQ(pool.Stop(), 1);
    EXPECT_EQ(Log.Ran().size(), 15u);
    EXPECT_EQ(pool.State(), JobPool::Idle);

    // Nine quit packets and the quit-and-signal packet end all ten workers,
    // and the last of them closes the port.
    EXPECT_TRUE(AllEnd(workers));
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(port, &flags));
}

TEST_F(JobPoolTest, StopServesMessagesAJobSendsToTheStoppingThreadsWindow)
{
    TestWindow window;
    struct Seen {
        int fromJob = 0;
        int posted = 0;
        int startDuringStop = -1;
        int postDuringStop = -1;
        int stopDuringStop = -1;
    } seen;
    TestWindow::onMessage = [&](UINT message) {
        if (message == TestWindow::Posted) {
            ++seen.posted;
            return;
        }
        ++seen.fromJob;
        seen.startDuringStop = pool.Start(RecordingJob, 1);
        seen.postDuringStop = pool.Post(9, 9);
        seen.stopDuringStop = pool.Stop();
    };
    HANDLE jobStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    static HWND target;
    static HANDLE started;
    target = window.handle;
    started = jobStarted;
    Log.duringJob = [] {
        SetEvent(started);
        SendMessageW(target, TestWindow::FromJob, 0, 0);
    };

    ASSERT_EQ(pool.Start(RecordingJob, 1), 1);
    ASSERT_EQ(pool.Post(1, 1), 1);
    ASSERT_EQ(WaitForSingleObject(jobStarted, Patience), WAIT_OBJECT_0);
    // A message already queued is dispatched; a waiting quit stays queued.
    PostMessageW(window.handle, TestWindow::Posted, 0, 0);
    PostQuitMessage(7);

    ASSERT_EQ(pool.Stop(), 1);
    EXPECT_EQ(seen.fromJob, 1);
    EXPECT_EQ(seen.posted, 1);
    EXPECT_EQ(seen.startDuringStop, 0);
    EXPECT_EQ(seen.postDuringStop, 0);
    EXPECT_EQ(seen.stopDuringStop, 0);
    EXPECT_EQ(Log.Ran().size(), 1u);

    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    CloseHandle(jobStarted);
}

TEST_F(JobPoolTest, AStoppedPoolStartsAgainWithNewWorkers)
{
    ASSERT_EQ(pool.Start(BlockingJob, 2), 1);
    SetEvent(Log.release);
    ASSERT_EQ(pool.Stop(), 1);
    ResetEvent(Log.release);

    // The first workers are gone; two jobs running at once need two new ones.
    ASSERT_EQ(pool.Start(BlockingJob, 2), 1);
    EXPECT_EQ(pool.State(), JobPool::Running);
    Log.enteredTarget = 2;
    ASSERT_EQ(pool.Post(5, 6), 1);
    ASSERT_EQ(pool.Post(7, 8), 1);
    ASSERT_EQ(WaitForSingleObject(Log.allEntered, Patience), WAIT_OBJECT_0);
    SetEvent(Log.release);
    ASSERT_EQ(pool.Stop(), 1);
    EXPECT_EQ(Log.Ran().size(), 2u);
}

TEST_F(JobPoolTest, ACopySharesThePortAndReleasingStopsNothing)
{
    auto* original = new JobPool;
    ASSERT_EQ(original->Start(RecordingJob, 1), 1);
    JobPool copy(*original);
    delete original;
    EXPECT_EQ(copy.State(), JobPool::Running);
    ASSERT_EQ(copy.Post(3, 4), 1);
    ASSERT_EQ(copy.Stop(), 1);
    EXPECT_EQ(Log.Ran().size(), 1u);
}

}  // namespace
