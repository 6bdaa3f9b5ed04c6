// COutline: the program's symbol model of Lua code. For every parsed source file and
// every loaded function-definition list it keeps the tables, functions and variables
// found, with their lines, nesting and table membership, and offers the lookups that
// navigation, completion and call tips use. It owns its files; files own their nodes.
#pragma once

#include "COutlineFile.h"
#include "CLineSource.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

class COutline
{
public:
    COutline();
    ~COutline();

    int GetFileCount() const { return (int)m_files.GetSize(); }
    COutlineFile* GetFile(int nIndex) const { return static_cast<COutlineFile*>(m_files.GetAt(nIndex)); }

    // Lookups. Node names compare exactly; file names without regard to case. With a
    // file the search covers that file only, without one every file in order; the
    // first match wins. NULL when nothing matches.
    COutlineFile* FindFile(LPCTSTR pszName) const;
    COutlineTable* FindTable(LPCTSTR pszName, COutlineFile* pFile = NULL) const;
    COutlineTable* FindTableInScope(LPCTSTR pszName, COutlineNode* pOwner, COutlineFile* pFile = NULL) const;
    COutlineFunction* FindFunction(LPCTSTR pszName, COutlineFile* pFile = NULL) const;
    COutlineFunction* FindFunctionInScope(LPCTSTR pszName, COutlineNode* pOwner, COutlineFile* pFile = NULL) const;
    COutlineFunction* FindMemberFunction(LPCTSTR pszName, COutlineTable* pTable, COutlineFile* pFile = NULL) const;
    COutlineFunction* FindMemberFunctionInScope(LPCTSTR pszName, COutlineTable* pTable, COutlineNode* pOwner,
                                                COutlineFile* pFile = NULL) const;
    COutlineVariable* FindVariable(LPCTSTR pszName, COutlineFile* pFile = NULL) const;
    COutlineVariable* FindVariableInScope(LPCTSTR pszName, COutlineNode* pOwner, COutlineFile* pFile = NULL) const;
    COutlineVariable* FindMemberVariable(LPCTSTR pszName, COutlineTable* pTable, COutlineFile* pFile = NULL) const;
    COutlineVariable* FindMemberVariableInScope(LPCTSTR pszName, COutlineTable* pTable, COutlineNode* pOwner,
                                                COutlineFile* pFile = NULL) const;
    // Without a table: FindFunction in every file. With one: the member function of the
    // table, else of its base table, and so on up the base chain.
    COutlineFunction* FindMethod(LPCTSTR pszName, COutlineTable* pTable) const;

    // Adding: the new node, or NULL when the name is empty or a node with the same keys
    // exists already (the model is then unchanged).
    COutlineFile* AddFile(LPCTSTR pszName);
    COutlineTable* AddTable(LPCTSTR pszName, COutlineNode* pOwner, COutlineFile* pFile);
    COutlineFunction* AddFunction(LPCTSTR pszName, int nLocal, COutlineNode* pOwner, COutlineFile* pFile);
    COutlineFunction* AddMemberFunction(LPCTSTR pszName, COutlineTable* pTable, int nMethod, int nLocal,
                                        COutlineNode* pOwner, COutlineFile* pFile);
    COutlineVariable* AddVariable(LPCTSTR pszName, COutlineNode* pOwner, int nLocal, COutlineFile* pFile);
    COutlineVariable* AddMemberVariable(LPCTSTR pszName, COutlineTable* pTable, COutlineNode* pOwner,
                                        COutlineFile* pFile);

    // Sums over all files.
    int GetTableCount() const;
    int GetFunctionCount() const;
    int GetVariableCount() const;

    // Removing: the node leaves its file and every link to it is cleared, then it is
    // deleted. The file is a hint; the node's own file is used when it does not hold it.
    BOOL RemoveTable(COutlineTable* pTable, COutlineFile* pFile = NULL);
    BOOL RemoveFunction(COutlineFunction* pFunction, COutlineFile* pFile = NULL);
    BOOL RemoveVariable(COutlineVariable* pVariable, COutlineFile* pFile = NULL);
    // Removes the file with its nodes and tokens; nodes of other files keep no reference
    // into it (bases, parent tables, owners, owner records, result tables).
    void RemoveFile(COutlineFile* pFile);
    // RemoveFile for many files at once, in time linear in the model's size.
    void RemoveFiles(const CPtrArray& files);
    void RemoveAll();

    // The table named first derives from the table named second, both of the file.
    // FALSE when either is missing or the link would close a cycle of bases.
    BOOL SetTableBase(LPCTSTR pszTable, LPCTSTR pszBase, COutlineFile* pFile);
    // After a project is loaded: each local table with a constructor name derives from
    // the result table of that function (found in every file).
    void LinkConstructedTables();

    // --- Parsing (the Lua outline parser) ---

    // Builds the outline of a file on disk (read as the hidden scanning control would
    // hold it). FALSE when the file cannot be read, is larger than MAX_PARSE_FILE_SIZE
    // or is too large for the memory left.
    BOOL ParseFile(COutlineFile* pFile, LPCTSTR pszPath);
    // Lua sources beyond this size are generated data, not code to navigate; reading
    // one whole would only strain the address space of a 32-bit process.
    enum { MAX_PARSE_FILE_SIZE = 64 * 1024 * 1024 };
    // Tokenizes all lines of the source and parses them into the file (a first parse).
    // The tokens go to a list that first parses share, not to the file: nothing reads a
    // file's tokens after its parse, and one list, reused while a project loads, is far
    // cheaper than fresh memory for every file.
    void ParseSource(COutlineFile* pFile, CLineSource& source);
    // Re-parses an open document: marks every node unchanged, changed, new or stale.
    // 1 when anything in the file changed, else 0. PruneStaleNodes must follow a 1.
    int ReparseFile(COutlineFile* pFile, CLineSource& source);
    // The sweep after a re-parse: re-links the local tables of project files, removes
    // the file's stale nodes and sets the rest back to unchanged.
    void PruneStaleNodes(COutlineFile* pFile);
    // The colon method that encloses the last "self" before the given position (lines up
    // to nLastLine are read), or NULL.
    COutlineFunction* FindSelfMethod(int nLastLine, int nColumn, CLineSource& source, COutlineFile* pFile);
    // The innermost function or table around the first token at or after the position;
    // at file level, the global variable that token names. NULL when there is none.
    COutlineNode* FindScopeAt(int nLine, int nColumn, CLineSource& source, COutlineFile* pFile);

    // --- Line parsers ---

    // Letters, digits and "_" (only the low byte counts).
    static BOOL IsNameChar(int ch);
    // Blanks and tabs at the start, or at the end.
    static void TrimLeft(CString& strText);
    static void TrimRight(CString& strText);
    // The text before the first "--", unless a "--[[" starts there.
    static void StripComment(CString& strText);
    // TrimLeft, optionally StripComment, TrimRight, then trailing LF, CR and tabs go.
    static void CleanLine(CString& strText, BOOL bStripComment);
    // The text before the first "(" (all of it without one).
    static CString GetHead(LPCTSTR pszText);
    // The text between the first "(" and the last ")", or empty.
    static CString GetArguments(LPCTSTR pszText);

    // One line of a function-definition list: "[prefix|function|local function] name(params)"
    // where name is "f", "T.f" or "T:f". The new function, or NULL when the line is no
    // definition or the function exists already.
    COutlineFunction* ParseDefinitionLine(COutlineFile* pFile, LPCTSTR pszLine, BOOL bRequireFunctionKeyword,
                                          BOOL bCreateTables);

    // Readers of the text before the caret (completion and call tips).
    // The text of the line before the (byte) column, without line-end characters.
    static CString GetTextBeforeCaret(CLineSource& source, int nLine, int nColumn);
    // The table named at the end of the text: in the file, else in every file.
    COutlineTable* FindTableBeforeCaret(LPCTSTR pszText, COutlineFile* pFile) const;
    // 1 when the name at the end of the text is "self".
    static int IsSelfBeforeCaret(LPCTSTR pszText);
    // "table.member" or "table:member" at the end of the text: -1 when the text does not
    // end so; else the parts, and 1 when the table is "self", 0 when it is not.
    static int ParseMemberAccess(LPCTSTR pszText, CString& strTable, BOOL& bMethod, CString& strMember);
    // The function whose call the text (the line up to the "(") opens: "T.f" and "T:f"
    // through the table's methods, a plain name among all functions, then in the scope.
    COutlineFunction* FindFunctionForCallTip(LPCTSTR pszText, COutlineFile* pFile, COutlineNode* pScope) const;

private:
    // A shared list that grew past this many tokens (a file of about ten megabytes) gives
    // its storage back after the parse.
    enum { MAX_KEPT_TOKENS = 1 << 21 };

    CPtrArray m_files;
    // The files by their names in lower case: names compare without regard to case.
    std::unordered_map<std::string, COutlineFile*> m_fileIndex;
    LuaTokenList m_firstParseTokens; // the tokens of the last first parse

    // A table of the name in the file, else in every file.
    COutlineTable* FindTableFileFirst(LPCTSTR pszName, COutlineFile* pFile) const;
    BOOL RemoveNode(COutlineNode* pNode, int nKind, COutlineFile* pFile);
    void UnlinkNode(COutlineNode* pNode);
    static void LeaveOwner(COutlineNode* pNode);
    static void LeaveParentTable(COutlineNode* pNode);
    void DropReferencesToTable(COutlineTable* pTable);
    void ReleaseReferencesInto(const std::unordered_set<const COutlineFile*>& gone);
    void DestroyFile(COutlineFile* pFile);
    static std::string FileKey(LPCTSTR pszName);
    static void DeleteNode(COutlineNode* pNode);
    static void DeleteNodes(const CPtrArray& nodes);
    BOOL LinkConstructedTable(COutlineTable* pTable);
    static void SetAllStates(COutlineFile* pFile, int nState);
    void RemoveStaleNodes(COutlineFile* pFile, int nKind);

    COutline(const COutline&) = delete;
    COutline& operator=(const COutline&) = delete;
};
