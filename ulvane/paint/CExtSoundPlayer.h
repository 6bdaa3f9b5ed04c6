// CExtSoundPlayer: the menu sounds. A sound plays on a short-lived thread of its own,
// so the UI never waits for it, and one at a time in the whole process: a request made
// while a sound plays is dropped. The named event is signalled while no sound plays;
// the lock makes its test and the start of a thread one step.
#pragma once

#include <afxwin.h>
#include <afxmt.h>

// What a sound request hands to the worker thread: the worker owns this copy and
// frees it, so the caller never waits for the worker.
struct CExtSoundRequest
{
    enum { nNameSize = 1024 };

    CExtSoundRequest() : m_hModule(NULL), m_nFlags(0), m_hThread(NULL), m_nThreadID(0)
    {
        memset(m_szName, 0, sizeof(m_szName));
    }
    // Copies at most nNameSize - 1 characters; the rest of the buffer stays zero.
    void SetName(LPCSTR lpszName);

    char m_szName[nNameSize];
    HMODULE m_hModule;      // always null: the names are system sound aliases
    UINT m_nFlags;          // for the system's sound call
    HANDLE m_hThread;
    DWORD m_nThreadID;
};

class CExtSoundPlayer : public CObject
{
    DECLARE_DYNCREATE(CExtSoundPlayer)
public:
    enum
    {
        eNoSound = 0,
        eMenuExpanded = 1,
        ePopupOpened = 2,
        eCommandChosen = 3,
    };

    // The system's sound call; tests put a recorder in its place (NULL: the system's).
    typedef BOOL(WINAPI* SoundOutputFn)(LPCSTR lpszName, HMODULE hModule, DWORD nFlags);
    static void SetSoundOutput(SoundOutputFn pfnOutput);

    CExtSoundPlayer();
    virtual ~CExtSoundPlayer();

    // Plays the sound of the id on a worker thread unless one plays already; any id
    // but 1 to 3 plays nothing.
    virtual void PlaySound(int nSoundID);

    // The alias and flags of a sound id; false for an id without a sound.
    static bool BuildRequest(int nSoundID, CExtSoundRequest& request);

    // The process-wide "no sound plays" event, auto-reset and initially signalled.
    class CPlayingEvent
    {
    public:
        CPlayingEvent();
        ~CPlayingEvent();
        HANDLE GetHandle() const { return m_hEvent; }

    private:
        CPlayingEvent(const CPlayingEvent&) = delete;
        void operator=(const CPlayingEvent&) = delete;
        HANDLE m_hEvent;
    };
    static CPlayingEvent g_eventIdle;
    static CCriticalSection g_csStart;

protected:
    // Starts the worker for the request unless a sound plays.
    static void StartSoundThread(const CExtSoundRequest& request);
    static DWORD WINAPI SoundThreadProc(LPVOID pParam);
};
