#include "OutlineTestSupport.h"
#include "LuaTokenizer.h"
#include "VornTestFolder.h"

#include <algorithm>
#include <iterator>

std::vector<std::string> TokenStrings(const char* pszText)
{
    CTextLineSource source(pszText);
    LuaTokenList tokens;
    LuaTokenizer().Tokenize(tokens, source, 0, -1);
    std::vector<std::string> result;
    for (int i = 0; i < tokens.GetCount(); i++)
    {
        const LuaToken* pToken = tokens.GetAt(i);
        char szHead[64];
        snprintf(szHead, sizeof(szHead), "%d:%d:", pToken->m_nClass, pToken->m_nCode);
        char szTail[64];
        snprintf(szTail, sizeof(szTail), "@%d:%d", pToken->m_nLine, pToken->m_nColumn);
        result.push_back(std::string(szHead) + std::string(pToken->m_pszText, (size_t)pToken->m_nLength) + szTail);
    }
    return result;
}

static std::string NodeName(const COutlineNode* pNode)
{
    if (pNode == NULL)
        return "-";
    static const char* const kinds[] = { "?", "var", "fn", "table" };
    return std::string(kinds[pNode->m_nKind]) + " " + (LPCTSTR)pNode->GetQualifiedName();
}

std::string DumpOutline(COutlineFile* pFile)
{
    std::vector<std::string> lines;
    pFile->ForEachNode([&lines](COutlineNode* pNode) {
        CString strLine;
        strLine.Format("%s local=%d line=%d owner=[%s]", NodeName(pNode).c_str(), pNode->m_nFlag, pNode->m_nLine,
                       NodeName(pNode->m_pOwner).c_str());
        if (pNode->IsFunction())
        {
            COutlineFunction* pFunction = static_cast<COutlineFunction*>(pNode);
            CString strMore;
            strMore.Format(" sig=%s result=[%s] records=", (LPCTSTR)pFunction->GetQualifiedSignature(),
                           NodeName(pFunction->m_pResultTable).c_str());
            strLine += strMore;
            std::vector<std::string> records;
            for (int i = 0; i < pFunction->GetOwnerRecordCount(); i++)
                records.push_back(NodeName(static_cast<COutlineNode*>(pFunction->GetOwnerRecord(i)->m_pItem)));
            std::sort(records.begin(), records.end());
            for (const std::string& record : records)
                strLine += ("{" + record + "}").c_str();
        }
        if (pNode->IsTable())
        {
            COutlineTable* pTable = static_cast<COutlineTable*>(pNode);
            CString strMore;
            strMore.Format(" base=[%s] ctor=%s members=%d fields=%d", NodeName(pTable->GetBaseTable()).c_str(),
                           (LPCTSTR)pTable->m_strConstructorName, pTable->GetMemberFunctionCount(),
                           pTable->GetFieldCount());
            strLine += strMore;
        }
        lines.push_back((LPCTSTR)strLine);
    });
    std::sort(lines.begin(), lines.end());
    // The order of the file's arrays, which lookups without a scope follow.
    std::string order = "order:";
    pFile->ForEachNode([&order](COutlineNode* pNode) { order += " " + NodeName(pNode); });
    lines.push_back(order);
    std::string dump;
    for (const std::string& line : lines)
        dump += line + "\n";
    return dump;
}

static std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    while (nStart < text.size())
    {
        size_t nEnd = text.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = text.size();
        lines.push_back(text.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return lines;
}

std::string DumpDifference(const std::string& first, const std::string& second)
{
    std::vector<std::string> a = SplitLines(first), b = SplitLines(second), onlyA, onlyB;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(onlyA));
    std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::back_inserter(onlyB));
    std::string difference;
    for (const std::string& line : onlyA)
        difference += "- " + line + "\n";
    for (const std::string& line : onlyB)
        difference += "+ " + line + "\n";
    return difference;
}

COutlineFile* ParseText(COutline& outline, const char* pszName, const char* pszText)
{
    COutlineFile* pFile = outline.AddFile(pszName);
    if (pFile != NULL)
    {
        CTextLineSource source(pszText);
        outline.ParseSource(pFile, source);
    }
    return pFile;
}

std::string ReadFixture(const char* pszName)
{
    // Beside the test program, wherever it is started from.
    const CString strPath = TestProgramFolder() + "fixtures\\luaserv\\" + pszName;
    return TestFileExists(strPath) ? ReadTestFile(strPath) : std::string();
}
