#pragma once
// Runs a step that must end quickly and in little memory (a read of a device or a named
// pipe, say): a watchdog ends the whole test program with a message when the step outlasts
// `milliseconds` or the process grows by more than `megabytes`, so that such a fault fails
// the run instead of hanging it or filling the machine's memory.
#include <functional>

namespace BoundedRun {
void run(const std::function<void()>& step, int milliseconds = 10000, int megabytes = 256);
}
