// CMainFrame: the Code Navigator's file items: filled by the project, filled again
// when outlines change, removed with their files, and the editor's synchronizing.
#include "CMainFrame.h"

void CMainFrame::FillNavigatorFileItem(CProjectFileEntry* pEntry, HTREEITEM hItem)
{
    m_project.AddFileOutlineToNavigator(pEntry, hItem);
}

void CMainFrame::RefillNavigatorFileItem(CProjectFileEntry* pEntry)
{
    HTREEITEM hItem = m_pageCodeNavigator.FindFileItem(pEntry);
    if (hItem == NULL)
        return;
    CTreeCtrl& tree = GetNavigatorTree();
    tree.SetRedraw(FALSE);
    CCodeNavigatorPage::CExpandedSet expanded;
    m_pageCodeNavigator.DeleteChildItems(hItem, expanded);
    m_project.AddFileOutlineToNavigator(pEntry, hItem);
    m_pageCodeNavigator.ExpandAgain(hItem, expanded);
    tree.SetRedraw(TRUE);
    tree.Invalidate();
}

void CMainFrame::RefreshNavigatorFile(CProjectFileEntry* pEntry)
{
    if (pEntry == NULL)
        return;
    // Items of other files may show nodes of this one (bases, members): the nodes the
    // re-parse removed must leave them too.
    const std::vector<CProjectFileEntry*> showing = m_project.GetNavigatorEntriesShowing(pEntry->GetOutlineFile());
    RefillNavigatorFileItem(pEntry);
    for (CProjectFileEntry* pShowing : showing)
        RefillNavigatorFileItem(pShowing);
}

void CMainFrame::DeleteNavigatorFileItem(CProjectFileEntry* pEntry)
{
    if (HTREEITEM hItem = m_pageCodeNavigator.FindFileItem(pEntry))
        GetNavigatorTree().DeleteItem(hItem);
}

void CMainFrame::SynchronizeNavigator(CProjectFileEntry* pEntry, const COutlineNode* pNode)
{
    ShowCodeNavigatorPage();
    m_pageCodeNavigator.SelectOutlineNode(pEntry, pNode);
}
