// COutline: the entry points of the Lua outline parser.
#include "COutline.h"
#include "CTextLineSource.h"
#include "LuaParser.h"
#include "LuaTokenizer.h"

#include <new>
#include <string.h>
#include <vector>

BOOL COutline::ParseFile(COutlineFile* pFile, LPCTSTR pszPath)
{
    if (pFile == NULL)
        return FALSE;
    // A file too large to parse is refused like one that cannot be read:
    // nothing a file holds may throw out of a project's load. What was parsed before
    // stays consistent; the caller removes the outline file.
    try
    {
        CTextLineSource source;
        if (!source.LoadFile(pszPath, MAX_PARSE_FILE_SIZE))
            return FALSE;
        ParseSource(pFile, source);
        return TRUE;
    }
    catch (const std::bad_alloc&)
    {
    }
    catch (CException* e)
    {
        e->Delete();
    }
    return FALSE;
}

void COutline::ParseSource(COutlineFile* pFile, CLineSource& source)
{
    if (pFile == NULL)
        return;
    LuaTokenizer().Tokenize(m_firstParseTokens, source, 0, -1);
    LuaParser(this, LuaParser::MODE_PARSE).ParseFile(pFile, m_firstParseTokens);
    if (m_firstParseTokens.GetCapacity() > MAX_KEPT_TOKENS)
        m_firstParseTokens.FreeAll();
    else
        m_firstParseTokens.RemoveAll();
}

void COutline::SetAllStates(COutlineFile* pFile, int nState)
{
    pFile->SetAllStates(nState);
    for (int i = 0; i < pFile->GetFunctionCount(); i++)
        pFile->GetFunction(i)->SetOwnerRecordStates(nState);
}

int COutline::ReparseFile(COutlineFile* pFile, CLineSource& source)
{
    if (pFile == NULL)
        return 0;
    SetAllStates(pFile, OUTLINE_STALE);

    // Constructor names are gathered afresh, so that a call that was removed from the
    // text drops its name; the names of the last run are kept as the previous ones.
    const int nOldTables = pFile->GetTableCount();
    std::vector<CString> previousNames((size_t)nOldTables);
    for (int i = 0; i < nOldTables; i++)
    {
        COutlineTable* pTable = pFile->GetTable(i);
        previousNames[(size_t)i] = pTable->m_strConstructorName;
        pTable->m_strConstructorName.Empty();
    }

    // The whole text is read afresh: the checkpoints of the searches are made again by
    // the next search, after whatever changed.
    pFile->m_tokenCache.Clear();
    pFile->m_tokenCache.TokenizeTo(pFile->m_tokens, source, -1);
    LuaParser(this, LuaParser::MODE_REPARSE).ParseFile(pFile);

    // The parse only appends tables, so the first nOldTables are the old ones.
    for (int i = 0; i < nOldTables; i++)
    {
        COutlineTable* pTable = pFile->GetTable(i);
        pTable->m_strPrevConstructorName = previousNames[(size_t)i];
        if (pTable->m_nState == OUTLINE_UNCHANGED &&
            pTable->m_strConstructorName.CompareNoCase(pTable->m_strPrevConstructorName) != 0)
            pTable->m_nState = OUTLINE_CHANGED;
    }

    // The nodes take the order in which the parse met them: the order of the text (stale
    // nodes, which the sweep removes, come first).
    pFile->SortNodesByOrder();

    int nChanged = 0;
    pFile->ForEachNode([&nChanged](COutlineNode* pNode) {
        if (pNode->m_nState != OUTLINE_UNCHANGED)
            nChanged = 1;
    });
    return nChanged;
}

void COutline::RemoveStaleNodes(COutlineFile* pFile, int nKind)
{
    CPtrArray removed;
    pFile->RemoveNodesInState(nKind, OUTLINE_STALE, removed);
    for (int i = 0; i < (int)removed.GetSize(); i++)
        UnlinkNode(static_cast<COutlineNode*>(removed.GetAt(i)));
    DeleteNodes(removed);
}

void COutline::PruneStaleNodes(COutlineFile* pFile)
{
    if (pFile == NULL)
        return;

    // The tables of project files follow their constructors' result tables.
    for (int i = 0; i < GetFileCount(); i++)
    {
        COutlineFile* pProjectFile = GetFile(i);
        if (pProjectFile->m_pProjectEntry == NULL)
            continue;
        for (int j = 0; j < pProjectFile->GetTableCount(); j++)
        {
            COutlineTable* pTable = pProjectFile->GetTable(j);
            if (pTable->m_nState == OUTLINE_STALE || !LinkConstructedTable(pTable))
                continue;
            if (pTable->m_nState != OUTLINE_NEW)
                pTable->m_nState = OUTLINE_CHANGED;
            pProjectFile->m_nChanged = 1;
        }
    }

    for (int i = 0; i < pFile->GetFunctionCount(); i++)
        pFile->GetFunction(i)->RemoveStaleOwnerRecords();
    RemoveStaleNodes(pFile, OUTLINE_VARIABLE);
    RemoveStaleNodes(pFile, OUTLINE_FUNCTION);
    RemoveStaleNodes(pFile, OUTLINE_TABLE);
    SetAllStates(pFile, OUTLINE_UNCHANGED);
}

COutlineFunction* COutline::FindSelfMethod(int nLastLine, int nColumn, CLineSource& source, COutlineFile* pFile)
{
    if (pFile == NULL)
        return NULL;
    pFile->m_tokenCache.TokenizeTo(pFile->m_tokens, source, nLastLine);

    // The last "self" before the position: on an earlier line, or left of the column.
    const LuaTokenList& tokens = pFile->m_tokens;
    int nTarget = -1;
    for (int i = tokens.GetCount() - 1; i >= 0 && nTarget < 0; i--)
    {
        const LuaToken* pToken = tokens.GetAt(i);
        if (pToken->IsIdentifier() && _stricmp(pToken->m_pszText, "self") == 0 &&
            (pToken->m_nLine < nLastLine || pToken->m_nColumn < nColumn))
            nTarget = i;
    }
    if (nTarget < 0)
        return NULL;

    LuaParser parser(this, LuaParser::MODE_FIND_SELF_METHOD);
    parser.SetTarget(nTarget);
    parser.UseCheckpoints(&pFile->m_tokenCache);
    parser.ParseFile(pFile);
    return parser.GetFoundMethod();
}

COutlineNode* COutline::FindScopeAt(int nLine, int nColumn, CLineSource& source, COutlineFile* pFile)
{
    if (pFile == NULL)
        return NULL;
    pFile->m_tokenCache.TokenizeTo(pFile->m_tokens, source, nLine);

    // The first token of the line at or after the column.
    const LuaTokenList& tokens = pFile->m_tokens;
    int nTarget = -1;
    for (int i = tokens.GetCount() - 1; i >= 0; i--)
    {
        const LuaToken* pToken = tokens.GetAt(i);
        if (pToken->m_nLine != nLine || pToken->m_nColumn < nColumn)
            break;
        nTarget = i;
    }

    LuaParser parser(this, LuaParser::MODE_FIND_SCOPE);
    parser.SetTarget(nTarget);
    parser.UseCheckpoints(&pFile->m_tokenCache);
    parser.ParseFile(pFile);
    return parser.GetFoundScope();
}
