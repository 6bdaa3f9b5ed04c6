// Timing of the class library's benchmark programs: each figure is the mean time of
// one operation over many runs.
#pragma once
#include <windows.h>
#include <stdio.h>

inline double BenchSeconds(LARGE_INTEGER a, LARGE_INTEGER b)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

template<class F>
void Measure(const char* pszName, int nCount, F f)
{
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    for (int i = 0; i < nCount; i++)
        f();
    ::QueryPerformanceCounter(&t1);
    printf("%-52s %10.3f us\n", pszName, BenchSeconds(t0, t1) * 1e6 / nCount);
}
