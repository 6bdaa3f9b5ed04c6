#include <afx.h>

#include <time.h>

namespace {

// Formats with strftime into a buffer that grows until the text fits.
CString FormatTm(LPCSTR pszFormat, const struct tm* ptm)
{
    if (pszFormat == NULL)
        AfxThrowInvalidArgException();
    if (*pszFormat == '\0' || ptm == NULL)
        return CString();
    CString result;
    for (int nSize = 128; nSize <= 64 * 1024; nSize *= 2)
    {
        LPSTR p = result.GetBuffer(nSize);
        size_t nLen = strftime(p, nSize, pszFormat, ptm);
        if (nLen > 0)
        {
            result.ReleaseBuffer((int)nLen);
            return result;
        }
        result.ReleaseBuffer(0);
    }
    return CString(); // a format that gives nothing, or nonsense
}

// The C library hands out one shared struct; callers get their own copy.
struct tm* CopyTm(const struct tm* pSource, struct tm* ptm)
{
    if (ptm == NULL || pSource == NULL)
        return NULL;
    *ptm = *pSource;
    return ptm;
}

} // namespace

CTime PASCAL CTime::GetCurrentTime()
{
    return CTime(_time64(NULL));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm atm = {};
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
    m_time = _mktime64(&atm);
    if (m_time == -1)
        AfxThrowInvalidArgException();
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)
{
}

CTime::CTime(const FILETIME& ft, int nDST)
{
    // File times are UTC; the calendar fields of CTime are local.
    FILETIME ftLocal;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&ft, &ftLocal) || !::FileTimeToSystemTime(&ftLocal, &st))
        AfxThrowInvalidArgException();
    *this = CTime(st, nDST);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    return CopyTm(_localtime64(&m_time), ptm);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    return CopyTm(_gmtime64(&m_time), ptm);
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm ttm;
    if (GetLocalTm(&ttm) == NULL)
        return FALSE;
    st.wYear = (WORD)(1900 + ttm.tm_year);
    st.wMonth = (WORD)(1 + ttm.tm_mon);
    st.wDayOfWeek = (WORD)ttm.tm_wday;
    st.wDay = (WORD)ttm.tm_mday;
    st.wHour = (WORD)ttm.tm_hour;
    st.wMinute = (WORD)ttm.tm_min;
    st.wSecond = (WORD)ttm.tm_sec;
    st.wMilliseconds = 0;
    return TRUE;
}

int CTime::LocalField(int tm::*pField) const
{
    struct tm ttm;
    return GetLocalTm(&ttm) == NULL ? 0 : ttm.*pField;
}

int CTime::GetYear() const { return LocalField(&tm::tm_year) + 1900; }
int CTime::GetMonth() const { return LocalField(&tm::tm_mon) + 1; }
int CTime::GetDay() const { return LocalField(&tm::tm_mday); }
int CTime::GetHour() const { return LocalField(&tm::tm_hour); }
int CTime::GetMinute() const { return LocalField(&tm::tm_min); }
int CTime::GetSecond() const { return LocalField(&tm::tm_sec); }
int CTime::GetDayOfWeek() const { return LocalField(&tm::tm_wday) + 1; }

CString CTime::Format(LPCSTR pszFormat) const
{
    struct tm ttm;
    return FormatTm(pszFormat, GetLocalTm(&ttm));
}

CString CTime::FormatGmt(LPCSTR pszFormat) const
{
    struct tm ttm;
    return FormatTm(pszFormat, GetGmtTm(&ttm));
}

CString CTimeSpan::Format(LPCSTR pszFormat) const
{
    if (pszFormat == NULL)
        AfxThrowInvalidArgException();
    CString result;
    for (LPCSTR p = pszFormat; *p != '\0'; ++p)
    {
        if (*p != '%' || p[1] == '\0')
        {
            result += *p;
            continue;
        }
        switch (*++p)
        {
        case 'D': result.AppendFormat("%I64d", GetDays()); break;
        case 'H': result.AppendFormat("%02ld", GetHours()); break;
        case 'M': result.AppendFormat("%02ld", GetMinutes()); break;
        case 'S': result.AppendFormat("%02ld", GetSeconds()); break;
        case '%': result += '%'; break;
        default: result += '%'; result += *p; break;
        }
    }
    return result;
}
