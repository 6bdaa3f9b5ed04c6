#include "CPreferencesPage.h"

IMPLEMENT_DYNAMIC(CPreferencesPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CPreferencesPage, CPropertyPage)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CPreferencesPage::CPreferencesPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate), m_nShown(0)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

void CPreferencesPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CPropertyPage::OnShowWindow(bShow, nStatus);
    // The sheet's pages are hidden as they are destroyed after the sheet itself went
    // from the screen: that is not the user leaving the page.
    if (!bShow && !::IsWindowVisible(::GetParent(m_hWnd)))
        return;
    m_nShown = bShow;
}

void CPreferencesPage::DDX_CBIndexOrKeep(CDataExchange* pDX, int nIDC, int& nIndex)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)nIndex, 0);
        return;
    }
    const int nSelected = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    if (nSelected != CB_ERR)
        nIndex = nSelected;
}

void CPreferencesPage::DDX_CBStringExactOrKeep(CDataExchange* pDX, int nIDC, CString& strValue)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        const LRESULT nFound = ::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)strValue);
        ::SendMessage(hWndCtrl, CB_SETCURSEL, nFound != CB_ERR ? (WPARAM)nFound : (WPARAM)-1, 0);
        return;
    }
    const LRESULT nSelected = ::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    if (nSelected == CB_ERR)
        return;
    const int nLength = (int)::SendMessage(hWndCtrl, CB_GETLBTEXTLEN, (WPARAM)nSelected, 0);
    if (nLength == CB_ERR)
        return;
    CString strText;
    ::SendMessage(hWndCtrl, CB_GETLBTEXT, (WPARAM)nSelected, (LPARAM)strText.GetBufferSetLength(nLength));
    strText.ReleaseBuffer();
    strValue = strText;
}

void CPreferencesPage::FailValidation(CDataExchange* pDX, LPCTSTR pszMessage)
{
    AfxMessageBox(pszMessage, MB_OK | MB_ICONINFORMATION);
    pDX->Fail();
}
