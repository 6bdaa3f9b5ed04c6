#include "FindResultLines.h"

CString FindstrCommandLine(LPCTSTR pszSearcherPath, LPCTSTR pszText, BOOL bMatchCase, LPCTSTR pszFileName)
{
    CString strCommand;
    strCommand.Format(bMatchCase ? "\"%s\" /n /c:\"%s\" %s" : "\"%s\" /n /i /c:\"%s\" %s", pszSearcherPath, pszText,
                      pszFileName);
    return strCommand;
}

namespace
{
void AppendResultLine(LPCTSTR pszPath, const char* pLine, int nLength, CString& strResult)
{
    // "<number>:<text>"; a line without a colon has no number.
    const char* pColon = static_cast<const char*>(memchr(pLine, ':', (size_t)nLength));
    const int nNumberLength = pColon != NULL ? (int)(pColon - pLine) : 0;
    const char* pText = pColon != NULL ? pColon + 1 : pLine;
    const int nTextLength = (int)(pLine + nLength - pText);
    CString strText;
    LPSTR pCopy = strText.GetBuffer(nTextLength);
    for (int i = 0; i < nTextLength; i++)
        pCopy[i] = pText[i] != '\0' ? pText[i] : ' ';
    strText.ReleaseBuffer(nTextLength);
    strResult += pszPath;
    strResult += '(';
    strResult += CString(pLine, nNumberLength);
    strResult += "):";
    strResult += strText;
    // The searcher's CR stays the line end; a line that had none gets one.
    if (strText.IsEmpty() || strText[strText.GetLength() - 1] != '\r')
        strResult += '\n';
}
} // namespace

int ParseFindstrOutput(const CString& strOutput, LPCTSTR pszPath, CString& strResult)
{
    const char* pText = strOutput.GetString();
    const int nLength = strOutput.GetLength();
    int nCount = 0;
    int nStart = 0;
    while (nStart < nLength)
    {
        const char* pLF = static_cast<const char*>(memchr(pText + nStart, '\n', (size_t)(nLength - nStart)));
        const int nEnd = pLF != NULL ? (int)(pLF - pText) : nLength;
        AppendResultLine(pszPath, pText + nStart, nEnd - nStart, strResult);
        nCount++;
        nStart = nEnd + 1;
    }
    return nCount;
}

BOOL ParseFindResultLine(const CString& strLine, CString& strPath, int& nLine)
{
    const int nLength = strLine.GetLength();
    for (int nOpen = strLine.Find('(', 1); nOpen > 0; nOpen = strLine.Find('(', nOpen + 1))
    {
        int nDigit = nOpen + 1;
        int nNumber = 0;
        while (nDigit < nLength && strLine[nDigit] >= '0' && strLine[nDigit] <= '9' && nNumber < 100000000)
            nNumber = nNumber * 10 + (strLine[nDigit++] - '0');
        if (nDigit > nOpen + 1 && nDigit + 1 < nLength && strLine[nDigit] == ')' && strLine[nDigit + 1] == ':')
        {
            strPath = strLine.Left(nOpen);
            nLine = nNumber;
            return TRUE;
        }
    }
    return FALSE;
}
