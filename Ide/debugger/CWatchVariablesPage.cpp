#include "CWatchVariablesPage.h"

#include "CProject.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CWatchVariablesPage, CVariablesPage)

CWatchVariablesPage::CWatchVariablesPage() : CVariablesPage(IDD_WATCHES_PAGE, m_wndList, IDC_WATCHES_LIST)
{
}

void CWatchVariablesPage::AddWatch(CProject& project, LPCTSTR pszExpression)
{
    if (!project.AddWatch(pszExpression))
        return;
    m_wndList.AddVariable(pszExpression, "", "", CTreeListItemInfo::NO_ITEM_ID, CTreeListItemInfo::NO_ITEM_ID);
}

void CWatchVariablesPage::Refill(const CProject& project)
{
    m_wndList.Clear();
    for (int i = 0; i < project.GetWatchCount(); i++)
        m_wndList.AddVariable(project.GetWatchAt(i), "", "", CTreeListItemInfo::NO_ITEM_ID,
                              CTreeListItemInfo::NO_ITEM_ID);
}
