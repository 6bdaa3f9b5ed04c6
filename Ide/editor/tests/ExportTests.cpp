// The four exporters on a real hidden Scintilla control with the Lua lexer: the exact
// bytes the formats require, the structure a reader relies on (PDF offsets, balanced
// XHTML folds, XML text that rebuilds the document), the options, and failures that
// leave the target as it was. The external validators run in check_exports.sh.
#include <gtest/gtest.h>

#include <locale.h>

#include <set>
#include <string>
#include <vector>

#include <tinyxml.h>

#include "CAppSettings.h"
#include "ExportSupport.h"
#include "ExportTestSupport.h"
#include "Exporters.h"
#include "VornTestFolder.h"

namespace
{
size_t CountOf(const std::string& text, const std::string& part)
{
    size_t nCount = 0;
    for (size_t nPos = text.find(part); nPos != std::string::npos; nPos = text.find(part, nPos + part.size()))
        nCount++;
    return nCount;
}

std::string Repeat(const std::string& part, int nCount)
{
    std::string text;
    for (int i = 0; i < nCount; i++)
        text += part;
    return text;
}

// The document as a reader of the XML or XHTML sees its lines: line ends as LF, tabs
// expanded, form feeds gone.
std::vector<std::string> DocumentLines(const std::string& text, int nTabSize)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); i++)
    {
        const char c = text[i];
        if (c == '\r' || c == '\n')
        {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                i++;
            lines.push_back("");
        }
        else if (c == '\t')
            lines.back().append(nTabSize - lines.back().size() % nTabSize, ' ');
        else if (c != '\f')
            lines.back() += c;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); i++)
        text += (i ? "\n" : "") + lines[i];
    return text;
}

// UTF-8 from the XML parser back to the ANSI bytes of the document: no-break spaces
// are blanks, control pictures their control characters.
std::string XmlTextToAnsi(const std::string& utf8)
{
    if (utf8.empty())
        return "";
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0], (int)wide.size()));
    std::string ansi;
    for (wchar_t wc : wide)
    {
        if (wc == 0xA0)
            ansi += ' ';
        else if (wc >= 0x2400 && wc < 0x2420)
            ansi += static_cast<char>(wc - 0x2400);
        else
        {
            char sz[4];
            const int n = ::WideCharToMultiByte(CP_ACP, 0, &wc, 1, sz, sizeof(sz), NULL, NULL);
            ansi.append(sz, n);
        }
    }
    return ansi;
}

// The text of an XHTML fragment as a browser would copy it: tags gone, entities and
// references decoded to the document's bytes, line ends as LF.
std::string HtmlText(const std::string& html)
{
    std::string text;
    for (size_t i = 0; i < html.size(); i++)
    {
        if (html[i] == '<')
            i = html.find('>', i);
        else if (html[i] == '&')
        {
            const size_t nEnd = html.find(';', i);
            const std::string entity = html.substr(i + 1, nEnd - i - 1);
            if (entity[0] == '#')
            {
                const wchar_t wc = static_cast<wchar_t>(atoi(entity.c_str() + 1));
                char szUtf8[8];
                const int n = ::WideCharToMultiByte(CP_UTF8, 0, &wc, 1, szUtf8, sizeof(szUtf8), NULL, NULL);
                text += XmlTextToAnsi(std::string(szUtf8, n));
            }
            else
                text += entity == "nbsp" ? ' ' : entity == "amp" ? '&' : entity == "lt" ? '<' : '>';
            i = nEnd;
        }
        else if (html[i] != '\r')
            text += html[i];
    }
    return text;
}

// The fragment from the start tag of the span with the id to its end tag.
std::string SpanWithId(const std::string& html, const std::string& id)
{
    const size_t nStart = html.find("<span id=\"" + id + "\">");
    if (nStart == std::string::npos)
        return "";
    int nDepth = 0;
    for (size_t nPos = nStart; (nPos = html.find("span", nPos)) != std::string::npos; nPos += 4)
    {
        if (html[nPos - 1] == '<')
            nDepth++;
        else if (html[nPos - 1] == '/' && --nDepth == 0)
            return html.substr(nStart, nPos + 5 - nStart);
    }
    return "";
}

void CollectAttributes(const TiXmlElement* pElement, const char* pszName, std::vector<std::string>& values)
{
    if (const char* pszValue = pElement->Attribute(pszName))
        values.push_back(pszValue);
    for (const TiXmlElement* pChild = pElement->FirstChildElement(); pChild != NULL;
         pChild = pChild->NextSiblingElement())
        CollectAttributes(pChild, pszName, values);
}

// The text the XML export's elements stand for, one line per <line n=...>, gaps left
// by collapsed empty lines filled.
std::string RebuildXmlText(const std::string& xml)
{
    TiXmlDocument doc;
    doc.Parse(xml.c_str(), 0, TIXML_ENCODING_UTF8);
    if (doc.Error())
        return std::string("<parse error: ") + doc.ErrorDesc() + ">";
    std::vector<std::string> lines;
    const TiXmlElement* pText = doc.RootElement()->FirstChildElement("text");
    for (const TiXmlElement* pLine = pText->FirstChildElement("line"); pLine != NULL;
         pLine = pLine->NextSiblingElement("line"))
    {
        int nLine = 0;
        if (pLine->QueryIntAttribute("n", &nLine) != TIXML_SUCCESS)
            continue; // a run of empty lines
        std::string line;
        for (const TiXmlElement* pRun = pLine->FirstChildElement("t"); pRun != NULL;
             pRun = pRun->NextSiblingElement("t"))
        {
            for (const TiXmlNode* pPart = pRun->FirstChild(); pPart != NULL; pPart = pPart->NextSibling())
            {
                if (pPart->ToText() != NULL)
                {
                    line += XmlTextToAnsi(pPart->Value());
                    continue;
                }
                const std::string name = pPart->Value();
                int n = 1;
                pPart->ToElement()->QueryIntAttribute("n", &n);
                if (name == "s")
                    line.append(n, ' ');
                else if (name == "c")
                    line += static_cast<char>(n);
                else
                    line += name == "h" ? '#' : name == "a" ? '&' : name == "l" ? '<' : '>';
            }
        }
        if ((int)lines.size() < nLine)
            lines.resize(nLine);
        lines[nLine - 1] = line;
    }
    return JoinLines(lines);
}

// The strings shown by the "(...)Tj" operators of a PDF, unescaped.
std::vector<std::string> PdfRuns(const std::string& pdf)
{
    std::vector<std::string> runs;
    for (size_t nPos = 0; (nPos = pdf.find('(', nPos)) != std::string::npos;)
    {
        std::string run;
        for (nPos++; nPos < pdf.size() && pdf[nPos] != ')'; nPos++)
        {
            if (pdf[nPos] == '\\')
                nPos++;
            run += pdf[nPos];
        }
        if (pdf.compare(nPos, 4, ")Tj\n") == 0)
            runs.push_back(run);
    }
    return runs;
}

std::vector<std::string> PdfContentStreams(const std::string& pdf)
{
    std::vector<std::string> streams;
    for (size_t nPos = 0; (nPos = pdf.find("stream\n", nPos)) != std::string::npos;)
    {
        nPos += 7;
        const size_t nEnd = pdf.find("\nendstream", nPos);
        streams.push_back(pdf.substr(nPos, nEnd - nPos));
        nPos = nEnd + 10;
    }
    return streams;
}

int IntAfter(const std::string& text, const std::string& key, size_t nFrom = 0)
{
    const size_t nPos = text.find(key, nFrom);
    return nPos == std::string::npos ? -1 : atoi(text.c_str() + nPos + key.size());
}

// Every cross-reference entry points at its object, startxref at the table, and each
// stream's /Length is its length.
void ExpectConsistentPdf(const std::string& pdf)
{
    const int nTable = IntAfter(pdf, "startxref\n");
    ASSERT_GT(nTable, 0);
    ASSERT_EQ(pdf.compare(nTable, 7, "xref\n0 "), 0);
    const int nEntries = atoi(pdf.c_str() + nTable + 7);
    size_t nPos = pdf.find('\n', nTable + 7) + 1;
    EXPECT_EQ(pdf.compare(nPos, 20, "0000000000 65535 f \n"), 0);
    for (int i = 1; i < nEntries; i++)
    {
        nPos += 20;
        const int nOffset = atoi(pdf.c_str() + nPos);
        char szHead[32];
        sprintf(szHead, "%d 0 obj\n", i);
        EXPECT_EQ(pdf.compare(nOffset, strlen(szHead), szHead), 0) << "object " << i;
        if (pdf.compare(nOffset + strlen(szHead), 9, "<</Length") == 0)
        {
            const int nLength = IntAfter(pdf, "<</Length ", nOffset);
            const size_t nData = pdf.find("stream\n", nOffset) + 7;
            EXPECT_EQ(pdf.compare(nData + nLength, 10, "\nendstream"), 0) << "object " << i;
        }
    }
    EXPECT_EQ(IntAfter(pdf, "/Size "), nEntries);
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
}

class ExportTest : public ::testing::Test
{
protected:
    CHiddenLuaEditor m_editor;
    CAppSettings m_settings;
    CTestFolder m_folder;

    void SetUp() override
    {
        ASSERT_TRUE(m_editor.IsReady());
        TiXmlBase::SetCondenseWhiteSpace(false);
    }

    std::string Pdf(const std::string& text)
    {
        m_editor.SetText(text);
        const CString strPath = m_folder / "out.pdf";
        EXPECT_EQ(ExportPdf(strPath, m_editor.Text(), m_settings), 1);
        return ReadTestFile(strPath);
    }
    std::string Rtf(const std::string& text)
    {
        m_editor.SetText(text);
        const CString strPath = m_folder / "out.rtf";
        EXPECT_EQ(ExportRtf(strPath, m_editor.Text(), m_settings), 1);
        return ReadTestFile(strPath);
    }
    std::string Xml(const std::string& text, LPCTSTR pszName = "doc.lua")
    {
        m_editor.SetText(text);
        const CString strPath = m_folder / "out.xml";
        EXPECT_EQ(ExportXml(strPath, m_editor.Text(), pszName, m_settings), 1);
        return ReadTestFile(strPath);
    }
    std::string Xhtml(const std::string& text, LPCTSTR pszPath = "C:\\src\\doc.lua")
    {
        m_editor.SetText(text);
        const CString strPath = m_folder / "out.html";
        EXPECT_EQ(ExportXhtml(strPath, m_editor.Text(), pszPath, m_settings), 1);
        return ReadTestFile(strPath);
    }
    // The body of an XHTML export between its first "<body" line and "</body>".
    static std::string BodyOf(const std::string& html)
    {
        const size_t nStart = html.find('\n', html.find("<body")) + 1;
        return html.substr(nStart, html.find("\r\n</body>") - nStart);
    }
    static std::string WithoutSpans(std::string html)
    {
        for (size_t nPos; (nPos = html.find("<span")) != std::string::npos;)
            html.erase(nPos, html.find('>', nPos) + 1 - nPos);
        for (size_t nPos; (nPos = html.find("</span>")) != std::string::npos;)
            html.erase(nPos, 7);
        return html;
    }
};

// ---- PDF ----

TEST_F(ExportTest, PdfOfAnEmptyDocumentIsOnePageWithoutText)
{
    const std::string pdf = Pdf("");
    EXPECT_EQ(pdf.compare(0, 15, "%PDF-1.3\n%\xC7\xEC\x8F\xA2\n"), 0);
    ExpectConsistentPdf(pdf);
    EXPECT_EQ(CountOf(pdf, "/Type/Page/"), 1u);
    EXPECT_NE(pdf.find("]/Count 1\n"), std::string::npos);
    const std::vector<std::string> streams = PdfContentStreams(pdf);
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0], "BT 1 0 0 1 72 762 Tm\n/F1 10 Tf 0 0 0 rg ET");
    EXPECT_NE(pdf.find("/BaseFont/Helvetica-BoldOblique/"), std::string::npos);
    EXPECT_NE(pdf.find("<</Type/Catalog/Pages 8 0 R >>"), std::string::npos);
}

TEST_F(ExportTest, PdfColoursFontsAndEscapes)
{
    m_settings.m_FandC[CAppSettings::FandCKeyword].m_nForeClr = 0x0000FF;      // red
    m_settings.m_FandC[CAppSettings::FandCString].m_nForeClr = 0x808080;       // grey 128
    m_settings.m_FandC[CAppSettings::FandCNumber].m_nForeClr = 0x010203;
    const std::string pdf = Pdf("local s = \"(a) \\\\ b\"\nprint(1)\n");
    ExpectConsistentPdf(pdf);
    // Blanks keep the style before them: no switch between "local" and " ".
    EXPECT_NE(pdf.find("1 0 0 rg (local )Tj"), std::string::npos);
    EXPECT_NE(pdf.find("0.502 0.502 0.502 rg (\"\\(a\\) \\\\\\\\ b\")Tj"), std::string::npos);
    // print is a user word, bold by default; the number's blue 3 is 0.012.
    EXPECT_NE(pdf.find("/F2 10 Tf 0 0.314 0.502 rg (print)Tj"), std::string::npos);
    EXPECT_NE(pdf.find("0.012 0.008 0.004 rg (1)Tj"), std::string::npos);
    EXPECT_NE(pdf.find("0 -12.0 TD\n"), std::string::npos);
}

TEST_F(ExportTest, PdfWrapsAtTheRightMarginByTheFontsWidths)
{
    m_settings.m_nExportPDFFont = 0; // Courier: 75 characters fit between the margins of A4
    std::vector<std::string> runs = PdfRuns(Pdf(std::string(200, 'x')));
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].size(), 75u);
    EXPECT_EQ(runs[2].size(), 50u);

    m_settings.m_nExportPDFFont = 1; // Helvetica's W is 944 thousandths wide: 47 a line
    runs = PdfRuns(Pdf(std::string(100, 'W')));
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].size(), 47u);
    EXPECT_EQ(runs[2].size(), 6u);
    runs = PdfRuns(Pdf(std::string(300, 'i'))); // and its i 222: 203 a line
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].size(), 203u);

    m_settings.m_nExportPDFFont = 2; // Times' bold W is 1000 wide: 45 a line
    m_settings.m_FandC[CAppSettings::FandCIdentifier].m_nBold = 1;
    runs = PdfRuns(Pdf(std::string(50, 'W')));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].size(), 45u);

    // Tabs are blanks to the next stop, 8 apart when the setting is 0.
    m_settings.m_nEDTabSize = 0;
    runs = PdfRuns(Pdf("a\tb"));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], "a       b");
}

TEST_F(ExportTest, PdfPagesBreakAtTheBottomMarginAndKeepRoomForALine)
{
    // 58 lines fit on A4 between the default margins.
    const std::string pdf58 = Pdf(Repeat("x\n", 57) + "x");
    EXPECT_EQ(CountOf(pdf58, "/Type/Page/"), 1u);
    EXPECT_EQ(CountOf(pdf58, "T*\n"), 56u);
    const std::string pdf59 = Pdf(Repeat("x\r\n", 58) + "x");
    ExpectConsistentPdf(pdf59);
    EXPECT_EQ(CountOf(pdf59, "/Type/Page/"), 2u);
    EXPECT_EQ(PdfContentStreams(pdf59)[1], "BT 1 0 0 1 72 762 Tm\n/F1 10 Tf 0 0 0 rg (x)Tj\nET");
    EXPECT_NE(pdf59.find("/MediaBox[ 0 0 595 842]"), std::string::npos);

    m_settings.m_nExportPDFPageSize = 1;
    m_settings.m_nExportPDFMarginLeft = 400;
    m_settings.m_nExportPDFMarginRight = 300;
    m_settings.m_nExportPDFMarginTop = 10000;
    m_settings.m_nExportPDFMarginBottom = 0;
    const std::string pdf = Pdf("a\nb\nc");
    ExpectConsistentPdf(pdf);
    EXPECT_NE(pdf.find("/MediaBox[ 0 0 712 10012]"), std::string::npos);
    // The one line that fits is on each page.
    EXPECT_EQ(CountOf(pdf, "/Type/Page/"), 3u);
    EXPECT_NE(pdf.find("BT 1 0 0 1 400 4 Tm\n"), std::string::npos);
}

TEST_F(ExportTest, PdfNumbersDoNotFollowTheLocale)
{
    const char* pszLocale = setlocale(LC_ALL, "German_Germany.1252");
    const std::string pdf = Pdf("a\nb\nc");
    setlocale(LC_ALL, "C");
    if (pszLocale == NULL)
        GTEST_SKIP() << "no German locale here";
    EXPECT_NE(pdf.find("0 -12.0 TD\n"), std::string::npos);
}

// ---- XML ----

TEST_F(ExportTest, XmlCountsBlanksAndReplacesMarkupInsideTheRun)
{
    const std::string xml = Xml("--a  <b");
    EXPECT_EQ(xml.compare(0, 40, "<?xml version='1.0' encoding='ascii'?>\r\n"), 0);
    EXPECT_NE(xml.find("<line n='1'><t n='2'>--a<s n='2'/><l/>b</t></line>\r\n"), std::string::npos);
    EXPECT_NE(xml.find(" type='unknown' version='1.0'>\r\n<data comment='This element is reserved for future "
                       "usage.'/>\r\n<text>\r\n"), std::string::npos);
    EXPECT_EQ(xml.substr(xml.size() - 22), "</text>\r\n</document>\r\n");

    m_settings.m_nExportXMLCollapseSpaces = 0;
    EXPECT_NE(Xml("a  <b").find("<line n='1'><t n='11'>a</t><t n='10'><s/><s/><l/></t><t n='11'>b</t></line>"),
              std::string::npos);
}

TEST_F(ExportTest, XmlEmptyLinesAndLineEnds)
{
    // Three empty lines between two lines are one <line/>; trailing blanks stay with
    // their line.
    std::string xml = Xml("a \r\n\n\r\n\nb");
    EXPECT_NE(xml.find("<line n='1'><t n='11'>a<s/></t></line>\r\n<line/>\r\n<line n='5'><t n='11'>b</t></line>"),
              std::string::npos);
    m_settings.m_nExportXMLCollapseLines = 0;
    xml = Xml("a\r\r\n\nb\n");
    EXPECT_NE(xml.find("</line>\r\n<line n='2'/>\r\n<line n='3'/>\r\n<line n='4'><t n='11'>b</t></line>\r\n"
                       "<line n='5'/>\r\n</text>"),
              std::string::npos);
}

TEST_F(ExportTest, XmlIsAsciiAndRebuildsTheDocument)
{
    const std::string text = SampleLuaDocument(2);
    for (int nCollapse = 0; nCollapse < 2; nCollapse++)
    {
        m_settings.m_nExportXMLCollapseSpaces = nCollapse;
        m_settings.m_nExportXMLCollapseLines = nCollapse;
        const std::string xml = Xml(text, "C:\\a&b\\it's <\"x\">.lua");
        for (unsigned char b : xml)
            ASSERT_TRUE((b >= 0x20 && b < 0x80) || b == '\r' || b == '\n') << "byte " << (int)b;
        std::vector<std::string> lines = DocumentLines(text, 4);
        for (std::string& line : lines)
            if (line.find_first_not_of(' ') == std::string::npos)
                line.clear(); // blank lines have no visible character
        if (nCollapse)
            while (!lines.empty() && lines.back().empty())
                lines.pop_back();
        EXPECT_EQ(RebuildXmlText(xml), JoinLines(lines)) << "collapse " << nCollapse;

        TiXmlDocument doc;
        doc.Parse(xml.c_str(), 0, TIXML_ENCODING_UTF8);
        ASSERT_FALSE(doc.Error());
        EXPECT_STREQ(doc.RootElement()->Attribute("filename"), "C:\\a&b\\it's <\"x\">.lua");
    }
    EXPECT_NE(Xml(text).find("caf&#233;<s/>&#252;ber<s/>&#169;<s/>&#8364;"), std::string::npos);
    EXPECT_NE(Xml(text).find("<c n='1'/><c n='7'/><c n='27'/>"), std::string::npos);
}

// ---- RTF ----

TEST_F(ExportTest, RtfHeaderColourTableAndStyleChanges)
{
    std::string rtf = Rtf("local x\nprint(y)");
    EXPECT_EQ(rtf.compare(0, rtf.find('\r'),
                          "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil\\fcharset1 Courier New;}}"
                          "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red0\\green128\\blue0;"
                          "\\red0\\green128\\blue128;\\red0\\green0\\blue255;\\red128\\green0\\blue128;"
                          "\\red0\\green80\\blue128;\\red128\\green128\\blue255;}"),
              0);
    EXPECT_NE(rtf.find("}\r\n\\f0\\fs20\\cf0 \\cf4\\highlight1 local\\cf0  x\\par\r\n\\cf6\\b print\\cf0\\b0 (y)}"),
              std::string::npos);
    EXPECT_EQ(rtf.back(), '}');

    // The default's colours open the table even when they are equal.
    m_settings.m_FandC[CAppSettings::FandCDefault].m_nForeClr = 0x00FF00;
    m_settings.m_FandC[CAppSettings::FandCDefault].m_nBackClr = 0x00FF00;
    m_settings.m_nFandCSize = 12;
    rtf = Rtf("x");
    EXPECT_NE(rtf.find("{\\colortbl\\red0\\green255\\blue0;\\red0\\green255\\blue0;"), std::string::npos);
    EXPECT_NE(rtf.find("}\r\n\\f0\\fs24\\cf0 "), std::string::npos);

    // A dark default background reaches the text from its first character on.
    m_settings.m_FandC[CAppSettings::FandCDefault].m_nForeClr = 0xFFFFFF;
    m_settings.m_FandC[CAppSettings::FandCDefault].m_nBackClr = 0x000000;
    for (CAppSettings::CStyleSetting& entry : m_settings.m_FandC)
        entry = m_settings.m_FandC[CAppSettings::FandCDefault];
    rtf = Rtf("x");
    EXPECT_NE(rtf.find("{\\colortbl\\red255\\green255\\blue255;\\red0\\green0\\blue0;"), std::string::npos);
    EXPECT_NE(rtf.find("\\cf0 \\highlight1 x}"), std::string::npos);
}

TEST_F(ExportTest, RtfEscapesMarkupHighAndControlBytes)
{
    m_settings.m_strFandCFont = "Odd{Font}\\\xE9;";
    m_settings.m_nEDTabSize = 0;
    for (CAppSettings::CStyleSetting& entry : m_settings.m_FandC)
        entry = m_settings.m_FandC[CAppSettings::FandCDefault]; // no style changes
    const std::string rtf = Rtf("-- {a}\\\xE9\x01\x0C\tb\rc\r\nd\n");
    EXPECT_NE(rtf.find("\\fcharset1 Odd\\{Font\\}\\\\\\'e9\\'3b;}"), std::string::npos);
    EXPECT_NE(rtf.find("\\cf0 \\highlight1 -- \\{a\\}\\\\\\'e9\\'01\\'0c      b\\par\r\nc\\par\r\nd\\par\r\n}"), std::string::npos);
    for (unsigned char b : rtf)
        ASSERT_TRUE((b >= 0x20 && b < 0x80) || b == '\r' || b == '\n') << "byte " << (int)b;
}

// ---- XHTML ----

TEST_F(ExportTest, XhtmlHeadRulesAndBody)
{
    m_settings.m_nExportHTMLOnlyStylesUsed = 1;
    std::string html = Xhtml("x = 1", "C:\\a&b\\<t>.lua");
    EXPECT_EQ(html.compare(0, html.find("\r\n"),
                           "<!DOCTYPE html  PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                           "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"),
              0);
    EXPECT_NE(html.find("<title>&lt;t&gt;.lua</title>\r\n<meta name=\"GENERATOR\" content=\"Vorn 1.0.1\" />\r\n"),
              std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(CountOf(html, " {\r\n"), 5u); // styles 0, 4, 10, 11 and the span rule
    EXPECT_NE(html.find("span {\r\n\tfont-family: 'Courier New';\r\n\tfont-size: 10pt;\r\n\tcolor: #000000;\r\n"
                        "\tbackground: #FFFFFF;\r\n}\r\n"),
              std::string::npos);
    EXPECT_NE(html.find(".S4 {\r\n\tfont-family: 'Courier New';\r\n\tfont-size: 10pt;\r\n\tcolor: #008080;\r\n"),
              std::string::npos);
    EXPECT_NE(html.find("<body bgcolor=\"#FFFFFF\">\r\n<span><span class=\"S11\">x</span><span class=\"S0\"> "
                        "</span><span class=\"S10\">=</span>"),
              std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 27), "</span>\r\n</body>\r\n</html>\r\n");

    m_settings.m_nExportHTMLOnlyStylesUsed = 0;
    m_settings.m_nExportHTMLWYSIWYG = 0;
    m_settings.m_nExportHTMLTitleFullPath = 1;
    m_settings.m_strFandCFont = "It's";
    m_settings.m_FandC[CAppSettings::FandCWord2].m_nBold = 1;
    html = Xhtml("x", "C:\\a&b\\<t>.lua");
    EXPECT_NE(html.find("<title>C:\\a&amp;b\\&lt;t&gt;.lua</title>"), std::string::npos);
    EXPECT_EQ(CountOf(html, " {\r\n"), 121u); // 0-127 but for 33-39
    EXPECT_EQ(html.find(".S33 "), std::string::npos);
    EXPECT_NE(html.find(".S13 {\r\n\tfont-weight: bold;\r\n\tcolor: #005080;"), std::string::npos);
    EXPECT_EQ(html.find("font-family"), std::string::npos);
    EXPECT_NE(html.find("<pre><span class=\"S11\">x</span></pre>\r\n</body>"), std::string::npos);

    m_settings.m_nExportHTMLWYSIWYG = 1;
    EXPECT_NE(Xhtml("x").find("\tfont-family: 'It\\27 s';\r\n"), std::string::npos);
}

TEST_F(ExportTest, XhtmlBlanksTabsAndCharacters)
{
    // As it looks: the first blank of a run is a blank, the others &nbsp;, at a line
    // start all of them; tabs alternate up to the stop.
    m_settings.m_nEDTabSize = 0;
    EXPECT_EQ(WithoutSpans(BodyOf(Xhtml("a  b\n  c\td\r\n\tx"))),
              "a &nbsp;b<br />\r\n&nbsp;&nbsp;c&nbsp;d<br />\r\n&nbsp; &nbsp; x");
    EXPECT_EQ(WithoutSpans(BodyOf(Xhtml("s = '&<>\xE9\x01\x0C'"))),
              "s = '&amp;&lt;&gt;&#233;&#9217;&#9228;'");

    m_settings.m_nExportHTMLWYSIWYG = 0;
    m_settings.m_nEDTabSize = 3;
    EXPECT_EQ(WithoutSpans(BodyOf(Xhtml("a\tb  c\n"))), "<pre>a  b  c\r\n</pre>");
    m_settings.m_nExportHTMLTabs = 1;
    EXPECT_EQ(WithoutSpans(BodyOf(Xhtml("a\tb  c\n"))), "<pre>a\tb  c\r\n</pre>");

    const std::string html = Xhtml(SampleLuaDocument(), "C:\\\xE9t\xE9\\doc.lua");
    for (unsigned char b : html)
        ASSERT_TRUE((b >= 0x20 && b < 0x80) || b == '\r' || b == '\n' || b == '\t') << "byte " << (int)b;
}

TEST_F(ExportTest, XhtmlFoldBlocksAreBalancedUniqueAndHoldTheirLines)
{
    m_settings.m_nExportHTMLFolding = 1;
    const std::string text = SampleLuaDocument(2) + "function g()\n\tif a then if b then\n\t\tc()\nend end end";
    for (int nWysiwyg = 0; nWysiwyg < 2; nWysiwyg++)
    {
        m_settings.m_nExportHTMLWYSIWYG = nWysiwyg;
        const std::string html = Xhtml(text);
        EXPECT_NE(html.find("<script type=\"text/javascript\">"), std::string::npos);
        const size_t nScript = html.find("<script");
        const std::string script = html.substr(nScript, html.find("</script>") - nScript);
        EXPECT_EQ(script.find_first_of("&", 0), std::string::npos);
        EXPECT_EQ(script.find('<', 1), std::string::npos);

        TiXmlDocument doc;
        doc.Parse(html.c_str(), 0, TIXML_ENCODING_UTF8);
        ASSERT_FALSE(doc.Error()) << doc.ErrorDesc() << " row " << doc.ErrorRow();
        const TiXmlElement* pBody = doc.RootElement()->FirstChildElement("body");
        ASSERT_TRUE(pBody != NULL);
        std::vector<std::string> ids, toggles;
        CollectAttributes(pBody, "id", ids);
        CollectAttributes(pBody, "onclick", toggles);
        EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size()) << "ids are unique";
        EXPECT_GE(ids.size(), toggles.size());
        ASSERT_FALSE(toggles.empty());

        // Each toggle names the block that holds exactly the lines its header folds.
        const std::vector<std::string> lines = DocumentLines(text, 4);
        for (const std::string& toggle : toggles)
        {
            const std::string id = toggle.substr(8, toggle.find('\'', 8) - 8);
            const int nHeader = atoi(id.c_str() + 2) - 1;
            const int nLevel = (int)m_editor.Send(SCI_GETFOLDLEVEL, nHeader) & SC_FOLDLEVELNUMBERMASK;
            int nLast = nHeader + 1;
            while (nLast + 1 < (int)lines.size()
                   && ((int)m_editor.Send(SCI_GETFOLDLEVEL, nLast + 1) & SC_FOLDLEVELNUMBERMASK) > nLevel)
                nLast++;
            const std::string block = SpanWithId(html, id);
            ASSERT_FALSE(block.empty()) << id;
            std::vector<std::string> shown = DocumentLines(HtmlText(block), 4);
            std::vector<std::string> expected(lines.begin() + nHeader + 1, lines.begin() + nLast + 1);
            if (nLast + 1 < (int)lines.size())
                expected.push_back(""); // the block ends after its last line end
            ASSERT_EQ(shown.size(), expected.size()) << id;
            for (size_t i = 0; i < shown.size(); i++)
                EXPECT_EQ(shown[i].empty() ? "" : shown[i].substr(2), expected[i]) << id << " line " << i;
        }
    }
}

// ---- Commands ----

TEST(ExportSupport, DefaultExportPathDropsOnlyTheFileNamesExtension)
{
    EXPECT_STREQ(ExportSupport::DefaultExportPath("C:\\src\\main.lua"), "C:\\src\\main");
    EXPECT_STREQ(ExportSupport::DefaultExportPath("C:\\src\\main.test.lua"), "C:\\src\\main.test");
    EXPECT_STREQ(ExportSupport::DefaultExportPath("C:\\my.dir\\file"), "C:\\my.dir\\file");
    EXPECT_STREQ(ExportSupport::DefaultExportPath("C:\\my.dir/file"), "C:\\my.dir/file");
    EXPECT_STREQ(ExportSupport::DefaultExportPath("C:\\src\\.luarc"), "C:\\src\\.luarc");
    EXPECT_STREQ(ExportSupport::DefaultExportPath("script.lua"), "script");
    EXPECT_STREQ(ExportSupport::DefaultExportPath(""), "");
}

// ---- Failures ----

TEST_F(ExportTest, FailedExportsReturnZeroAndLeaveTheTargetAsItWas)
{
    m_editor.SetText(SampleLuaDocument());
    const CString strMissing = m_folder / "missing\\out";
    const CString strLocked = m_folder / "locked";
    WriteTestFile(strLocked, "old content");
    ASSERT_TRUE(::SetFileAttributesA(strLocked, FILE_ATTRIBUTE_READONLY));
    // A folder of the target's name: the whole export is written, and only replacing
    // the target fails; that too is a failure, and the written file goes away.
    const CString strFolder = m_folder / "folder";
    ASSERT_TRUE(::CreateDirectoryA(strFolder, NULL));
    for (LPCTSTR pszTarget : { (LPCTSTR)strMissing, (LPCTSTR)strLocked, (LPCTSTR)strFolder })
    {
        EXPECT_EQ(ExportPdf(pszTarget, m_editor.Text(), m_settings), 0);
        EXPECT_EQ(ExportRtf(pszTarget, m_editor.Text(), m_settings), 0);
        EXPECT_EQ(ExportXhtml(pszTarget, m_editor.Text(), "doc.lua", m_settings), 0);
        EXPECT_EQ(ExportXml(pszTarget, m_editor.Text(), "doc.lua", m_settings), 0);
    }
    EXPECT_FALSE(TestFileExists(strMissing));
    EXPECT_EQ(ReadTestFile(strLocked), "old content");
    // Nothing but the protected file and the folder is left.
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(m_folder / "*", &fd);
    ASSERT_NE(hFind, INVALID_HANDLE_VALUE);
    std::vector<std::string> names;
    do
        names.push_back(fd.cFileName);
    while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    EXPECT_EQ(names.size(), 4u) << ". .. folder locked";
    EXPECT_TRUE(::GetFileAttributesA(strFolder) & FILE_ATTRIBUTE_DIRECTORY);
    ::SetFileAttributesA(strLocked, FILE_ATTRIBUTE_NORMAL);
}
} // namespace
