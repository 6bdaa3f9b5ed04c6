#include "thread.h"

#include "criticalsection.h"
#include "event.h"

Thread::Thread()
    : m_pSecurity(nullptr),
      m_hThread(nullptr),
      m_pCommandEvent(nullptr),
      m_dwThreadId(0),
      m_dwStackSize(0),
      m_nExitCode(EXIT_CODE_NONE),
      m_nState(STATE_RESET),
      m_bQueueEnabled(false),
      m_nQueueHead(0)
{
}

Thread::~Thread()
{
    if (IsRunning())
        Terminate(DWORD(-1), true);
    AutoLock lock;
    delete m_pCommandEvent;
    m_pCommandEvent = nullptr;
    ResetLocked();
}

void Thread::ResetLocked()
{
    if (m_hThread)
        CloseHandle(m_hThread);
    m_hThread = nullptr;
    m_dwThreadId = 0;
    m_nState = STATE_RESET;
}

DWORD WINAPI Thread::ThreadEntry(LPVOID parameter)
{
    Thread* thread = static_cast<Thread*>(parameter);
    int code = -1;
    try
    {
        code = thread->Run();
    }
    catch (...)
    {
        code = -1;
    }
    // A thread that ends by itself cleans up as a terminated one does.
    try
    {
        thread->OnExit();
    }
    catch (...)
    {
    }
    AutoLock lock;
    thread->m_nState = STATE_RESET;
    thread->m_nExitCode = code;
    thread->m_dwThreadId = 0;   // the system may give the number to another thread
    return DWORD(code);
}

bool Thread::Start()
{
    AutoLock lock;
    if (IsRunning())
        return false;
    ResetLocked();
    m_Queue.Clear();
    m_nQueueHead = 0;
    m_nExitCode = EXIT_CODE_NONE;
    if (m_bQueueEnabled && !m_pCommandEvent)
    {
        m_pCommandEvent = new (std::nothrow) Event;
        if (!m_pCommandEvent || !m_pCommandEvent->IsValid())
        {
            delete m_pCommandEvent;
            m_pCommandEvent = nullptr;
            return false;
        }
    }
    m_hThread = CreateThread(m_pSecurity, m_dwStackSize, ThreadEntry, this, 0, &m_dwThreadId);
    if (!m_hThread)
        return false;
    if (!PostLocked(COMMAND_START))
    {
        TerminateThread(m_hThread, DWORD(-1));
        ResetLocked();
        return false;
    }
    m_nState = STATE_STARTED;
    return true;
}

bool Thread::QueueLocked(int command)
{
    if (!m_hThread || !m_bQueueEnabled || !m_pCommandEvent || command == COMMAND_NONE)
        return false;
    int count = m_Queue.Count();
    bool sameAsLast = count > m_nQueueHead && m_Queue.Get(count - 1) == command;
    return sameAsLast || m_Queue.Push(command);
}

bool Thread::PostLocked(int command)
{
    return QueueLocked(command) && m_pCommandEvent->Set();
}

bool Thread::PostCommand(int command)
{
    AutoLock lock;
    return PostLocked(command);
}

// One wake-up for both: each costs the system a call.
bool Thread::PostCommands(int first, int second)
{
    AutoLock lock;
    return QueueLocked(first) && PostLocked(second);
}

bool Thread::QueueCommand(int command)
{
    AutoLock lock;
    return m_Queue.Push(command);
}

int Thread::PopCommand()
{
    AutoLock lock;
    if (m_nQueueHead >= m_Queue.Count())
        return COMMAND_NONE;
    int command = m_Queue.Get(m_nQueueHead++);
    if (m_nQueueHead == m_Queue.Count())
    {
        // Drained: start over so the storage does not grow with every command.
        m_Queue.Clear();
        m_nQueueHead = 0;
    }
    return command;
}

int Thread::GetQueuedCount() const
{
    AutoLock lock;
    return m_Queue.Count() - m_nQueueHead;
}

int Thread::WaitCommand(DWORD ms)
{
    return WaitCommandOrObject(nullptr, COMMAND_TIMEOUT, ms);
}

int Thread::WaitCommandOrObject(HANDLE object, int commandOnObject, DWORD ms)
{
    int command = PopCommand();
    if (command != COMMAND_NONE)
        return command;
    if (m_pCommandEvent)
    {
        HANDLE handles[2] = {m_pCommandEvent->GetHandle(), object};
        DWORD count = object ? 2 : 1;
        if (WaitForMultipleObjects(count, handles, FALSE, ms) == WAIT_OBJECT_0 + 1)
            return commandOnObject;
    }
    else if (object && WaitForSingleObject(object, ms) == WAIT_OBJECT_0)
    {
        return commandOnObject;
    }
    command = PopCommand();
    return command != COMMAND_NONE ? command : int(COMMAND_TIMEOUT);
}

bool Thread::IsRunning() const
{
    DWORD code = 0;
    return m_hThread && GetExitCodeThread(m_hThread, &code) && code == STILL_ACTIVE;
}

bool Thread::IsCurrentThread() const
{
    AutoLock lock;
    return m_hThread && m_dwThreadId == GetCurrentThreadId();
}

int Thread::Stop(int count, DWORD* exitCode)
{
    if (IsRunning())
    {
        if (!PostCommand(COMMAND_EXIT))
            return -1;
        for (int step = 0; count < 0 || step < count; ++step)
            if (WaitForSingleObject(m_hThread, 100) == WAIT_OBJECT_0)
                break;
        if (IsRunning())
        {
            if (exitCode)
                *exitCode = STILL_ACTIVE;
            return 0;
        }
    }
    if (exitCode)
        *exitCode = DWORD(m_nExitCode);
    AutoLock lock;
    ResetLocked();
    return 1;
}

bool Thread::Terminate(DWORD code, bool quiet)
{
    bool ended = m_hThread && TerminateThread(m_hThread, code) != FALSE;
    if (ended)
        WaitForSingleObject(m_hThread, 1000);
    {
        AutoLock lock;
        ResetLocked();
        m_nExitCode = int(code);
    }
    OnExit();
    return ended || quiet;
}

bool Thread::SetPriority(int priority)
{
    AutoLock lock;
    return m_hThread && SetThreadPriority(m_hThread, priority) != FALSE;
}
