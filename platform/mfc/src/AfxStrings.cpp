#include <afx.h>

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep)
{
    rString.Empty();
    if (lpszFullString == NULL || iSubString < 0)
        return FALSE;
    while (iSubString--)
    {
        lpszFullString = strchr(lpszFullString, chSep);
        if (lpszFullString == NULL)
            return FALSE;
        ++lpszFullString; // past the separator
    }
    LPCSTR lpchEnd = strchr(lpszFullString, chSep);
    int nLen = lpchEnd == NULL ? (int)strlen(lpszFullString) : (int)(lpchEnd - lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}

void AFXAPI AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString)
{
    // "%1".."%9" take the numbered argument; any other "%" stays as it is.
    CString result;
    for (LPCSTR p = lpszFormat; *p != '\0'; ++p)
    {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9')
        {
            int i = p[1] - '1';
            if (i < nString && rglpsz[i] != NULL)
                result += rglpsz[i];
            ++p;
            continue;
        }
        result += *p;
    }
    rString = result;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    LPCSTR rglpsz[] = { lpsz1 };
    AfxFormatStrings(rString, strFormat, rglpsz, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    LPCSTR rglpsz[] = { lpsz1, lpsz2 };
    AfxFormatStrings(rString, strFormat, rglpsz, 2);
}
