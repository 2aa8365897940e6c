#pragma once
// Timing shared by the benchmarks: the median of a few runs, in milliseconds.
#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace Bench {

constexpr int kSamples = 5;

inline volatile double g_sink = 0; // keeps measured work from being optimised away

// Median in milliseconds of kSamples runs of `work`, each after an untimed `prepare`.
inline double medianMs(const std::function<void()>& work,
                       const std::function<void()>& prepare = {}) {
    std::vector<double> ms;
    for (int i = 0; i < kSamples; ++i) {
        if (prepare) prepare();
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[kSamples / 2];
}

} // namespace Bench
