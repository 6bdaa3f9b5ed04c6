// CPreferencesPage: what the Preferences pages share: no Help button, a "shown" flag
// that follows the page's last WM_SHOWWINDOW (so after the sheet closed it tells
// which page was on screen), and the data exchanges a page needs beyond the
// framework's.
#pragma once

#include <afxdlgs.h>

class CPreferencesPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CPreferencesPage)
public:
    explicit CPreferencesPage(UINT nIDTemplate);

    int m_nShown;

    // A drop-down list: the index is selected; with nothing selected the member keeps
    // its value, so a list never stores "no choice".
    static void DDX_CBIndexOrKeep(CDataExchange* pDX, int nIDC, int& nIndex);
    // A drop-down list of names: the entry equal to the value (case aside, as the list
    // compares) is selected, none when the list lacks it; with nothing selected the
    // member keeps its value.
    static void DDX_CBStringExactOrKeep(CDataExchange* pDX, int nIDC, CString& strValue);
    // Shows the validation message (information icon) and keeps the page.
    static void FailValidation(CDataExchange* pDX, LPCTSTR pszMessage);

protected:
    // Appends the texts, in order, to the page's drop-down list nIDC.
    template<size_t N>
    void AddComboStrings(int nIDC, const char* const (&items)[N])
    {
        for (const char* pszItem : items)
            SendDlgItemMessage(nIDC, CB_ADDSTRING, 0, (LPARAM)pszItem);
    }

    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};
