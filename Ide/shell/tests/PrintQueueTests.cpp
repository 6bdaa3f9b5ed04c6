// File > Print from the real Vorn.exe through a real printer queue: the test command's
// private CUPS with the PDF printer of cups-pdf. Wine must list that printer in the
// print dialog; the job must come out as a PDF. The PDF's text is checked by
// check-print-queue-pdf.sh (pdftotext runs outside Wine), from the report this test
// leaves beside it. Skipped where the test command could not start CUPS.
#include "VornProcess.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <winspool.h>

#include <string>

namespace
{
const char kPrinterName[] = "VornPDF";
const int kLines = 200;
const UINT kIdFilePrint = 0xE107;   // ID_FILE_PRINT
const int kPrinterCombo = 0x473;    // the print dialog's list of printers

CString EnvironmentValue(LPCTSTR pszName)
{
    char szValue[1024] = "";
    const DWORD cch = ::GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
    return cch > 0 && cch < sizeof(szValue) ? CString(szValue) : CString();
}

CString WindowsPath(const CString& strUnixPath)
{
    CString strPath = "Z:" + strUnixPath;
    strPath.Replace('/', '\\');
    return strPath;
}

CString TestFolder()
{
    char szTemp[MAX_PATH] = "";
    ::GetTempPathA(sizeof(szTemp), szTemp);
    CString strFolder;
    strFolder.Format("%svorn_print_queue_%lu\\", szTemp, ::GetCurrentProcessId());
    ::CreateDirectoryA(strFolder, NULL);
    return strFolder;
}

std::string SampleText()
{
    std::string text;
    for (int i = 1; i <= kLines; i++)
        text += "queue_line_" + std::to_string(1000 + i) + " = " + std::to_string(i) + "\r\n";
    return text;
}

// The newest PDF in the folder written after the time given, or empty.
CString NewestPdfSince(const CString& strFolder, const FILETIME& ftSince)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(strFolder + "\\*.pdf", &data);
    CString strNewest;
    FILETIME ftNewest = ftSince;
    if (hFind == INVALID_HANDLE_VALUE)
        return strNewest;
    do
    {
        if (::CompareFileTime(&data.ftLastWriteTime, &ftNewest) > 0 && data.nFileSizeLow > 0)
        {
            ftNewest = data.ftLastWriteTime;
            strNewest = strFolder + "\\" + data.cFileName;
        }
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return strNewest;
}

// The print dialog's printers, as its list shows them.
std::string ListedPrinters(HWND hDialog)
{
    std::string names;
    HWND hCombo = ::GetDlgItem(hDialog, kPrinterCombo);
    const int nCount = (int)::SendMessageW(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++)
    {
        WCHAR szName[256] = L"";
        ::SendMessageW(hCombo, CB_GETLBTEXT, i, (LPARAM)szName);
        char szNarrow[256] = "";
        ::WideCharToMultiByte(CP_ACP, 0, szName, -1, szNarrow, sizeof(szNarrow), NULL, NULL);
        names += std::string(szNarrow) + ";";
    }
    return names;
}

// The printer Wine copied from CUPS into the prefix goes with the test: later programs
// of the suite expect no printer.
void ForgetPrinter()
{
    HANDLE hPrinter = NULL;
    PRINTER_DEFAULTSA defaults = { NULL, NULL, PRINTER_ALL_ACCESS };
    if (::OpenPrinterA((LPSTR)kPrinterName, &hPrinter, &defaults))
    {
        ::DeletePrinter(hPrinter);
        ::ClosePrinter(hPrinter);
    }
}
} // namespace

TEST(PrintQueue, FilePrintFromVornReachesTheCupsPdfPrinter)
{
    // Vorn inherits the scheduler's address (CUPS_SERVER) from this program.
    const CString strServer = EnvironmentValue("CUPS_SERVER");
    const CString strPdfDir = EnvironmentValue("VORN_CUPS_PDF_DIR");
    const CString strReport = EnvironmentValue("VORN_PRINT_QUEUE_REPORT");
    ASSERT_FALSE(strReport.IsEmpty());
    ::DeleteFileA(strReport);
    // The test command names the PDFs' folder only when its CUPS runs.
    if (strServer.IsEmpty() || strPdfDir.IsEmpty())
        GTEST_SKIP() << "no private CUPS: the test command starts one where the machine allows";
    const CString strFolder = TestFolder();
    const CString strFile = strFolder + "queue_demo.lua";
    const std::string text = SampleText();
    {
        CFile file(strFile, CFile::modeCreate | CFile::modeWrite);
        file.Write(text.data(), (UINT)text.size());
    }
    CVornProcess vorn(strFolder, "VornPrintQueue.exe");
    ASSERT_TRUE(vorn.IsInstalled());
    vorn.DeleteRegistryKey();
    // The header gives the date as well as the file's name.
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyA(HKEY_CURRENT_USER, vorn.GetRegistryPath() + "\\Settings", &hKey));
    const DWORD dwOn = 1;
    ::RegSetValueExA(hKey, "PrintDate", 0, REG_DWORD, (const BYTE*)&dwOn, sizeof(dwOn));
    ::RegCloseKey(hKey);

    FILETIME ftStart;
    ::GetSystemTimeAsFileTime(&ftStart);
    ASSERT_TRUE(vorn.Start("\"" + strFile + "\""));
    HWND hMain = vorn.WaitForMainWindow();
    ASSERT_TRUE(hMain != NULL);
    ::PostMessageA(hMain, WM_COMMAND, kIdFilePrint, 0);
    HWND hDialog = vorn.WaitForMessageBox(30000);
    ASSERT_TRUE(hDialog != NULL) << "the print dialog";
    EXPECT_NE(ListedPrinters(hDialog).find(kPrinterName), std::string::npos)
        << "Wine lists the queue: " << ListedPrinters(hDialog);
    ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDialog, IDOK));

    const CString strPdfFolder = WindowsPath(strPdfDir);
    CString strPdf;
    for (DWORD dwStart = ::GetTickCount(); strPdf.IsEmpty() && ::GetTickCount() - dwStart < 90000;)
    {
        ::Sleep(250);
        strPdf = NewestPdfSince(strPdfFolder, ftStart);
    }
    // The PDF is complete once its size stays.
    for (DWORD dwSize = (DWORD)-1, dwStart = ::GetTickCount(); !strPdf.IsEmpty() && ::GetTickCount() - dwStart < 10000;)
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        ::GetFileAttributesExA(strPdf, GetFileExInfoStandard, &data);
        if (data.nFileSizeLow == dwSize)
            break;
        dwSize = data.nFileSizeLow;
        ::Sleep(500);
    }
    EXPECT_TRUE(vorn.Close());
    vorn.DeleteRegistryKey();
    ForgetPrinter();
    ::DeleteFileA(strFile);
    ::RemoveDirectoryA(strFolder);
    ASSERT_FALSE(strPdf.IsEmpty()) << "no PDF came out of the queue in " << (LPCTSTR)strPdfFolder;

    // The checker reads the PDF (a Unix path), the file's name and its line count.
    char szUnixPdf[MAX_PATH] = "";
    CString strUnixPdf = strPdf.Mid(2);
    strUnixPdf.Replace('\\', '/');
    lstrcpynA(szUnixPdf, strUnixPdf, sizeof(szUnixPdf));
    CString strLines;
    strLines.Format("%s\nqueue_demo.lua\n%d\n", szUnixPdf, kLines);
    CFile report(strReport, CFile::modeCreate | CFile::modeWrite);
    report.Write((LPCTSTR)strLines, strLines.GetLength());
}
