// A Win32 thread with a queue of integer commands. Other threads post commands;
// the thread takes them in order with WaitCommand. Queue and handle are guarded
// by the global lock, which is never held while a command runs.
#ifndef VORN_DEBUGCLIENT_THREAD_H
#define VORN_DEBUGCLIENT_THREAD_H

#include "dynarray.h"
#include "winheaders.h"

class Event;

class Thread
{
public:
    enum State { STATE_STARTED = 0, STATE_RESET = 1, STATE_RUNNING = 2 };
    enum Command
    {
        COMMAND_NONE = 0,
        COMMAND_TIMEOUT = 1,   // WaitCommand found nothing within its time
        COMMAND_START = 2,     // the first command of every started thread
        COMMAND_RUNNING = 3,
        COMMAND_EXIT = 7
    };
    enum { EXIT_CODE_NONE = -2 };

    Thread();
    virtual ~Thread();

    virtual int Run() = 0;
    // Called after the thread was ended by force.
    virtual void OnExit() {}

    bool Start();
    // False when the command was dropped (no thread) or could not be queued.
    bool PostCommand(int command);
    // Posts two commands with no other post between them.
    bool PostCommands(int first, int second);
    bool QueueCommand(int command);
    int PopCommand();
    int WaitCommand(DWORD ms);
    // Like WaitCommand, but also ends the wait when object is signalled, which
    // yields commandOnObject (object may be null: the command event alone).
    int WaitCommandOrObject(HANDLE object, int commandOnObject, DWORD ms);

    bool IsRunning() const;
    // Whether the caller runs on this thread.
    bool IsCurrentThread() const;
    // Asks the thread to end and waits up to count steps of 100 ms (-1: no limit).
    // 1 when it has ended, 0 when it still runs, -1 when the request could not be posted.
    int Stop(int count, DWORD* exitCode = nullptr);
    bool Terminate(DWORD code, bool quiet);
    bool SetPriority(int priority);

    int GetState() const { return m_nState; }
    void SetState(int state) { m_nState = state; }
    int GetExitCode() const { return m_nExitCode; }
    int GetQueuedCount() const;

protected:
    void EnableCommandQueue() { m_bQueueEnabled = true; }

private:
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    static DWORD WINAPI ThreadEntry(LPVOID parameter);
    bool QueueLocked(int command);
    bool PostLocked(int command);
    void ResetLocked();

    LPSECURITY_ATTRIBUTES m_pSecurity;
    HANDLE m_hThread;
    Event* m_pCommandEvent;
    DWORD m_dwThreadId;
    DWORD m_dwStackSize;
    volatile int m_nExitCode;
    volatile int m_nState;
    bool m_bQueueEnabled;
    SimpleArray<int> m_Queue;
    int m_nQueueHead;   // commands before this index have been taken
};

#endif
