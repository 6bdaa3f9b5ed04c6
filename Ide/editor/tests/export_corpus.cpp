// Writes the exports that check_exports.sh hands to the validators: the sample Lua
// document in each format, PDF in each font and page size, XHTML under every
// combination of its options and XML under each collapse choice, plus the document's
// own bytes to compare the extracted text with.
//   export_corpus <folder>
#include <stdio.h>

#include <string>

#include "CAppSettings.h"
#include "ExportTestSupport.h"
#include "Exporters.h"

namespace
{
bool g_bFailed = false;

void Check(int nResult, const CString& strPath)
{
    if (nResult != 1)
    {
        fprintf(stderr, "export_corpus: %s was not written\n", (LPCTSTR)strPath);
        g_bFailed = true;
    }
}

bool WriteBytes(const CString& strPath, const std::string& bytes)
{
    FILE* pFile = fopen(strPath, "wb");
    if (pFile == NULL)
        return false;
    const bool bWritten = fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    return fclose(pFile) == 0 && bWritten;
}

void WritePdfs(CHiddenLuaEditor& editor, const CString& strFolder)
{
    static const char* const kFonts[] = { "courier", "helvetica", "times" };
    static const char* const kPages[] = { "a4", "letter" };
    CAppSettings settings;
    for (int nFont = 0; nFont < 3; nFont++)
        for (int nPage = 0; nPage < 2; nPage++)
        {
            settings.m_nExportPDFFont = nFont;
            settings.m_nExportPDFPageSize = nPage;
            CString strPath;
            strPath.Format("%ssample-%s-%s.pdf", (LPCTSTR)strFolder, kFonts[nFont], kPages[nPage]);
            Check(ExportPdf(strPath, editor.Text(), settings), strPath);
        }

    // One long comment line per font: Courier's 75 characters a line, Helvetica's
    // widths, and parentheses and backslashes that must come out as they are.
    std::string line = "--";
    for (int i = 0; line.size() < 200; i++)
        line += i % 3 == 0 ? " (paren)" : i % 3 == 1 ? " back\\slash" : " W";
    for (int nFont = 0; nFont < 3; nFont++)
    {
        editor.SetText(line);
        settings.m_nExportPDFFont = nFont;
        settings.m_nExportPDFPageSize = 0;
        CString strPath;
        strPath.Format("%swrap-%s.pdf", (LPCTSTR)strFolder, kFonts[nFont]);
        Check(ExportPdf(strPath, editor.Text(), settings), strPath);
    }
    WriteBytes(strFolder + "wrap.txt", line);
    editor.SetText(std::string(100, 'W'));
    settings.m_nExportPDFFont = 1;
    Check(ExportPdf(strFolder + "wrap-w.pdf", editor.Text(), settings), strFolder + "wrap-w.pdf");

    editor.SetText("");
    Check(ExportPdf(strFolder + "empty.pdf", editor.Text(), settings), strFolder + "empty.pdf");
}

void WriteXhtmls(CHiddenLuaEditor& editor, const CString& strFolder)
{
    CAppSettings settings;
    for (int nOptions = 0; nOptions < 32; nOptions++)
    {
        settings.m_nExportHTMLWYSIWYG = nOptions & 1;
        settings.m_nExportHTMLTabs = (nOptions >> 1) & 1;
        settings.m_nExportHTMLFolding = (nOptions >> 2) & 1;
        settings.m_nExportHTMLOnlyStylesUsed = (nOptions >> 3) & 1;
        settings.m_nExportHTMLTitleFullPath = (nOptions >> 4) & 1;
        CString strPath;
        strPath.Format("%ssample-w%d-t%d-f%d-o%d-p%d.html", (LPCTSTR)strFolder, nOptions & 1, (nOptions >> 1) & 1,
                       (nOptions >> 2) & 1, (nOptions >> 3) & 1, (nOptions >> 4) & 1);
        Check(ExportXhtml(strPath, editor.Text(), "C:\\Lua & Co\\caf\xE9 <1>.lua", settings), strPath);
    }
}

void WriteXmls(CHiddenLuaEditor& editor, const CString& strFolder)
{
    CAppSettings settings;
    for (int nOptions = 0; nOptions < 4; nOptions++)
    {
        settings.m_nExportXMLCollapseSpaces = nOptions & 1;
        settings.m_nExportXMLCollapseLines = nOptions >> 1;
        CString strPath;
        strPath.Format("%ssample-s%d-l%d.xml", (LPCTSTR)strFolder, nOptions & 1, nOptions >> 1);
        Check(ExportXml(strPath, editor.Text(), "it's \"caf\xE9\" & <1>.lua", settings), strPath);
    }
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: export_corpus <folder>\n");
        return 2;
    }
    CString strFolder(argv[1]);
    if (strFolder.Right(1) != "\\" && strFolder.Right(1) != "/")
        strFolder += "\\";
    CHiddenLuaEditor editor;
    if (!editor.IsReady())
    {
        fprintf(stderr, "export_corpus: no Scintilla control with the Lua lexer\n");
        return 1;
    }
    const std::string document = SampleLuaDocument(3);
    if (!WriteBytes(strFolder + "sample.lua", document))
    {
        fprintf(stderr, "export_corpus: cannot write into %s\n", (LPCTSTR)strFolder);
        return 1;
    }
    CAppSettings settings;
    editor.SetText(document);
    Check(ExportRtf(strFolder + "sample.rtf", editor.Text(), settings), strFolder + "sample.rtf");
    WriteXhtmls(editor, strFolder);
    WriteXmls(editor, strFolder);
    WritePdfs(editor, strFolder); // last: it loads other texts
    return g_bFailed ? 1 : 0;
}
