// Synchronisation objects over the Win32 kernel objects, and the lock that
// releases them when it goes out of scope.
#pragma once
#ifndef VORN_AFXMT_H
#define VORN_AFXMT_H

#include "afx.h"

class CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCSTR pstrName);
    virtual ~CSyncObject();

    operator HANDLE() const { return m_hObject; }
    // TRUE when the object was acquired within dwTimeout milliseconds.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL);

    HANDLE m_hObject;
};

class CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    // A named mutex is shared with every process that opens the same name.
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCSTR lpszName = NULL, LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual BOOL Unlock();
};

class CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCSTR lpszName = NULL,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    virtual BOOL Unlock();
};

class CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    virtual ~CCriticalSection();

    operator CRITICAL_SECTION*() { return &m_sect; }
    BOOL Lock();
    // A critical section cannot time out: any timeout waits for it.
    virtual BOOL Lock(DWORD dwTimeout);
    virtual BOOL Unlock();

    CRITICAL_SECTION m_sect;
};

class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();

    BOOL Lock(DWORD dwTimeOut = INFINITE);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    BOOL IsLocked() const { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired;

private:
    CSingleLock(const CSingleLock&) = delete;
    void operator=(const CSingleLock&) = delete;
};

#endif
