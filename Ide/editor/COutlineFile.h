// COutlineFile: the outline of one parsed Lua file or one function-definition list: its
// tables, functions and variables (members of tables included) and its last token list.
#pragma once

#include "COutlineFunction.h"
#include "COutlineNameIndex.h"
#include "COutlineTable.h"
#include "COutlineVariable.h"
#include "LuaTokenCache.h"
#include "LuaTokenList.h"

#include <initializer_list>

class CProjectFileEntry;

class COutlineFile
{
public:
    explicit COutlineFile(LPCTSTR pszName);
    // Frees the tokens only; COutline removes the nodes first.
    ~COutlineFile();

    // The nodes, in the order of the text (the order of adding; a re-parse keeps it).
    int GetTableCount() const { return (int)m_tables.GetSize(); }
    COutlineTable* GetTable(int nIndex) const { return static_cast<COutlineTable*>(m_tables.GetAt(nIndex)); }
    int GetFunctionCount() const { return (int)m_functions.GetSize(); }
    COutlineFunction* GetFunction(int nIndex) const
    {
        return static_cast<COutlineFunction*>(m_functions.GetAt(nIndex));
    }
    int GetVariableCount() const { return (int)m_variables.GetSize(); }
    COutlineVariable* GetVariable(int nIndex) const
    {
        return static_cast<COutlineVariable*>(m_variables.GetAt(nIndex));
    }
    const CPtrArray& GetTables() const { return m_tables; }
    const CPtrArray& GetFunctions() const { return m_functions; }
    const CPtrArray& GetVariables() const { return m_variables; }
    // Calls fn(COutlineNode*) for every table, then every function, then every variable.
    template <class Fn> void ForEachNode(Fn fn) const
    {
        for (const CPtrArray* pArray : { &m_tables, &m_functions, &m_variables })
        {
            for (int i = 0; i < (int)pArray->GetSize(); i++)
                fn(static_cast<COutlineNode*>(pArray->GetAt(i)));
        }
    }

    // Lookups: names compare exactly; each gives the first match in the order above.
    // An owner of NULL means file level; a table of NULL means "no parent table".
    COutlineTable* FindTable(LPCTSTR pszName) const;
    COutlineTable* FindTableInScope(LPCTSTR pszName, const COutlineNode* pOwner) const;
    COutlineFunction* FindFunction(LPCTSTR pszName) const;
    COutlineFunction* FindFunctionInScope(LPCTSTR pszName, const COutlineNode* pOwner) const;
    COutlineFunction* FindMemberFunction(LPCTSTR pszName, const COutlineTable* pTable) const;
    COutlineFunction* FindMemberFunctionInScope(LPCTSTR pszName, const COutlineTable* pTable,
                                                const COutlineNode* pOwner) const;
    COutlineVariable* FindVariable(LPCTSTR pszName) const;
    COutlineVariable* FindVariableInScope(LPCTSTR pszName, const COutlineNode* pOwner) const;
    COutlineVariable* FindMemberVariable(LPCTSTR pszName, const COutlineTable* pTable) const;
    COutlineVariable* FindMemberVariableInScope(LPCTSTR pszName, const COutlineTable* pTable,
                                                const COutlineNode* pOwner) const;

    // Which nodes a lookup sees while a re-parse runs. Live nodes are those it met again
    // or added; of these the one met first is taken, which is what a first parse would
    // have found at the same point of the text. Outside a re-parse every node is live.
    enum NodeFilter
    {
        FIND_ANY,    // every node, the first in the order of adding
        FIND_LIVE,   // nodes that are not stale, the one met first
        FIND_STALE   // stale nodes only
    };
    // The node of the kind and name whose owner (when bOwner) and parent table (when
    // bTable) match.
    COutlineNode* FindNode(int nKind, LPCTSTR pszName, bool bOwner, const COutlineNode* pOwner, bool bTable,
                           const COutlineTable* pTable, NodeFilter filter = FIND_ANY) const;
    // A live node that an add of these keys would duplicate: of the name, the owner and
    // the parent table (none for a node outside tables). A member of a table does not
    // stand in the way of a global or local of its name, nor the other way round.
    BOOL HasDuplicate(int nKind, LPCTSTR pszName, const COutlineNode* pOwner, const COutlineTable* pTable) const
    {
        return FindNode(nKind, pszName, true, pOwner, true, pTable, FIND_LIVE) != NULL;
    }
    // The node of the kind, name and owner that belongs to no table.
    COutlineNode* FindNodeOutsideTables(int nKind, LPCTSTR pszName, const COutlineNode* pOwner) const
    {
        return FindNode(nKind, pszName, true, pOwner, true, NULL);
    }
    COutlineTable* FindLiveTable(LPCTSTR pszName) const;
    COutlineTable* FindLiveTableInScope(LPCTSTR pszName, const COutlineNode* pOwner) const;
    COutlineFunction* FindLiveFunction(LPCTSTR pszName) const;

    // Puts a node into (or takes it out of) the array of its kind; used by COutline.
    void AddNode(COutlineNode* pNode);
    BOOL RemoveNode(COutlineNode* pNode);
    // Takes every node in the given state out of the array of the kind, in one pass;
    // they are appended to removed.
    void RemoveNodesInState(int nKind, int nState, CPtrArray& removed);
    // Forgets every node (COutline deletes them).
    void RemoveAllNodes();
    BOOL HoldsNode(const COutlineNode* pNode) const;
    void SetAllStates(int nState);
    // A re-parse met the node again: it takes its place after the nodes met before it.
    void Renumber(COutlineNode* pNode) { pNode->m_nOrder = ++m_nLastOrder; }
    // Puts the nodes, and the children and members of each, back into their order in
    // the text, as a first parse of the same text would have added them.
    void SortNodesByOrder();

    CString m_strName;      // the key the file was added under
    int m_nFlag;            // 1: a function-definition list
    LuaTokenList m_tokens;  // the last tokens built for the file
    LuaTokenCache m_tokenCache; // what the searches keep of m_tokens between keystrokes
    CProjectFileEntry* m_pProjectEntry; // the project file it was built from, or NULL
    int m_nChanged;         // 1: a table's base changed in the last sweep

private:
    CPtrArray m_tables;
    CPtrArray m_functions;
    CPtrArray m_variables;
    int m_nLastOrder;

    COutlineNameIndex m_index[3]; // per kind

    CPtrArray& ArrayOf(int nKind);
    COutlineNameIndex& IndexOf(int nKind) { return m_index[nKind - 1]; }
    const COutlineNameIndex& IndexOf(int nKind) const { return m_index[nKind - 1]; }


    COutlineFile(const COutlineFile&) = delete;
    COutlineFile& operator=(const COutlineFile&) = delete;
};
