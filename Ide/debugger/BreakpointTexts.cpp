#include "BreakpointTexts.h"

CString BreakpointConditionText(BOOL bEnabled, LPCTSTR pszExpression, int nKind)
{
    if (!bEnabled || pszExpression == NULL || *pszExpression == '\0')
        return "(no condition)";
    return CString("when '") + pszExpression + "' " + (nKind == 1 ? "has changed" : "is true");
}

CString BreakpointHitCountText(int nMode, int nValue)
{
    CString strText;
    switch (nMode)
    {
    case 0:
        strText = "break always";
        break;
    case 1:
        strText.Format("when hit count is equal to %d", nValue);
        break;
    case 2:
        strText.Format("when hit count is greater than or equal to %d", nValue);
        break;
    default:
        break;
    }
    return strText;
}

CString BreakpointRowName(LPCTSTR pszRelativePath, int nLine)
{
    CString strName;
    strName.Format("%s, line %d", pszRelativePath, nLine);
    return strName;
}
