// Common dialogs and property sheets.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include <commdlg.h>
#include <prsht.h>
#include <vector>

// Base of the system's common dialogs.
class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd) {}
protected:
    virtual void OnOK() {}
    virtual void OnCancel() {}
};

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: pairs of description and pattern separated by '|', ending in "||".
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                CWnd* pParentWnd = NULL);
    virtual ~CFileDialog();

    OPENFILENAME m_ofn;
    virtual INT_PTR DoModal();

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // Selected files of a multiple selection (OFN_ALLOWMULTISELECT).
    POSITION GetStartPosition() const { return (POSITION)m_ofn.lpstrFile; }
    CString GetNextPathName(POSITION& pos) const;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    TCHAR m_szFileTitle[_MAX_PATH];  // room for any name: a short buffer fails the dialog
    TCHAR m_szFileName[_MAX_PATH];
};

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);
    CHOOSECOLOR m_cc;
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    static COLORREF* PASCAL GetSavedCustomColors();
};

class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);
    virtual ~CPrintDialog();

    PRINTDLG& m_pd;
    virtual INT_PTR DoModal();
    BOOL GetDefaults();

    int GetCopies() const;
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
    LPDEVMODE GetDevMode() const;
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    HDC GetPrinterDC() const { return m_pd.hDC; }
    HDC CreatePrinterDC();

protected:
    PRINTDLG m_pdActual;
};

// ---------------------------------------------------------------------------
// Property pages and sheets

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    virtual ~CPropertyPage();
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    PROPSHEETPAGE m_psp;

    void CancelToClose();
    void SetModified(BOOL bChanged = TRUE);
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    virtual BOOL OnApply();
    virtual void OnReset();
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    CString m_strCaption;
    BOOL m_bFirstSetActive;

protected:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    CPropertySheet* GetSheet() const;
    void SetSheetResult(int nResult);
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
    friend class CPropertySheet;
    DECLARE_MESSAGE_MAP()
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();
    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    // A modeless sheet; with WS_CHILD in dwStyle it lives inside its parent window.
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    virtual INT_PTR DoModal();

    PROPSHEETHEADER m_psh;

    int GetPageCount() const { return (int)m_pages.size(); }
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    CPropertyPage* GetPage(int nPage) const { return m_pages[nPage]; }
    int GetPageIndex(CPropertyPage* pPage);
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    CTabCtrl* GetTabControl() const;
    void EnableStackedTabs(BOOL bStacked) { m_bStacked = bStacked; }
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    void SetFinishText(LPCTSTR lpszText) { ::SendMessage(m_hWnd, PSM_SETFINISHTEXT, 0, (LPARAM)lpszText); }
    void SetWizardButtons(DWORD dwFlags) { ::PostMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags); }
    BOOL IsWizard() const { return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0; }

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    void EndDialog(int nEndID);
    BOOL PressButton(int nButton) { return (BOOL)::SendMessage(m_hWnd, PSM_PRESSBUTTON, nButton, 0); }

    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL ContinueModal();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    CString m_strCaption;
    CWnd* m_pParentWnd;
    BOOL m_bStacked;
    BOOL m_bModeless;

protected:
    std::vector<CPropertyPage*> m_pages;
    DWORD m_dwCreateStyle;     // style and extended style of the sheet template
    DWORD m_dwCreateExStyle;

    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    // Fills m_psh with one PROPSHEETPAGE per page; the array lives in m_pageData.
    void BuildPropPageArray();
    BOOL CreateSheetWindow(CWnd* pParentWnd);
    std::vector<PROPSHEETPAGE> m_pageData;

    afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM);
    afx_msg void OnClose();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    friend class CPropertyPage;
    DECLARE_MESSAGE_MAP()
};
