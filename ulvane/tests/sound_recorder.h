// A stand-in for the system's sound call: records the menu sounds the player asks
// for and can hold a sound "playing" (the system's call returns at once without a
// sound device).
#pragma once

#include <afxmt.h>

#include "CExtSoundPlayerHolder.h"

#include <string>
#include <vector>

struct SoundCall
{
    std::string strName;   // empty for the purge call
    DWORD nFlags;
    DWORD nThreadID;
};

class CSoundRecorder
{
public:
    static inline CSoundRecorder* g_pCurrent = NULL;

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
