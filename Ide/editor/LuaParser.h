// LuaParser: walks the token list of one outline file and fills the outline with the
// file's tables, functions and variables. It recognises a fixed set of statement shapes by
// the tokens around the current one, tracks nesting with a block depth and a brace depth,
// and recurses into function bodies and table constructors, which become the owner scope
// of what they contain. One parser serves one entry-point call of COutline.
#pragma once

#include "COutlineFile.h"
#include "LuaTokenCache.h"

#include <string>

class COutline;

class LuaParser
{
public:
    enum Mode
    {
        MODE_PARSE = 0,            // first parse: adds nodes
        MODE_REPARSE = 1,          // marks nodes unchanged, changed or new; adds new ones
        MODE_FIND_SELF_METHOD = 2, // finds the colon method around a target token
        MODE_FIND_SCOPE = 3        // finds the innermost scope around a target token
    };
    // Deeper function bodies and constructors are scanned as part of their enclosing
    // scope, so no input can exhaust the stack.
    enum { MAX_NESTING = 200 };

    LuaParser(COutline* pOutline, int nMode);
    virtual ~LuaParser() {}

    // Modes 2 and 3: the index of the target token (-1: none; mode 3 then stops at the
    // last token).
    void SetTarget(int nTokenIndex) { m_nTarget = nTokenIndex; }
    // Modes 2 and 3: the search starts at the cache's last checkpoint before the target
    // and adds the checkpoints it passes.
    void UseCheckpoints(LuaTokenCache* pCache) { m_pCheckpoints = pCache; }

    // Parses the file's tokens (or the given ones, built from the file's text) from the
    // first one, at file level.
    void ParseFile(COutlineFile* pFile);
    void ParseFile(COutlineFile* pFile, const LuaTokenList& tokens);

    COutlineFunction* GetFoundMethod() const { return m_pFoundMethod; }
    COutlineNode* GetFoundScope() const { return m_pFoundScope; }

    // The recursive core: parses from the current position with the scope as owner
    // until the scope's end (or the end of the tokens).
    void Parse(COutlineFile* pFile, COutlineNode* pScope);

private:
    struct CFunctionName
    {
        const LuaToken* pName;    // the name token
        const char* pszTable;     // the table part, or NULL
        BOOL bMethod;             // defined with ":"
        BOOL bLocal;
        BOOL bConstructorField;   // the name followed "{" or "," (a field of a constructor)
    };

    COutline* m_pOutline;
    int m_nBlockDepth;
    int m_nBraceDepth;
    int m_nMode;
    COutlineFunction* m_pFoundMethod;
    int m_nTarget;
    COutlineNode* m_pFoundScope;
    int m_nPos;
    const LuaTokenList* m_pTokens;
    int m_nNesting;
    bool m_bDone;
    int m_nListName;   // the last name FirstOfNameList answered for, and its answer
    int m_nListFirst;
    std::string m_parameters; // the parameter text of the function being read, kept between functions

    LuaTokenCache* m_pCheckpoints;
    mutable int m_nFurthestRead; // the furthest token any step has looked at

    const LuaToken* Token(int nIndex) const
    {
        if (nIndex > m_nFurthestRead)
            m_nFurthestRead = nIndex;
        return m_pTokens->GetAt(nIndex);
    }
    void NoteCheckpoint(COutlineNode* pScope);
    bool IsAdding() const { return m_nMode == MODE_PARSE || m_nMode == MODE_REPARSE; }
    bool IsSearching() const { return m_nMode == MODE_FIND_SELF_METHOD || m_nMode == MODE_FIND_SCOPE; }
    bool CheckTarget(COutlineFile* pFile, COutlineNode* pScope);
    static bool StartsStatement(const LuaToken* pBefore);
    static bool StartsBlockBody(const LuaToken* pBefore);

    void ParseFunction(COutlineFile* pFile, COutlineNode* pScope);
    BOOL ParseFunctionName(int nFunctionPos, CFunctionName& name, int& nParameterPos);
    BOOL ParseFunctionNameBackward(int nAssignPos, CFunctionName& name);
    BOOL ParseParameters(int nFirst, int& nClosePos);
    COutlineFunction* RecordFunction(COutlineFile* pFile, COutlineNode* pScope, const CFunctionName& name,
                                     COutlineTable* pTable, LPCTSTR pszParameters);
    void SetResultTable(COutlineFunction* pFunction);
    BOOL ParseTableConstructor(COutlineFile* pFile, COutlineNode* pScope);
    void ParseIdentifier(COutlineFile* pFile, COutlineNode* pScope);
    int FirstOfNameList(int nPos);
    BOOL ParseFieldAssignment(COutlineFile* pFile, COutlineNode* pScope);
    void ParseStringKey(COutlineFile* pFile, COutlineTable* pTable);
    void ParseConstructorCall(COutlineFile* pFile, COutlineNode* pScope);

    COutlineTable* FindNamedTable(COutlineFile* pFile, LPCTSTR pszName, COutlineNode* pScope,
                                  BOOL bFileFallback) const;
    COutlineVariable* RecordVariable(COutlineFile* pFile, LPCTSTR pszName, COutlineTable* pTable,
                                     COutlineNode* pOwner, int nLocal, int nLine);
    void RecordOwner(COutlineNode* pScope, COutlineNode* pMember);
    template <class TNode, class IsChanged, class Add>
    TNode* MeetOrAdd(COutlineFile* pFile, int nKind, LPCTSTR pszName, COutlineNode* pOwner, COutlineTable* pTable,
                     IsChanged isChanged, Add add);
    COutlineNode* FindStaleNode(COutlineFile* pFile, int nKind, LPCTSTR pszName, COutlineNode* pOwner,
                                COutlineTable* pTable, bool& bDuplicate) const;
    void MeetAgain(COutlineNode* pNode, BOOL bChanged);
    void MarkNew(COutlineNode* pNode);
    static void MarkChanged(COutlineNode* pNode);

    LuaParser(const LuaParser&) = delete;
    LuaParser& operator=(const LuaParser&) = delete;
};
