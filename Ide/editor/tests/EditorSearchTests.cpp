// The view's search core on real Scintilla: matches found down and up from the
// selection, wrapped around, selected and bookmarked; misses that change nothing.
#include "EditorCommandTest.h"

#include "LuaEditorSetup.h"
#include "resource.h"

namespace
{
const int kFindRegExp = 0x00200000;

class EditorSearchTest : public EditorCommandTest
{
protected:
    // The find state of a plain search for the text.
    void Search(const char* pszText, bool bDown, bool bWrap = false)
    {
        CVornView::CFindState state;
        state.m_strFind = pszText;
        state.m_nSearchDown = bDown ? 1 : 0;
        state.m_nWrapAround = bWrap ? 1 : 0;
        state.m_nMatchCase = 1;
        m_pView->m_find = state;
    }
    int Next(BOOL bSelect = TRUE, BOOL bMark = FALSE) { return m_pView->FindNextCore(bSelect, bMark); }
};
} // namespace

TEST_F(EditorSearchTest, DownFindsEachMatchAfterTheSelectionAndWrapsOnlyWhenAsked)
{
    OpenText("ab ab ab\n");
    Search("ab", true);
    Ctrl().SetSel(0, 2);
    EXPECT_EQ(Next(), 3);
    EXPECT_EQ(Selection(), "3-5");
    EXPECT_EQ(Next(), 6);
    // At the end a miss leaves the last match selected.
    EXPECT_EQ(Next(), -1);
    EXPECT_EQ(Selection(), "6-8");
    m_pView->m_find.m_nWrapAround = 1;
    EXPECT_EQ(Next(), 0);
    EXPECT_EQ(Selection(), "0-2");
    // With an empty selection the match at the caret itself counts.
    Ctrl().GotoPos(3);
    EXPECT_EQ(Next(), 3);
}

TEST_F(EditorSearchTest, UpStartsAtTheSelectionStartSoAnAdjacentMatchIsFound)
{
    OpenText("abab\n");
    // The match before the selected one ends where the selection begins.
    Search("ab", false);
    Ctrl().SetSel(2, 4);
    EXPECT_EQ(Next(), 0);
    EXPECT_EQ(Selection(), "0-2");
    EXPECT_EQ(Next(), -1);
    EXPECT_EQ(Selection(), "0-2");

    // With wrap around the search goes on from the end, never to the current match first.
    Search("ab", false, true);
    Ctrl().SetSel(2, 4);
    EXPECT_EQ(Next(), 0);
    EXPECT_EQ(Next(), 2);
    EXPECT_EQ(Selection(), "2-4");
}

TEST_F(EditorSearchTest, MarkTogglesTheMatchLinesBookmarkAndTheEntrysList)
{
    OpenText("x\nab ab\ny ab\n");
    Search("ab", true);
    Ctrl().GotoPos(0);
    EXPECT_EQ(Next(TRUE, TRUE), 2);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "2 ");
    EXPECT_EQ(BookmarkList(m_pEntry), "2 ");
    // The second match on the same line takes the bookmark off again.
    EXPECT_EQ(Next(TRUE, TRUE), 5);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "");
    EXPECT_EQ(BookmarkList(m_pEntry), "");
    EXPECT_EQ(Next(TRUE, TRUE), 10);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "3 ");
    // A miss toggles nothing.
    EXPECT_EQ(Next(TRUE, TRUE), -1);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "3 ");
    EXPECT_EQ(BookmarkList(m_pEntry), "3 ");

    // Without select the selection stays where it was.
    Ctrl().GotoPos(0);
    EXPECT_EQ(Next(FALSE, FALSE), 2);
    EXPECT_EQ(Selection(), "0-0");
}

TEST_F(EditorSearchTest, ARefusedRegularExpressionIsAMissThatSelectsAndMarksNothing)
{
    OpenText("a[b\nc\n");
    // Scintilla refuses the pattern with a negative answer; wrap around and mark are on.
    Search("[", true, true);
    m_pView->m_find.m_nRegularExpression = 1;
    Ctrl().SetSel(4, 5);
    Sci_TextToFind find;
    find.chrg.cpMin = 0;
    find.chrg.cpMax = Ctrl().GetLength();
    find.lpstrText = "[";
    ASSERT_LT(Ctrl().FindText(kFindRegExp, &find), 0);

    EXPECT_EQ(Next(TRUE, TRUE), -1);
    EXPECT_EQ(Selection(), "4-5");
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "");
    EXPECT_EQ(BookmarkList(m_pEntry), "");
    m_pView->m_find.m_nSearchDown = 0;
    EXPECT_EQ(Next(TRUE, TRUE), -1);
    EXPECT_EQ(Selection(), "4-5");
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "");
}

TEST_F(EditorSearchTest, FlagsFollowTheFindState)
{
    OpenText("Abc abcd abc\n");
    Search("abc", true);
    m_pView->m_find.m_nMatchCase = 0;
    Ctrl().GotoPos(0);
    EXPECT_EQ(Next(), 0);
    m_pView->m_find.m_nMatchCase = 1;
    m_pView->m_find.m_nWholeWord = 1;
    Ctrl().GotoPos(0);
    EXPECT_EQ(Next(), 9);
    m_pView->m_find.m_strFind = "a.c";
    m_pView->m_find.m_nWholeWord = 0;
    m_pView->m_find.m_nRegularExpression = 1;
    Ctrl().GotoPos(1);
    EXPECT_EQ(Next(), 4);
    EXPECT_EQ(m_pView->GetFindFlags(), kFindRegExp | SCFIND_MATCHCASE);
}
