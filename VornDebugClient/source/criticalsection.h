// A Win32 critical section on the heap, and the library's one global lock. The
// global lock exists between its construction and destruction as a global object;
// code that runs outside that span (early or late in loading) runs unlocked.
#ifndef VORN_DEBUGCLIENT_CRITICALSECTION_H
#define VORN_DEBUGCLIENT_CRITICALSECTION_H

#include "winheaders.h"

class CriticalSection
{
public:
    explicit CriticalSection(bool isGlobalLock = false);
    ~CriticalSection();

    void Enter();
    void Leave();

    static CriticalSection* GetGlobal() { return s_pGlobal; }

private:
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    CRITICAL_SECTION* m_pSection;
    bool m_bGlobal;
    static CriticalSection* s_pGlobal;
};

// Holds the global lock for one scope (nothing when the lock does not exist).
class AutoLock
{
public:
    AutoLock() : m_pLock(CriticalSection::GetGlobal()) { if (m_pLock) m_pLock->Enter(); }
    ~AutoLock() { if (m_pLock) m_pLock->Leave(); }

private:
    AutoLock(const AutoLock&) = delete;
    AutoLock& operator=(const AutoLock&) = delete;

    CriticalSection* m_pLock;
};

#endif
