#include "CCodeSnippet.h"

#include "CAtomicFile.h"
#include "PathUtil.h"
#include "SnippetMacros.h"

#include <tinyxml.h>

#include <stdio.h>
#include <string>

namespace
{
BOOL ReadWholeFile(const CString& strPath, std::string& text)
{
    FILE* pFile = fopen(strPath, "rb");
    if (pFile == NULL)
        return FALSE;
    char buffer[4096];
    size_t nRead;
    while ((nRead = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        text.append(buffer, nRead);
    const BOOL bFailed = ferror(pFile) != 0;
    fclose(pFile);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    return !bFailed;
}

// Some builds of the XML writer pass "&#x...;" through as a character reference, so a
// literal "&#x" would read back as another character: with such a writer its "&" goes
// out as a reference itself.
bool WriterPassesReferencesThrough()
{
    static const bool s_bPasses = [] {
        std::string out;
        TiXmlBase::EncodeString("&#x41;", &out);
        return out == "&#x41;";
    }();
    return s_bPasses;
}

std::string ProtectLiteralReferences(const CString& strValue)
{
    std::string out(strValue.GetString(), strValue.GetLength());
    if (!WriterPassesReferencesThrough())
        return out;
    out.clear();
    const int nLength = strValue.GetLength();
    for (int i = 0; i < nLength; i++)
    {
        if (strValue[i] == '&' && i + 2 < nLength && strValue[i + 1] == '#' && strValue[i + 2] == 'x')
            out += "&#x26;";
        else
            out += strValue[i];
    }
    return out;
}

// Blanks, tabs and line ends, and nothing else.
bool IsBlankText(const CString& strText)
{
    return !strText.IsEmpty() && strText.SpanIncluding(" \t\r\n") == strText;
}
} // namespace

CCodeSnippet::CCodeSnippet() : m_nFavourite(-1), m_nModified(0)
{
}

CCodeSnippet::~CCodeSnippet()
{
}

void CCodeSnippet::SetText(LPCTSTR pszText)
{
    m_strText = ToCrLfLineEnds(pszText);
}

CString CCodeSnippet::FormatFile() const
{
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "", "no"));
    TiXmlElement* pRoot = new TiXmlElement("CODESNIPPET");
    pRoot->SetAttribute("NAME", ProtectLiteralReferences(m_strName));
    TiXmlElement* pText = new TiXmlElement("TEXT");
    TiXmlText* pValue = new TiXmlText(ProtectLiteralReferences(m_strText));
    // The reader drops a text of blanks alone; in a CDATA section it keeps it.
    pValue->SetCDATA(IsBlankText(m_strText));
    pText->LinkEndChild(pValue);
    pRoot->LinkEndChild(pText);
    document.LinkEndChild(pRoot);
    TiXmlPrinter printer;
    printer.SetLineBreak("\r\n");
    document.Accept(&printer);
    return CString(printer.CStr(), (int)printer.Size());
}

BOOL CCodeSnippet::Save(LPCTSTR pszFolder)
{
    if (!CAtomicFile::WriteWholeFile(WithTrailingBackslash(pszFolder) + m_strFileName, FormatFile()))
        return FALSE;
    m_nModified = 0;
    return TRUE;
}

BOOL CCodeSnippet::Load(LPCTSTR pszFolder, LPCTSTR pszFileName)
{
    std::string content;
    if (!ReadWholeFile(WithTrailingBackslash(pszFolder) + pszFileName, content))
        return FALSE;
    // Texts keep their blanks exactly (the setting is process-wide; nothing in the IDE
    // wants them condensed). No encoding is declared: each byte is one character of
    // the system's code page, so a byte above 127 never swallows what follows it.
    TiXmlBase::SetCondenseWhiteSpace(false);
    TiXmlDocument document;
    document.Parse(content.c_str(), NULL, TIXML_ENCODING_LEGACY);
    if (document.Error())
        return FALSE;
    const TiXmlElement* pRoot = document.FirstChildElement("CODESNIPPET");
    const char* pszName = pRoot != NULL ? pRoot->Attribute("NAME") : NULL;
    const TiXmlElement* pTextElement = pRoot != NULL ? pRoot->FirstChildElement("TEXT") : NULL;
    if (pszName == NULL || pTextElement == NULL)
        return FALSE;
    CString strText;
    if (const TiXmlNode* pChild = pTextElement->FirstChild())
    {
        const TiXmlText* pText = pChild->ToText();
        if (pText == NULL)
            return FALSE;
        strText = pText->Value();
    }
    SetText(strText);
    m_strName = pszName;
    m_strFileName = pszFileName;
    m_nModified = 0;
    return TRUE;
}
