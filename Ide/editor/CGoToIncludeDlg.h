// CGoToIncludeDlg: the base of the Go To dialogs whose list is narrowed by an
// "Include:" combo of fixed choices (Function, Variable). Changing the choice fills
// the list again; after OK the choice made is in m_nInclude for the next time.
#pragma once

#include "CGoToOutlineDlg.h"

class CGoToIncludeDlg : public CGoToOutlineDlg
{
public:
    int m_nInclude;   // in: the last choice; after OK: the one made

protected:
    CGoToIncludeDlg(UINT nIDTemplate, UINT nIDCombo, UINT nIDInclude, const char* const* ppszChoices, int nChoices,
                    const COutline& outline, int nInclude, CWnd* pParent);

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnIncludeChanged();

    CExtComboBox m_comboInclude;

private:
    UINT m_nIDInclude;
    const char* const* m_ppszChoices;
    int m_nChoices;
};
