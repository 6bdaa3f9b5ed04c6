// CBreakpoint: one breakpoint of a project file: its 1-based line, whether it is
// enabled, its condition and hit-count rule, and the counters the debugger keeps
// while a session runs. Changes to the stored fields mark the project modified.
#pragma once

#include <afx.h>

class CProjectFileEntry;

class CBreakpoint
{
public:
    CBreakpoint();
    virtual ~CBreakpoint();

    // The entry told about changes to the stored fields (NULL: none).
    void SetOwner(CProjectFileEntry* pOwner) { m_pOwner = pOwner; }

    const CString& GetFileName() const { return m_strFileName; }
    void SetFileName(LPCTSTR pszFileName) { m_strFileName = pszFileName; }

    // Stored fields.
    int GetLine() const { return m_nLine; }
    void SetLine(int nLine);
    int GetEnabled() const { return m_nEnabled; }
    void SetEnabled(int nEnabled);
    int GetConditionEnable() const { return m_nConditionEnable; }
    void SetConditionEnable(int nEnable);
    // The condition's Lua expression.
    const CString& GetCondition() const { return m_strConditionExpression; }
    void SetCondition(LPCTSTR pszExpression);
    // The kind of condition: 0 "is true", 1 "has changed".
    int GetConditionType() const { return m_nCondition; }
    void SetConditionType(int nCondition);
    // 0 break always, 1 when the hit count equals the value, 2 when it is at least the value.
    int GetHitCountBreakWhen() const { return m_nHitCountBreakWhen; }
    void SetHitCountBreakWhen(int nMode);
    int GetHitCountBreak() const { return m_nHitCountBreak; }
    void SetHitCountBreak(int nValue);

    // Run-time fields of a debug session; never stored.
    int GetHitCount() const { return m_nHitCount; }
    void SetHitCount(int nHitCount) { m_nHitCount = nHitCount; }
    const CString& GetLastValue() const { return m_strLastValue; }
    void SetLastValue(LPCTSTR pszValue) { m_strLastValue = pszValue; }
    int GetLastValueState() const { return m_nLastValueState; }
    void SetLastValueState(int nState) { m_nLastValueState = nState; }
    void ResetCounters();

private:
    CProjectFileEntry* m_pOwner;
    CString m_strFileName;
    int m_nLine;
    int m_nEnabled;
    int m_nConditionEnable;
    CString m_strConditionExpression;
    int m_nCondition;
    int m_nHitCountBreakWhen;
    int m_nHitCountBreak;
    int m_nHitCount;
    CString m_strLastValue;
    int m_nLastValueState;

    void SetStored(int& nField, int nValue);

    CBreakpoint(const CBreakpoint&) = delete;
    CBreakpoint& operator=(const CBreakpoint&) = delete;
};
