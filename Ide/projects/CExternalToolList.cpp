#include "CExternalToolList.h"

#include "CAtomicFile.h"
#include "PathUtil.h"

#include <tinyxml.h>

#include <algorithm>
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace
{
// The file's bytes as the parser takes them: without a UTF-8 byte order mark (an editor
// may have added one), and with each line end a line feed. FALSE when it cannot be read.
BOOL ReadToolsText(LPCTSTR pszPath, std::string& text)
{
    FILE* pFile = fopen(pszPath, "rb");
    if (pFile == NULL)
        return FALSE;
    char buffer[4096];
    size_t nRead;
    while ((nRead = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        text.append(buffer, nRead);
    const BOOL bFailed = ferror(pFile) != 0;
    fclose(pFile);
    if (bFailed)
        return FALSE;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    std::string normalized;
    normalized.reserve(text.size());
    for (size_t i = 0; i < text.size(); i++)
    {
        if (text[i] != '\r')
            normalized += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            normalized += '\n';
    }
    text.swap(normalized);
    return TRUE;
}

// Whether the "&" at nAt starts one of the references XML knows: "&amp;", "&lt;", "&gt;",
// "&quot;", "&apos;", "&#123;" or "&#x7B;".
bool StartsReference(const std::string& text, size_t nAt)
{
    static const char* const kNames[] = { "amp;", "lt;", "gt;", "quot;", "apos;" };
    for (const char* pszName : kNames)
    {
        if (text.compare(nAt + 1, strlen(pszName), pszName) == 0)
            return true;
    }
    size_t i = nAt + 1;
    if (i >= text.size() || text[i] != '#')
        return false;
    i++;
    const bool bHex = i < text.size() && text[i] == 'x';
    if (bHex)
        i++;
    const size_t nDigits = i;
    while (i < text.size() && (bHex ? isxdigit((unsigned char)text[i]) : isdigit((unsigned char)text[i])))
        i++;
    return i > nDigits && i < text.size() && text[i] == ';';
}

// A hand-written "&" that starts no reference: the parser would drop it, and with it part
// of a title, command or argument. It is read as the character it stands for; the lines
// where one stood are returned (1-based, ascending, each once).
std::vector<int> EscapeBareAmpersands(std::string& text)
{
    std::vector<int> lines;
    std::string escaped;
    escaped.reserve(text.size());
    int nLine = 1;
    for (size_t i = 0; i < text.size(); i++)
    {
        if (text[i] == '\n')
            nLine++;
        if (text[i] == '&' && !StartsReference(text, i))
        {
            escaped += "&amp;";
            if (lines.empty() || lines.back() != nLine)
                lines.push_back(nLine);
        }
        else
            escaped += text[i];
    }
    if (!lines.empty())
        text.swap(escaped);
    return lines;
}
} // namespace

CExternalToolList::CExternalToolList()
{
}

CExternalToolList::~CExternalToolList()
{
    RemoveAll();
}

CExternalTool* CExternalToolList::AddTool(LPCTSTR pszTitle)
{
    if (pszTitle == NULL || *pszTitle == 0 || FindByTitle(pszTitle) != NULL)
        return NULL;
    CExternalTool* pTool = new CExternalTool;
    pTool->SetMenuTitle(pszTitle);
    m_tools.Add(pTool);
    return pTool;
}

CExternalTool* CExternalToolList::FindByTitle(LPCTSTR pszTitle) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (strcmp(GetAt(i)->GetMenuTitle(), pszTitle) == 0)
            return GetAt(i);
    }
    return NULL;
}

CExternalTool* CExternalToolList::FindByMenuIndex(int nIndex) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (GetAt(i)->m_nMenuIndex == nIndex)
            return GetAt(i);
    }
    return NULL;
}

CExternalTool* CExternalToolList::FindNextByMenuIndex(int nIndex) const
{
    CExternalTool* pNext = NULL;
    for (int i = 0; i < GetCount(); i++)
    {
        CExternalTool* pTool = GetAt(i);
        if (pTool->m_nMenuIndex > nIndex && (pNext == NULL || pTool->m_nMenuIndex < pNext->m_nMenuIndex))
            pNext = pTool;
    }
    return pNext;
}

void CExternalToolList::Remove(CExternalTool* pTool)
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (GetAt(i) == pTool)
        {
            m_tools.RemoveAt(i);
            delete pTool;
            return;
        }
    }
}

void CExternalToolList::RemoveAll()
{
    for (int i = 0; i < GetCount(); i++)
        delete GetAt(i);
    m_tools.RemoveAll();
}

CExternalTool* CExternalToolList::AddNewTool()
{
    for (int n = 1;; n++)
    {
        CString strTitle;
        strTitle.Format("[ NewTool%i ]", n);
        if (CExternalTool* pTool = AddTool(strTitle))
        {
            pTool->m_nMenuIndex = GetCount() - 1;
            return pTool;
        }
    }
}

void CExternalToolList::RemoveFromMenu(CExternalTool* pTool)
{
    const int nIndex = pTool->m_nMenuIndex;
    Remove(pTool);
    for (CExternalTool* pNext = FindNextByMenuIndex(nIndex); pNext != NULL; pNext = FindNextByMenuIndex(pNext->m_nMenuIndex))
        pNext->m_nMenuIndex--;
}

BOOL CExternalToolList::ExchangeMenuIndices(int nFirst, int nSecond)
{
    CExternalTool* pFirst = FindByMenuIndex(nFirst);
    CExternalTool* pSecond = FindByMenuIndex(nSecond);
    if (pFirst == NULL || pSecond == NULL)
        return FALSE;
    pFirst->m_nMenuIndex = nSecond;
    pSecond->m_nMenuIndex = nFirst;
    return TRUE;
}

LPCTSTR CExternalToolList::CheckToolEdit(const CExternalTool* pTool, LPCTSTR pszTitle, LPCTSTR pszCommand) const
{
    if (*pszTitle == 0)
        return "Tool requires a title!";
    if (!PathExists(pszCommand))
        return "Tool requires a valid executable!";
    const CExternalTool* pSame = FindByTitle(pszTitle);
    if (pSame != NULL && pSame != pTool)
        return "Tool with the same menu content title already exists!";
    return NULL;
}

//////////////////////////////////////////////////////////////////////////////
// exttools.xml: a declaration, then one EXTERNALTOOL element per tool in array order,
// with no root element around them.

BOOL CExternalToolList::LoadFromFile(LPCTSTR pszPath)
{
    // No encoding is declared and the values are the system's code page: each byte is
    // one character, so a byte above 127 never swallows the closing quote.
    TiXmlDocument document;
    std::string text;
    m_strLoadProblems.Empty();
    BOOL bParsed = ReadToolsText(pszPath, text);
    if (bParsed)
    {
        for (int nLine : EscapeBareAmpersands(text))
            NoteLoadProblem(pszPath, nLine, "an \"&\" that starts no character reference is read as itself; "
                                            "write it as \"&amp;\"");
        document.Parse(text.c_str(), NULL, TIXML_ENCODING_LEGACY);
        bParsed = !document.Error();
        if (!bParsed)
            NoteLoadProblem(pszPath, document.ErrorRow(),
                            CString(document.ErrorDesc()) + "; no external tool of the file is loaded");
    }
    if (!bParsed)
    {
        // What is there but cannot be read must survive the next save.
        if (PathExists(pszPath))
        {
            m_strKeepBeforeSave = pszPath;
            if (!document.Error())
                NoteLoadProblem(pszPath, 0, "the file cannot be read; no external tool of it is loaded");
        }
        return FALSE;
    }
    BOOL bSkipped = FALSE;
    for (TiXmlElement* pElement = document.FirstChildElement("EXTERNALTOOL"); pElement != NULL;
         pElement = pElement->NextSiblingElement("EXTERNALTOOL"))
    {
        const char* pszTitle = pElement->Attribute("MENU_TITLE");
        const char* pszCommand = pElement->Attribute("COMMAND");
        const char* pszArguments = pElement->Attribute("ARGUMENTS");
        CExternalTool* pTool = NULL;
        if (pszTitle != NULL && pszCommand != NULL && pszArguments != NULL)
            pTool = AddTool(pszTitle);
        if (pTool == NULL)
        {
            // A broken element costs only itself; the tools after it are read.
            bSkipped = TRUE;
            NoteLoadProblem(pszPath, pElement->Row(),
                            "the tool is skipped: it needs a MENU_TITLE of its own, a COMMAND and ARGUMENTS");
            continue;
        }
        const char* pszIndex = pElement->Attribute("MENU_INDEX");
        const char* pszPrompt = pElement->Attribute("PROMPTFORARGS");
        pTool->m_nMenuIndex = pszIndex != NULL ? atoi(pszIndex) : 0;
        pTool->m_nPromptForArgs = pszPrompt != NULL && atoi(pszPrompt) != 0 ? 1 : 0;
        pTool->SetCommand(pszCommand);
        pTool->SetArguments(pszArguments);
    }
    m_strKeepBeforeSave = bSkipped ? CString(pszPath) : CString();
    RenumberMenuIndices();
    return TRUE;
}

void CExternalToolList::NoteLoadProblem(LPCTSTR pszPath, int nLine, LPCTSTR pszWhy)
{
    CString strLine;
    if (nLine > 0)
        strLine.Format("%s(%d): %s\n", pszPath, nLine, pszWhy);
    else
        strLine.Format("%s: %s\n", pszPath, pszWhy);
    m_strLoadProblems += strLine;
}

// Gaps, repeats and negative indices of a hand-edited file: the tools keep the file's
// menu order (ties in document order) and are numbered 0 .. n-1.
void CExternalToolList::RenumberMenuIndices()
{
    std::vector<CExternalTool*> byMenu;
    for (int i = 0; i < GetCount(); i++)
        byMenu.push_back(GetAt(i));
    std::stable_sort(byMenu.begin(), byMenu.end(), [](const CExternalTool* a, const CExternalTool* b) {
        return a->m_nMenuIndex < b->m_nMenuIndex;
    });
    for (size_t i = 0; i < byMenu.size(); i++)
        byMenu[i]->m_nMenuIndex = (int)i;
}

CString CExternalToolList::EscapeAttribute(LPCTSTR pszValue)
{
    CString strOut;
    for (const unsigned char* p = (const unsigned char*)pszValue; *p != 0; p++)
    {
        switch (*p)
        {
        case '&':
            strOut += "&amp;";
            break;
        case '<':
            strOut += "&lt;";
            break;
        case '>':
            strOut += "&gt;";
            break;
        case '"':
            strOut += "&quot;";
            break;
        default:
            if (*p < 0x20 || *p == 0x7F)
            {
                // A literal tab or line end would read back as a blank.
                CString strRef;
                strRef.Format("&#x%X;", (unsigned)*p);
                strOut += strRef;
            }
            else
            {
                strOut += (char)*p;
            }
        }
    }
    return strOut;
}

CString CExternalToolList::FormatFile() const
{
    CString strText = "<?xml version=\"1.0\" standalone=\"no\" ?>\r\n";
    for (int i = 0; i < GetCount(); i++)
    {
        const CExternalTool* pTool = GetAt(i);
        CString strElement;
        strElement.Format("<EXTERNALTOOL MENU_TITLE=\"%s\" MENU_INDEX=\"%d\" COMMAND=\"%s\" ARGUMENTS=\"%s\" "
                          "PROMPTFORARGS=\"%d\" />\r\n",
                          (LPCTSTR)EscapeAttribute(pTool->GetMenuTitle()), pTool->m_nMenuIndex,
                          (LPCTSTR)EscapeAttribute(pTool->GetCommand()),
                          (LPCTSTR)EscapeAttribute(pTool->GetArguments()), pTool->m_nPromptForArgs);
        strText += strElement;
    }
    return strText;
}

BOOL CExternalToolList::KeepCopyOf(LPCTSTR pszPath)
{
    if (m_strKeepBeforeSave.IsEmpty() || PathKey(m_strKeepBeforeSave) != PathKey(pszPath))
        return TRUE;
    if (PathExists(pszPath) && !::CopyFileA(pszPath, CString(pszPath) + ".bak", FALSE))
        return FALSE;
    m_strKeepBeforeSave.Empty();
    return TRUE;
}

BOOL CExternalToolList::SaveToFile(LPCTSTR pszPath)
{
    if (!KeepCopyOf(pszPath))
        return FALSE;
    return CAtomicFile::WriteWholeFile(pszPath, FormatFile());
}
