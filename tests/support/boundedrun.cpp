#include "boundedrun.h"

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <thread>

#include <unistd.h>

namespace {

// The resident size of this process in bytes (0 when it cannot be told).
long long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    if (!(statm >> pages >> resident)) return 0;
    return resident * sysconf(_SC_PAGESIZE);
}

} // namespace

namespace BoundedRun {

void run(const std::function<void()>& step, int milliseconds, int megabytes) {
    using namespace std::chrono;
    const long long start = residentBytes();
    const long long growth = static_cast<long long>(megabytes) << 20;
    const auto deadline = steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    // The step runs here, on the test's thread; only the watchdog is a thread of its own,
    // and a step that never ends can only be stopped by ending the program.
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        while (!ended.wait_for(lock, std::chrono::milliseconds(20), [&] { return done; })) {
            if (steady_clock::now() > deadline)
                qFatal("The step did not end within %d ms", milliseconds);
            const long long now = residentBytes();
            if (start > 0 && now - start > growth)
                qFatal("The step grew the process by more than %d MB", megabytes);
        }
    });
    step();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    ended.notify_one();
    watchdog.join();
}

} // namespace BoundedRun
