// CFindDialogBase: what the Find, Replace and Find In Files dialogs share: a modeless
// dialog on its owner that deletes itself after its window goes, the "Find what:"
// combo filled from the find history, and the option check boxes, each stored in its
// setting as soon as it is clicked.
#pragma once

#include "CExtButton.h"
#include "CExtBtnOnFlat.h"
#include "CExtComboBox.h"
#include "CExtResizableDialog.h"
#include "IFindDialogHost.h"

class CAppSettings;

class CFindDialogBase : public CExtResizableDialog
{
public:
    CFindDialogBase(UINT nIDTemplate, CAppSettings& settings, IFindDialogHost& host, CWnd* pParent);

    // Creates the window (hidden until the caller shows it); FALSE when that failed,
    // and the object is then still the caller's to delete.
    BOOL Create();

    // Fills a history combo with the non-empty entries and selects the current text
    // (matched with case); a missing current text is put at the top when asked.
    static void FillHistoryCombo(CComboBox& combo, const CString* pEntries, int nCount, const CString& strCurrent,
                                 BOOL bInsertMissing);
    // The combo's entry that equals the text with case, or -1.
    static int FindExactEntry(CComboBox& combo, const CString& strText);

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void PostNcDestroy();
    virtual void DoDataExchange(CDataExchange* pDX);

    // The "Find what:" text becomes the find text when it differs, and joins the
    // history. The combo's list shows it from then on.
    void TakeFindText();
    // The same for a "Replace with:" combo.
    void TakeReplaceText(CComboBox& combo);
    static void TakeComboText(CComboBox& combo, CString& strSetting, CString* pHistory);
    // Check boxes and settings, both ways; the options the dialog does not show are
    // left alone.
    void ShowOptions();
    void StoreOptions();
    int* OptionSetting(UINT nID);
    // Close and Escape: the texts and options are kept, the owner forgets the dialog
    // and the window goes.
    virtual void StoreOnClose();
    virtual void ForgetDialog() = 0;
    void CloseDialog();
    virtual void AnchorControls();

    afx_msg void OnOptionClicked(UINT nID);
    afx_msg void OnFindSelChange();
    DECLARE_MESSAGE_MAP()

    CAppSettings& m_settings;
    IFindDialogHost& m_host;
    CWnd* m_pParent;
    UINT m_nTemplate;
    BOOL m_bSortedCombos;
    CExtComboBox m_comboFind;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
    CExtBtnOnFlat m_checks[7];
};
