// CVariablesPage: a page of the Variables bar that its variables list fills.
#pragma once

#include "CExtResizablePropertyPage.h"

class CVariablesListCtrl;
class IDebugPanesHost;

class CVariablesPage : public CExtResizablePropertyPage
{
    DECLARE_DYNAMIC(CVariablesPage)
public:
    CVariablesPage(UINT nIDTemplate, CVariablesListCtrl& list, UINT nListID);

    void SetHost(IDebugPanesHost* pHost);
    CVariablesListCtrl& GetList() { return m_list; }

    void ClearVariables();
    void AddVariable(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    // The list sorted and drawn after its last row.
    void EndUpdate();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CVariablesListCtrl& m_list;
    UINT m_nListID;
};
