// The clock of the benchmark programs: seconds (or milliseconds) from the performance
// counter, and the median time of a step over rounds (the median, so that a round
// another program slowed down does not move the figure).
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

inline double Seconds()
{
    static LARGE_INTEGER s_freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return (double)now.QuadPart / (double)s_freq.QuadPart;
}

inline double Milliseconds()
{
    return Seconds() * 1000.0;
}

// The middle value of rounds timed one by one.
inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double MedianMs(int nRounds, const std::function<void()>& f)
{
    std::vector<double> times;
    for (int i = 0; i < nRounds; i++)
    {
        const double t0 = Seconds();
        f();
        times.push_back((Seconds() - t0) * 1000.0);
    }
    return Median(times);
}
