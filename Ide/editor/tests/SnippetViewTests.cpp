// Inserting code snippets into a real view on real Scintilla: the macros with a clock
// the test sets, "$(SetCaret)", the auto-indent of later lines with tabs and with
// blanks, one undo step, and the favourite commands with their menu texts.
#include "EditorTestSupport.h"

#include "CAppSettings.h"
#include "CCodeSnippet.h"
#include "CCodeSnippetList.h"
#include "IClock.h"
#include "resource.h"

#include <SciLexer.h>

namespace
{
class CFixedClock : public IClock
{
public:
    explicit CFixedClock(const CTime& time) : m_time(time) {}
    CTime GetCurrentTime() override
    {
        m_nReads++;
        return m_time;
    }
    CTime m_time;
    int m_nReads = 0;
};

class CCommandProbe : public CCmdUI
{
public:
    int m_nEnabled = -1;
    CString m_strText;
    void Enable(BOOL bOn) override
    {
        m_nEnabled = bOn ? 1 : 0;
        m_bEnableChanged = TRUE;
    }
    void SetText(LPCTSTR pszText) override { m_strText = pszText; }
};

class SnippetViewTest : public EditorWindowTest
{
protected:
    CVornView* m_pView = NULL;

    void SetUp() override
    {
        EditorWindowTest::SetUp();
        m_host.m_settings.m_nEDAutoIndent = 1;
        m_host.m_settings.m_nEDTabSize = 4;
        m_host.m_settings.m_nEDIndentSize = 4;
        m_host.m_settings.m_nEDKeepTabs = 1;
        AddProjectFile("snip.lua", "");
        CVornDoc* pDoc = Open(m_folder / "snip.lua");
        ASSERT_TRUE(pDoc != NULL);
        m_pView = ViewOf(pDoc);
    }
    void TearDown() override
    {
        m_host.m_snippets.RemoveAll();
        for (CString& strSlot : m_host.m_settings.m_strFavCodeSnippet)
            strSlot.Empty();
        EditorWindowTest::TearDown();
    }
    CScintillaCtrl& Ctrl() { return m_pView->GetCtrl(); }
    void AddSnippet(LPCTSTR pszName, LPCTSTR pszText)
    {
        CCodeSnippet* pSnippet = m_host.m_snippets.Add(pszName, CString(pszName) + ".vcs");
        ASSERT_TRUE(pSnippet != NULL);
        pSnippet->SetText(pszText);
    }
    // The document's text and the caret at pos.
    void Start(const char* pszText, int nCaret)
    {
        Ctrl().Call(SCI_SETTEXT, 0, (LPARAM)pszText);
        Ctrl().Call(SCI_EMPTYUNDOBUFFER);
        Ctrl().GotoPos(nCaret);
    }
    std::string Text()
    {
        const int nLength = Ctrl().GetLength();
        std::string text(nLength + 1, '\0');
        Ctrl().Call(SCI_GETTEXT, (WPARAM)nLength + 1, (LPARAM)&text[0]);
        text.resize(nLength);
        return text;
    }
    int Caret() { return Ctrl().GetCurrentPos(); }
    int Anchor() { return (int)Ctrl().Call(SCI_GETANCHOR); }
    void Insert(LPCTSTR pszName, const CTime& time = CTime(2007, 1, 9, 12, 0, 0))
    {
        CFixedClock clock(time);
        m_pView->ExpandSnippetMacros(pszName, clock);
        EXPECT_GE(1, clock.m_nReads);
    }
    CCommandProbe Query(UINT nID)
    {
        CCommandProbe probe;
        probe.m_nID = nID;
        m_pView->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &probe, NULL);
        return probe;
    }
};
} // namespace

TEST_F(SnippetViewTest, EveryMacroTakesItsValueFromOneReadOfTheClock)
{
    AddSnippet("all", "d=$(Day) m=$(Month) m3=$(Month3) y=$(Year) y2=$(Year2) p=$(ProjectName) "
                      "f=$(ProjectFileName) t=$(Tab)|$(Month)$(Month)");
    Start("", 0);
    Insert("all");
    EXPECT_EQ("d=09 m=01 m3=Jan y=2007 y2=07 p=demo f=demo.vpr t=\t|0101", Text());
    // Without "$(SetCaret)" the caret goes after the inserted text.
    EXPECT_EQ((int)Text().size(), Caret());
    EXPECT_EQ(Caret(), Anchor());

    // Without a project the name is empty and the file name ".vpr".
    m_host.m_project.Discard();
    AddSnippet("project", "[$(ProjectName)][$(ProjectFileName)]");
    Start("", 0);
    Insert("project", CTime(2010, 12, 31, 23, 0, 0));
    EXPECT_EQ("[][.vpr]", Text());

    // A name that is no snippet's inserts nothing and leaves the caret.
    Start("abc", 1);
    Insert("missing");
    EXPECT_EQ("abc", Text());
    EXPECT_EQ(1, Caret());
}

TEST_F(SnippetViewTest, SetCaretPlacesTheCaretInTheFirstOrALaterPiece)
{
    AddSnippet("one line", "ab$(SetCaret)cd");
    Start("xy", 1);
    Insert("one line");
    EXPECT_EQ("xabcdy", Text());
    EXPECT_EQ(3, Caret());
    EXPECT_EQ(3, Anchor());

    AddSnippet("block", "if x then\r\n\t$(SetCaret)\r\nend");
    Start("", 0);
    Insert("block");
    EXPECT_EQ("if x then\r\n\t\r\nend", Text());
    EXPECT_EQ(12, Caret()); // after the tab of the second line

    // The pieces go to the starts of the lines after the caret's: the rest of the
    // caret's line ends up after the last piece.
    AddSnippet("split", "(\r\n$(SetCaret))");
    Start("call;", 4);
    Insert("split");
    EXPECT_EQ("call(\r\n);", Text());
    EXPECT_EQ(7, Caret());
}

TEST_F(SnippetViewTest, LaterLinesTakeTheCaretLinesIndentationWithTabs)
{
    AddSnippet("tabbed", "bar()\r\n$(Tab)$(SetCaret)baz");
    Start("    foo", 7);
    Insert("tabbed");
    EXPECT_EQ("    foobar()\r\n\t\tbaz", Text());
    EXPECT_EQ((int)Text().find("baz"), Caret());
}

TEST_F(SnippetViewTest, LaterLinesTakeTheCaretLinesIndentationWithBlanksAndAnyIndentSize)
{
    for (int nIndentSize : { 4, 0 })
    {
        m_host.m_settings.m_nEDKeepTabs = 0;
        m_host.m_settings.m_nEDIndentSize = nIndentSize;
        m_pView->ApplyEditorOptions();
        m_host.m_snippets.RemoveAll();
        AddSnippet("tabbed", "bar()\r\n$(Tab)$(SetCaret)baz\r\n  $(SetCaret)");
        Start("    foo", 7);
        Insert("tabbed");
        // The tab of "$(Tab)" counts 4 columns: 4 + 4 blanks.
        EXPECT_EQ("    foobar()\r\n        baz\r\n      ", Text()) << nIndentSize;
        // The last "$(SetCaret)" wins: the end of the third line.
        EXPECT_EQ((int)Text().size(), Caret()) << nIndentSize;
    }
    // The first of two in one text when the second piece has none.
    m_host.m_snippets.RemoveAll();
    AddSnippet("second", "a\r\n  $(SetCaret)b\r\nc");
    Start("    x", 5);
    Insert("second");
    EXPECT_EQ("    xa\r\n      b\r\n    c", Text());
    EXPECT_EQ((int)Text().find('b'), Caret());
}

TEST_F(SnippetViewTest, WithoutAutoIndentLinesAreInsertedAsWritten)
{
    m_host.m_settings.m_nEDAutoIndent = 0;
    AddSnippet("plain", "bar()\r\n$(Tab)baz");
    Start("    foo", 7);
    Insert("plain");
    EXPECT_EQ("    foobar()\r\n\tbaz", Text());
}

TEST_F(SnippetViewTest, OneUndoTakesTheWholeInsertionAway)
{
    AddSnippet("loop", "for i = 1, 10 do\r\n$(Tab)$(SetCaret)\r\nend\r\n");
    Start("  x = 1\r\n  ", 11);
    Insert("loop");
    // The tab line is indented to 2 + 4 columns: a tab and two blanks.
    EXPECT_EQ("  x = 1\r\n  for i = 1, 10 do\r\n\t  \r\n  end\r\n", Text());
    Ctrl().Undo();
    EXPECT_EQ("  x = 1\r\n  ", Text());
    EXPECT_FALSE(Ctrl().CanUndo());
}

TEST_F(SnippetViewTest, CommandsFollowTheListTheSelectionAndTheFavouriteSlots)
{
    EXPECT_EQ(0, Query(ID_SNIPPET_INSERT).m_nEnabled);
    AddSnippet("R&D", "rd()");
    EXPECT_EQ(1, Query(ID_SNIPPET_INSERT).m_nEnabled);

    Start("abc", 0);
    EXPECT_EQ(0, Query(ID_SNIPPET_CREATE_FROM_SELECTION).m_nEnabled);
    Ctrl().SetSel(0, 2);
    EXPECT_EQ(1, Query(ID_SNIPPET_CREATE_FROM_SELECTION).m_nEnabled);

    m_host.m_settings.m_strFavCodeSnippet[0] = "R&D";
    CCommandProbe first = Query(ID_SNIPPET_FAVOURITE1);
    EXPECT_EQ(1, first.m_nEnabled);
    EXPECT_STREQ("R&&D\tCtrl+Shift+1", first.m_strText);
    CCommandProbe last = Query(ID_SNIPPET_FAVOURITE10);
    EXPECT_EQ(0, last.m_nEnabled);
    EXPECT_STREQ("Favorite Code Snippet\tCtrl+Shift+0", last.m_strText);

    Start("", 0);
    AfxGetMainWnd()->SendMessage(WM_COMMAND, ID_SNIPPET_FAVOURITE1);
    PumpPending();
    EXPECT_EQ("rd()", Text());
}
