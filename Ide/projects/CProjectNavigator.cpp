// CProject: the project files' outlines as Code Navigator items. Each group of nodes is
// the outline's own nodes picked by where they belong and sorted by name (then line):
// two nodes of one name both show, each as itself.
#include "CProject.h"

#include "ArrayUtil.h"
#include "COutlineFile.h"
#include "INavigatorItems.h"

namespace
{
COutlineNode* NodeAt(const CPtrArray& nodes, int nIndex)
{
    return static_cast<COutlineNode*>(nodes.GetAt(nIndex));
}

bool IsOwnedByFunction(const COutlineNode* pNode)
{
    return pNode->m_pOwner != NULL && pNode->m_pOwner->IsFunction();
}

// The nodes of the array that pass the test, sorted by name.
template <class Test> void PickSorted(const CPtrArray& nodes, CPtrArray& picked, Test test)
{
    picked.RemoveAll();
    for (int i = 0; i < (int)nodes.GetSize(); i++)
    {
        if (test(NodeAt(nodes, i)))
            picked.Add(nodes.GetAt(i));
    }
    COutlineNode::SortByName(picked);
}

// A function's owner records, split by whether they name a function, each list in the
// order of the named nodes' names.
void SortedAliases(const COutlineFunction* pFunction, CPtrArray& functionAliases, CPtrArray& otherAliases)
{
    CPtrArray functionTargets, otherTargets;
    for (int i = 0; i < pFunction->GetOwnerRecordCount(); i++)
    {
        COutlineNode* pTarget = static_cast<COutlineNode*>(pFunction->GetOwnerRecord(i)->m_pItem);
        if (pTarget != NULL)
            (pTarget->IsFunction() ? functionTargets : otherTargets).Add(pTarget);
    }
    COutlineNode::SortByName(functionTargets);
    COutlineNode::SortByName(otherTargets);
    // A function has one record per node, so each target leads back to its record.
    for (int i = 0; i < (int)functionTargets.GetSize(); i++)
        functionAliases.Add(pFunction->FindOwnerRecord(NodeAt(functionTargets, i)));
    for (int i = 0; i < (int)otherTargets.GetSize(); i++)
        otherAliases.Add(pFunction->FindOwnerRecord(NodeAt(otherTargets, i)));
}
} // namespace

void CProject::AddFileToNavigator(CProjectFileEntry* pEntry)
{
    IProjectHost& host = m_services.Host();
    HTREEITEM hItem = host.InsertNavigatorFileItem(pEntry);
    if (hItem != NULL)
        host.FillNavigatorFileItem(pEntry, hItem);
}

void CProject::AddFileOutlineToNavigator(CProjectFileEntry* pEntry, HTREEITEM hFileItem)
{
    const COutlineFile* pFile = pEntry->GetOutlineFile();
    m_navigatorLinks.BeginFill(pEntry, pFile);
    if (pFile != NULL && hFileItem != NULL && m_services.m_pNavigator != NULL)
    {
        AddNavigatorGlobals(pFile, hFileItem);
        AddNavigatorTables(pFile, hFileItem);
        AddNavigatorFunctions(pFile, hFileItem);
    }
    m_navigatorLinks.EndFill();
}

void CProject::AddNavigatorGlobals(const COutlineFile* pFile, HTREEITEM hFileItem)
{
    CPtrArray globals;
    PickSorted(pFile->GetVariables(), globals,
               [](const COutlineNode* p) { return p->m_pParentTable == NULL && !IsOwnedByFunction(p); });
    if (globals.GetSize() == 0)
        return;
    INavigatorItems& items = *m_services.m_pNavigator;
    HTREEITEM hGroup = items.InsertNavigatorGlobals(hFileItem);
    for (int i = 0; hGroup != NULL && i < (int)globals.GetSize(); i++)
        InsertNavigatorNode(&INavigatorItems::InsertNavigatorItemImage4, NodeAt(globals, i)->GetName(), hGroup,
                            NodeAt(globals, i));
}

void CProject::AddNavigatorTables(const COutlineFile* pFile, HTREEITEM hFileItem)
{
    CPtrArray tables;
    PickSorted(pFile->GetTables(), tables,
               [](const COutlineNode* p) { return p->m_pOwner == NULL || !p->m_pOwner->IsTable(); });
    for (int i = 0; i < (int)tables.GetSize(); i++)
    {
        COutlineTable* pTable = static_cast<COutlineTable*>(NodeAt(tables, i));
        HTREEITEM hItem =
            InsertNavigatorNode(&INavigatorItems::InsertNavigatorItemImage2, pTable->GetName(), hFileItem, pTable);
        if (pTable->GetBaseTable() != NULL)
            FillNavigatorBaseTable(pTable->GetBaseTable(), hItem);
        FillNavigatorTable(pTable, hItem);
    }
}

void CProject::AddNavigatorFunctions(const COutlineFile* pFile, HTREEITEM hFileItem)
{
    CPtrArray functions;
    PickSorted(pFile->GetFunctions(), functions,
               [](const COutlineNode* p) { return p->m_pParentTable == NULL && !IsOwnedByFunction(p); });
    for (int i = 0; i < (int)functions.GetSize(); i++)
    {
        COutlineFunction* pFunction = static_cast<COutlineFunction*>(NodeAt(functions, i));
        FillNavigatorFunction(pFunction, InsertNavigatorNode(&INavigatorItems::InsertNavigatorItemImage3,
                                                             pFunction->GetSignature(), hFileItem, pFunction));
    }
}

void CProject::FillNavigatorTable(COutlineTable* pTable, HTREEITEM hItem)
{
    if (hItem == NULL)
        return;
    CPtrArray nodes;
    PickSorted(pTable->m_children, nodes, [](const COutlineNode* p) { return p->IsTable(); });
    for (int i = 0; i < (int)nodes.GetSize(); i++)
    {
        COutlineTable* pNested = static_cast<COutlineTable*>(NodeAt(nodes, i));
        FillNavigatorTable(pNested, InsertNavigatorNode(&INavigatorItems::InsertNavigatorItemImage2, pNested->GetName(),
                                                        hItem, pNested));
    }
    PickSorted(pTable->m_memberFunctions, nodes, [](const COutlineNode*) { return true; });
    for (int i = 0; i < (int)nodes.GetSize(); i++)
    {
        COutlineFunction* pFunction = static_cast<COutlineFunction*>(NodeAt(nodes, i));
        FillNavigatorFunction(pFunction, InsertNavigatorNode(&INavigatorItems::InsertNavigatorItemImage3,
                                                             pFunction->GetSignature(), hItem, pFunction));
    }
    PickSorted(pTable->m_fields, nodes, [](const COutlineNode*) { return true; });
    for (int i = 0; i < (int)nodes.GetSize(); i++)
        InsertNavigatorNode(&INavigatorItems::InsertNavigatorItemImage4, NodeAt(nodes, i)->GetName(), hItem,
                            NodeAt(nodes, i));
}

void CProject::FillNavigatorBaseTable(COutlineTable* pBase, HTREEITEM hItem)
{
    if (hItem == NULL)
        return;
    HTREEITEM hBaseItem =
        InsertNavigatorNode(&INavigatorItems::InsertNavigatorItemImage5, pBase->GetName(), hItem, pBase);
    if (pBase->GetBaseTable() != NULL)
        FillNavigatorBaseTable(pBase->GetBaseTable(), hBaseItem);
    FillNavigatorTable(pBase, hBaseItem);
}

void CProject::FillNavigatorFunction(COutlineFunction* pFunction, HTREEITEM hItem)
{
    // An item that was not made has no children: a NULL parent would be the root.
    if (hItem == NULL)
        return;
    INavigatorItems& items = *m_services.m_pNavigator;
    CPtrArray functionAliases, otherAliases;
    SortedAliases(pFunction, functionAliases, otherAliases);
    if (functionAliases.GetSize() > 0 || otherAliases.GetSize() > 0)
    {
        HTREEITEM hGroup = items.InsertNavigatorAliases(hItem);
        for (int i = 0; hGroup != NULL && i < (int)functionAliases.GetSize(); i++)
        {
            CPtrArrayHolder* pAlias = static_cast<CPtrArrayHolder*>(functionAliases.GetAt(i));
            const COutlineFunction* pTarget = static_cast<const COutlineFunction*>(pAlias->m_pItem);
            m_navigatorLinks.NoteShown(pTarget->m_pFile);
            items.InsertNavigatorItemImage9(pTarget->GetQualifiedSignature(), hGroup, pAlias);
        }
        for (int i = 0; hGroup != NULL && i < (int)otherAliases.GetSize(); i++)
        {
            CPtrArrayHolder* pAlias = static_cast<CPtrArrayHolder*>(otherAliases.GetAt(i));
            const COutlineNode* pTarget = static_cast<const COutlineNode*>(pAlias->m_pItem);
            m_navigatorLinks.NoteShown(pTarget->m_pFile);
            items.InsertNavigatorItemImage10(pTarget->GetQualifiedName(), hGroup, pAlias);
        }
    }

    CPtrArray nodes;
    PickSorted(pFunction->m_children, nodes, [](const COutlineNode* p) { return p->IsVariable() && p->IsLocal(); });
    if (nodes.GetSize() > 0)
    {
        HTREEITEM hGroup = items.InsertNavigatorLocals(hItem, pFunction);
        for (int i = 0; hGroup != NULL && i < (int)nodes.GetSize(); i++)
            InsertNavigatorNode(&INavigatorItems::InsertNavigatorItemImage4, NodeAt(nodes, i)->GetName(), hGroup,
                                NodeAt(nodes, i));
    }

    PickSorted(pFunction->m_children, nodes, [](const COutlineNode* p) { return p->IsFunction(); });
    for (int i = 0; i < (int)nodes.GetSize(); i++)
    {
        COutlineFunction* pNested = static_cast<COutlineFunction*>(NodeAt(nodes, i));
        FillNavigatorFunction(pNested, InsertNavigatorNode(&INavigatorItems::InsertNavigatorItemImage3,
                                                           pNested->GetSignature(), hItem, pNested));
    }
}

HTREEITEM CProject::InsertNavigatorNode(NavigatorInserter insert, LPCTSTR pszText, HTREEITEM hParent,
                                        COutlineNode* pNode)
{
    m_navigatorLinks.NoteShown(pNode->m_pFile);
    return (m_services.m_pNavigator->*insert)(pszText, hParent, pNode);
}

std::vector<CProjectFileEntry*> CProject::GetNavigatorEntriesShowing(const COutlineFile* pFile) const
{
    return m_navigatorLinks.EntriesShowing(pFile);
}
