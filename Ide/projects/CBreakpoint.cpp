#include "CBreakpoint.h"

#include "CProjectFileEntry.h"

CBreakpoint::CBreakpoint()
    : m_pOwner(NULL),
      m_nLine(-1),
      m_nEnabled(1),
      m_nConditionEnable(0),
      m_nCondition(0),
      m_nHitCountBreakWhen(0),
      m_nHitCountBreak(0),
      m_nHitCount(0),
      m_nLastValueState(0)
{
}

CBreakpoint::~CBreakpoint()
{
}

void CBreakpoint::SetStored(int& nField, int nValue)
{
    if (nField == nValue)
        return;
    nField = nValue;
    if (m_pOwner != NULL)
        m_pOwner->MarkModified();
}

void CBreakpoint::SetLine(int nLine)
{
    SetStored(m_nLine, nLine);
}

void CBreakpoint::SetEnabled(int nEnabled)
{
    SetStored(m_nEnabled, nEnabled);
}

void CBreakpoint::SetConditionEnable(int nEnable)
{
    SetStored(m_nConditionEnable, nEnable);
}

void CBreakpoint::SetConditionType(int nCondition)
{
    SetStored(m_nCondition, nCondition);
}

void CBreakpoint::SetHitCountBreakWhen(int nMode)
{
    SetStored(m_nHitCountBreakWhen, nMode);
}

void CBreakpoint::SetHitCountBreak(int nValue)
{
    SetStored(m_nHitCountBreak, nValue);
}

void CBreakpoint::SetCondition(LPCTSTR pszExpression)
{
    if (m_strConditionExpression == pszExpression)
        return;
    m_strConditionExpression = pszExpression;
    if (m_pOwner != NULL)
        m_pOwner->MarkModified();
}

void CBreakpoint::ResetCounters()
{
    m_nHitCount = 0;
    m_strLastValue.Empty();
    m_nLastValueState = 0;
}
