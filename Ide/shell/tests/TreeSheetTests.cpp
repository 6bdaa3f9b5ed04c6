// The tree property sheet with small pages: the tree built from caption paths, page
// changes from the tree, the keyboard and the sheet's messages, the caption band, a
// failed set-up, and the page frame's two ways of painting.
#include "CPageFrameWnd.h"
#include "CThemeLibrary.h"
#include "CTreePropSheet.h"
#include "SentInput.h"
#include "WindowBitmap.h"
#include "tree_sheet_test_res.h"
#include "TestExitCode.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class CSheetTestApp : public CWinApp
{
public:
    CSheetTestApp() : CWinApp("VornTreeSheetTest") {}
    std::vector<std::string> m_messageBoxes;
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
    {
        m_messageBoxes.push_back(lpszPrompt);
        m_nLastType = nType;
        return IDOK;
    }
    UINT m_nLastType = 0;
};

CSheetTestApp theApp;

namespace
{
void PumpPending()
{
    MSG msg;
    for (int nRound = 0; nRound < 3; nRound++)
    {
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (!AfxGetThread()->PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        ::Sleep(5);
    }
}

// A page with a caption of its own that may refuse to be left.
class CTestPage : public CPropertyPage
{
public:
    CTestPage(UINT nIDTemplate, LPCTSTR pszCaption) : CPropertyPage(nIDTemplate)
    {
        m_strCaption = pszCaption;
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
    BOOL m_bRefuseToLeave = FALSE;
    virtual BOOL OnKillActive() { return m_bRefuseToLeave ? FALSE : CPropertyPage::OnKillActive(); }
};

// The steps run inside the sheet's modal loop; then the sheet is cancelled.
std::function<void(CTreePropSheet&)> g_steps;
CTreePropSheet* g_pRunning = NULL;

void CALLBACK RunSteps(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    CTreePropSheet* pSheet = g_pRunning;
    if (pSheet == NULL || pSheet->m_hWnd == NULL)
        return;
    PumpPending();
    g_steps(*pSheet);
    if (::IsWindow(pSheet->m_hWnd))
        pSheet->PressButton(PSBTN_CANCEL);
}

INT_PTR RunSheet(CTreePropSheet& sheet, std::function<void(CTreePropSheet&)> steps)
{
    g_steps = steps;
    g_pRunning = &sheet;
    ::SetTimer(NULL, 0, 50, RunSteps);
    const INT_PTR nResult = sheet.DoModal();
    g_pRunning = NULL;
    return nResult;
}

std::string ItemText(CTreeCtrl* pTree, HTREEITEM hItem)
{
    return hItem != NULL ? std::string(pTree->GetItemText(hItem)) : std::string("(none)");
}

// The tree as "text=data" in display order, children indented by two blanks.
std::string DumpTree(CTreeCtrl* pTree, HTREEITEM hParent = TVI_ROOT, int nDepth = 0)
{
    std::string out;
    for (HTREEITEM h = pTree->GetChildItem(hParent); h != NULL; h = pTree->GetNextSiblingItem(h))
    {
        out += std::string(nDepth * 2, ' ') + ItemText(pTree, h) + "=" + std::to_string((int)(INT_PTR)pTree->GetItemData(h)) + "\n";
        out += DumpTree(pTree, h, nDepth + 1);
    }
    return out;
}

HTREEITEM FindItem(CTreeCtrl* pTree, const std::string& text, HTREEITEM hParent = TVI_ROOT)
{
    for (HTREEITEM h = pTree->GetChildItem(hParent); h != NULL; h = pTree->GetNextSiblingItem(h))
    {
        if (ItemText(pTree, h) == text)
            return h;
        if (HTREEITEM hFound = FindItem(pTree, text, h))
            return hFound;
    }
    return NULL;
}

bool IsShown(CPropertyPage& page)
{
    return page.m_hWnd != NULL && (page.GetStyle() & WS_VISIBLE) != 0;
}

void PressKeys(std::initializer_list<WORD> keys)
{
    CSentInput::PressKeys(keys);
    for (int i = 0; i < 10; i++)
        PumpPending();
}
} // namespace

class TreeSheetTest : public ::testing::Test
{
protected:
    CTestPage m_b{ IDD_TEST_PAGE_1, "A::B" };
    CTestPage m_c{ IDD_TEST_PAGE_2, "A::C" };
    CTestPage m_escaped{ IDD_TEST_PAGE_3, "A\\::B" };
    CTestPage m_deep{ IDD_TEST_PAGE_4, "X\\\\::Y::Z" };
    CTreePropSheet m_sheet{ "Tree Sheet" };

    void SetUp() override
    {
        theApp.m_messageBoxes.clear();
        m_sheet.AddPage(&m_b);
        m_sheet.AddPage(&m_c);
        m_sheet.AddPage(&m_escaped);
        m_sheet.AddPage(&m_deep);
        ASSERT_TRUE(m_sheet.SetTreeViewMode(TRUE, TRUE, FALSE));
        m_sheet.SetEmptyPageText("Choose a page of %s.");
    }
};

TEST(TreeSheetPaths, CaptionPathsSplitAtTheFirstUnescapedSeparator)
{
    CString strFirst, strRest;
    CTreePropSheet::SplitCaptionPath("A::B::C", strFirst, strRest);
    EXPECT_STREQ(strFirst, "A");
    EXPECT_STREQ(strRest, "B::C");
    CTreePropSheet::SplitCaptionPath("A\\::B", strFirst, strRest);
    EXPECT_STREQ(strFirst, "A::B");
    EXPECT_STREQ(strRest, "");
    // Two backslashes escape each other, not the separator.
    CTreePropSheet::SplitCaptionPath("\\\\::", strFirst, strRest);
    EXPECT_STREQ(strFirst, "\\");
    EXPECT_STREQ(strRest, "");
    CTreePropSheet::SplitCaptionPath("a\\\\\\::b::c", strFirst, strRest);
    EXPECT_STREQ(strFirst, "a\\::b");
    EXPECT_STREQ(strRest, "c");
    CTreePropSheet::SplitCaptionPath("plain", strFirst, strRest);
    EXPECT_STREQ(strFirst, "plain");
    EXPECT_STREQ(strRest, "");
}

TEST_F(TreeSheetTest, CaptionPathsMakeFoldersAndFoldersShowTheEmptyText)
{
    std::string tree;
    CString strEmpty;
    bool bPageHiddenOnFolder = false, bPageBack = false;
    std::string captionOnFolder;
    RunSheet(m_sheet, [&](CTreePropSheet& sheet) {
        CTreeCtrl* pTree = sheet.GetPageTreeControl();
        ASSERT_TRUE(pTree != NULL);
        tree = DumpTree(pTree);
        EXPECT_FALSE(sheet.SetTreeViewMode(FALSE, FALSE, FALSE));
        EXPECT_EQ(ItemText(pTree, pTree->GetSelectedItem()), "B");
        EXPECT_TRUE(IsShown(m_b));

        pTree->SelectItem(FindItem(pTree, "A"));
        PumpPending();
        bPageHiddenOnFolder = !IsShown(m_b);
        strEmpty = sheet.GetPageFrame()->GetEmptyText();
        captionOnFolder = sheet.GetPageFrame()->GetCaptionText();

        // Back to the same page: it shows again.
        pTree->SelectItem(FindItem(pTree, "B"));
        PumpPending();
        bPageBack = IsShown(m_b);
        EXPECT_STREQ(sheet.GetPageFrame()->GetCaptionText(), "B");
    });
    EXPECT_EQ(tree, "A=-1\n  B=0\n  C=1\nA::B=2\nX\\=-1\n  Y=-1\n    Z=3\n");
    EXPECT_TRUE(bPageHiddenOnFolder);
    EXPECT_STREQ(strEmpty, "Choose a page of A.");
    EXPECT_EQ(captionOnFolder, "A");
    EXPECT_TRUE(bPageBack);
    EXPECT_TRUE(theApp.m_messageBoxes.empty());
}

TEST_F(TreeSheetTest, APageThatRefusesToBeLeftKeepsTheSelection)
{
    m_b.m_bRefuseToLeave = TRUE;
    std::string selected;
    int nActive = -1;
    RunSheet(m_sheet, [&](CTreePropSheet& sheet) {
        CTreeCtrl* pTree = sheet.GetPageTreeControl();
        pTree->SelectItem(FindItem(pTree, "C"));
        PumpPending();
        selected = ItemText(pTree, pTree->GetSelectedItem());
        nActive = sheet.GetActiveIndex();
        // A folder is refused the same way.
        pTree->SelectItem(FindItem(pTree, "A"));
        PumpPending();
        EXPECT_EQ(ItemText(pTree, pTree->GetSelectedItem()), "B");
        EXPECT_TRUE(IsShown(m_b));
        m_b.m_bRefuseToLeave = FALSE;
    });
    EXPECT_EQ(selected, "B");
    EXPECT_EQ(nActive, 0);
}

TEST_F(TreeSheetTest, SheetMessagesKeepTheTreeInStep)
{
    CTestPage extra(IDD_TEST_PAGE_5, "D::E");
    RunSheet(m_sheet, [&](CTreePropSheet& sheet) {
        CTreeCtrl* pTree = sheet.GetPageTreeControl();
        // By template id; an id no page has changes nothing.
        EXPECT_TRUE(sheet.SendMessage(PSM_SETCURSELID, 0, IDD_TEST_PAGE_3));
        PumpPending();
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        EXPECT_EQ(ItemText(pTree, pTree->GetSelectedItem()), "A::B");
        EXPECT_FALSE(sheet.SendMessage(PSM_SETCURSELID, 0, 999));
        EXPECT_EQ(sheet.GetActiveIndex(), 2);

        EXPECT_TRUE(sheet.SetActivePage(1));
        PumpPending();
        EXPECT_EQ(ItemText(pTree, pTree->GetSelectedItem()), "C");
        EXPECT_STREQ(sheet.GetPageFrame()->GetCaptionText(), "C");

        sheet.AddPage(&extra);
        PumpPending();
        EXPECT_EQ(DumpTree(pTree), "A=-1\n  B=0\n  C=1\nA::B=2\nX\\=-1\n  Y=-1\n    Z=3\nD=-1\n  E=4\n");
        EXPECT_EQ(ItemText(pTree, pTree->GetSelectedItem()), "C");
        sheet.RemovePage(&m_escaped);
        PumpPending();
        EXPECT_EQ(DumpTree(pTree), "A=-1\n  B=0\n  C=1\nX\\=-1\n  Y=-1\n    Z=2\nD=-1\n  E=3\n");
        EXPECT_EQ(ItemText(pTree, pTree->GetSelectedItem()), "C");
    });
}

TEST_F(TreeSheetTest, CtrlTabWalksTheTreeAndWraps)
{
    std::vector<std::string> visited;
    bool bActivationLost = false;
    RunSheet(m_sheet, [&](CTreePropSheet& sheet) {
        CTreeCtrl* pTree = sheet.GetPageTreeControl();
        pTree->SelectItem(FindItem(pTree, "Z"));
        PumpPending();
        // The keys reach the sheet only while it is the foreground window; other
        // programs on the test display may take that away for a moment.
        auto press = [&](std::initializer_list<WORD> keys) {
            HTREEITEM hBefore = pTree->GetSelectedItem();
            bool bPressed = false;
            for (int nTry = 0; nTry < 20 && pTree->GetSelectedItem() == hBefore; nTry++)
            {
                sheet.SetForegroundWindow();
                pTree->SetFocus();
                PumpPending();
                if (::GetForegroundWindow() == sheet.m_hWnd)
                {
                    PressKeys(keys);
                    bPressed = true;
                }
                else
                    ::Sleep(50);
            }
            bActivationLost = bActivationLost || !bPressed;
            visited.push_back(ItemText(pTree, pTree->GetSelectedItem()));
        };
        press({ VK_CONTROL, VK_TAB });
        press({ VK_CONTROL, VK_TAB });
        press({ VK_CONTROL, VK_SHIFT, VK_TAB });
        press({ VK_CONTROL, VK_SHIFT, VK_TAB });
        press({ VK_CONTROL, VK_SHIFT, VK_TAB });
    });
    if (bActivationLost)
        GTEST_SKIP() << "another program holds the activation";
    // From the last item to the first root item; from there back to the deepest last.
    EXPECT_EQ(visited, (std::vector<std::string>{ "A", "B", "A", "Z", "Y" }));
}

TEST_F(TreeSheetTest, AHiddenCaptionMakesTheSheetShorterByItsHeight)
{
    int nHeightShown = 0, nCaptionHeight = 0;
    RunSheet(m_sheet, [&](CTreePropSheet& sheet) {
        CRect rect;
        sheet.GetWindowRect(&rect);
        nHeightShown = rect.Height();
        nCaptionHeight = sheet.GetPageFrame()->GetCaptionHeight();
        if (LPCTSTR pszFolder = ScreenshotFolder())
        {
            sheet.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            PumpPending();
            SaveWindowBitmap(&sheet, CString(pszFolder) + "\\tree_sheet.bmp");
        }
    });
    CTestPage b(IDD_TEST_PAGE_1, "A::B");
    CTreePropSheet plain("Plain");
    plain.AddPage(&b);
    ASSERT_TRUE(plain.SetTreeViewMode(TRUE, FALSE, FALSE));
    int nHeightHidden = 0;
    RunSheet(plain, [&](CTreePropSheet& sheet) {
        CRect rect;
        sheet.GetWindowRect(&rect);
        nHeightHidden = rect.Height();
        EXPECT_FALSE(sheet.GetPageFrame()->IsCaptionEnabled());
    });
    EXPECT_GT(nCaptionHeight, 10);
    EXPECT_EQ(nHeightShown - nHeightHidden, nCaptionHeight);
}

namespace
{
class CTreelessSheet : public CTreePropSheet
{
public:
    CTreelessSheet() : CTreePropSheet("Treeless") {}
    virtual CTreeCtrl* CreateTreeControl() { return NULL; }
};
} // namespace

TEST(TreeSheetFailure, ATreeThatCannotBeMadeEndsTheSheetAsCancelled)
{
    theApp.m_messageBoxes.clear();
    CTestPage page(IDD_TEST_PAGE_1, "Only");
    CTreelessSheet sheet;
    sheet.AddPage(&page);
    sheet.SetTreeViewMode(TRUE, TRUE, FALSE);
    g_pRunning = NULL;
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    ASSERT_EQ(theApp.m_messageBoxes.size(), 1u);
    EXPECT_EQ(theApp.m_messageBoxes[0], "Cannot show the property sheet.");
    EXPECT_TRUE(theApp.m_nLastType & MB_ICONEXCLAMATION);
    EXPECT_EQ(sheet.m_hWnd, (HWND)NULL);
}

TEST_F(TreeSheetTest, TheCaptionIconLivesAsLongAsTheFrameShowsIt)
{
    // A page with an icon: the caption band shows a copy of the tab's image.
    m_b.m_psp.dwFlags |= PSP_USEHICON;
    m_b.m_psp.hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    bool bChecked = false;
    RunSheet(m_sheet, [&](CTreePropSheet& sheet) {
        sheet.SetActivePage(0);
        PumpPending();
        HICON hIcon = sheet.GetPageFrame()->GetCaptionIcon();
        ASSERT_TRUE(hIcon != NULL);
        ICONINFO info = {};
        EXPECT_TRUE(::GetIconInfo(hIcon, &info));
        if (info.hbmColor != NULL)
            ::DeleteObject(info.hbmColor);
        if (info.hbmMask != NULL)
            ::DeleteObject(info.hbmMask);
        bChecked = true;
    });
    EXPECT_TRUE(bChecked);
}

//////////////////////////////////////////////////////////////////////////////
// The page frame's painting with and without visual styles

namespace
{
int g_nDrawn = 0;
bool g_bOpenFails = false;
BOOL WINAPI FakeIsThemeActive()
{
    return TRUE;
}
HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR pszClass)
{
    return g_bOpenFails || wcscmp(pszClass, L"Tab") != 0 ? NULL : (HTHEME)(INT_PTR)0x1234;
}
HRESULT WINAPI FakeCloseThemeData(HTHEME)
{
    return S_OK;
}
HRESULT WINAPI FakeContentRect(HTHEME, HDC, int nPart, int, LPCRECT pBounding, LPRECT pContent)
{
    if (nPart != 9)
        return E_INVALIDARG;
    *pContent = *pBounding;
    ::InflateRect(pContent, -4, -3);
    return S_OK;
}
HRESULT WINAPI FakeDrawBackground(HTHEME, HDC hDC, int, int, LPCRECT pRect, LPCRECT)
{
    g_nDrawn++;
    HBRUSH hBrush = ::CreateSolidBrush(RGB(250, 250, 250));
    ::FillRect(hDC, pRect, hBrush);
    ::DeleteObject(hBrush);
    return S_OK;
}

class CFrameHost
{
public:
    CWnd m_wndParent;
    CPageFrameWnd m_frame;
    CThemeLibrary m_themes;

    CFrameHost()
    {
        m_wndParent.CreateEx(0, AfxRegisterWndClass(0), "Frame host", WS_POPUP | WS_VISIBLE, CRect(50, 50, 450, 350),
                             NULL, 0);
        m_frame.SetThemeLibrary(&m_themes);
        m_frame.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 210), &m_wndParent, 0xFFFF);
        m_frame.SetCaptionHeight(20);
        m_frame.EnableCaption(TRUE);
    }
    ~CFrameHost() { m_wndParent.DestroyWindow(); }
    void UseFakeThemes()
    {
        CThemeLibrary::CEntryPoints fake = { FakeIsThemeActive, FakeOpenThemeData, FakeCloseThemeData, FakeContentRect,
                                             FakeDrawBackground };
        m_themes.SetEntryPoints(::GetModuleHandle(NULL), fake);
    }
    void WithoutThemes()
    {
        CThemeLibrary::CEntryPoints none = {};
        m_themes.SetEntryPoints(NULL, none);
    }
};
} // namespace

TEST(PageFrame, UnthemedAreasAreTheClientRectangleAroundTheCaption)
{
    CFrameHost host;
    host.WithoutThemes();
    EXPECT_EQ(host.m_frame.GetCaptionArea(), CRect(0, 0, 300, 20));
    EXPECT_EQ(host.m_frame.GetTextArea(), CRect(0, 21, 300, 200));
    host.m_frame.EnableCaption(FALSE);
    EXPECT_EQ(host.m_frame.GetCaptionArea(), CRect(0, 0, 300, 0));
    EXPECT_EQ(host.m_frame.GetTextArea(), CRect(0, 0, 300, 200));
    g_nDrawn = 0;
    host.m_frame.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(g_nDrawn, 0);
}

TEST(PageFrame, ThemedAreasFollowThePaneContentAndTheBackgroundIsThemed)
{
    CFrameHost host;
    host.UseFakeThemes();
    g_bOpenFails = false;
    EXPECT_EQ(host.m_frame.GetCaptionArea(), CRect(4, 3, 296, 20));
    EXPECT_EQ(host.m_frame.GetTextArea(), CRect(4, 21, 296, 197));
    g_nDrawn = 0;
    host.m_frame.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(g_nDrawn, 1);
    // Themed, but the tab theme does not open: painted as without styles.
    g_bOpenFails = true;
    EXPECT_EQ(host.m_frame.GetCaptionArea(), CRect(0, 0, 300, 20));
    g_nDrawn = 0;
    host.m_frame.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(g_nDrawn, 0);
    g_bOpenFails = false;
}

TEST(PageFrame, TheCaptionGradientEndsInTheDialogColourWhereItsCornerCannotBeRead)
{
    CFrameHost host;
    host.WithoutThemes();
    CClientDC dcWindow(&host.m_frame);
    CDC dc;
    dc.CreateCompatibleDC(&dcWindow);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcWindow, 100, 20);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 100, 20, RGB(255, 0, 0));
    // The band's top-right corner lies outside the bitmap: its pixel cannot be read.
    host.m_frame.PaintCaption(&dc, CRect(0, 0, 120, 20), "Title", NULL);
    const COLORREF clrNearRight = dc.GetPixel(99, 19);
    const COLORREF clrLeft = dc.GetPixel(0, 19);
    // A corner that can be read is where the band ends.
    dc.FillSolidRect(0, 0, 100, 20, RGB(0, 0, 255));
    host.m_frame.PaintCaption(&dc, CRect(0, 0, 100, 20), "", NULL);
    const COLORREF clrRight = dc.GetPixel(99, 19);
    dc.SelectObject(pOld);
    const COLORREF clrCaption = ::GetSysColor(COLOR_INACTIVECAPTION);
    EXPECT_EQ(clrLeft, clrCaption);
    EXPECT_EQ(clrNearRight, CPageFrameWnd::BlendColor(clrCaption, ::GetSysColor(COLOR_BTNFACE), 99, 120));
    EXPECT_EQ(clrRight, RGB(0, 0, 255));

    EXPECT_EQ(CPageFrameWnd::BlendColor(RGB(0, 100, 200), RGB(200, 100, 0), 0, 11), RGB(0, 100, 200));
    EXPECT_EQ(CPageFrameWnd::BlendColor(RGB(0, 100, 200), RGB(200, 100, 0), 5, 11), RGB(100, 100, 100));
    EXPECT_EQ(CPageFrameWnd::BlendColor(RGB(0, 100, 200), RGB(200, 100, 0), 10, 11), RGB(200, 100, 0));
}

TEST(PageFrame, TheCaptionIconIsKeptInAOneImageList)
{
    CFrameHost host;
    HICON hIcon = ::LoadIcon(NULL, IDI_INFORMATION);
    host.m_frame.SetCaption("With icon", hIcon);
    ASSERT_TRUE(host.m_frame.GetCaptionImages().GetSafeHandle() != NULL);
    EXPECT_EQ(host.m_frame.GetCaptionImages().GetImageCount(), 1);
    host.m_frame.SetCaption("Without", NULL);
    EXPECT_TRUE(host.m_frame.GetCaptionImages().GetSafeHandle() == NULL);
    EXPECT_STREQ(host.m_frame.GetCaptionText(), "Without");
}

TEST(ThemeLibrary, IsBoundFromTheSystemFolder)
{
    ASSERT_TRUE(g_ThemeLibrary.IsLoaded());
    char szModule[MAX_PATH] = "", szSystem[MAX_PATH] = "";
    ::GetModuleFileNameA(g_ThemeLibrary.GetModule(), szModule, MAX_PATH);
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    EXPECT_EQ(_strnicmp(szModule, szSystem, strlen(szSystem)), 0) << szModule;
    const CThemeLibrary::CEntryPoints& entry = g_ThemeLibrary.GetEntryPoints();
    EXPECT_TRUE(entry.pfnIsThemeActive != NULL && entry.pfnOpenThemeData != NULL && entry.pfnCloseThemeData != NULL
                && entry.pfnGetThemeBackgroundContentRect != NULL && entry.pfnDrawThemeBackground != NULL);
    printf("themes active: %d\n", (int)g_ThemeLibrary.IsThemed());
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    return TestProgramExitCode(RUN_ALL_TESTS());
}
