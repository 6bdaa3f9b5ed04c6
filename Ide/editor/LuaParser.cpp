#include "LuaParser.h"
#include "COutline.h"

#include <string.h>

LuaParser::LuaParser(COutline* pOutline, int nMode)
    : m_pOutline(pOutline), m_nBlockDepth(0), m_nBraceDepth(0), m_nMode(nMode), m_pFoundMethod(NULL),
      m_nTarget(-1), m_pFoundScope(NULL), m_nPos(0), m_pTokens(NULL), m_nNesting(0), m_bDone(false),
      m_nListName(-1), m_nListFirst(-1), m_pCheckpoints(NULL), m_nFurthestRead(-1)
{
}

void LuaParser::ParseFile(COutlineFile* pFile)
{
    if (pFile != NULL)
        ParseFile(pFile, pFile->m_tokens);
}

void LuaParser::ParseFile(COutlineFile* pFile, const LuaTokenList& tokens)
{
    if (pFile == NULL || m_pOutline == NULL)
        return;
    m_pTokens = &tokens;
    m_nPos = 0;
    if (m_pCheckpoints != NULL && IsSearching())
        m_nPos = m_pCheckpoints->CheckpointAtOrBefore(m_nTarget >= 0 ? m_nTarget : tokens.GetCount() - 1);
    m_nFurthestRead = m_nPos - 1;
    m_nBlockDepth = m_nBraceDepth = m_nNesting = 0;
    m_bDone = false;
    m_nListName = m_nListFirst = -1;
    m_pFoundMethod = NULL;
    m_pFoundScope = NULL;
    Parse(pFile, NULL);
}

// The searches end at the first token at or past the target (a target that a statement
// step skipped over still ends them in the right scope). Mode 3 without a target ends at
// the last token.
bool LuaParser::CheckTarget(COutlineFile* pFile, COutlineNode* pScope)
{
    if (!IsSearching())
        return false;
    int nTarget = m_nTarget;
    if (nTarget < 0)
    {
        if (m_nMode != MODE_FIND_SCOPE)
            return false;
        nTarget = m_pTokens->GetCount() - 1;
    }
    if (m_nPos < nTarget)
        return false;

    if (m_nMode == MODE_FIND_SELF_METHOD)
    {
        if (pScope != NULL && pScope->IsFunction() && pScope->m_pParentTable != NULL &&
            static_cast<COutlineFunction*>(pScope)->m_nMethod)
            m_pFoundMethod = static_cast<COutlineFunction*>(pScope);
    }
    else
    {
        m_pFoundScope = pScope;
        const LuaToken* pToken = Token(m_nPos);
        if (pScope == NULL && pToken->IsName())
        {
            // After a dot the name is a table's field; otherwise a global of that name
            // comes before a field that shares it.
            const LuaToken* pBefore = Token(m_nPos - 1);
            const bool bField = pBefore != NULL && pBefore->IsOperator(LUA_OP_DOT);
            m_pFoundScope = bField ? m_pOutline->FindVariableInScope(pToken->m_pszText, NULL, pFile)
                                   : pFile->FindNodeOutsideTables(OUTLINE_VARIABLE, pToken->m_pszText, NULL);
        }
    }
    m_bDone = true;
    return true;
}

// A position is a checkpoint when the parse stands at file level outside every block and
// constructor, and no step has looked at this token or past it: what follows then cannot
// change how the parse got here. Only a line's first token counts, to keep them few.
void LuaParser::NoteCheckpoint(COutlineNode* pScope)
{
    if (pScope != NULL || m_nNesting != 0 || m_nBlockDepth != 0 || m_nBraceDepth != 0 || m_nFurthestRead >= m_nPos)
        return;
    const LuaToken* pBefore = m_pTokens->GetAt(m_nPos - 1);
    const LuaToken* pToken = m_pTokens->GetAt(m_nPos);
    if (pBefore == NULL || pToken == NULL || pBefore->m_nLine != pToken->m_nLine)
        m_pCheckpoints->AddCheckpoint(m_nPos);
}

void LuaParser::Parse(COutlineFile* pFile, COutlineNode* pScope)
{
    const int nEntryBlock = m_nBlockDepth;
    const int nEntryBrace = m_nBraceDepth;
    const bool bFunctionScope = pScope != NULL && pScope->IsFunction();
    const bool bTableScope = pScope != NULL && pScope->IsTable();
    const int nCount = m_pTokens->GetCount();
    const bool bSearching = IsSearching();

    for (; m_nPos < nCount && !m_bDone; m_nPos++)
    {
        if (bSearching && CheckTarget(pFile, pScope))
            return;
        if (m_pCheckpoints != NULL)
            NoteCheckpoint(pScope);
        const LuaToken* pToken = Token(m_nPos);
        switch (pToken->IsName() ? LUA_CLASS_IDENTIFIER : pToken->m_nClass)
        {
        case LUA_CLASS_IDENTIFIER:
            if (pScope == NULL ? (m_nBlockDepth == 0 && m_nBraceDepth == 0)
                               : (bFunctionScope ? m_nBlockDepth == nEntryBlock : m_nBraceDepth == nEntryBrace))
                ParseIdentifier(pFile, pScope);
            break;

        case LUA_CLASS_KEYWORD:
            if (pToken->m_nCode == LUA_KW_DO || pToken->m_nCode == LUA_KW_IF)
                m_nBlockDepth++;
            else if (pToken->m_nCode == LUA_KW_END)
            {
                // A stray "end" never takes the depth below zero.
                int nBefore = m_nBlockDepth;
                if (m_nBlockDepth > 0)
                    m_nBlockDepth--;
                if (nBefore == nEntryBlock && bFunctionScope)
                    return;
            }
            else if (pToken->m_nCode == LUA_KW_FUNCTION)
                ParseFunction(pFile, pScope);
            break;

        case LUA_CLASS_STRING:
            if (bTableScope && m_nBraceDepth == nEntryBrace)
                ParseStringKey(pFile, static_cast<COutlineTable*>(pScope));
            break;

        case LUA_CLASS_OPERATOR:
            switch (pToken->m_nCode)
            {
            case LUA_OP_LBRACE:
            {
                m_nBraceDepth++;
                const LuaToken* pBefore = Token(m_nPos - 1);
                if (pBefore != NULL && pBefore->IsOperator(LUA_OP_ASSIGN))
                    ParseTableConstructor(pFile, pScope);
                break;
            }
            case LUA_OP_RBRACE:
            {
                int nBefore = m_nBraceDepth;
                if (m_nBraceDepth > 0)
                    m_nBraceDepth--;
                if (nBefore == nEntryBrace && bTableScope)
                    return;
                break;
            }
            case LUA_OP_DOT:
            {
                const LuaToken* pBefore = Token(m_nPos - 1);
                const LuaToken* pAfter = Token(m_nPos + 1);
                if (pBefore != NULL && pBefore->IsName() && pAfter != NULL && pAfter->IsName() &&
                    ParseFieldAssignment(pFile, pScope))
                    m_nPos += 2;
                break;
            }
            case LUA_OP_LPAREN:
                ParseConstructorCall(pFile, pScope);
                break;
            }
            break;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Statement boundaries

// After the token a new statement (or a "local" declaration) starts: there is no token
// before, or it is "local" or ";", or it ends a statement or an expression (a name, a
// number, a string, ")", "]", "}", "...", "end", "break", "nil", "true", "false").
bool LuaParser::StartsStatement(const LuaToken* pBefore)
{
    if (pBefore == NULL || pBefore->IsName() || pBefore->IsNumber() || pBefore->IsString())
        return true;
    if (pBefore->IsReservedWord())
    {
        switch (pBefore->m_nCode)
        {
        case LUA_KW_LOCAL: case LUA_KW_END: case LUA_KW_BREAK:
        case LUA_KW_NIL: case LUA_KW_TRUE: case LUA_KW_FALSE:
            return true;
        }
        return false;
    }
    switch (pBefore->m_nCode)
    {
    case LUA_OP_SEMICOLON: case LUA_OP_RPAREN: case LUA_OP_RBRACKET: case LUA_OP_RBRACE: case LUA_OP_ELLIPSIS:
        return true;
    }
    return false;
}

// "do", "then", "else" and "repeat" open a block whose first statement follows.
bool LuaParser::StartsBlockBody(const LuaToken* pBefore)
{
    return pBefore != NULL && (pBefore->IsKeyword(LUA_KW_DO) || pBefore->IsKeyword(LUA_KW_THEN) ||
                               pBefore->IsKeyword(LUA_KW_ELSE) || pBefore->IsKeyword(LUA_KW_REPEAT));
}

// ---------------------------------------------------------------------------------------
// Functions

void LuaParser::ParseFunction(COutlineFile* pFile, COutlineNode* pScope)
{
    const int nFunctionPos = m_nPos;
    const int nDepthBefore = m_nBlockDepth;
    m_nBlockDepth++; // the function's "end" closes it, recorded or not

    CFunctionName name = {};
    int nParameterPos = -1;
    if (!ParseFunctionName(nFunctionPos, name, nParameterPos))
        return;
    int nClosePos = -1;
    if (!ParseParameters(nParameterPos, nClosePos))
        return;
    if (m_nNesting >= MAX_NESTING)
        return;

    COutlineTable* pTable = NULL;
    if (name.bConstructorField && pScope != NULL && pScope->IsTable())
        pTable = static_cast<COutlineTable*>(pScope);
    else if (name.pszTable != NULL)
    {
        pTable = FindNamedTable(pFile, name.pszTable, pScope, TRUE);
        if (pTable == NULL)
            return;
    }

    COutlineFunction* pFunction = RecordFunction(pFile, pScope, name, pTable, m_parameters.c_str());
    if (pFunction == NULL)
        return; // its body is scanned as part of the enclosing scope

    COutlineTable* pOldResult = pFunction->m_pResultTable;
    m_nPos = nClosePos;
    m_nNesting++;
    Parse(pFile, pFunction);
    m_nNesting--;

    if (IsAdding())
    {
        // A body without its "end" (still being typed) returns nothing.
        const LuaToken* pEnd = Token(m_nPos);
        if (pEnd != NULL && pEnd->IsKeyword(LUA_KW_END) && m_nBlockDepth == nDepthBefore)
            SetResultTable(pFunction);
        else
            pFunction->m_pResultTable = NULL;
        if (m_nMode == MODE_REPARSE)
        {
            if (pFunction->m_pResultTable != pOldResult)
                MarkChanged(pFunction);
            if (pFunction->m_nState == OUTLINE_CHANGED || pFunction->m_nState == OUTLINE_NEW)
                MarkChanged(pFunction->m_pParentTable);
        }
    }
}

// Mode 1 meets the stale node of these keys again (changed when isChanged says so); when
// there is none, modes 0 and 1 add one. NULL when the statement duplicates a node that
// this run met or added before (a first parse would refuse the add in the same way).
template <class TNode, class IsChanged, class Add>
TNode* LuaParser::MeetOrAdd(COutlineFile* pFile, int nKind, LPCTSTR pszName, COutlineNode* pOwner,
                            COutlineTable* pTable, IsChanged isChanged, Add add)
{
    bool bDuplicate = false;
    TNode* pNode = static_cast<TNode*>(FindStaleNode(pFile, nKind, pszName, pOwner, pTable, bDuplicate));
    if (bDuplicate)
        return NULL;
    if (pNode != NULL)
    {
        MeetAgain(pNode, isChanged(pNode));
        return pNode;
    }
    pNode = add();
    if (pNode != NULL)
        MarkNew(pNode);
    return pNode;
}

// Finds, adds or (mode 1) meets again the function; NULL when it is not recorded in this
// run, and its body then belongs to the enclosing scope.
COutlineFunction* LuaParser::RecordFunction(COutlineFile* pFile, COutlineNode* pScope, const CFunctionName& name,
                                            COutlineTable* pTable, LPCTSTR pszParameters)
{
    LPCTSTR pszName = name.pName->m_pszText;
    if (IsSearching())
        return pTable ? m_pOutline->FindMemberFunctionInScope(pszName, pTable, pScope, pFile)
                      : static_cast<COutlineFunction*>(pFile->FindNodeOutsideTables(OUTLINE_FUNCTION, pszName, pScope));

    const int nLocal = name.bLocal ? 1 : 0;
    const int nMethod = name.bMethod ? 1 : 0;
    COutlineFunction* pFunction = MeetOrAdd<COutlineFunction>(
        pFile, OUTLINE_FUNCTION, pszName, pScope, pTable,
        [&](COutlineFunction* pFound) {
            return pFound->m_nFlag != nLocal || (pTable != NULL && pFound->m_nMethod != nMethod) ||
                   strcmp(pFound->GetParameters(), pszParameters) != 0;
        },
        [&]() {
            return pTable ? m_pOutline->AddMemberFunction(pszName, pTable, nMethod, nLocal, pScope, pFile)
                          : m_pOutline->AddFunction(pszName, nLocal, pScope, pFile);
        });
    if (pFunction == NULL)
        return NULL;
    pFunction->m_nFlag = nLocal;
    if (pTable != NULL)
        pFunction->m_nMethod = nMethod;

    if (pTable != NULL && pScope != NULL && pScope->IsFunction())
        RecordOwner(pScope, pFunction);
    if (strcmp(pFunction->GetParameters(), pszParameters) != 0)
        pFunction->SetParameters(pszParameters);
    pFunction->m_nLine = name.pName->m_nLine;
    return pFunction;
}

// The name of a function definition, by the token before the "function" keyword:
// "=" (an anonymous function assigned to a name, read backwards), or a token after which
// a statement starts (a function statement, read forwards). A function in the middle of
// an expression (as in "return function", "f(function" or "x .. function") names none.
BOOL LuaParser::ParseFunctionName(int nFunctionPos, CFunctionName& name, int& nParameterPos)
{
    const LuaToken* pBefore = Token(nFunctionPos - 1);
    const LuaToken* pAfter = Token(nFunctionPos + 1);

    if (pBefore != NULL && pBefore->IsOperator(LUA_OP_ASSIGN))
    {
        if (pAfter == NULL || !pAfter->IsOperator(LUA_OP_LPAREN))
            return FALSE;
        nParameterPos = nFunctionPos + 2;
        return ParseFunctionNameBackward(nFunctionPos - 1, name);
    }

    if (!StartsStatement(pBefore) && !StartsBlockBody(pBefore))
        return FALSE;
    name.bLocal = pBefore != NULL && pBefore->IsKeyword(LUA_KW_LOCAL);

    // name "(" or table "." / ":" name "("; a longer dotted chain is not recorded
    const LuaToken* pFirst = Token(nFunctionPos + 1);
    const LuaToken* pSecond = Token(nFunctionPos + 2);
    if (pFirst == NULL || !pFirst->IsName() || pSecond == NULL)
        return FALSE;
    if (pSecond->IsOperator(LUA_OP_LPAREN))
    {
        name.pName = pFirst;
        nParameterPos = nFunctionPos + 3;
        return TRUE;
    }
    if (!pSecond->IsOperator(LUA_OP_DOT) && !pSecond->IsOperator(LUA_OP_COLON))
        return FALSE;
    const LuaToken* pMember = Token(nFunctionPos + 3);
    const LuaToken* pOpen = Token(nFunctionPos + 4);
    if (pMember == NULL || !pMember->IsName() || pOpen == NULL || !pOpen->IsOperator(LUA_OP_LPAREN))
        return FALSE;
    name.pName = pMember;
    name.pszTable = pFirst->m_pszText;
    name.bMethod = pSecond->IsOperator(LUA_OP_COLON);
    nParameterPos = nFunctionPos + 5;
    return TRUE;
}

// Read backwards from the "=": the name; then a token that is no operator (or nothing)
// ends it ("local" makes it local), "." or ":" puts a table name before it, ";" ends it,
// "{" or "," ends it as a field of a table constructor; any other operator fails.
BOOL LuaParser::ParseFunctionNameBackward(int nAssignPos, CFunctionName& name)
{
    const LuaToken* pName = Token(nAssignPos - 1);
    if (pName == NULL || !pName->IsName())
        return FALSE;
    name.pName = pName;

    const LuaToken* pBefore = Token(nAssignPos - 2);
    if (pBefore == NULL)
        return TRUE;
    if (!pBefore->IsOperator())
    {
        name.bLocal = pBefore->IsKeyword(LUA_KW_LOCAL);
        return TRUE;
    }
    switch (pBefore->m_nCode)
    {
    case LUA_OP_COLON:
    case LUA_OP_DOT:
    {
        const LuaToken* pTable = Token(nAssignPos - 3);
        if (pTable == NULL || !pTable->IsName())
            return FALSE;
        name.pszTable = pTable->m_pszText;
        name.bMethod = pBefore->m_nCode == LUA_OP_COLON;
        const LuaToken* pLocal = Token(nAssignPos - 4);
        name.bLocal = pLocal != NULL && pLocal->IsKeyword(LUA_KW_LOCAL);
        return TRUE;
    }
    case LUA_OP_SEMICOLON:
        return TRUE;
    case LUA_OP_COMMA:
    case LUA_OP_LBRACE:
        name.bConstructorField = TRUE;
        return TRUE;
    default:
        return FALSE;
    }
}

// Identifiers, "," and "..." up to ")", without blanks ("a,b,..."); any other token, or
// the end of the tokens, fails.
BOOL LuaParser::ParseParameters(int nFirst, int& nClosePos)
{
    m_parameters.clear();
    for (int i = nFirst;; i++)
    {
        const LuaToken* pToken = Token(i);
        if (pToken == NULL)
            return FALSE;
        if (pToken->IsName())
            m_parameters.append(pToken->m_pszText, (size_t)pToken->m_nLength);
        else if (pToken->IsOperator(LUA_OP_COMMA))
            m_parameters += ',';
        else if (pToken->IsOperator(LUA_OP_ELLIPSIS))
            m_parameters += "...";
        else if (pToken->IsOperator(LUA_OP_RPAREN))
        {
            nClosePos = i;
            return TRUE;
        }
        else
            return FALSE;
    }
}

// "return name" (optionally followed by ";") just before the function's "end" makes the
// last table of that name among the function's children its result table.
void LuaParser::SetResultTable(COutlineFunction* pFunction)
{
    pFunction->m_pResultTable = NULL;
    int nAt = m_nPos - 1;
    const LuaToken* pToken = Token(nAt);
    if (pToken != NULL && pToken->IsOperator(LUA_OP_SEMICOLON))
        pToken = Token(--nAt);
    const LuaToken* pReturn = Token(nAt - 1);
    if (pToken == NULL || !pToken->IsName() || pReturn == NULL || !pReturn->IsKeyword(LUA_KW_RETURN))
        return;
    for (int i = pFunction->GetChildCount() - 1; i >= 0; i--)
    {
        COutlineNode* pChild = pFunction->GetChild(i);
        if (pChild->IsTable() && pChild->m_nState != OUTLINE_STALE && pChild->m_strName == pToken->m_pszText)
        {
            pFunction->m_pResultTable = static_cast<COutlineTable*>(pChild);
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Tables, variables and fields

// "name = {" (with "local" before it: a local table), or inside a constructor
// "[ "key" ] = {". FALSE when the constructor is not entered; it is then scanned as part
// of the enclosing scope.
BOOL LuaParser::ParseTableConstructor(COutlineFile* pFile, COutlineNode* pScope)
{
    const int nBracePos = m_nPos;
    const LuaToken* pNameToken = Token(nBracePos - 2);
    if (pNameToken == NULL)
        return FALSE;
    CString strName;
    int nLocal = 0;
    if (pNameToken->IsName())
    {
        // The last name of a list ("local a, b = {}, 1") is not the one the table is
        // given to; a constructor's fields are no list.
        const LuaToken* pListComma = Token(nBracePos - 3);
        const LuaToken* pListName = Token(nBracePos - 4);
        if (!(pScope != NULL && pScope->IsTable()) && pListComma != NULL && pListComma->IsOperator(LUA_OP_COMMA) &&
            pListName != NULL && pListName->IsName())
            return FALSE;
        strName = pNameToken->m_pszText;
        const LuaToken* pLocal = Token(nBracePos - 3);
        nLocal = (pLocal != NULL && pLocal->IsKeyword(LUA_KW_LOCAL)) ? 1 : 0;
    }
    else if (pScope != NULL && pScope->IsTable() && pNameToken->IsOperator(LUA_OP_RBRACKET))
    {
        const LuaToken* pKey = Token(nBracePos - 3);
        const LuaToken* pOpen = Token(nBracePos - 4);
        if (pKey == NULL || !pKey->IsString() || pKey->m_nLength < 2 || pOpen == NULL ||
            !pOpen->IsOperator(LUA_OP_LBRACKET))
            return FALSE;
        strName = CString(pKey->m_pszText + 1, pKey->m_nLength - 2);
        pNameToken = pKey;
    }
    else
        return FALSE;
    if (m_nNesting >= MAX_NESTING)
        return FALSE;

    COutlineTable* pTable = NULL;
    if (IsSearching())
    {
        pTable = m_pOutline->FindTableInScope(strName, pScope, pFile);
        if (pTable == NULL)
            return FALSE;
    }
    else
    {
        pTable = MeetOrAdd<COutlineTable>(
            pFile, OUTLINE_TABLE, strName, pScope, NULL,
            [nLocal](COutlineTable* pFound) { return pFound->m_nFlag != nLocal; },
            [&]() { return m_pOutline->AddTable(strName, pScope, pFile); });
        if (pTable == NULL)
            return FALSE;
    }
    if (IsAdding())
    {
        pTable->m_nFlag = nLocal;
        pTable->m_nLine = pNameToken->m_nLine;
    }

    m_nPos = nBracePos + 1;
    m_nNesting++;
    Parse(pFile, pTable);
    m_nNesting--;
    return TRUE;
}

// A name standing alone as a statement, a declaration or a plain assignment: a local of
// a function, a field of a constructor, or a global at file level.
void LuaParser::ParseIdentifier(COutlineFile* pFile, COutlineNode* pScope)
{
    const LuaToken* pToken = Token(m_nPos);
    const LuaToken* pBefore = Token(m_nPos - 1);
    const LuaToken* pAfter = Token(m_nPos + 1);

    // Only a name at the start of a statement, or after "{", "," or "until".
    if (!StartsStatement(pBefore) && !pBefore->IsOperator(LUA_OP_LBRACE) && !pBefore->IsOperator(LUA_OP_COMMA) &&
        !pBefore->IsKeyword(LUA_KW_UNTIL))
        return;
    int nLocal = (pBefore != NULL && pBefore->IsKeyword(LUA_KW_LOCAL)) ? 1 : 0;

    if (pAfter != NULL)
    {
        if (pAfter->IsOperator())
        {
            if (pAfter->IsOperator(LUA_OP_ASSIGN))
            {
                // x = {, x = function and x = (a) are left to other steps
                const LuaToken* pValue = Token(m_nPos + 2);
                if (pValue != NULL && (pValue->IsOperator() || (pValue->IsReservedWord() && pValue->m_nCode != LUA_KW_NIL)))
                    return;
            }
            else if (!pAfter->IsOperator(LUA_OP_SEMICOLON) && !pAfter->IsOperator(LUA_OP_COMMA))
                return;
        }
        else if (pAfter->IsReservedWord())
        {
            if (pBefore != NULL && !pBefore->IsKeyword(LUA_KW_END) && !pBefore->IsKeyword(LUA_KW_LOCAL) &&
                !pBefore->IsOperator(LUA_OP_COMMA))
                return;
        }
    }

    if (!IsAdding())
        return;
    if (pBefore != NULL && pBefore->IsOperator(LUA_OP_COMMA))
    {
        // A name in a list takes its meaning from the list's start: "local a, b" declares
        // both, and in "x = a, b" (outside a constructor) b is a value.
        const LuaToken* pListBefore = Token(FirstOfNameList(m_nPos) - 1);
        if (pListBefore != NULL && pListBefore->IsKeyword(LUA_KW_LOCAL))
            nLocal = 1;
        else if (pListBefore != NULL && pListBefore->IsOperator(LUA_OP_ASSIGN) && !(pScope != NULL && pScope->IsTable()))
            return;
    }
    if (pScope == NULL)
    {
        if (!nLocal)
            RecordVariable(pFile, pToken->m_pszText, NULL, NULL, 0, pToken->m_nLine);
    }
    else if (pScope->IsFunction())
    {
        if (nLocal)
            RecordVariable(pFile, pToken->m_pszText, NULL, pScope, 1, pToken->m_nLine);
    }
    else if (pScope->IsTable())
    {
        if (!nLocal)
            RecordVariable(pFile, pToken->m_pszText, static_cast<COutlineTable*>(pScope), pScope->m_pOwner, 0,
                           pToken->m_nLine);
    }
}

// The first name of the list "a, b, ..., name" that ends with the name at nPos (nPos
// itself when no name and "," stand before it). The names of a list are met in order,
// so the answer for one serves the next, and a long list is walked once.
int LuaParser::FirstOfNameList(int nPos)
{
    int nFirst = nPos;
    if (m_nListName >= 0 && m_nListName == nPos - 2)
        nFirst = m_nListFirst;
    else
    {
        for (;;)
        {
            const LuaToken* pComma = Token(nFirst - 1);
            const LuaToken* pName = Token(nFirst - 2);
            if (pComma == NULL || !pComma->IsOperator(LUA_OP_COMMA) || pName == NULL || !pName->IsName())
                break;
            nFirst -= 2;
        }
    }
    m_nListName = nPos;
    m_nListFirst = nFirst;
    return nFirst;
}

// "A.B =": B becomes a field of the table A, assigned in this scope. On success the
// caller skips B and "=". At the end of the text "A.B" alone counts too (an assignment
// being typed), but only as a statement of its own: "return A.B" reads the field.
BOOL LuaParser::ParseFieldAssignment(COutlineFile* pFile, COutlineNode* pScope)
{
    if (!IsAdding())
        return FALSE;
    const LuaToken* pTableToken = Token(m_nPos - 1);
    const LuaToken* pField = Token(m_nPos + 1);
    const LuaToken* pAfter = Token(m_nPos + 2);
    if (pAfter != NULL && !pAfter->IsOperator(LUA_OP_ASSIGN))
        return FALSE;
    const LuaToken* pBeforeTable = Token(m_nPos - 2);
    if (pAfter == NULL && !StartsStatement(pBeforeTable) && !StartsBlockBody(pBeforeTable))
        return FALSE;
    COutlineTable* pTable = FindNamedTable(pFile, pTableToken->m_pszText, pScope, TRUE);
    if (pTable == NULL)
        return FALSE;

    COutlineVariable* pVariable = RecordVariable(pFile, pField->m_pszText, pTable, pScope, 0, pField->m_nLine);
    if (pVariable != NULL && pScope != NULL && pScope->IsFunction() && pTable->m_pOwner != NULL)
        RecordOwner(pScope, pVariable);
    return TRUE;
}

// [ "key" ] = value inside a constructor (a value that is no table and no function):
// the key without its quotes becomes a field.
void LuaParser::ParseStringKey(COutlineFile* pFile, COutlineTable* pTable)
{
    if (!IsAdding())
        return;
    const LuaToken* pKey = Token(m_nPos);
    const LuaToken* pOpen = Token(m_nPos - 1);
    const LuaToken* pClose = Token(m_nPos + 1);
    const LuaToken* pAssign = Token(m_nPos + 2);
    const LuaToken* pValue = Token(m_nPos + 3);
    if (pOpen == NULL || !pOpen->IsOperator(LUA_OP_LBRACKET) || pClose == NULL ||
        !pClose->IsOperator(LUA_OP_RBRACKET) || pAssign == NULL || !pAssign->IsOperator(LUA_OP_ASSIGN))
        return;
    if (pValue != NULL && (pValue->IsOperator(LUA_OP_LBRACE) || pValue->IsKeyword(LUA_KW_FUNCTION)))
        return;
    if (pKey->m_nLength < 2)
        return;
    CString strName(pKey->m_pszText + 1, pKey->m_nLength - 2);
    RecordVariable(pFile, strName, pTable, pTable->m_pOwner, 0, pKey->m_nLine);
}

// "name = Constructor(": the table named first takes the function's name as its
// constructor name.
void LuaParser::ParseConstructorCall(COutlineFile* pFile, COutlineNode* pScope)
{
    if (!IsAdding() || (pScope != NULL && pScope->IsTable()))
        return;
    const LuaToken* pTableToken = Token(m_nPos - 3);
    const LuaToken* pAssign = Token(m_nPos - 2);
    const LuaToken* pFunction = Token(m_nPos - 1);
    if (pTableToken == NULL || !pTableToken->IsName() || !pAssign->IsOperator(LUA_OP_ASSIGN) ||
        !pFunction->IsName())
        return;
    // In a function only its own tables; at file level any table of the file.
    COutlineTable* pTable = pScope != NULL ? pFile->FindLiveTableInScope(pTableToken->m_pszText, pScope)
                                           : pFile->FindLiveTable(pTableToken->m_pszText);
    if (pTable != NULL)
        pTable->SetConstructorName(pFunction->m_pszText);
}

// The table a name refers to: the one of the scope, else the first of the file. Stale
// tables do not count: a re-parse finds what a first parse would have found by then.
COutlineTable* LuaParser::FindNamedTable(COutlineFile* pFile, LPCTSTR pszName, COutlineNode* pScope,
                                         BOOL bFileFallback) const
{
    COutlineTable* pTable = pFile->FindLiveTableInScope(pszName, pScope);
    if (pTable == NULL && bFileFallback)
        pTable = pFile->FindLiveTable(pszName);
    return pTable;
}

// A variable (pTable NULL) or a field of pTable; in mode 1 an existing one is met again.
COutlineVariable* LuaParser::RecordVariable(COutlineFile* pFile, LPCTSTR pszName, COutlineTable* pTable,
                                            COutlineNode* pOwner, int nLocal, int nLine)
{
    COutlineVariable* pVariable = MeetOrAdd<COutlineVariable>(
        pFile, OUTLINE_VARIABLE, pszName, pOwner, pTable,
        [nLocal](COutlineVariable* pFound) { return pFound->m_nFlag != nLocal; },
        [&]() {
            return pTable ? m_pOutline->AddMemberVariable(pszName, pTable, pOwner, pFile)
                          : m_pOutline->AddVariable(pszName, pOwner, nLocal, pFile);
        });
    if (pVariable == NULL)
        return NULL;
    pVariable->m_nFlag = nLocal;
    pVariable->m_nLine = nLine;
    return pVariable;
}

void LuaParser::RecordOwner(COutlineNode* pScope, COutlineNode* pMember)
{
    COutlineFunction* pFunction = static_cast<COutlineFunction*>(pScope);
    CPtrArrayHolder* pRecord = pFunction->FindOwnerRecord(pMember);
    if (pRecord != NULL)
    {
        pRecord->m_nValue = OUTLINE_UNCHANGED;
        return;
    }
    pRecord = pFunction->AddOwnerRecord(pMember);
    if (pRecord != NULL && m_nMode == MODE_REPARSE)
    {
        pRecord->m_nValue = OUTLINE_NEW;
        MarkChanged(pFunction);
    }
}

// Mode 1: the stale node of exactly these keys (pTable NULL: no parent table), to be met
// again. NULL when there is none, and then bDuplicate tells whether a node that the add
// would duplicate was met already in this run (a first parse would skip the statement).
COutlineNode* LuaParser::FindStaleNode(COutlineFile* pFile, int nKind, LPCTSTR pszName, COutlineNode* pOwner,
                                       COutlineTable* pTable, bool& bDuplicate) const
{
    bDuplicate = false;
    if (m_nMode != MODE_REPARSE)
        return NULL;
    if (pFile->HasDuplicate(nKind, pszName, pOwner, pTable))
    {
        bDuplicate = true;
        return NULL;
    }
    return pFile->FindNode(nKind, pszName, true, pOwner, true, pTable, COutlineFile::FIND_STALE);
}

// Mode 1: a stale node found again takes the state that says whether its flags changed
// and its place in the order of the text.
void LuaParser::MeetAgain(COutlineNode* pNode, BOOL bChanged)
{
    pNode->m_nState = bChanged ? OUTLINE_CHANGED : OUTLINE_UNCHANGED;
    pNode->m_pFile->Renumber(pNode);
    if (bChanged)
    {
        MarkChanged(pNode->m_pOwner);
        MarkChanged(pNode->m_pParentTable);
    }
}

void LuaParser::MarkNew(COutlineNode* pNode)
{
    if (m_nMode != MODE_REPARSE)
        return;
    pNode->m_nState = OUTLINE_NEW;
    MarkChanged(pNode->m_pOwner);
    MarkChanged(pNode->m_pParentTable);
}

void LuaParser::MarkChanged(COutlineNode* pNode)
{
    if (pNode != NULL && pNode->m_nState == OUTLINE_UNCHANGED)
        pNode->m_nState = OUTLINE_CHANGED;
}
