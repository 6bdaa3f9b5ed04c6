#include "criticalsection.h"

#include <new>

CriticalSection* CriticalSection::s_pGlobal = nullptr;

CriticalSection::CriticalSection(bool isGlobalLock)
    : m_pSection(new (std::nothrow) CRITICAL_SECTION), m_bGlobal(isGlobalLock)
{
    if (m_pSection)
        InitializeCriticalSection(m_pSection);
    if (m_bGlobal && m_pSection)
        s_pGlobal = this;
}

CriticalSection::~CriticalSection()
{
    if (m_bGlobal && s_pGlobal == this)
        s_pGlobal = nullptr;
    if (m_pSection)
    {
        DeleteCriticalSection(m_pSection);
        delete m_pSection;
    }
}

void CriticalSection::Enter()
{
    if (m_pSection)
        EnterCriticalSection(m_pSection);
}

void CriticalSection::Leave()
{
    if (m_pSection)
        LeaveCriticalSection(m_pSection);
}
