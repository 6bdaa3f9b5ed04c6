// The Scintilla wrapper, its view, the hidden scanning window and the line source, on
// real Scintilla windows.
#include "EditorTestSupport.h"

#include "CScintillaLineSource.h"
#include "CScintillaView.h"
#include "CTempScintillaWnd.h"
#include "CTextLineSource.h"
#include "LuaEditorSetup.h"

#include <SciLexer.h>

namespace
{
class ScintillaCtrlTest : public ::testing::Test
{
protected:
    CScintillaCtrl m_ctrl;

    void SetUp() override
    {
        ASSERT_TRUE(m_ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), AfxGetMainWnd(), 501));
    }
    std::string Text()
    {
        const int nLength = m_ctrl.GetLength();
        std::string text((size_t)nLength + 1, '\0');
        Sci_TextRange range = {{0, nLength}, &text[0]};
        text.resize((size_t)m_ctrl.GetTextRange(&range));
        return text;
    }
};

// Parses the source into a new file of the outline and describes what was found.
std::string DescribeOutline(COutline& outline, LPCTSTR pszName, CLineSource& source)
{
    COutlineFile* pFile = outline.AddFile(pszName);
    outline.ParseSource(pFile, source);
    std::string description;
    pFile->ForEachNode([&](COutlineNode* pNode) {
        description += std::string(pNode->GetQualifiedName()) + "@" + std::to_string(pNode->m_nLine) + " ";
    });
    return description;
}
} // namespace

TEST_F(ScintillaCtrlTest, DirectCallsAndWindowMessagesAgree)
{
    ASSERT_TRUE(m_ctrl.m_directFunction != NULL);
    ASSERT_NE(m_ctrl.m_directPointer, 0);
    m_ctrl.AddText(9, "local x\r\n", TRUE);
    m_ctrl.AddText(6, "x = 1\n", FALSE);
    EXPECT_EQ(m_ctrl.GetLength(FALSE), 15);
    EXPECT_EQ(m_ctrl.GetLineCount(TRUE), 3);
    m_ctrl.SetSel(2, 5, FALSE);
    EXPECT_EQ(m_ctrl.GetSelectionStart(TRUE), 2);
    EXPECT_EQ(m_ctrl.GetSelectionEnd(TRUE), 5);
    EXPECT_EQ(m_ctrl.GetCharAt(9, FALSE), 'x');

    m_ctrl.DestroyWindow();
    EXPECT_TRUE(m_ctrl.m_directFunction == NULL);
    EXPECT_EQ(m_ctrl.m_directPointer, 0);
    EXPECT_EQ(m_ctrl.GetLength(), 0); // a control without its window answers nothing
}

TEST_F(ScintillaCtrlTest, AppendTextGoesToTheEndAndFollowsOnlyACaretThatWasThere)
{
    m_ctrl.AppendText("first\n", FALSE, FALSE);
    EXPECT_EQ(m_ctrl.GetCurrentPos(), 6);
    m_ctrl.AppendText("second\n", FALSE, FALSE);
    EXPECT_EQ(Text(), "first\nsecond\n");
    EXPECT_EQ(m_ctrl.GetCurrentPos(), 13);

    // The user clicked into the first line: output still goes to the end, and the
    // caret stays where the user put it.
    m_ctrl.GotoPos(2);
    m_ctrl.AppendText("third\n", FALSE, FALSE);
    EXPECT_EQ(Text(), "first\nsecond\nthird\n");
    EXPECT_EQ(m_ctrl.GetCurrentPos(), 2);
    // A selection the user made stays too.
    m_ctrl.SetSel(0, 5);
    m_ctrl.AppendText("fourth\n", FALSE, TRUE);
    EXPECT_EQ(m_ctrl.GetSelectionEnd(), 5);
    // Scrolling to the end takes the caret there in any case.
    m_ctrl.AppendText("last", TRUE, TRUE);
    EXPECT_EQ(Text(), "first\nsecond\nthird\nfourth\nlast");
    EXPECT_EQ(m_ctrl.GetCurrentPos(), m_ctrl.GetLength());
}

TEST_F(ScintillaCtrlTest, GetSelTextGivesTheWholeSelection)
{
    const char kText[] = "alpha\nbeta\ngamma\n";
    m_ctrl.AddText((int)strlen(kText), kText);
    m_ctrl.SetSel(3, 3);
    EXPECT_EQ(m_ctrl.GetSelText(), CString());
    m_ctrl.SetSel(1, 8);
    EXPECT_STREQ(m_ctrl.GetSelText(), "lpha\nbe");
    EXPECT_EQ(m_ctrl.GetSelText().GetLength(), 7);

    // A rectangle over whole short lines: each piece ends with a CR LF, so the text is
    // longer than the span from its first to its last character.
    m_ctrl.ClearAll();
    m_ctrl.AddText(9, "ab\ncd\nef\n");
    m_ctrl.Call(SCI_SETRECTANGULARSELECTIONANCHOR, 0);
    m_ctrl.Call(SCI_SETRECTANGULARSELECTIONCARET, 8);
    const int nSpan = m_ctrl.GetSelectionEnd() - m_ctrl.GetSelectionStart();
    const CString strRect = m_ctrl.GetSelText();
    EXPECT_STREQ(strRect.Left(10), "ab\r\ncd\r\nef");
    EXPECT_GT(strRect.GetLength(), nSpan);
    EXPECT_EQ(strRect.GetLength(), (int)strlen(strRect)); // no terminator in the string
}

TEST(ScintillaView, FillsItsClientAreaAtAnySize)
{
    CScintillaView* pView = new CScintillaView;
    ASSERT_TRUE(pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), AfxGetMainWnd(), 502, NULL));
    ASSERT_TRUE(pView->GetCtrl().GetSafeHwnd() != NULL);
    for (CSize size : {CSize(200, 100), CSize(0, 0), CSize(0, 50), CSize(150, 0)})
    {
        pView->MoveWindow(0, 0, size.cx, size.cy);
        CRect rectClient, rectCtrl;
        pView->GetClientRect(&rectClient);
        pView->GetCtrl().GetWindowRect(&rectCtrl);
        EXPECT_EQ(rectCtrl.Size(), rectClient.Size());
    }
    pView->SetFocus();
    EXPECT_EQ(::GetFocus(), pView->GetCtrl().m_hWnd);
    pView->DestroyWindow(); // a view whose parent is a frame goes with its window
}

TEST(TempScintillaWnd, LoadsAFileStyledWithoutUndoHistory)
{
    CTestFolder folder;
    std::string content = "local t = {}\r\nfunction t.f(a)\n  return a -- done\rend\n";
    content += std::string(9000, 'x') + "\n"; // more than a couple of read blocks
    WriteTestFile(folder / "scan.lua", content);

    CTempScintillaWnd wnd;
    ASSERT_TRUE(wnd.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 20, 20), AfxGetMainWnd(), 106));
    wnd.SetupLua();
    CScintillaCtrl& ctrl = wnd.GetCtrl();
    ctrl.AddText(5, "stale");
    ASSERT_TRUE(wnd.LoadFile(folder / "scan.lua"));

    EXPECT_EQ(ctrl.GetLength(), (int)content.size());
    std::string text(content.size() + 1, '\0');
    Sci_TextRange range = {{0, (Sci_PositionCR)content.size()}, &text[0]};
    text.resize((size_t)ctrl.GetTextRange(&range));
    EXPECT_EQ(text, content);
    EXPECT_FALSE(ctrl.CanUndo());
    EXPECT_FALSE(ctrl.GetModify());
    EXPECT_EQ(ctrl.GetCurrentPos(), 0);
    // Styled to the end although the window never paints; the lexer folds.
    EXPECT_EQ(ctrl.GetStyleAt(0), SCE_LUA_WORD);
    EXPECT_EQ(ctrl.GetStyleAt((int)content.find("done")), SCE_LUA_COMMENTLINE);
    EXPECT_EQ(ctrl.GetStyleAt((int)content.size() - 2), SCE_LUA_IDENTIFIER);
    EXPECT_TRUE(ctrl.GetFoldLevel(1) & SC_FOLDLEVELHEADERFLAG);
    EXPECT_EQ(ctrl.Call(SCI_GETMARGINWIDTHN, MARGIN_LINE_NUMBERS), 45);
    EXPECT_EQ(ctrl.Call(SCI_GETMARGINMASKN, MARGIN_FOLDING), (LRESULT)(int)SC_MASK_FOLDERS);
    EXPECT_EQ(ctrl.Call(SCI_MARKERSYMBOLDEFINED, SC_MARKNUM_FOLDEROPEN), SC_MARK_BOXMINUS);

    EXPECT_FALSE(wnd.LoadFile(folder / "missing.lua"));
    EXPECT_EQ(ctrl.GetLength(), 0);
    wnd.DestroyWindow();
}

TEST(ScintillaLineSource, ParsesAsTheSameTextInMemoryDoes)
{
    CTextLineSource fixture;
    ASSERT_TRUE(fixture.LoadFile(TestProgramFolder() + "fixtures\\luaserv\\inventory.lua"));
    // Every kind of line end, and a line far longer than any before it.
    std::string text(fixture.GetText(), (size_t)fixture.GetLength());
    text += "\rShop = {}\r\nfunction Shop:sell(item) return item end\r\n";
    text += "local long = \"" + std::string(20000, 'y') + "\"\nfunction tail() end";

    CScintillaCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(WS_CHILD, CRect(0, 0, 10, 10), AfxGetMainWnd(), 503));
    ctrl.AddText((int)text.size(), text.data());
    CScintillaLineSource controlLines(ctrl);
    CTextLineSource memoryLines(text.data(), (int)text.size());

    ASSERT_EQ(controlLines.GetLineCount(), memoryLines.GetLineCount());
    int nLength = 0;
    EXPECT_STREQ(controlLines.GetLine(controlLines.GetLineCount(), nLength), "");
    EXPECT_EQ(nLength, 0);

    COutline outline;
    const std::string fromControl = DescribeOutline(outline, "control.lua", controlLines);
    const std::string fromMemory = DescribeOutline(outline, "memory.lua", memoryLines);
    EXPECT_EQ(fromControl, fromMemory);
    EXPECT_NE(fromControl.find("Shop:sell@"), std::string::npos);
    EXPECT_NE(fromControl.find("tail@"), std::string::npos);
}
