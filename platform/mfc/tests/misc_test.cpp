#include "afxtest.h"

#include <afxmt.h>

namespace {

struct CounterJob
{
    CCriticalSection* pSection;
    volatile LONG* pCounter;
    int nRounds;
};

// Thread entry: plain code only, nothing here may throw.
DWORD WINAPI CountUnderLock(LPVOID pParam)
{
    CounterJob* pJob = static_cast<CounterJob*>(pParam);
    for (int i = 0; i < pJob->nRounds; ++i)
    {
        CSingleLock lock(pJob->pSection, TRUE);
        LONG n = *pJob->pCounter;
        ::Sleep(0);
        *pJob->pCounter = n + 1;
    }
    return 0;
}

DWORD WINAPI TryMutex(LPVOID pParam)
{
    CMutex other(FALSE, static_cast<LPCSTR>(pParam));
    CSingleLock lock(&other);
    return lock.Lock(50) ? 1 : 0;
}

DWORD RunThread(LPTHREAD_START_ROUTINE pfn, LPVOID pParam)
{
    HANDLE hThread = ::CreateThread(NULL, 0, pfn, pParam, 0, NULL);
    ::WaitForSingleObject(hThread, INFINITE);
    DWORD dwExit = 0;
    ::GetExitCodeThread(hThread, &dwExit);
    ::CloseHandle(hThread);
    return dwExit;
}

} // namespace

TEST(Sync, CriticalSectionSerialisesThreads)
{
    CCriticalSection section;
    volatile LONG counter = 0;
    CounterJob job = { &section, &counter, 2000 };
    HANDLE threads[4];
    for (HANDLE& h : threads)
        h = ::CreateThread(NULL, 0, CountUnderLock, &job, 0, NULL);
    ::WaitForMultipleObjects(4, threads, TRUE, INFINITE);
    for (HANDLE h : threads)
        ::CloseHandle(h);
    EXPECT_EQ(8000, counter);
}

TEST(Sync, SingleLockReleasesOnScopeExit)
{
    CMutex mutex(FALSE, "VornMfcTestMutex");
    {
        CSingleLock lock(&mutex, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_EQ(0u, RunThread(TryMutex, (LPVOID) "VornMfcTestMutex")); // held by us
    }
    EXPECT_EQ(1u, RunThread(TryMutex, (LPVOID) "VornMfcTestMutex"));

    CSingleLock lock(&mutex);
    EXPECT_FALSE(lock.IsLocked());
    EXPECT_TRUE(lock.Lock());
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.IsLocked());
}

TEST(Sync, Events)
{
    CEvent autoReset;
    EXPECT_FALSE(autoReset.Lock(0));
    autoReset.SetEvent();
    EXPECT_TRUE(autoReset.Lock(0));
    EXPECT_FALSE(autoReset.Lock(0)); // one waiter consumed it

    CEvent manual(FALSE, TRUE);
    manual.SetEvent();
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0));
    manual.ResetEvent();
    EXPECT_FALSE(manual.Lock(0));
    EXPECT_NE((HANDLE)NULL, (HANDLE)manual);
}

TEST(Time, FieldsArithmeticAndFormat)
{
    CTime t(2024, 2, 29, 13, 5, 9);
    EXPECT_EQ(2024, t.GetYear());
    EXPECT_EQ(2, t.GetMonth());
    EXPECT_EQ(29, t.GetDay());
    EXPECT_EQ(13, t.GetHour());
    EXPECT_EQ(5, t.GetMinute());
    EXPECT_EQ(9, t.GetSecond());
    EXPECT_EQ(5, t.GetDayOfWeek()); // a Thursday; Sunday is 1
    EXPECT_EQ("2024-02-29 13:05:09", t.Format("%Y-%m-%d %H:%M:%S"));

    CTime later = t + CTimeSpan(1, 2, 3, 4);
    EXPECT_EQ("2024-03-01 15:08:13", later.Format("%Y-%m-%d %H:%M:%S"));
    CTimeSpan span = later - t;
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(2, span.GetHours());
    EXPECT_EQ(3, span.GetMinutes());
    EXPECT_EQ(4, span.GetSeconds());
    EXPECT_EQ(93784, span.GetTotalSeconds());
    EXPECT_EQ("1 days 02:03:04 100%", span.Format("%D days %H:%M:%S 100%%"));
    EXPECT_TRUE(t < later);

    SYSTEMTIME st;
    ASSERT_TRUE(later.GetAsSystemTime(st));
    EXPECT_EQ(CTime(st), later);
    EXPECT_EQ("1970-01-01 00:00:00", CTime(0).FormatGmt("%Y-%m-%d %H:%M:%S"));
    EXPECT_EQ("", t.Format(""));

    // A file time is UTC and comes back as the same moment.
    FILETIME ftUtc, ftLocal;
    SYSTEMTIME stLocal = st;
    ASSERT_TRUE(::SystemTimeToFileTime(&stLocal, &ftLocal));
    ASSERT_TRUE(::LocalFileTimeToFileTime(&ftLocal, &ftUtc));
    EXPECT_EQ(later, CTime(ftUtc));
}
