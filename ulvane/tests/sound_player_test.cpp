// Menu sounds: which alias each id plays, one sound at a time, and no handle or thread
// left behind. A recorder stands in for the system's sound call (which returns at once
// without a sound device) and can hold a sound "playing".
#include "ulvanetest.h"

#include "CExtSoundPlayerHolder.h"

#include <string>
#include <vector>

namespace
{
struct SoundCall
{
    std::string strName;   // empty for the purge call
    DWORD nFlags;
    DWORD nThreadID;
};

class CSoundRecorder
{
public:
    static CSoundRecorder* g_pCurrent;

    CSoundRecorder() : m_hHold(::CreateEvent(NULL, TRUE, TRUE, NULL)), m_hEntered(::CreateEvent(NULL, FALSE, FALSE, NULL))
    {
        g_pCurrent = this;
        CExtSoundPlayer::SetSoundOutput(&Record);
    }
    ~CSoundRecorder()
    {
        Release();
        WaitUntilIdle();
        CExtSoundPlayer::SetSoundOutput(NULL);
        g_pCurrent = NULL;
        ::CloseHandle(m_hHold);
        ::CloseHandle(m_hEntered);
    }

    // Sounds started from now on keep "playing" until Release.
    void Hold() { ::ResetEvent(m_hHold); }
    void Release() { ::SetEvent(m_hHold); }
    bool WaitEntered() { return ::WaitForSingleObject(m_hEntered, 5000) == WAIT_OBJECT_0; }

    std::vector<SoundCall> Calls()
    {
        CSingleLock lock(&m_cs, TRUE);
        return m_calls;
    }
    int PlayCount()
    {
        int n = 0;
        for (const SoundCall& call : Calls())
            n += call.strName.empty() ? 0 : 1;
        return n;
    }

    // Waits until no sound plays, leaving the event as it found it.
    static bool WaitUntilIdle()
    {
        for (DWORD t0 = ::GetTickCount(); ::GetTickCount() - t0 < 5000; ::Sleep(2))
        {
            CSingleLock lock(&CExtSoundPlayer::g_csStart, TRUE);
            if (::WaitForSingleObject(CExtSoundPlayer::g_eventIdle.GetHandle(), 0) == WAIT_OBJECT_0)
            {
                ::SetEvent(CExtSoundPlayer::g_eventIdle.GetHandle());
                return true;
            }
        }
        return false;
    }

private:
    static BOOL WINAPI Record(LPCSTR lpszName, HMODULE, DWORD nFlags)
    {
        CSoundRecorder* pThis = g_pCurrent;
        {
            CSingleLock lock(&pThis->m_cs, TRUE);
            pThis->m_calls.push_back(SoundCall{lpszName != NULL ? lpszName : "", nFlags, ::GetCurrentThreadId()});
        }
        if (lpszName != NULL)
        {
            ::SetEvent(pThis->m_hEntered);
            ::WaitForSingleObject(pThis->m_hHold, 10000);
        }
        return TRUE;
    }

    CCriticalSection m_cs;
    std::vector<SoundCall> m_calls;
    HANDLE m_hHold, m_hEntered;
};
CSoundRecorder* CSoundRecorder::g_pCurrent = NULL;
}

TEST(SoundPlayerTest, EachMenuSoundPlaysItsAliasOnAWorkerAndOtherIdsNothing)
{
    CSoundRecorder recorder;
    for (int nID : {0, 4, -1})
        g_SoundPlayer->PlaySound(nID);
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());
    EXPECT_TRUE(recorder.Calls().empty()) << "an id without a sound started a worker";

    g_SoundPlayer->PlaySound(CExtSoundPlayer::ePopupOpened);
    ASSERT_TRUE(recorder.WaitEntered());
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());
    g_SoundPlayer->PlaySound(CExtSoundPlayer::eCommandChosen);
    ASSERT_TRUE(recorder.WaitEntered());
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());

    // The asynchronous popup sound first stops what still sounds; the command sound
    // plays through and stops nothing.
    const std::vector<SoundCall> calls = recorder.Calls();
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ("", calls[0].strName);
    EXPECT_EQ((DWORD)SND_PURGE, calls[0].nFlags);
    EXPECT_EQ("MenuPopup", calls[1].strName);
    EXPECT_EQ(0x12003u, calls[1].nFlags);
    EXPECT_EQ("MenuCommand", calls[2].strName);
    EXPECT_EQ(0x12002u, calls[2].nFlags);
    for (const SoundCall& call : calls)
        EXPECT_NE(::GetCurrentThreadId(), call.nThreadID) << "the caller played the sound itself";
}

TEST(SoundPlayerTest, ARequestWhileASoundPlaysIsDroppedAndTheCallerDoesNotWait)
{
    CSoundRecorder recorder;
    recorder.Hold();
    g_SoundPlayer->PlaySound(CExtSoundPlayer::eMenuExpanded);
    ASSERT_TRUE(recorder.WaitEntered());

    const DWORD t0 = ::GetTickCount();
    g_SoundPlayer->PlaySound(CExtSoundPlayer::ePopupOpened);
    g_SoundPlayer->PlaySound(CExtSoundPlayer::eCommandChosen);
    EXPECT_LT(::GetTickCount() - t0, 1000u) << "the caller waited for the playing sound";
    EXPECT_EQ(1, recorder.PlayCount());

    recorder.Release();
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());
    g_SoundPlayer->PlaySound(CExtSoundPlayer::eCommandChosen);
    ASSERT_TRUE(recorder.WaitEntered()) << "the player stayed busy after the sound ended";
    EXPECT_EQ(2, recorder.PlayCount());
}

// The value of a new handle: handles take the lowest free slot, so each handle left
// open by a request would push it up.
static UINT_PTR NextHandleValue()
{
    HANDLE hProbe = ::CreateEvent(NULL, FALSE, FALSE, NULL);
    ::CloseHandle(hProbe);
    return (UINT_PTR)hProbe;
}

TEST(SoundPlayerTest, ManyRequestsLeaveNoHandlesBehind)
{
    CSoundRecorder recorder;
    const UINT_PTR nBefore = NextHandleValue();
    for (int i = 0; i < 20000; i++)
        g_SoundPlayer->PlaySound(1 + i % 3);
    ASSERT_TRUE(CSoundRecorder::WaitUntilIdle());
    ::Sleep(50);   // the last worker's own exit
    ASSERT_GT(recorder.PlayCount(), 0);
    EXPECT_LE(NextHandleValue(), nBefore + 16) << recorder.PlayCount() << " sounds played";
}
