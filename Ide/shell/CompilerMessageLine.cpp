#include "CompilerMessageLine.h"

#include <ctype.h>

BOOL ParseCompilerMessageLine(const CString& strLine, CString& strPath, int& nLine)
{
    const int nExe = strLine.Find(".exe:");
    if (nExe < 0)
        return FALSE;
    // The blank between the program's name and its message goes with it.
    const CString strRest = strLine.Mid(nExe + 6);
    if (strRest.GetLength() <= 2)
        return FALSE;
    // The search starts at the third character, past a drive letter's colon.
    const int nPathEnd = strRest.Find(':', 2);
    if (nPathEnd < 0)
        return FALSE;
    const CString strAfterPath = strRest.Mid(nPathEnd + 1);
    const int nLineEnd = strAfterPath.Find(':');
    if (nLineEnd <= 0)
        return FALSE;
    // Only digits: a line the jump could not mark is no jump target.
    const CString strNumber = strAfterPath.Left(nLineEnd);
    int nValue = 0;
    for (int i = 0; i < strNumber.GetLength(); i++)
    {
        if (!isdigit((unsigned char)strNumber[i]) || nValue > 100000000)
            return FALSE;
        nValue = nValue * 10 + (strNumber[i] - '0');
    }
    if (nValue <= 0)
        return FALSE;
    strPath = strRest.Left(nPathEnd);
    nLine = nValue;
    return TRUE;
}
