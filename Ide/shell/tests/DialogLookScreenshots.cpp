// Pictures of the real Vorn.exe's dialogs in each look, written when
// VORN_SCREENSHOT_DIR names a folder and looked at by eye: the Find, New Breakpoint
// and External Tools dialogs enlarged by their size grip (anchored controls), a hovered, a
// pressed and a disabled button, an open combo box, and the workspace sheets; the
// status bar with the caret panes, a menu's prompt, its grip and its right-click menu.
#include "ScreenPicture.h"
#include "SentInput.h"
#include "VornProcess.h"
#include "VornTestFolder.h"
#include "WindowBitmap.h"

#include "resource.h"

#include <gtest/gtest.h>

namespace
{
const char kExeName[] = "VornDialogLook.exe";

void Settle(DWORD dwMs = 400)
{
    ::Sleep(dwMs);
}

// The first push button child of the dialog with the text, or NULL.
HWND ButtonWithText(HWND hDlg, LPCSTR pszText)
{
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        char szText[64] = "", szClass[16] = "";
        ::GetWindowTextA(h, szText, sizeof(szText));
        ::GetClassNameA(h, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "Button") == 0 && strstr(szText, pszText) != NULL)
            return h;
    }
    return NULL;
}

HWND FirstChildOfClass(HWND hDlg, LPCSTR pszClass)
{
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        char szClass[32] = "";
        ::GetClassNameA(h, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, pszClass) == 0 && ::IsWindowVisible(h))
            return h;
    }
    return NULL;
}

void SaveScreen(const CRect& rc, const CString& strName)
{
    const CScreenPicture picture(rc);
    EXPECT_TRUE(picture.SaveIfWanted(strName));
}

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

void HoverOver(HWND hWnd)
{
    const CPoint pt = WindowRect(hWnd).CenterPoint();
    ::SetCursorPos(pt.x - 1, pt.y);
    ::Sleep(30);
    ::SetCursorPos(pt.x, pt.y);
}

void SendButton(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(input));
}

// Drags the size grip in the dialog's bottom-right corner by the offset, as a hand would.
void DragGrip(HWND hDlg, CSize offset)
{
    CRect rcClient;
    ::GetClientRect(hDlg, &rcClient);
    CPoint ptGrip(rcClient.right - 3, rcClient.bottom - 3);
    ::ClientToScreen(hDlg, &ptGrip);
    ::SetCursorPos(ptGrip.x, ptGrip.y);
    ::Sleep(60);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    ::Sleep(100);
    for (int nStep = 1; nStep <= 4; nStep++)
    {
        CSentInput::MoveTo(ptGrip + CSize(offset.cx * nStep / 4, offset.cy * nStep / 4));
        ::Sleep(60);
    }
    SendButton(MOUSEEVENTF_LEFTUP);
}

// The dialog enlarged by its grip with a hovered button, then with a pressed one.
void PictureDialog(HWND hDlg, const CString& strName)
{
    ::SetForegroundWindow(hDlg);
    ::SetWindowPos(hDlg, NULL, 40, 40, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    Settle(200);
    const CRect rcBefore = WindowRect(hDlg);
    DragGrip(hDlg, CSize(120, 80));
    Settle();
    CRect rc = WindowRect(hDlg);
    EXPECT_GT(rc.Width(), rcBefore.Width() + 100) << (LPCTSTR)strName;
    EXPECT_GT(rc.Height(), rcBefore.Height() + 60) << (LPCTSTR)strName;
    rc.InflateRect(0, 0, 4, 4);
    HWND hButton = ButtonWithText(hDlg, "Cancel");
    if (hButton == NULL)
        hButton = ButtonWithText(hDlg, "Close");
    if (hButton != NULL)
    {
        HoverOver(hButton);
        Settle();
        SaveScreen(rc, strName + "_hover");
        SendButton(MOUSEEVENTF_LEFTDOWN);
        Settle();
        SaveScreen(rc, strName + "_pressed");
        // Let go outside: no click.
        ::SetCursorPos(rc.right + 60, rc.bottom + 60);
        ::Sleep(50);
        SendButton(MOUSEEVENTF_LEFTUP);
        Settle(200);
    }
    else
        SaveScreen(rc, strName);
}

void CloseDialog(HWND hDlg)
{
    ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
    Settle();
}

class DialogLook : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        if (ScreenshotFolder() == NULL)
            GTEST_SKIP() << "VORN_SCREENSHOT_DIR not set";
        ASSERT_TRUE(m_vorn.IsInstalled());
        m_vorn.DeleteRegistryKey();
        HKEY hKey = NULL;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, m_vorn.GetRegistryPath() + "\\Settings", 0, NULL,
                                                   0, KEY_WRITE, NULL, &hKey, NULL));
        const DWORD dwStyle = (DWORD)GetParam();
        ::RegSetValueExA(hKey, "UIStyle", 0, REG_DWORD, (const BYTE*)&dwStyle, sizeof(dwStyle));
        ::RegCloseKey(hKey);
        CStdioFile file(m_folder / "look.lua", CFile::modeCreate | CFile::modeWrite);
        file.WriteString("-- a look\nlocal value = 1\nprint(value)\n");
        file.Close();
        ASSERT_TRUE(m_vorn.Start("\"" + (m_folder / "look.lua") + "\""));
        m_hMain = m_vorn.WaitForMainWindow();
        ASSERT_TRUE(m_hMain != NULL);
        ::SetForegroundWindow(m_hMain);
        Settle(800);
    }
    void TearDown() override
    {
        if (m_hMain != NULL)
            m_vorn.Close();
        m_vorn.DeleteRegistryKey();
    }
    CString Name(LPCTSTR pszWhat) const
    {
        static const char* const kLooks[] = {"classic", "xp", "office2003"};
        CString s;
        s.Format("%s_%s", pszWhat, kLooks[GetParam()]);
        return s;
    }

    CTestFolder m_folder;
    CVornProcess m_vorn{m_folder.Path(), kExeName};
    HWND m_hMain = NULL;
};
}

TEST_P(DialogLook, DialogsPagesAndSheets)
{
    // The workspace sheets beside the editor.
    SaveScreen(WindowRect(m_hMain), Name("frame"));

    ::PostMessage(m_hMain, WM_COMMAND, ID_FIND_FIND, 0);
    HWND hFind = m_vorn.WaitForDialog(10000);
    ASSERT_TRUE(hFind != NULL);
    PictureDialog(hFind, Name("find"));
    // The open combo box.
    HWND hCombo = FirstChildOfClass(hFind, "ComboBox");
    if (hCombo != NULL)
    {
        ::SendMessage(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
        Settle();
        CRect rc = WindowRect(hFind);
        rc.InflateRect(0, 0, 40, 160);
        SaveScreen(rc, Name("find_combo_open"));
        ::SendMessage(hCombo, CB_SHOWDROPDOWN, FALSE, 0);
    }
    // A disabled button.
    HWND hOK = ButtonWithText(hFind, "Find");
    if (hOK != NULL)
    {
        ::EnableWindow(hOK, FALSE);
        Settle();
        SaveScreen(WindowRect(hFind), Name("find_disabled"));
        ::EnableWindow(hOK, TRUE);
    }
    CloseDialog(hFind);

    ::PostMessage(m_hMain, WM_COMMAND, ID_DEBUG_NEW_BREAKPOINT, 0);
    HWND hBreakpoint = m_vorn.WaitForDialog(5000);
    if (hBreakpoint != NULL)
    {
        PictureDialog(hBreakpoint, Name("new_breakpoint"));
        CloseDialog(hBreakpoint);
    }

    ::PostMessage(m_hMain, WM_COMMAND, ID_TOOLS_EXTERNAL_TOOLS, 0);
    HWND hTools = m_vorn.WaitForDialog(5000);
    if (hTools != NULL)
    {
        PictureDialog(hTools, Name("external_tools"));
        CloseDialog(hTools);
    }
}

INSTANTIATE_TEST_SUITE_P(Looks, DialogLook, ::testing::Values(0, 1, 2));

namespace
{
// Asked of the window itself: for another process's window GetWindowText answers with
// the stored caption, not with what the status bar shows in its first pane.
CString WindowTextOf(HWND hWnd)
{
    char szText[256] = "";
    DWORD_PTR nResult = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(szText), (LPARAM)szText, SMTO_ABORTIFHUNG, 2000, &nResult);
    return szText;
}
}

TEST_P(DialogLook, StatusBarPromptsAndPanelsMenu)
{
    HWND hStatus = ::GetDlgItem(m_hMain, 0xE801);
    ASSERT_TRUE(hStatus != NULL);
    const CRect rcMain = WindowRect(m_hMain);
    CRect rcStatus = WindowRect(hStatus);
    SaveScreen(rcStatus, Name("status_bar"));

    // A menu's selected command puts its prompt into the first pane (File > Close:
    // the first two items open submenus, which have none).
    const CString strIdle = WindowTextOf(hStatus);
    CSentInput::PressKeys({VK_MENU, 'F'});
    Settle(800);
    CSentInput::PressKeys({VK_DOWN});
    CSentInput::PressKeys({VK_DOWN});
    Settle(500);
    const CString strPrompt = WindowTextOf(hStatus);
    SaveScreen(rcMain, Name("status_menu_prompt"));
    CSentInput::PressKeys({VK_ESCAPE});
    CSentInput::PressKeys({VK_ESCAPE});
    Settle();
    EXPECT_FALSE(strPrompt.IsEmpty());
    EXPECT_NE(strIdle, strPrompt);

    // The right click lists the frame's bars.
    CSentInput::RightClickAt(CPoint(rcStatus.left + 60, rcStatus.CenterPoint().y));
    Settle(800);
    CRect rcMenu(rcMain.left, rcMain.CenterPoint().y, rcMain.right, rcMain.bottom);
    SaveScreen(rcMenu, Name("status_panels_menu"));
    CSentInput::PressKeys({VK_ESCAPE});
    Settle();
}
