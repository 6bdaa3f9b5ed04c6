// The system's common dialogs: open and save file, colour, print.
#include "afxpriv.h"
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

// The system disables the owner while a common dialog runs; the result is IDOK or
// IDCANCEL.
static INT_PTR DialogResult(BOOL bOK)
{
    return bOK ? IDOK : IDCANCEL;
}

// ---------------------------------------------------------------------------
// CFileDialog

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = '\0';
    m_szFileTitle[0] = '\0';
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _MAX_PATH;
    m_ofn.lpstrDefExt = lpszDefExt;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszFileName != NULL)
        lstrcpyn(m_szFileName, lpszFileName, _MAX_PATH);
    if (lpszFilter != NULL)
    {
        // "Text (*.txt)|*.txt|All|*.*||": the system wants NUL separators.
        m_strFilter = lpszFilter;
        // Multi-byte aware: a trail byte may look like '|'.
        LPTSTR pch = m_strFilter.GetBuffer(0);
        while (*pch != '\0')
        {
            LPTSTR pNext = ::CharNext(pch);
            if (*pch == '|')
                *pch = '\0';
            pch = pNext;
        }
        m_strFilter.ReleaseBuffer(m_strFilter.GetLength());
        m_ofn.lpstrFilter = m_strFilter;
    }
}

CFileDialog::~CFileDialog()
{
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = PreModal();
    m_ofn.lpstrFilter = m_strFilter.IsEmpty() ? NULL : (LPCTSTR)m_strFilter;
    INT_PTR nResult = DialogResult(m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn));
    PostModal();
    return nResult;
}

CString CFileDialog::GetPathName() const
{
    if (m_ofn.Flags & OFN_ALLOWMULTISELECT)
    {
        // One file selected in a multiple selection is a full path too.
        POSITION pos = GetStartPosition();
        return pos != NULL ? GetNextPathName(pos) : CString();
    }
    return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const
{
    if (m_ofn.lpstrFileTitle != NULL && !(m_ofn.Flags & OFN_ALLOWMULTISELECT))
    {
        // The title may lack the extension when the system hides extensions.
        CString strPath = m_ofn.lpstrFile;
        int nSlash = strPath.ReverseFind('\\');
        return strPath.Mid(nSlash + 1);
    }
    CString strPath = GetPathName();
    return strPath.Mid(strPath.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Left(nDot) : strName;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    // One file: the buffer holds its path. Several: the folder, then each name,
    // separated by NULs and ended by two.
    LPCTSTR lpsz = (LPCTSTR)pos;
    if (lpsz == NULL)
        return CString();
    if (lpsz == m_ofn.lpstrFile)
    {
        if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || m_ofn.lpstrFile[lstrlen(m_ofn.lpstrFile) + 1] == '\0')
        {
            pos = NULL;
            return m_ofn.lpstrFile;
        }
        lpsz += lstrlen(lpsz) + 1;  // past the folder
    }
    CString strPath = m_ofn.lpstrFile;
    if (strPath.IsEmpty() || strPath[strPath.GetLength() - 1] != '\\')
        strPath += '\\';
    CString strName = lpsz;
    lpsz += lstrlen(lpsz) + 1;
    pos = *lpsz != '\0' ? (POSITION)lpsz : NULL;
    return strPath + strName;
}

// ---------------------------------------------------------------------------
// CColorDialog

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    // The custom colours the user made stay for the rest of the run.
    static COLORREF s_clrSavedCustom[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255) };
    return s_clrSavedCustom;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    memset(&m_cc, 0, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    if ((m_cc.rgbResult = clrInit) != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = PreModal();
    INT_PTR nResult = DialogResult(::ChooseColor(&m_cc));
    PostModal();
    return nResult;
}

// ---------------------------------------------------------------------------
// CPrintDialog

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pd(m_pdActual)
{
    memset(&m_pdActual, 0, sizeof(m_pdActual));
    m_pd.lStructSize = sizeof(m_pdActual);
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDC != NULL)
        ::DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = PreModal();
    INT_PTR nResult = DialogResult(::PrintDlg(&m_pd));
    PostModal();
    return nResult;
}

BOOL CPrintDialog::GetDefaults()
{
    m_pd.Flags |= PD_RETURNDEFAULT;
    BOOL bResult = ::PrintDlg(&m_pd);
    m_pd.Flags &= ~PD_RETURNDEFAULT;
    return bResult;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES)
    {
        LPDEVMODE pDevMode = GetDevMode();
        int nCopies = pDevMode != NULL ? pDevMode->dmCopies : m_pd.nCopies;
        if (m_pd.hDevMode != NULL)
            ::GlobalUnlock(m_pd.hDevMode);
        return nCopies;
    }
    return m_pd.nCopies;
}

LPDEVMODE CPrintDialog::GetDevMode() const
{
    // Locked: the caller unlocks m_pd.hDevMode when done.
    return m_pd.hDevMode != NULL ? (LPDEVMODE)::GlobalLock(m_pd.hDevMode) : NULL;
}

// One of the names in the DEVNAMES block of the dialog.
static CString GetDevName(HGLOBAL hDevNames, int nField)
{
    if (hDevNames == NULL)
        return CString();
    LPDEVNAMES lpDev = (LPDEVNAMES)::GlobalLock(hDevNames);
    WORD wOffset = nField == 0 ? lpDev->wDriverOffset : nField == 1 ? lpDev->wDeviceOffset : lpDev->wOutputOffset;
    CString str = (LPCTSTR)lpDev + wOffset;
    ::GlobalUnlock(hDevNames);
    return str;
}

CString CPrintDialog::GetDriverName() const { return GetDevName(m_pd.hDevNames, 0); }
CString CPrintDialog::GetDeviceName() const { return GetDevName(m_pd.hDevNames, 1); }
CString CPrintDialog::GetPortName() const { return GetDevName(m_pd.hDevNames, 2); }

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDevNames == NULL)
        return NULL;
    LPDEVMODE lpDevMode = GetDevMode();
    if (m_pd.hDC != NULL)
        ::DeleteDC(m_pd.hDC);
    m_pd.hDC = ::CreateDC(GetDriverName(), GetDeviceName(), GetPortName(), lpDevMode);
    if (m_pd.hDevMode != NULL)
        ::GlobalUnlock(m_pd.hDevMode);
    return m_pd.hDC;
}
