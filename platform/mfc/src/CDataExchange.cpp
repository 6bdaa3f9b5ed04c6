// Dialog data exchange: members <-> controls, validation, and the DLGINIT data of
// dialog templates.
#include "afxpriv.h"
#include <errno.h>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

LPCSTR CUserException::GetDefaultMessage() const
{
    return "The operation was stopped.";
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

// ---------------------------------------------------------------------------
// UpdateData

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);

    // Notifications the controls send while we set them are not commands of the user.
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = m_hWnd;

    BOOL bOK = FALSE;
    try
    {
        DoDataExchange(&dx);
        bOK = TRUE;
    }
    catch (CUserException* e)
    {
        // A validation failed: its message was shown and the focus put back.
        e->Delete();
    }
    catch (CException* e)
    {
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
        e->Delete();
    }
    pState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE), m_idLastControl(0)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
    {
        TRACE("Dialog control %d does not exist\n", nIDC);
        AfxThrowNotSupportedException();
    }
    m_hWndLastControl = hWndCtrl;
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
    {
        // Filling controls cannot fail for the user's reasons; stop quietly.
        AfxThrowUserException();
    }
    if (m_hWndLastControl != NULL)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

// Shows a validation message (information icon) and fails the exchange.
static void FailWithMessage(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpsz1 = NULL, LPCTSTR lpsz2 = NULL)
{
    CString strPrompt;
    LPCTSTR rglpsz[2] = { lpsz1, lpsz2 };
    AfxFormatStrings(strPrompt, nIDPrompt, rglpsz, 2);
    AfxMessageBox(strPrompt, MB_ICONINFORMATION, nIDPrompt);
    pDX->Fail();
}

// ---------------------------------------------------------------------------
// DDX

static CString GetControlText(HWND hWndCtrl)
{
    CString str;
    int nLen = ::GetWindowTextLength(hWndCtrl);
    ::GetWindowText(hWndCtrl, str.GetBufferSetLength(nLen), nLen + 1);
    str.ReleaseBuffer();
    return str;
}

// Parses a whole number, spaces around allowed; FALSE for anything else.
static BOOL ParseLong(LPCTSTR lpsz, BOOL bSigned, long& lResult, unsigned long& ulResult)
{
    while (*lpsz == ' ' || *lpsz == '\t')
        ++lpsz;
    if (*lpsz == '\0')
        return FALSE;
    if (!bSigned && *lpsz == '-')
        return FALSE;
    char* pEnd = NULL;
    errno = 0;
    if (bSigned)
        lResult = strtol(lpsz, &pEnd, 10);
    else
        ulResult = strtoul(lpsz, &pEnd, 10);
    if (pEnd == lpsz || errno == ERANGE)
        return FALSE;
    while (*pEnd == ' ' || *pEnd == '\t')
        ++pEnd;
    return *pEnd == '\0';
}

// Whole numbers both ways; a text that is no number (or a negative one where only
// positive ones fit) fails with its message.
template<class T>
static void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value)
{
    const bool bSigned = (T)-1 < (T)0;
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        long l = 0;
        unsigned long ul = 0;
        if (!ParseLong(GetControlText(hWndCtrl), bSigned, l, ul))
            FailWithMessage(pDX, bSigned ? AFX_IDP_PARSE_INT : AFX_IDP_PARSE_UINT);
        value = bSigned ? (T)l : (T)ul;
    }
    else
    {
        TCHAR szT[32];
        if (bSigned)
            wsprintf(szT, _T("%ld"), (long)value);
        else
            wsprintf(szT, _T("%lu"), (unsigned long)value);
        AfxSetWindowText(hWndCtrl, szT);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeNumber(pDX, nIDC, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeNumber(pDX, nIDC, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = GetControlText(hWndCtrl);
    else
        AfxSetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    else
    {
        if (value < 0 || value > 2)
            value = 0;  // not a check state
        ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // nIDC is the first button of a group; the value is the index of the checked
    // one in tab order, -1 for none.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do
    {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            }
            else
                ::SendMessage(hWndCtrl, BM_SETCHECK, (iButton == value), 0);
            iButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

// Text of the selected item of a list or combo box (the edit text of a combo box
// with an edit field).
static CString GetSelectedItemText(HWND hWndCtrl, UINT nGetCurSel, UINT nGetTextLen, UINT nGetText)
{
    CString value;
    int nIndex = (int)::SendMessage(hWndCtrl, nGetCurSel, 0, 0);
    if (nIndex == -1)
        return value;
    int nLen = (int)::SendMessage(hWndCtrl, nGetTextLen, nIndex, 0);
    if (nLen > 0)
    {
        ::SendMessage(hWndCtrl, nGetText, nIndex, (LPARAM)value.GetBufferSetLength(nLen));
        value.ReleaseBuffer();
    }
    return value;
}

static void ExchangeComboString(CDataExchange* pDX, int nIDC, CString& value, UINT nFindMsg)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    BOOL bHasEdit = (::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x0F) != CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate)
    {
        if (bHasEdit)
            value = GetControlText(hWndCtrl);
        else
            value = GetSelectedItemText(hWndCtrl, CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT);
        return;
    }
    int nIndex = (int)::SendMessage(hWndCtrl, nFindMsg, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    if (nIndex != CB_ERR)
        ::SendMessage(hWndCtrl, CB_SETCURSEL, nIndex, 0);
    else if (bHasEdit)
    {
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)-1, 0);
        AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeComboString(pDX, nIDC, value, CB_FINDSTRING);
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeComboString(pDX, nIDC, value, CB_FINDSTRINGEXACT);
}

static void ExchangeListString(CDataExchange* pDX, int nIDC, CString& value, UINT nFindMsg)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = GetSelectedItemText(hWndCtrl, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT);
        return;
    }
    int nIndex = (int)::SendMessage(hWndCtrl, nFindMsg, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    ::SendMessage(hWndCtrl, LB_SETCURSEL, nIndex != LB_ERR ? nIndex : -1, 0);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeListString(pDX, nIDC, value, LB_FINDSTRING);
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeListString(pDX, nIDC, value, LB_FINDSTRINGEXACT);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    // The first exchange subclasses the control; later ones find it attached.
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

// ---------------------------------------------------------------------------
// DDV

// A value outside its range fails with "between %1 and %2".
template<class T>
static void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, LPCTSTR lpszFormat)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    TCHAR szMin[32];
    TCHAR szMax[32];
    wsprintf(szMin, lpszFormat, minVal);
    wsprintf(szMax, lpszFormat, maxVal);
    FailWithMessage(pDX, AFX_IDP_PARSE_INT_RANGE, szMin, szMax);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckRange<long>(pDX, value, minVal, maxVal, _T("%ld"));
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckRange<long>(pDX, value, minVal, maxVal, _T("%ld"));
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckRange<UINT>(pDX, value, minVal, maxVal, _T("%u"));
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate)
    {
        // Limit the edit control itself when filling it.
        if (pDX->m_hWndLastControl != NULL)
        {
            if (AfxIsWindowClass(pDX->m_hWndLastControl, _T("ComboBox")))
                ::SendMessage(pDX->m_hWndLastControl, CB_LIMITTEXT, nChars, 0);
            else
                ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
        }
        return;
    }
    if (value.GetLength() > nChars)
    {
        TCHAR szT[32];
        wsprintf(szT, _T("%d"), nChars);
        FailWithMessage(pDX, AFX_IDP_PARSE_STRING_SIZE, szT);
    }
}

// ---------------------------------------------------------------------------
// DLGINIT: records of control id, message, length and data, ended by a zero id.
// The messages are the 16-bit list and combo box "add string" values.

#define WIN16_LB_ADDSTRING  0x0401
#define WIN16_CB_ADDSTRING  0x0403
// The resource compiler writes this one for the strings of an extended combo box.
#define AFX_CB_ADDSTRING    0x1234

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hDlgInit = ::FindResource(hInst, lpszResourceName, MAKEINTRESOURCE(240));
    if (hDlgInit == NULL && hInst != AfxGetInstanceHandle())
    {
        hInst = AfxGetInstanceHandle();
        hDlgInit = ::FindResource(hInst, lpszResourceName, MAKEINTRESOURCE(240));
    }
    if (hDlgInit == NULL)
        return TRUE;  // nothing to initialise
    HGLOBAL hResource = ::LoadResource(hInst, hDlgInit);
    if (hResource == NULL)
        return FALSE;
    return ExecuteDlgInitData(::LockResource(hResource));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    return ExecuteDlgInitData(lpResource);
}

BOOL CWnd::ExecuteDlgInitData(LPVOID lpResource)
{
    if (lpResource == NULL)
        return TRUE;
    const BYTE* p = (const BYTE*)lpResource;
    for (;;)
    {
        WORD nIDC = *(const WORD*)p;
        if (nIDC == 0)
            break;
        WORD nMsg = *(const WORD*)(p + 2);
        DWORD dwLen = *(const DWORD*)(p + 4);
        const char* pData = (const char*)(p + 8);
        UINT nAddMsg = 0;
        if (nMsg == WIN16_LB_ADDSTRING || nMsg == LB_ADDSTRING)
            nAddMsg = LB_ADDSTRING;
        else if (nMsg == WIN16_CB_ADDSTRING || nMsg == CB_ADDSTRING || nMsg == AFX_CB_ADDSTRING)
            nAddMsg = CB_ADDSTRING;
        if (nAddMsg != 0 && dwLen > 0)
        {
            // The string may lack its terminator at the end of the record.
            CString strItem(pData, (int)strnlen(pData, dwLen));
            if (::SendDlgItemMessage(m_hWnd, nIDC, nAddMsg, 0, (LPARAM)(LPCTSTR)strItem) < 0)
                return FALSE;
        }
        p += 8 + dwLen;
    }
    return TRUE;
}
