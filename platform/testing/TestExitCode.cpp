#include "TestExitCode.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>

namespace
{
// The system swallows a fault raised in a timer callback (and Wine in some other
// callbacks too), so a test whose timer step crashed could still end as passed. Every
// hardware fault raised in this program's own code is seen here first, remembered with
// the test that ran, and fails the program at its end.
std::atomic<LONG> g_nFaults(0);
DWORD g_dwFirstCode = 0;
void* g_pFirstAddress = NULL;
char g_szFirstTest[256] = "";

bool IsHardwareFault(DWORD dwCode)
{
    switch (dwCode)
    {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
        return true;
    default:
        return false;
    }
}

// Faults inside the system's own modules are theirs to handle (some probe memory on
// purpose); only this program's image counts.
bool IsInThisProgram(const void* pAddress)
{
    const BYTE* pBase = reinterpret_cast<const BYTE*>(::GetModuleHandleA(NULL));
    const IMAGE_DOS_HEADER* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    const IMAGE_NT_HEADERS* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const BYTE* p = static_cast<const BYTE*>(pAddress);
    return p >= pBase && p < pBase + pNt->OptionalHeader.SizeOfImage;
}

void RememberRunningTest()
{
    const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    if (pInfo != NULL)
        snprintf(g_szFirstTest, sizeof(g_szFirstTest), "%s.%s", pInfo->test_suite_name(), pInfo->name());
}

LONG CALLBACK WatchFaults(EXCEPTION_POINTERS* pInfo)
{
    const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
    if (!IsHardwareFault(pRecord->ExceptionCode) || !IsInThisProgram(pRecord->ExceptionAddress))
        return EXCEPTION_CONTINUE_SEARCH;
    if (g_nFaults.fetch_add(1) == 0)
    {
        g_dwFirstCode = pRecord->ExceptionCode;
        g_pFirstAddress = pRecord->ExceptionAddress;
        RememberRunningTest();
        fprintf(stderr, "fault 0x%08lx at %p during %s\n", (unsigned long)g_dwFirstCode, g_pFirstAddress,
                g_szFirstTest[0] != '\0' ? g_szFirstTest : "no test");
        fflush(stderr);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

struct CFaultWatch
{
    CFaultWatch() { m_pHandler = ::AddVectoredExceptionHandler(1, WatchFaults); }
    ~CFaultWatch()
    {
        if (m_pHandler != NULL)
            ::RemoveVectoredExceptionHandler(m_pHandler);
    }
    void* m_pHandler;
};
CFaultWatch g_faultWatch;
} // namespace

int SwallowedFaultCount()
{
    return static_cast<int>(g_nFaults.load());
}

int TestProgramExitCode(int nRunAllTestsResult)
{
    if (SwallowedFaultCount() > 0)
    {
        fprintf(stderr, "FAILED: %d fault(s) in this program's code, the first 0x%08lx at %p during %s\n",
                SwallowedFaultCount(), (unsigned long)g_dwFirstCode, g_pFirstAddress,
                g_szFirstTest[0] != '\0' ? g_szFirstTest : "no test");
        return 1;
    }
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    if (nRunAllTestsResult == 0 && unit.failed_test_count() == 0 && unit.successful_test_count() == 0
        && unit.skipped_test_count() > 0)
        return kEveryTestSkippedExitCode;
    return nRunAllTestsResult;
}
