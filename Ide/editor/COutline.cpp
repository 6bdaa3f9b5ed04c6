#include "COutline.h"

COutline::COutline()
{
}

COutline::~COutline()
{
    RemoveAll();
}

// ---------------------------------------------------------------------------------------
// Lookups

std::string COutline::FileKey(LPCTSTR pszName)
{
    CString strKey(pszName);
    strKey.MakeLower();
    return std::string(strKey);
}

COutlineFile* COutline::FindFile(LPCTSTR pszName) const
{
    if (pszName == NULL)
        return NULL;
    auto found = m_fileIndex.find(FileKey(pszName));
    return found != m_fileIndex.end() ? found->second : NULL;
}

// One lookup of COutlineFile, over the given file or every file in order.
template <class Lookup>
static auto FindInFiles(const COutline& outline, COutlineFile* pFile, Lookup lookup) -> decltype(lookup(pFile))
{
    if (pFile != NULL)
        return lookup(pFile);
    for (int i = 0; i < outline.GetFileCount(); i++)
    {
        if (auto pFound = lookup(outline.GetFile(i)))
            return pFound;
    }
    return NULL;
}

COutlineTable* COutline::FindTable(LPCTSTR pszName, COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindTable(pszName); });
}

COutlineTable* COutline::FindTableInScope(LPCTSTR pszName, COutlineNode* pOwner, COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindTableInScope(pszName, pOwner); });
}

COutlineFunction* COutline::FindFunction(LPCTSTR pszName, COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindFunction(pszName); });
}

COutlineFunction* COutline::FindFunctionInScope(LPCTSTR pszName, COutlineNode* pOwner, COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindFunctionInScope(pszName, pOwner); });
}

COutlineFunction* COutline::FindMemberFunction(LPCTSTR pszName, COutlineTable* pTable, COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindMemberFunction(pszName, pTable); });
}

COutlineFunction* COutline::FindMemberFunctionInScope(LPCTSTR pszName, COutlineTable* pTable, COutlineNode* pOwner,
                                                      COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindMemberFunctionInScope(pszName, pTable, pOwner); });
}

COutlineVariable* COutline::FindVariable(LPCTSTR pszName, COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindVariable(pszName); });
}

COutlineVariable* COutline::FindVariableInScope(LPCTSTR pszName, COutlineNode* pOwner, COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindVariableInScope(pszName, pOwner); });
}

COutlineVariable* COutline::FindMemberVariable(LPCTSTR pszName, COutlineTable* pTable, COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindMemberVariable(pszName, pTable); });
}

COutlineVariable* COutline::FindMemberVariableInScope(LPCTSTR pszName, COutlineTable* pTable, COutlineNode* pOwner,
                                                      COutlineFile* pFile) const
{
    return FindInFiles(*this, pFile, [&](COutlineFile* f) { return f->FindMemberVariableInScope(pszName, pTable, pOwner); });
}


COutlineFunction* COutline::FindMethod(LPCTSTR pszName, COutlineTable* pTable) const
{
    if (pTable == NULL)
        return FindFunction(pszName, NULL);
    // Base chains are kept free of cycles; the walk is bounded all the same.
    int nSteps = 0;
    for (COutlineTable* pWalk = pTable; pWalk != NULL && nSteps <= COutlineTable::MAX_BASE_CHAIN;
         pWalk = pWalk->GetBaseTable(), nSteps++)
    {
        if (COutlineFunction* pFunction = FindMemberFunction(pszName, pWalk, NULL))
            return pFunction;
    }
    return NULL;
}

// ---------------------------------------------------------------------------------------
// Adding (stale nodes are no duplicates: while a re-parse runs they stand for text that
// may be gone, and its sweep removes them)

static bool IsEmptyName(LPCTSTR pszName)
{
    return pszName == NULL || *pszName == 0;
}

COutlineFile* COutline::AddFile(LPCTSTR pszName)
{
    if (IsEmptyName(pszName) || FindFile(pszName) != NULL)
        return NULL;
    COutlineFile* pFile = new COutlineFile(pszName);
    m_files.Add(pFile);
    m_fileIndex[FileKey(pszName)] = pFile;
    return pFile;
}

COutlineTable* COutline::AddTable(LPCTSTR pszName, COutlineNode* pOwner, COutlineFile* pFile)
{
    if (pFile == NULL || IsEmptyName(pszName) || pFile->HasDuplicate(OUTLINE_TABLE, pszName, pOwner, NULL))
        return NULL;
    COutlineTable* pTable = new COutlineTable(pszName);
    pFile->AddNode(pTable);
    if (pOwner != NULL)
        pOwner->AddChild(pTable);
    return pTable;
}

COutlineFunction* COutline::AddFunction(LPCTSTR pszName, int nLocal, COutlineNode* pOwner, COutlineFile* pFile)
{
    if (pFile == NULL || IsEmptyName(pszName) || pFile->HasDuplicate(OUTLINE_FUNCTION, pszName, pOwner, NULL))
        return NULL;
    COutlineFunction* pFunction = new COutlineFunction(pszName);
    pFunction->m_nFlag = nLocal ? 1 : 0;
    pFile->AddNode(pFunction);
    if (pOwner != NULL)
        pOwner->AddChild(pFunction);
    return pFunction;
}

COutlineFunction* COutline::AddMemberFunction(LPCTSTR pszName, COutlineTable* pTable, int nMethod, int nLocal,
                                              COutlineNode* pOwner, COutlineFile* pFile)
{
    if (pFile == NULL || pTable == NULL || IsEmptyName(pszName) ||
        pFile->HasDuplicate(OUTLINE_FUNCTION, pszName, pOwner, pTable))
        return NULL;
    COutlineFunction* pFunction = new COutlineFunction(pszName);
    pFunction->m_nFlag = nLocal ? 1 : 0;
    pFunction->m_nMethod = nMethod ? 1 : 0;
    pFile->AddNode(pFunction);
    pTable->AddMemberFunction(pFunction);
    if (pOwner != NULL)
        pOwner->AddScopedMember(pFunction);
    return pFunction;
}

COutlineVariable* COutline::AddVariable(LPCTSTR pszName, COutlineNode* pOwner, int nLocal, COutlineFile* pFile)
{
    if (pFile == NULL || IsEmptyName(pszName) || pFile->HasDuplicate(OUTLINE_VARIABLE, pszName, pOwner, NULL))
        return NULL;
    COutlineVariable* pVariable = new COutlineVariable(pszName);
    pVariable->m_nFlag = nLocal ? 1 : 0;
    pFile->AddNode(pVariable);
    if (pOwner != NULL)
        pOwner->AddChild(pVariable);
    return pVariable;
}

COutlineVariable* COutline::AddMemberVariable(LPCTSTR pszName, COutlineTable* pTable, COutlineNode* pOwner,
                                              COutlineFile* pFile)
{
    if (pFile == NULL || pTable == NULL || IsEmptyName(pszName) ||
        pFile->HasDuplicate(OUTLINE_VARIABLE, pszName, pOwner, pTable))
        return NULL;
    COutlineVariable* pVariable = new COutlineVariable(pszName);
    pFile->AddNode(pVariable);
    pTable->AddField(pVariable);
    if (pOwner != NULL)
        pOwner->AddScopedMember(pVariable);
    return pVariable;
}

// ---------------------------------------------------------------------------------------
// Counts

int COutline::GetTableCount() const
{
    int nCount = 0;
    for (int i = 0; i < GetFileCount(); i++)
        nCount += GetFile(i)->GetTableCount();
    return nCount;
}

int COutline::GetFunctionCount() const
{
    int nCount = 0;
    for (int i = 0; i < GetFileCount(); i++)
        nCount += GetFile(i)->GetFunctionCount();
    return nCount;
}

int COutline::GetVariableCount() const
{
    int nCount = 0;
    for (int i = 0; i < GetFileCount(); i++)
        nCount += GetFile(i)->GetVariableCount();
    return nCount;
}

// ---------------------------------------------------------------------------------------
// Removing

BOOL COutline::RemoveTable(COutlineTable* pTable, COutlineFile* pFile)
{
    return RemoveNode(pTable, OUTLINE_TABLE, pFile);
}

BOOL COutline::RemoveFunction(COutlineFunction* pFunction, COutlineFile* pFile)
{
    return RemoveNode(pFunction, OUTLINE_FUNCTION, pFile);
}

BOOL COutline::RemoveVariable(COutlineVariable* pVariable, COutlineFile* pFile)
{
    return RemoveNode(pVariable, OUTLINE_VARIABLE, pFile);
}

BOOL COutline::RemoveNode(COutlineNode* pNode, int nKind, COutlineFile* pFile)
{
    if (pNode == NULL || pNode->m_nKind != nKind)
        return FALSE;
    if (pFile == NULL || !pFile->HoldsNode(pNode))
    {
        pFile = NULL;
        for (int i = 0; i < GetFileCount() && pFile == NULL; i++)
        {
            if (GetFile(i)->HoldsNode(pNode))
                pFile = GetFile(i);
        }
        if (pFile == NULL)
            return FALSE; // not a node of this outline
    }
    pFile->RemoveNode(pNode);
    UnlinkNode(pNode);
    DeleteNode(pNode);
    return TRUE;
}

// The node leaves its owner's arrays and owner records.
void COutline::LeaveOwner(COutlineNode* pNode)
{
    COutlineNode* pOwner = pNode->m_pOwner;
    if (pOwner == NULL)
        return;
    pOwner->RemoveChild(pNode);
    pOwner->RemoveScopedMember(pNode);
    if (pOwner->IsFunction())
        static_cast<COutlineFunction*>(pOwner)->RemoveOwnerRecord(pNode);
    pNode->m_pOwner = NULL;
}

void COutline::LeaveParentTable(COutlineNode* pNode)
{
    COutlineTable* pParent = pNode->m_pParentTable;
    if (pParent == NULL)
        return;
    if (pNode->IsFunction())
        pParent->RemoveMemberFunction(static_cast<COutlineFunction*>(pNode));
    else if (pNode->IsVariable())
        pParent->RemoveField(static_cast<COutlineVariable*>(pNode));
    pNode->m_pParentTable = NULL;
}

// Clears every link between the node and the nodes that stay.
void COutline::UnlinkNode(COutlineNode* pNode)
{
    LeaveOwner(pNode);
    LeaveParentTable(pNode);

    pNode->RemoveAllChildren();
    pNode->RemoveAllScopedMembers();

    if (pNode->IsTable())
    {
        COutlineTable* pTable = static_cast<COutlineTable*>(pNode);
        pTable->ReleaseMembers();
        DropReferencesToTable(pTable);
    }
}

// Tables that derive from the table, and functions that return it, of every file.
void COutline::DropReferencesToTable(COutlineTable* pTable)
{
    for (int i = 0; i < GetFileCount(); i++)
    {
        COutlineFile* pFile = GetFile(i);
        for (int j = 0; j < pFile->GetTableCount(); j++)
        {
            if (pFile->GetTable(j)->GetBaseTable() == pTable)
                pFile->GetTable(j)->SetBaseTable(NULL);
        }
        for (int j = 0; j < pFile->GetFunctionCount(); j++)
        {
            if (pFile->GetFunction(j)->m_pResultTable == pTable)
                pFile->GetFunction(j)->m_pResultTable = NULL;
        }
    }
    pTable->SetBaseTable(NULL);
}

void COutline::DeleteNode(COutlineNode* pNode)
{
    pNode->Clear();
    delete pNode;
}

void COutline::DeleteNodes(const CPtrArray& nodes)
{
    for (int i = 0; i < (int)nodes.GetSize(); i++)
        DeleteNode(static_cast<COutlineNode*>(nodes.GetAt(i)));
}

// Before files go, no node of another file may keep a pointer into them, and their
// nodes must leave the arrays of other files' nodes. One pass over the files that stay,
// however many go.
void COutline::ReleaseReferencesInto(const std::unordered_set<const COutlineFile*>& gone)
{
    auto isGone = [&gone](const COutlineNode* pNode) { return pNode != NULL && gone.count(pNode->m_pFile) != 0; };
    for (int i = 0; i < GetFileCount(); i++)
    {
        COutlineFile* pFile = GetFile(i);
        if (gone.count(pFile) != 0)
            continue;
        for (int j = 0; j < pFile->GetTableCount(); j++)
        {
            COutlineTable* pTable = pFile->GetTable(j);
            if (isGone(pTable->GetBaseTable()))
                pTable->SetBaseTable(NULL);
        }
        for (int j = 0; j < pFile->GetFunctionCount(); j++)
        {
            COutlineFunction* pFunction = pFile->GetFunction(j);
            if (isGone(pFunction->m_pResultTable))
                pFunction->m_pResultTable = NULL;
            for (int k = pFunction->GetOwnerRecordCount() - 1; k >= 0; k--)
            {
                COutlineNode* pNode = static_cast<COutlineNode*>(pFunction->GetOwnerRecord(k)->m_pItem);
                if (pNode == NULL || isGone(pNode))
                    pFunction->RemoveOwnerRecord(pNode);
            }
        }
        pFile->ForEachNode([&](COutlineNode* pNode) {
            if (isGone(pNode->m_pOwner))
                pNode->m_pOwner = NULL;
            if (isGone(pNode->m_pParentTable))
                pNode->m_pParentTable = NULL;
        });
    }

    for (const COutlineFile* pGone : gone)
    {
        pGone->ForEachNode([&](COutlineNode* pNode) {
            if (pNode->m_pOwner != NULL && !isGone(pNode->m_pOwner))
                LeaveOwner(pNode);
            if (pNode->m_pParentTable != NULL && !isGone(pNode->m_pParentTable))
                LeaveParentTable(pNode);
        });
    }
}

void COutline::DestroyFile(COutlineFile* pFile)
{
    // Links among the file's own nodes die with them.
    DeleteNodes(pFile->GetVariables());
    DeleteNodes(pFile->GetFunctions());
    DeleteNodes(pFile->GetTables());
    pFile->RemoveAllNodes();
    delete pFile;
}

void COutline::RemoveFile(COutlineFile* pFile)
{
    int nIndex = -1;
    for (int i = 0; i < GetFileCount() && nIndex < 0; i++)
    {
        if (GetFile(i) == pFile)
            nIndex = i;
    }
    if (nIndex < 0)
        return;
    ReleaseReferencesInto({ pFile });
    m_files.RemoveAt(nIndex);
    m_fileIndex.erase(FileKey(pFile->m_strName));
    DestroyFile(pFile);
}

void COutline::RemoveFiles(const CPtrArray& files)
{
    std::unordered_set<const COutlineFile*> known;
    for (int i = 0; i < GetFileCount(); i++)
        known.insert(GetFile(i));
    std::unordered_set<const COutlineFile*> gone;
    for (int i = 0; i < (int)files.GetSize(); i++)
    {
        const COutlineFile* pFile = static_cast<const COutlineFile*>(files.GetAt(i));
        if (known.count(pFile) != 0)
            gone.insert(pFile);
    }
    if (gone.empty())
        return;
    ReleaseReferencesInto(gone);
    CPtrArray staying;
    for (int i = 0; i < GetFileCount(); i++)
    {
        if (gone.count(GetFile(i)) == 0)
        {
            staying.Add(GetFile(i));
            continue;
        }
        m_fileIndex.erase(FileKey(GetFile(i)->m_strName));
        DestroyFile(GetFile(i));
    }
    m_files.Copy(staying);
}

void COutline::RemoveAll()
{
    for (int i = 0; i < GetFileCount(); i++)
    {
        COutlineFile* pFile = GetFile(i);
        DeleteNodes(pFile->GetVariables());
        DeleteNodes(pFile->GetFunctions());
        DeleteNodes(pFile->GetTables());
        pFile->RemoveAllNodes();
        delete pFile;
    }
    m_files.RemoveAll();
    m_fileIndex.clear();
}

// ---------------------------------------------------------------------------------------
// Bases

BOOL COutline::SetTableBase(LPCTSTR pszTable, LPCTSTR pszBase, COutlineFile* pFile)
{
    if (pFile == NULL)
        return FALSE;
    COutlineTable* pTable = FindTable(pszTable, pFile);
    COutlineTable* pBase = FindTable(pszBase, pFile);
    if (pTable == NULL || pBase == NULL)
        return FALSE;
    return pTable->SetBaseTable(pBase);
}

// A local table built by a constructor function ("local obj = {}" and later
// "obj = NewThing()") derives from the table that function returns; other tables of
// parsed Lua derive from nothing. Between a re-parse and its sweep, stale functions (about
// to go) are passed over and stale result tables give no base. TRUE when the base changed.
BOOL COutline::LinkConstructedTable(COutlineTable* pTable)
{
    COutlineTable* pBase = NULL;
    if (pTable->IsLocal() && !pTable->m_strConstructorName.IsEmpty())
    {
        COutlineFunction* pConstructor = FindInFiles(*this, NULL, [pTable](COutlineFile* f) {
            return f->FindLiveFunction(pTable->m_strConstructorName);
        });
        if (pConstructor != NULL)
        {
            if (pConstructor->m_pResultTable != NULL && pConstructor->m_pResultTable->m_nState == OUTLINE_STALE)
                pConstructor->m_pResultTable = NULL;
            pBase = pConstructor->m_pResultTable;
        }
    }
    COutlineTable* pOldBase = pTable->GetBaseTable();
    if (!pTable->SetBaseTable(pBase))
        pTable->SetBaseTable(NULL); // it would close a cycle
    return pTable->GetBaseTable() != pOldBase;
}

void COutline::LinkConstructedTables()
{
    for (int i = 0; i < GetFileCount(); i++)
    {
        COutlineFile* pFile = GetFile(i);
        for (int j = 0; j < pFile->GetTableCount(); j++)
        {
            COutlineTable* pTable = pFile->GetTable(j);
            if (pTable->IsLocal() && !pTable->m_strConstructorName.IsEmpty())
                LinkConstructedTable(pTable);
        }
    }
}
