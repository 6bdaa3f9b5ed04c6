#include "CVariablesPage.h"

#include "CVariablesListCtrl.h"

IMPLEMENT_DYNAMIC(CVariablesPage, CExtResizablePropertyPage)

BEGIN_MESSAGE_MAP(CVariablesPage, CExtResizablePropertyPage)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CVariablesPage::CVariablesPage(UINT nIDTemplate, CVariablesListCtrl& list, UINT nListID)
    : CExtResizablePropertyPage(nIDTemplate), m_list(list), m_nListID(nListID)
{
}

void CVariablesPage::SetHost(IDebugPanesHost* pHost)
{
    m_list.SetHost(pHost);
}

int CVariablesPage::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CExtResizablePropertyPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    return m_list.CreateList(this, m_nListID) ? 0 : -1;
}

void CVariablesPage::OnSize(UINT nType, int cx, int cy)
{
    CExtResizablePropertyPage::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && m_list.m_hWnd != NULL)
        m_list.MoveWindow(0, 0, cx, cy);
}

void CVariablesPage::ClearVariables()
{
    m_list.Clear();
}

void CVariablesPage::AddVariable(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId)
{
    m_list.AddVariable(pszName, pszValue, pszType, nId, nParentId);
}

void CVariablesPage::EndUpdate()
{
    m_list.Refresh();
}
