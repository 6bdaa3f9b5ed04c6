// CMainFrame: the Code Navigator's file items: filled by the project when first needed,
// filled again when outlines change, removed with their files, and the editor's
// synchronizing.
#include "CMainFrame.h"

void CMainFrame::FillNavigatorFileItem(CProjectFileEntry* pEntry, HTREEITEM hItem)
{
    // Every call of the tree costs in proportion to all its items: a file's outline goes
    // in when the user opens its item (or a node of it is looked up), not at load.
    // Until then the item shows no other file's nodes (a fill into no item notes none).
    m_project.AddFileOutlineToNavigator(pEntry, NULL);
    m_pageCodeNavigator.NoteUnfilledFileItem(hItem);
}

void CMainFrame::RefillNavigatorFileItem(CProjectFileEntry* pEntry)
{
    HTREEITEM hItem = m_pageCodeNavigator.FindFileItem(pEntry);
    // An item never filled shows no node yet: it is filled from the outline as it is then.
    if (hItem == NULL || !m_pageCodeNavigator.IsFileItemFilled(hItem))
        return;
    CTreeCtrl& tree = GetNavigatorTree();
    tree.SetRedraw(FALSE);
    // The item goes with its children in one call and comes back in its place: a tree
    // control checks every item handle it is given, so one call per child would cost
    // as much again as the fill.
    const BOOL bExpanded = (tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    const BOOL bSelected = tree.GetSelectedItem() == hItem;
    CCodeNavigatorPage::CExpandedSet expanded;
    m_pageCodeNavigator.CollectExpandedItems(hItem, expanded);
    tree.DeleteItem(hItem);
    hItem = InsertNavigatorFileItem(pEntry);
    if (hItem != NULL)
    {
        m_project.AddFileOutlineToNavigator(pEntry, hItem);
        m_pageCodeNavigator.UpdateFileItemButton(hItem);
        if (bExpanded)
            tree.Expand(hItem, TVE_EXPAND);
        m_pageCodeNavigator.ExpandAgain(hItem, expanded);
        if (bSelected)
            tree.SelectItem(hItem);
    }
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
