#pragma once

#include <algorithm>
#include <ctime>
#include <vector>

// The processor time this process spends, in ms: on a machine shared with other work the clock
// on the wall counts the waits for a processor too.
inline double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The median processor time of runs calls of f, in ms.
template <typename F> double medianMilliseconds(int runs, F&& f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = cpuMilliseconds();
        f();
        times.push_back(cpuMilliseconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
