// CExtSoundPlayer: one menu sound at a time, each on a short-lived worker thread.
#include "CExtSoundPlayer.h"

#include <new>

IMPLEMENT_DYNCREATE(CExtSoundPlayer, CObject)

namespace
{
const char szIdleEventName[] = "CExtSoundPlayer__InternalSoundThredadParms_t";
const UINT nAsyncMenuSoundFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
const UINT nSyncMenuSoundFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;

CExtSoundPlayer::SoundOutputFn volatile g_pfnSoundOutput = NULL;

BOOL WINAPI SystemSoundOutput(LPCSTR lpszName, HMODULE hModule, DWORD nFlags)
{
    return ::PlaySoundA(lpszName, hModule, nFlags);
}

CExtSoundPlayer::SoundOutputFn CurrentSoundOutput()
{
    CExtSoundPlayer::SoundOutputFn pfn = g_pfnSoundOutput;
    return pfn != NULL ? pfn : &SystemSoundOutput;
}
}

void CExtSoundRequest::SetName(LPCSTR lpszName)
{
    memset(m_szName, 0, sizeof(m_szName));
    if (lpszName != NULL)
        strncpy(m_szName, lpszName, nNameSize - 1);
}

CExtSoundPlayer::CPlayingEvent::CPlayingEvent()
    : m_hEvent(::CreateEventA(NULL, FALSE, TRUE, szIdleEventName))
{
}

CExtSoundPlayer::CPlayingEvent::~CPlayingEvent()
{
    if (m_hEvent != NULL)
        ::CloseHandle(m_hEvent);
}

void CExtSoundPlayer::SetSoundOutput(SoundOutputFn pfnOutput)
{
    g_pfnSoundOutput = pfnOutput;
}

CExtSoundPlayer::CExtSoundPlayer()
{
}

CExtSoundPlayer::~CExtSoundPlayer()
{
}

bool CExtSoundPlayer::BuildRequest(int nSoundID, CExtSoundRequest& request)
{
    switch (nSoundID)
    {
    case eMenuExpanded:
    case ePopupOpened:
        request.SetName("MenuPopup");
        request.m_nFlags = nAsyncMenuSoundFlags;
        return true;
    case eCommandChosen:
        request.SetName("MenuCommand");
        request.m_nFlags = nSyncMenuSoundFlags;
        return true;
    default:
        return false;
    }
}

void CExtSoundPlayer::PlaySound(int nSoundID)
{
    // Called from window procedures and timers: nothing may leave it.
    try
    {
        CExtSoundRequest request;
        if (BuildRequest(nSoundID, request))
            StartSoundThread(request);
    }
    catch (...)
    {
    }
}

void CExtSoundPlayer::StartSoundThread(const CExtSoundRequest& request)
{
    const HANDLE hIdle = g_eventIdle.GetHandle();
    if (hIdle == NULL)
        return;   // without the event there is no telling whether a sound plays
    CSingleLock lock(&g_csStart, TRUE);
    if (::WaitForSingleObject(hIdle, 0) != WAIT_OBJECT_0)
        return;   // a sound plays: this one is dropped
    CExtSoundRequest* pCopy = new (std::nothrow) CExtSoundRequest(request);
    HANDLE hThread = NULL;
    if (pCopy != NULL)
    {
        DWORD nThreadID = 0;
        hThread = ::CreateThread(NULL, 0, &SoundThreadProc, pCopy, CREATE_SUSPENDED, &nThreadID);
        if (hThread != NULL)
        {
            pCopy->m_hThread = hThread;
            pCopy->m_nThreadID = nThreadID;
            ::SetThreadPriority(hThread, THREAD_PRIORITY_BELOW_NORMAL);
            ::ResumeThread(hThread);
            ::CloseHandle(hThread);
        }
        else
        {
            delete pCopy;
        }
    }
    if (hThread == NULL)
        ::SetEvent(hIdle);
}

DWORD WINAPI CExtSoundPlayer::SoundThreadProc(LPVOID pParam)
{
    CExtSoundRequest* pRequest = (CExtSoundRequest*)pParam;
    try
    {
        const SoundOutputFn pfnOutput = CurrentSoundOutput();
        if ((pRequest->m_nFlags & SND_ASYNC) != 0)
            pfnOutput(NULL, NULL, SND_PURGE);   // an asynchronous sound replaces the one still sounding
        pfnOutput(pRequest->m_szName, pRequest->m_hModule, pRequest->m_nFlags);
    }
    catch (...)
    {
    }
    delete pRequest;
    ::SetEvent(g_eventIdle.GetHandle());
    return 0;
}
