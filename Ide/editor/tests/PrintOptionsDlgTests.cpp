// File > Print Options: the dialog run modally on the settings, its controls read and
// changed from a second thread as a user would.
#include "EditorTestSupport.h"

#include "CAppSettings.h"
#include "CPrintOptionsDlg.h"
#include "WindowBitmap.h"
#include "resource.h"

#include <atomic>
#include <functional>

namespace
{
// The controls in the order of the dialog's members; lists by index, checks 0/1.
const UINT kControls[] = { IDC_PRINT_HEADER_ALIGNMENT,  IDC_PRINT_HEADER,         IDC_PRINT_HEADER_BREAK_LINE,
                           IDC_PRINT_FILE_NAME,         IDC_PRINT_DATE,           IDC_PRINT_FOOTER_BREAK_LINE,
                           IDC_PRINT_FOOTER_ALIGNMENT,  IDC_PRINT_PAGE_NUMBERS,   IDC_PRINT_PAGE_STRING };

bool IsList(UINT nID)
{
    return nID == IDC_PRINT_HEADER_ALIGNMENT || nID == IDC_PRINT_FOOTER_ALIGNMENT;
}

std::vector<int> ReadControls(HWND hDlg)
{
    std::vector<int> values;
    for (UINT nID : kControls)
    {
        HWND hCtrl = ::GetDlgItem(hDlg, nID);
        values.push_back((int)::SendMessage(hCtrl, IsList(nID) ? CB_GETCURSEL : BM_GETCHECK, 0, 0));
    }
    return values;
}

void WriteControls(HWND hDlg, const std::vector<int>& values)
{
    for (size_t i = 0; i < values.size(); i++)
    {
        HWND hCtrl = ::GetDlgItem(hDlg, kControls[i]);
        ::SendMessage(hCtrl, IsList(kControls[i]) ? CB_SETCURSEL : BM_SETCHECK, (WPARAM)values[i], 0);
    }
}

std::vector<int> SettingsValues(const CAppSettings& s)
{
    return { s.m_nPrintHeaderAlignment, s.m_nPrintHeader,          s.m_nPrintHeaderBreakLine,
             s.m_nPrintFileName,        s.m_nPrintDate,            s.m_nPrintFooterBreakLine,
             s.m_nPrintFooterAlignment, s.m_nPrintPageNumbers,     s.m_nPrintPageString };
}

struct CDialogSeen
{
    std::string strCaption;
    std::vector<int> values;
    std::vector<std::string> listItems;
};

// Runs the dialog on the settings while a second thread reads it, lets change() act on
// it, and presses the button.
INT_PTR RunDialog(CAppSettings& settings, CDialogSeen& seen, int nButton,
                  const std::function<void(HWND)>& change = nullptr, LPCTSTR pszShot = NULL)
{
    const DWORD dwThreadId = ::GetCurrentThreadId();
    std::thread driver([&] {
        HWND hDlg = DialogDriver::WaitForDialog(dwThreadId, {});
        if (hDlg == NULL)
            return;
        char szCaption[64] = "";
        ::GetWindowTextA(hDlg, szCaption, sizeof(szCaption));
        seen.strCaption = szCaption;
        seen.values = ReadControls(hDlg);
        HWND hList = ::GetDlgItem(hDlg, IDC_PRINT_FOOTER_ALIGNMENT);
        for (int i = 0; i < (int)::SendMessage(hList, CB_GETCOUNT, 0, 0); i++)
        {
            char szItem[32] = "";
            ::SendMessageA(hList, CB_GETLBTEXT, (WPARAM)i, (LPARAM)szItem);
            seen.listItems.push_back(szItem);
        }
        if (pszShot != NULL)
        {
            ::RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            ::Sleep(300);
            CWnd wnd; // not attached: the dialog belongs to the other thread
            wnd.m_hWnd = hDlg;
            SaveWindowBitmap(&wnd, pszShot);
            wnd.m_hWnd = NULL;
        }
        if (change)
            change(hDlg);
        DialogDriver::PressButton(hDlg, nButton);
    });
    const INT_PTR nResult = CPrintOptionsDlg::EditSettings(settings, AfxGetMainWnd());
    driver.join();
    return nResult;
}
} // namespace

TEST_F(EditorWindowTest, PrintOptionsOpenOnAFreshInstallWithTheDefaults)
{
    CAppSettings settings;
    CDialogSeen seen;
    CString strShot;
    if (LPCTSTR pszFolder = ScreenshotFolder())
        strShot = CString(pszFolder) + "\\print_options.bmp";
    EXPECT_EQ(RunDialog(settings, seen, IDCANCEL, nullptr, strShot.IsEmpty() ? NULL : (LPCTSTR)strShot), IDCANCEL);
    EXPECT_EQ(seen.strCaption, "Print Options");
    // Header left, footer right, no date, everything else on.
    EXPECT_EQ(seen.values, std::vector<int>({ 1, 1, 1, 1, 0, 1, 2, 1, 1 }));
    EXPECT_EQ(seen.listItems, std::vector<std::string>({ "Center", "Left", "Right" }));
}

TEST_F(EditorWindowTest, PrintOptionsCancelKeepsAndOkWritesAllNine)
{
    CAppSettings settings;
    const std::vector<int> before = SettingsValues(settings);
    const std::vector<int> changed = { 2, 0, 0, 0, 1, 0, 0, 0, 0 };
    CDialogSeen seen;
    auto change = [&](HWND hDlg) { WriteControls(hDlg, changed); };
    EXPECT_EQ(RunDialog(settings, seen, IDCANCEL, change), IDCANCEL);
    EXPECT_EQ(SettingsValues(settings), before);

    EXPECT_EQ(RunDialog(settings, seen, IDOK, change), IDOK);
    EXPECT_EQ(SettingsValues(settings), changed);
    // And back again, every field the other way.
    const std::vector<int> again = { 0, 1, 1, 1, 0, 1, 1, 1, 1 };
    EXPECT_EQ(RunDialog(settings, seen, IDOK, [&](HWND hDlg) { WriteControls(hDlg, again); }), IDOK);
    EXPECT_EQ(seen.values, changed);
    EXPECT_EQ(SettingsValues(settings), again);
}

TEST_F(EditorWindowTest, PrintOptionsShowStoredAlignmentsOutOfRangeAsTheDefaults)
{
    CAppSettings settings;
    settings.m_nPrintHeaderAlignment = 5;
    settings.m_nPrintFooterAlignment = -1;
    CDialogSeen seen;
    EXPECT_EQ(RunDialog(settings, seen, IDCANCEL), IDCANCEL);
    ASSERT_EQ(seen.values.size(), 9u);
    EXPECT_EQ(seen.values[0], 1);
    EXPECT_EQ(seen.values[6], 2);
    // Cancel leaves even those as they were.
    EXPECT_EQ(settings.m_nPrintHeaderAlignment, 5);
    // A list left without a choice never writes CB_ERR back.
    auto unchoose = [](HWND hDlg) {
        ::SendMessage(::GetDlgItem(hDlg, IDC_PRINT_HEADER_ALIGNMENT), CB_SETCURSEL, (WPARAM)-1, 0);
        ::SendMessage(::GetDlgItem(hDlg, IDC_PRINT_FOOTER_ALIGNMENT), CB_SETCURSEL, (WPARAM)-1, 0);
    };
    EXPECT_EQ(RunDialog(settings, seen, IDOK, unchoose), IDOK);
    EXPECT_EQ(settings.m_nPrintHeaderAlignment, 1);
    EXPECT_EQ(settings.m_nPrintFooterAlignment, 2);
}
