// File > Print end to end through Wine's spooler: a printer with Wine's own PostScript
// driver whose port is a command, which turns the job into a PDF and the PDF into text.
// Skipped where ghostscript or poppler's tools are missing.
#include "EditorTestSupport.h"

#include <winspool.h>

#include <SciLexer.h>

#include <algorithm>
#include <atomic>

namespace
{
const char kDriverName[] = "Vorn Test PostScript";
const char kPrinterName[] = "Vorn Test Printer";

// A plain A4 PostScript printer.
const char kPpd[] = "*PPD-Adobe: \"4.3\"\n"
                    "*FormatVersion: \"4.3\"\n"
                    "*FileVersion: \"1.0\"\n"
                    "*LanguageVersion: English\n"
                    "*LanguageEncoding: ISOLatin1\n"
                    "*PCFileName: \"VORNTEST.PPD\"\n"
                    "*Manufacturer: \"Vorn\"\n"
                    "*Product: \"(Vorn Test)\"\n"
                    "*ModelName: \"Vorn Test PostScript\"\n"
                    "*NickName: \"Vorn Test PostScript\"\n"
                    "*ShortNickName: \"Vorn Test PostScript\"\n"
                    "*PSVersion: \"(3010.000) 0\"\n"
                    "*LanguageLevel: \"3\"\n"
                    "*ColorDevice: False\n"
                    "*DefaultColorSpace: Gray\n"
                    "*FileSystem: False\n"
                    "*Throughput: \"1\"\n"
                    "*LandscapeOrientation: Plus90\n"
                    "*TTRasterizer: Type42\n"
                    "*DefaultResolution: 300dpi\n"
                    "*OpenUI *PageSize/Page Size: PickOne\n"
                    "*OrderDependency: 10 AnySetup *PageSize\n"
                    "*DefaultPageSize: A4\n"
                    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
                    "*CloseUI: *PageSize\n"
                    "*OpenUI *PageRegion: PickOne\n"
                    "*OrderDependency: 10 AnySetup *PageRegion\n"
                    "*DefaultPageRegion: A4\n"
                    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
                    "*CloseUI: *PageRegion\n"
                    "*DefaultImageableArea: A4\n"
                    "*ImageableArea A4/A4: \"18 18 577 824\"\n"
                    "*DefaultPaperDimension: A4\n"
                    "*PaperDimension A4/A4: \"595 842\"\n"
                    "*DefaultFont: Courier\n"
                    "*Font Courier: Standard \"(002.004S)\" Standard ROM\n";

const char kDeviceKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

bool HostHasTool(const char* pszUnixPath)
{
    CString strPath = CString("Z:") + pszUnixPath;
    strPath.Replace('/', '\\');
    return ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

// The test printer, the default while it exists; the user's default printer comes
// back when it goes.
class CTestPrinter
{
public:
    explicit CTestPrinter(const std::string& strPortCommand)
    {
        m_bHadDevice = ReadDevice(m_strDevice);
        char szDir[MAX_PATH] = "";
        DWORD cb = 0;
        ::GetPrinterDriverDirectoryA(NULL, NULL, 1, (LPBYTE)szDir, sizeof(szDir), &cb);
        WriteTestFile(CString(szDir) + "\\vorntest.ppd", kPpd);
        DRIVER_INFO_3A driver = {};
        driver.cVersion = 3;
        driver.pName = (LPSTR)kDriverName;
        driver.pDriverPath = (LPSTR) "wineps.drv";
        driver.pDataFile = (LPSTR) "vorntest.ppd";
        driver.pConfigFile = (LPSTR) "wineps.drv";
        m_bDriver = ::AddPrinterDriverA(NULL, 3, (LPBYTE)&driver);
        PRINTER_INFO_2A printer = {};
        printer.pPrinterName = (LPSTR)kPrinterName;
        printer.pPortName = (LPSTR)strPortCommand.c_str();
        printer.pDriverName = (LPSTR)kDriverName;
        printer.pPrintProcessor = (LPSTR) "WinPrint";
        printer.pDatatype = (LPSTR) "RAW";
        printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        HANDLE hPrinter = ::AddPrinterA(NULL, 2, (LPBYTE)&printer);
        m_bPrinter = hPrinter != NULL;
        if (hPrinter != NULL)
            ::ClosePrinter(hPrinter);
        ::SetDefaultPrinterA(kPrinterName);
    }
    ~CTestPrinter()
    {
        HANDLE hPrinter = NULL;
        if (::OpenPrinterA((LPSTR)kPrinterName, &hPrinter, NULL))
        {
            ::DeletePrinter(hPrinter);
            ::ClosePrinter(hPrinter);
        }
        ::DeletePrinterDriverA(NULL, NULL, (LPSTR)kDriverName);
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kDeviceKey, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS)
        {
            if (m_bHadDevice)
                ::RegSetValueExA(hKey, "Device", 0, REG_SZ, (const BYTE*)m_strDevice.c_str(),
                                 (DWORD)m_strDevice.size() + 1);
            else
                ::RegDeleteValueA(hKey, "Device");
            ::RegCloseKey(hKey);
        }
    }
    bool IsReady() const { return m_bDriver && m_bPrinter; }

private:
    BOOL m_bDriver = FALSE;
    BOOL m_bPrinter = FALSE;
    bool m_bHadDevice = false;
    std::string m_strDevice;

    static bool ReadDevice(std::string& strDevice)
    {
        char szValue[512] = "";
        DWORD cb = sizeof(szValue);
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kDeviceKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
            return false;
        const bool bFound = ::RegQueryValueExA(hKey, "Device", NULL, NULL, (LPBYTE)szValue, &cb) == ERROR_SUCCESS;
        ::RegCloseKey(hKey);
        strDevice = szValue;
        return bFound;
    }
};
} // namespace

TEST_F(EditorWindowTest, FilePrintThroughTheSpoolerGivesThePagesAsPostScript)
{
    if (!HostHasTool("/usr/bin/ps2pdf") || !HostHasTool("/usr/bin/pdftotext"))
        GTEST_SKIP() << "ghostscript or poppler-utils is not installed";
    // The port's command turns the job into text: PostScript, then PDF, then text, one
    // form feed after each page.
    const std::string strBase = "/tmp/vorn_spool_" + std::to_string(::GetCurrentProcessId());
    const std::string strText = strBase + ".txt";
    CString strTextFile = CString("Z:") + strText.c_str();
    strTextFile.Replace('/', '\\');
    ::DeleteFileA(strTextFile);
    CTestPrinter printer("|ps2pdf - " + strBase + ".pdf && pdftotext " + strBase + ".pdf " + strText + " && rm -f " +
                         strBase + ".pdf");
    ASSERT_TRUE(printer.IsReady());

    std::string sample;
    for (int i = 1; i <= 170; i++)
        sample += "spooled_line_" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    m_host.m_settings.m_nEDDisplayLineNumbers = 0;
    CVornDoc* pDoc = Open(WriteFile("spooled.lua", sample));
    ASSERT_TRUE(pDoc != NULL);

    // The system's print dialog, answered with Print.
    const DWORD dwThreadId = ::GetCurrentThreadId();
    std::atomic<bool> bDone{ false };
    std::string strCaption;
    std::thread driver([&] {
        HWND hDlg = DialogDriver::WaitForDialog(dwThreadId, {}, 15000);
        if (hDlg != NULL)
        {
            char szCaption[64] = "";
            ::GetWindowTextA(hDlg, szCaption, sizeof(szCaption));
            strCaption = szCaption;
            DialogDriver::PressButton(hDlg, IDOK);
        }
        bDone = true;
    });
    FrameOf(pDoc)->PostMessage(WM_COMMAND, ID_FILE_PRINT);
    PumpUntil([&] { return bDone.load(); }, 20000);
    driver.join();
    EXPECT_EQ(strCaption, "Print");
    PumpUntil([&] { return ::GetFileAttributesA(strTextFile) != INVALID_FILE_ATTRIBUTES; }, 30000);
    ::Sleep(300);
    PumpPending();
    const std::string text = ReadTestFile(strTextFile);
    ::DeleteFileA(strTextFile);
    EXPECT_TRUE(theApp.m_messageBoxes.empty());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 3) << text;
    // Every line once, in order, then the last page's footer.
    size_t nAt = 0;
    for (int i = 1; i <= 170; i++)
    {
        const std::string strLine = "spooled_line_" + std::to_string(i) + " ";
        const size_t nFound = text.find(strLine, nAt);
        ASSERT_NE(nFound, std::string::npos) << strLine;
        EXPECT_EQ(text.find(strLine, nFound + 1), std::string::npos) << strLine;
        nAt = nFound;
    }
    EXPECT_NE(text.find("spooled.lua"), std::string::npos);
    EXPECT_NE(text.find("Page 3"), std::string::npos);
    EXPECT_TRUE(FrameOf(pDoc)->IsWindowVisible());
    EXPECT_EQ((int)ViewOf(pDoc)->GetCtrl().Call(SCI_GETWRAPMODE, 0, 0), 0);
}
