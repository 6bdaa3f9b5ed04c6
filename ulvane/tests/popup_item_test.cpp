// Popup menu items: measuring in the look's menu font, icon sizes, mnemonics, the
// accelerator split and the editable field's rectangle.
#include "ulvanetest.h"

#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuItem.h"

namespace
{
// The look's menu font replaced, for one test, by one whose text is exactly
// nTextHeight pixels high.
class CMenuFontSwap
{
public:
    explicit CMenuFontSwap(int nTextHeight)
    {
        for (int nCell = nTextHeight - 3; nCell <= nTextHeight + 3 && m_hFont == NULL; nCell++)
        {
            LOGFONT lf = {};
            lf.lfHeight = nCell;
            lstrcpy(lf.lfFaceName, "Tahoma");
            HFONT hFont = ::CreateFontIndirect(&lf);
            if (hFont != NULL && TextSize(hFont, "Xg").cy == nTextHeight)
                m_hFont = hFont;
            else if (hFont != NULL)
                ::DeleteObject(hFont);
        }
        if (m_hFont == NULL)
            return;
        CFont& font = g_PaintManagerHolder->m_FontNormal;
        m_hOld = (HFONT)font.Detach();
        font.Attach(m_hFont);
    }
    ~CMenuFontSwap()
    {
        if (m_hFont == NULL)
            return;
        CFont& font = g_PaintManagerHolder->m_FontNormal;
        font.Detach();
        font.Attach(m_hOld);
        ::DeleteObject(m_hFont);
    }
    bool IsReady() const { return m_hFont != NULL; }
    int Width(LPCTSTR lpszText) const { return TextSize(m_hFont, lpszText).cx; }

    static CSize TextSize(HFONT hFont, LPCTSTR lpszText)
    {
        HDC hDC = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hDC, hFont);
        SIZE size = {0, 0};
        ::GetTextExtentPoint32(hDC, lpszText, lstrlen(lpszText), &size);
        TEXTMETRIC tm;
        ::GetTextMetrics(hDC, &tm);
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
        return CSize(size.cx, tm.tmHeight);
    }

private:
    HFONT m_hFont = NULL;
    HFONT m_hOld = NULL;
};

// A custom item (its icon its own) with an icon of that size, or none.
CExtPopupMenuItem ItemWithIcon(int cx, int cy)
{
    CExtPopupMenuItem item;
    item.m_nCmdID = 100;
    item.SetCustom(true);
    item.m_strText = "Item";
    if (cx > 0)
    {
        HDC hScreen = ::GetDC(NULL);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
        ::ReleaseDC(NULL, hScreen);
        item.m_icon.AssignFromBitmap(hBitmap, RGB(255, 0, 255));
        ::DeleteObject(hBitmap);
    }
    return item;
}

void PopupDummyAction(CExtPopupMenuWnd*, CExtPopupMenuItem&) {}

class PopupItemTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CExtPopupMenuItem::g_bLargeIcons = false;
        CExtPopupMenuItem::g_bFirstLetterMnemonic = false;
    }
};
}

TEST_F(PopupItemTest, ATenPixelTextMakesATwentyThreePixelItemAndTallTextGrowsIt)
{
    CMenuFontSwap font(10);
    if (!font.IsReady())
        GTEST_SKIP() << "no font here draws a 10-pixel text";
    CExtPopupMenuItem item;
    item.m_nCmdID = 100;
    item.SetText("&Open\tCtrl+O");
    item.MeasureItem();
    EXPECT_EQ(23, item.m_nHeight);
    EXPECT_EQ(22, item.m_nIconAreaWidth);
    EXPECT_EQ(font.Width("OpenCtrl+O"), item.m_nTextWidth);
    EXPECT_EQ(item.m_nTextWidth + 22 + 37, item.m_nWidth);
    EXPECT_EQ(item.m_nWidth, item.m_nWidestWidth);
    EXPECT_EQ('O', item.m_chMnemonic);

    // An editable item measures its menu text only, with the field, and no extra row.
    item.SetInPlaceEdit(NULL, 60);
    item.MeasureItem();
    EXPECT_EQ(font.Width("Open"), item.m_nTextWidth);
    EXPECT_EQ(item.m_nTextWidth + 60 + 33, item.m_nWidth);
    EXPECT_EQ(22, item.m_nHeight);

    CExtPopupMenuItem separator;
    separator.m_nWidth = 99;
    separator.MeasureItem();
    EXPECT_EQ(4, separator.m_nHeight);
    EXPECT_EQ(0, separator.m_nWidth);
}

TEST_F(PopupItemTest, ATallTextSetsTheHeightAndTheIconColumn)
{
    CMenuFontSwap font(30);
    if (!font.IsReady())
        GTEST_SKIP() << "no font here draws a 30-pixel text";
    CExtPopupMenuItem item = ItemWithIcon(16, 16);
    item.MeasureItem();
    EXPECT_EQ(35, item.m_nHeight);
    EXPECT_EQ(34, item.m_nIconAreaWidth);
    EXPECT_EQ(item.m_nTextWidth + 34 + 37, item.m_nWidth);
}

TEST_F(PopupItemTest, IconSizesLargeIconsFixedWidthAndCustomActions)
{
    CMenuFontSwap font(10);
    if (!font.IsReady())
        GTEST_SKIP() << "no font here draws a 10-pixel text";
    struct Case
    {
        int cx, cy;
        bool bLarge, bFixed, bAction;
        int nHeight, nIconArea, nExtra;
    } cases[] = {
        {16, 16, false, false, false, 23, 22, 37},
        {16, 16, true, false, false, 37, 36, 37},   // 32 x 32: the icon sets the height
        {12, 8, true, false, false, 23, 24, 37},    // doubled to 24 x 16: the column is 24
        {40, 10, false, false, false, 23, 40, 37},  // wide: the icon sets the column
        {16, 16, false, false, true, 23, 48, 37},   // custom action: column doubled + 4
        {0, 0, false, true, false, 21, 20, 31},     // fixed width without icon: 2 less
        {32, 32, false, true, false, 23, 22, 31},   // fixed width: the icon is not measured
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.cx << "x" << c.cy << " large " << c.bLarge << " fixed " << c.bFixed
                                        << " action " << c.bAction);
        CExtPopupMenuItem::g_bLargeIcons = c.bLarge;
        CExtPopupMenuItem item = ItemWithIcon(c.cx, c.cy);
        if (c.bFixed)
            item.m_nDisplayFlags |= CExtPopupMenuItem::eDisplayFixedWidth;
        if (c.bAction)
            item.m_pfnCustomAction = PopupDummyAction;
        item.MeasureItem();
        EXPECT_EQ(c.nHeight, item.m_nHeight);
        EXPECT_EQ(c.nIconArea, item.m_nIconAreaWidth);
        EXPECT_EQ(font.Width("Item") + c.nIconArea + c.nExtra, item.m_nWidth);
    }
}

TEST_F(PopupItemTest, MnemonicsAreUpperCasedAndAmpersandsEscaped)
{
    EXPECT_EQ('F', CExtPopupMenuItem::CalcMnemonic("&file"));
    EXPECT_EQ('A', CExtPopupMenuItem::CalcMnemonic("Save &as"));
    EXPECT_EQ(0, CExtPopupMenuItem::CalcMnemonic("Trailing&"));
    EXPECT_EQ(0, CExtPopupMenuItem::CalcMnemonic("Tom && Jerry"));
    EXPECT_EQ('B', CExtPopupMenuItem::CalcMnemonic("a&&&b"));
    EXPECT_EQ(0, CExtPopupMenuItem::CalcMnemonic("plain"));
    CExtPopupMenuItem::g_bFirstLetterMnemonic = true;
    EXPECT_EQ('P', CExtPopupMenuItem::CalcMnemonic("plain"));
    EXPECT_EQ(0, CExtPopupMenuItem::CalcMnemonic(""));
    // The first-letter rule is only for texts without a marker.
    EXPECT_EQ(0, CExtPopupMenuItem::CalcMnemonic("Trailing&"));
}

TEST_F(PopupItemTest, ATabSplitsTheTextAtItsFirstTab)
{
    CExtPopupMenuItem item;
    item.SetText("Find\tCtrl+F\tmore");
    EXPECT_STREQ("Find", item.m_strText);
    EXPECT_STREQ("Ctrl+F\tmore", item.m_strAccelText);
    item.SetText("Replace");
    EXPECT_STREQ("Replace", item.m_strText);
    EXPECT_STREQ("Ctrl+F\tmore", item.m_strAccelText);
}

TEST_F(PopupItemTest, TheEditFieldSitsAtTheItemsRightClearOfASubMenuArrow)
{
    CExtPopupMenuItem item;
    item.m_nCmdID = 100;
    CString strTarget("text");
    item.SetInPlaceEdit(&strTarget, 60);
    EXPECT_EQ(&strTarget, item.GetEditTarget());
    EXPECT_EQ(CRect(149, 22, 209, 40), item.CalcInPlaceEditRect(CRect(10, 20, 210, 43)));

    item.m_nCmdID = CExtPopupMenuItem::eSubMenu;
    item.SetInPlaceEdit(NULL, 60);
    EXPECT_EQ(&item.m_strEditText, item.GetEditTarget());
    const int nThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    EXPECT_EQ(CRect(149 - nThumb, 22, 209 - nThumb, 40), item.CalcInPlaceEditRect(CRect(10, 20, 210, 43)));
}
