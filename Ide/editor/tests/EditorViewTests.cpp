// The Lua editor: a document opened through the template into a CVornView in a
// CChildFrame, with real Scintilla, a real project and the real outline parser.
#include "EditorTestSupport.h"

#include "LuaEditorSetup.h"

#include <SciLexer.h>

namespace
{
const char kSample[] =
    "local count = 0 -- how many\n"  // 1
    "function tick(step)\n"           // 2
    "  count = count + step\n"        // 3
    "  return count\n"                // 4
    "end\n"                           // 5
    "print(\"(\", tick(1))\n";        // 6

// Ten numbered lines and more, each "-- line n".
std::string NumberedLines(int nCount)
{
    std::string text;
    for (int i = 1; i <= nCount; i++)
        text += "-- line " + std::to_string(i) + "\n";
    return text;
}

std::string Lines(CProjectFileEntry* pEntry)
{
    std::string text = "p:";
    for (int i = 0; i < pEntry->GetBreakpointCount(); i++)
        text += std::to_string(pEntry->GetBreakpointAt(i)->GetLine()) + " ";
    text += "|n:";
    for (int i = 0; i < pEntry->GetNamedBookmarkCount(); i++)
        text += std::to_string(pEntry->GetNamedBookmarkAt(i)->GetLine()) + " ";
    return text;
}

// The 1-based lines carrying the marker.
std::string MarkedLines(CScintillaCtrl& ctrl, int nMarker)
{
    std::string text;
    for (int nLine = ctrl.MarkerNext(0, 1 << nMarker); nLine >= 0; nLine = ctrl.MarkerNext(nLine + 1, 1 << nMarker))
        text += std::to_string(nLine + 1) + " ";
    return text;
}

std::string ListEntries(CComboBox* pList)
{
    std::string text;
    for (int i = 0; i < pList->GetCount(); i++)
    {
        CString strEntry;
        pList->GetLBText(i, strEntry);
        text += (i == pList->GetCurSel() ? "[" : "") + std::string(strEntry) + (i == pList->GetCurSel() ? "]" : "") + " ";
    }
    return text;
}

// Chooses an entry as the user does: the selection changes, then the list notifies.
void ChooseEntry(CChildFrame* pFrame, CComboBox* pList, LPCTSTR pszEntry, UINT nNotification)
{
    pList->SelectString(-1, pszEntry);
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(pList->GetDlgCtrlID(), nNotification), (LPARAM)pList->m_hWnd);
}
} // namespace

TEST_F(EditorWindowTest, ALuaFileOpensColouredFoldedAndMarked)
{
    CProjectFileEntry* pEntry = AddProjectFile("sample.lua", kSample);
    pEntry->AddBookmark(2);
    pEntry->AddNamedBookmark(3, "update");
    pEntry->AddBreakpoint(4);
    CVornDoc* pDoc = Open(m_folder / "sample.lua");
    ASSERT_TRUE(pDoc != NULL);
    CScintillaCtrl& ctrl = ViewOf(pDoc)->GetCtrl();
    PaintAll();

    EXPECT_EQ(ctrl.GetStyleAt(0), SCE_LUA_WORD);
    EXPECT_EQ(ctrl.GetStyleAt(6), SCE_LUA_IDENTIFIER);
    EXPECT_EQ(ctrl.GetStyleAt(14), SCE_LUA_NUMBER);
    EXPECT_EQ(ctrl.GetStyleAt(18), SCE_LUA_COMMENTLINE);
    EXPECT_TRUE(ctrl.GetFoldLevel(1) & SC_FOLDLEVELHEADERFLAG);
    EXPECT_GT(ctrl.GetFoldLevel(2) & SC_FOLDLEVELNUMBERMASK, ctrl.GetFoldLevel(1) & SC_FOLDLEVELNUMBERMASK);

    EXPECT_EQ(MarkedLines(ctrl, MARKER_BOOKMARK), "2 ");
    EXPECT_EQ(MarkedLines(ctrl, MARKER_NAMED_BOOKMARK), "3 ");
    EXPECT_EQ(MarkedLines(ctrl, MARKER_BREAKPOINT), "4 ");
    EXPECT_EQ(ctrl.Call(SCI_MARKERSYMBOLDEFINED, MARKER_BREAKPOINT), SC_MARK_CIRCLE);
    EXPECT_EQ(ctrl.Call(SCI_MARKERSYMBOLDEFINED, SC_MARKNUM_FOLDER), SC_MARK_BOXPLUS);

    // Clicking the fold margin folds the function.
    SCNotification click = {};
    click.nmhdr.hwndFrom = ctrl.m_hWnd;
    click.nmhdr.code = SCN_MARGINCLICK;
    click.position = ctrl.PositionFromLine(1);
    click.margin = MARGIN_FOLDING;
    ViewOf(pDoc)->SendMessage(WM_NOTIFY, 0, (LPARAM)&click);
    EXPECT_FALSE(ctrl.Call(SCI_GETFOLDEXPANDED, 1));
    EXPECT_FALSE(ctrl.Call(SCI_GETLINEVISIBLE, 2));

    // Loaded as it is: not modified, nothing to undo, the caret at the start.
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_FALSE(ctrl.CanUndo());
    EXPECT_EQ(ctrl.GetCurrentPos(), 0);
    EXPECT_EQ(CaptionOf(FrameOf(pDoc)), "sample.lua");
    ASSERT_EQ(m_host.m_recentFiles.size(), 1u);
    EXPECT_EQ(m_host.m_recentFiles[0], std::string(m_folder / "sample.lua"));
}

TEST_F(EditorWindowTest, SettingsAndWordListsShapeTheEditor)
{
    CAppSettings& settings = m_host.m_settings;
    settings.m_nEDDisplayLineNumbers = 0;
    settings.m_nEDDisplayFoldingMargin = 0;
    settings.m_nEDTabSize = 3;
    settings.m_FandC[CAppSettings::FandCKeyword].m_nForeClr = 0x123456;
    settings.m_FandC[CAppSettings::FandCWord2].m_nForeClr = 0x00AA00;
    m_host.m_userWords[0] = "tick print";
    CVornDoc* pDoc = Open(WriteFile("outside.lua", kSample));
    ASSERT_TRUE(pDoc != NULL);
    CScintillaCtrl& ctrl = ViewOf(pDoc)->GetCtrl();
    PaintAll();

    EXPECT_EQ(ctrl.Call(SCI_GETMARGINWIDTHN, MARGIN_LINE_NUMBERS), 0);
    EXPECT_EQ(ctrl.Call(SCI_GETMARGINWIDTHN, MARGIN_MARKERS), 16);
    EXPECT_EQ(ctrl.Call(SCI_GETMARGINWIDTHN, MARGIN_FOLDING), 0);
    EXPECT_EQ(ctrl.Call(SCI_GETTABWIDTH), 3);
    EXPECT_EQ(ctrl.Call(SCI_STYLEGETFORE, SCE_LUA_WORD), 0x123456);
    // The first user word list is keyword set 1, styled as style 13.
    const int nPrint = (int)std::string(kSample).find("print");
    EXPECT_EQ(ctrl.GetStyleAt(nPrint), SCE_LUA_WORD2);
    EXPECT_EQ(ctrl.Call(SCI_STYLEGETFORE, SCE_LUA_WORD2), 0x00AA00);

    // Applied again after the Preferences change.
    settings.m_nEDDisplayLineNumbers = 1;
    ViewOf(pDoc)->ApplyEditorOptions();
    EXPECT_EQ(ctrl.Call(SCI_GETMARGINWIDTHN, MARGIN_LINE_NUMBERS), 45);
    // A file outside the project gets no marks but enters the recent files.
    EXPECT_EQ(MarkedLines(ctrl, MARKER_BREAKPOINT), "");
    EXPECT_EQ(m_host.m_recentFiles.size(), 1u);
}

TEST_F(EditorWindowTest, EditsMarkTheTitleUntilUndoneOrSaved)
{
    CVornDoc* pDoc = Open(WriteFile("edit.lua", kSample));
    ASSERT_TRUE(pDoc != NULL);
    CScintillaCtrl& ctrl = ViewOf(pDoc)->GetCtrl();
    CChildFrame* pFrame = FrameOf(pDoc);
    const int nTitleRefreshes = m_host.m_nMainTitleRefreshes;

    ctrl.GotoPos(0);
    ctrl.ReplaceSel("-- ");
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(CaptionOf(pFrame), "edit.lua*");
    EXPECT_GT(m_host.m_nMainTitleRefreshes, nTitleRefreshes);
    // Typing on changes no title.
    const int nModifiedRefreshes = m_host.m_nMainTitleRefreshes;
    ctrl.ReplaceSel("- ");
    ctrl.ReplaceSel("x");
    EXPECT_EQ(m_host.m_nMainTitleRefreshes, nModifiedRefreshes);
    ctrl.Undo();
    ctrl.Undo();

    ctrl.Undo();
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(CaptionOf(pFrame), "edit.lua");

    ctrl.ReplaceSel("x");
    ASSERT_TRUE(pDoc->DoFileSave());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(CaptionOf(pFrame), "edit.lua");
    // The first edit after a save marks the title again.
    ctrl.ReplaceSel("z");
    EXPECT_EQ(CaptionOf(pFrame), "edit.lua*");
    ctrl.Undo();
    ASSERT_TRUE(pDoc->DoFileSave());
    EXPECT_EQ(CaptionOf(pFrame), "edit.lua");

    // The second window of a modified document.
    ctrl.ReplaceSel("y");
    pFrame->m_nWindow = 2;
    pFrame->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(CaptionOf(pFrame), "edit.lua*:2");
    pFrame->m_nWindow = 0;
}

TEST_F(EditorWindowTest, SavingWritesTheChosenLineEndsAndEveryOtherByteAsItIs)
{
    // Every kind of line end, bytes above 127, a zero byte, and more text than one
    // write block holds.
    std::string body("local a = 1\r\nlocal s = '\xE9\xFF'\nlocal z = \"", 39);
    body += std::string(1, '\0') + "\"\rreturn a\n";
    const std::string padding = std::string(5000, '-') + "\n" + std::string(4000, '=') + "\r\n";
    const std::string content = body + padding + "end";
    const CString strPath = WriteFile("eol.lua", content);
    CVornDoc* pDoc = Open(strPath);
    ASSERT_TRUE(pDoc != NULL);
    CScintillaCtrl& ctrl = ViewOf(pDoc)->GetCtrl();
    ASSERT_EQ(ctrl.GetLength(), (int)content.size());

    auto withLineEnds = [&](const char* pszEnd) {
        std::string converted;
        for (size_t i = 0; i < content.size(); i++)
        {
            if (content[i] == '\r' || content[i] == '\n')
            {
                if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
                    i++;
                converted += pszEnd;
            }
            else
            {
                converted += content[i];
            }
        }
        return converted;
    };
    const struct
    {
        int nSetting;
        const char* pszEnd;
    } kModes[] = {{2, "\n"}, {1, "\r"}, {0, "\r\n"}, {7, "\r\n"}};
    for (const auto& mode : kModes)
    {
        SCOPED_TRACE(mode.nSetting);
        m_host.m_settings.m_nAdvSaveLineEndings = mode.nSetting;
        ctrl.ReplaceSel(""); // nothing changes, but save anyway
        ASSERT_TRUE(pDoc->DoSave(strPath));
        EXPECT_EQ(ReadTestFile(strPath), withLineEnds(mode.pszEnd));
        EXPECT_FALSE(pDoc->IsModified());
    }

    // The conversion is in the editor too, as one step the user can undo.
    m_host.m_settings.m_nAdvSaveLineEndings = 2;
    ASSERT_TRUE(pDoc->DoSave(strPath));
    ctrl.Undo();
    std::string text((size_t)ctrl.GetLength() + 1, '\0');
    Sci_TextRange range = {{0, ctrl.GetLength()}, &text[0]};
    text.resize((size_t)ctrl.GetTextRange(&range));
    EXPECT_EQ(text, withLineEnds("\r\n"));
    EXPECT_TRUE(pDoc->IsModified());
}

TEST_F(EditorWindowTest, BreakpointsAndNamedBookmarksFollowInsertsAndDeletes)
{
    CProjectFileEntry* pEntry = AddProjectFile("lines.lua", NumberedLines(30));
    for (int nLine : {5, 6, 7, 11, 20})
        pEntry->AddBreakpoint(nLine);
    pEntry->AddNamedBookmark(6, "six");
    pEntry->AddNamedBookmark(20, "twenty");
    CVornDoc* pDoc = Open(m_folder / "lines.lua");
    ASSERT_TRUE(pDoc != NULL);
    CScintillaCtrl& ctrl = ViewOf(pDoc)->GetCtrl();
    EXPECT_EQ(m_host.m_nBreakpointWindowRefreshes, 0);
    EXPECT_EQ(Lines(pEntry), "p:5 6 7 11 20 |n:6 20 ");

    // Two lines typed inside line 5: line 5 keeps its breakpoint, 6 and 7 become 8 and 9.
    ctrl.InsertText(ctrl.PositionFromLine(4) + 3, "\n\n");
    EXPECT_EQ(Lines(pEntry), "p:5 8 9 13 22 |n:8 22 ");
    EXPECT_EQ(MarkedLines(ctrl, MARKER_BREAKPOINT), "5 8 9 13 22 ");
    EXPECT_EQ(MarkedLines(ctrl, MARKER_NAMED_BOOKMARK), "8 22 ");
    EXPECT_EQ(m_host.m_nBreakpointWindowRefreshes, 1);

    // Three lines deleted from the start of line 8: the records on 8 to 11 go, the
    // one on 13 moves up by three.
    ctrl.SetSel(ctrl.PositionFromLine(7), ctrl.PositionFromLine(10));
    ctrl.Clear();
    EXPECT_EQ(Lines(pEntry), "p:5 10 19 |n:19 ");
    EXPECT_EQ(MarkedLines(ctrl, MARKER_BREAKPOINT), "5 10 19 ");
    EXPECT_EQ(MarkedLines(ctrl, MARKER_NAMED_BOOKMARK), "19 ");

    // Edits below every record, and edits within a line, move nothing.
    const int nRefreshes = m_host.m_nBreakpointWindowRefreshes;
    ctrl.InsertText(ctrl.PositionFromLine(25), "x\ny\n");
    ctrl.InsertText(0, "word ");
    EXPECT_EQ(Lines(pEntry), "p:5 10 19 |n:19 ");
    EXPECT_EQ(m_host.m_nBreakpointWindowRefreshes, nRefreshes);
    EXPECT_TRUE(m_host.m_project.IsModified());
}

TEST_F(EditorWindowTest, LoadingClearingAndClosingNeverMoveTheRecords)
{
    CProjectFileEntry* pEntry = AddProjectFile("keep.lua", NumberedLines(12));
    pEntry->AddBreakpoint(2);
    pEntry->AddBreakpoint(9);
    pEntry->AddNamedBookmark(4, "four");
    pEntry->AddBookmark(7);
    CVornDoc* pDoc = Open(m_folder / "keep.lua");
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(Lines(pEntry), "p:2 9 |n:4 ");
    CScintillaCtrl& ctrl = ViewOf(pDoc)->GetCtrl();
    ctrl.MarkerDelete(6, MARKER_BOOKMARK);
    ctrl.MarkerAdd(2, MARKER_BOOKMARK);
    ctrl.MarkerAdd(5, MARKER_BOOKMARK);
    ctrl.ReplaceSel("-- ");
    pDoc->SetModifiedFlag(FALSE);
    pDoc->OnCloseDocument();
    PumpPending();

    // Closing stored the bookmark markers and left everything else as it was.
    EXPECT_EQ(Lines(pEntry), "p:2 9 |n:4 ");
    ASSERT_EQ(pEntry->GetBookmarkCount(), 2);
    EXPECT_EQ(pEntry->GetBookmarkAt(0), 3u);
    EXPECT_EQ(pEntry->GetBookmarkAt(1), 6u);
    EXPECT_EQ(theApp.GetOpenDocumentCount(), 0);

    // Emptying an open document (as a reload does) is no edit of the file's lines.
    pDoc = Open(m_folder / "keep.lua");
    ASSERT_TRUE(pDoc != NULL);
    pDoc->DeleteContents();
    EXPECT_EQ(ViewOf(pDoc)->GetCtrl().GetLength(), 0);
    EXPECT_EQ(Lines(pEntry), "p:2 9 |n:4 ");
    EXPECT_EQ(m_host.m_nBreakpointWindowRefreshes, 0);
}

TEST_F(EditorWindowTest, TheOutlineTimerFillsAndKeepsTheNavigationLists)
{
    const std::string source =
        "function helper() end\n"
        "beta = {}\n"
        "Alpha = {}\n"
        "function Alpha.second() end\n"
        "function Alpha.first() end\n"
        "function main() end\n";
    CProjectFileEntry* pEntry = AddProjectFile("nav.lua", source);
    ASSERT_TRUE(pEntry->GetOutlineFile() != NULL);
    m_host.m_settings.m_nEDClassesUpdateInterval = 0; // taken as one second
    EXPECT_EQ(CVornView::GetOutlineTimerPeriod(m_host.m_settings), 1000u);
    CVornDoc* pDoc = Open(m_folder / "nav.lua");
    ASSERT_TRUE(pDoc != NULL);
    CVornView* pView = ViewOf(pDoc);
    CChildFrame* pFrame = FrameOf(pDoc);
    CComboBox* pTables = pFrame->GetTablesList();
    CComboBox* pFunctions = pFrame->GetFunctionsList();

    // Taking the focus fills the lists: tables sorted, functions in source order.
    pView->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return pTables->GetCount() > 0; }));
    EXPECT_EQ(ListEntries(pTables), "[(Globals)] Alpha beta ");
    EXPECT_EQ(ListEntries(pFunctions), "[helper] main ");
    ChooseEntry(pFrame, pTables, "Alpha", CBN_SELCHANGE);
    EXPECT_EQ(ListEntries(pFunctions), "[second] first ");
    ChooseEntry(pFrame, pFunctions, "first", CBN_SELENDOK);

    // Choosing a function moves the editor to it, its name selected.
    CScintillaCtrl& ctrl = pView->GetCtrl();
    EXPECT_EQ(ctrl.LineFromPosition(ctrl.GetCurrentPos()), 4);
    EXPECT_STREQ(ctrl.GetSelText(), "first");

    // A new member function: the timer re-parses, the navigator is told, and the
    // lists keep the user's choice.
    ctrl.GotoPos(ctrl.GetLength());
    ctrl.ReplaceSel("function Alpha.third() end\n");
    ASSERT_TRUE(PumpUntil([&] { return pFunctions->GetCount() == 3; }, 4000));
    EXPECT_EQ(ListEntries(pTables), "(Globals) [Alpha] beta ");
    EXPECT_EQ(ListEntries(pFunctions), "second [first] third ");
    ASSERT_FALSE(m_host.m_refreshedNavigatorFiles.empty());
    EXPECT_EQ(m_host.m_refreshedNavigatorFiles.back(), pEntry);

    // The chosen table goes away: the lists fall back to "(Globals)".
    ctrl.SetSel(ctrl.PositionFromLine(2), ctrl.PositionFromLine(5));
    ctrl.ReplaceSel("");
    ctrl.GotoPos(ctrl.GetLength());
    ctrl.SetSel(ctrl.PositionFromLine(3), ctrl.GetLength());
    ctrl.ReplaceSel("");
    ASSERT_TRUE(PumpUntil([&] { return pTables->GetCount() == 2; }, 4000));
    EXPECT_EQ(ListEntries(pTables), "[(Globals)] beta ");
    EXPECT_EQ(ListEntries(pFunctions), "[helper] main ");

    // No change, no re-parse.
    const size_t nRefreshes = m_host.m_refreshedNavigatorFiles.size();
    pView->RefreshOutline();
    EXPECT_EQ(m_host.m_refreshedNavigatorFiles.size(), nRefreshes);
}

TEST_F(EditorWindowTest, BraceMatchingTakesOperatorBracesOnly)
{
    CVornDoc* pDoc = Open(WriteFile("braces.lua", "f(a)(b)\ns = \"(\" -- [\nt = {1\n"));
    ASSERT_TRUE(pDoc != NULL);
    CVornView* pView = ViewOf(pDoc);
    CScintillaCtrl& ctrl = pView->GetCtrl();
    ctrl.Colourise(0, -1);

    ctrl.GotoPos(4); // between ")" and "("
    EXPECT_EQ(pView->FindBraceAtCaret(), 3);
    ctrl.GotoPos(1); // before "(": the brace after the caret
    EXPECT_EQ(pView->FindBraceAtCaret(), 1);
    pView->m_nBraceCheckAfterCaret = 0;
    EXPECT_EQ(pView->FindBraceAtCaret(), -1);
    pView->m_nBraceCheckAfterCaret = 1;
    // Inside a string and inside a comment.
    ctrl.GotoPos(14);
    EXPECT_EQ(pView->FindBraceAtCaret(), -1);
    ctrl.GotoPos(20);
    EXPECT_EQ(pView->FindBraceAtCaret(), -1);
    // An unmatched brace takes the guide highlight away.
    ctrl.GotoPos(26);
    EXPECT_EQ(pView->FindBraceAtCaret(), 25);
    ctrl.SetHighlightGuide(4);
    SCNotification update = {};
    update.nmhdr.hwndFrom = ctrl.m_hWnd;
    update.nmhdr.code = SCN_UPDATEUI;
    update.updated = SC_UPDATE_SELECTION;
    pView->SendMessage(WM_NOTIFY, 0, (LPARAM)&update);
    // Matched once the caret rests.
    EXPECT_TRUE(PumpUntil([&] { return ctrl.Call(SCI_GETHIGHLIGHTGUIDE) == 0; }));
    // A matched pair lights the guide at the smaller column of the two.
    const char kPair[] = "f(\n  a\n  )\n";
    ctrl.ClearAll();
    ctrl.AddText((int)strlen(kPair), kPair);
    ctrl.Colourise(0, -1);
    ctrl.GotoPos(2);
    pView->SendMessage(WM_NOTIFY, 0, (LPARAM)&update);
    EXPECT_TRUE(PumpUntil([&] { return ctrl.Call(SCI_GETHIGHLIGHTGUIDE) == 1; }));
}

TEST_F(EditorWindowTest, ANewDocumentIsColouredAndFoldsFromItsFirstCharacter)
{
    CVornDoc* pDoc = NewDocument();
    ASSERT_TRUE(pDoc != NULL);
    CScintillaCtrl& ctrl = ViewOf(pDoc)->GetCtrl();
    // Typed as the user types: one character after the other.
    for (const char ch : std::string("function f()\n  return 1 -- one\nend\n"))
        ctrl.SendMessage(WM_CHAR, (WPARAM)(unsigned char)ch, 0);
    PaintAll();
    std::vector<char> text((size_t)ctrl.GetLength() + 1);
    ctrl.Call(SCI_GETTEXT, text.size(), (LPARAM)text.data());
    const std::string strText = text.data();
    EXPECT_EQ(ctrl.GetStyleAt(0), SCE_LUA_WORD) << strText;
    EXPECT_EQ(ctrl.GetStyleAt((int)strText.find("--")), SCE_LUA_COMMENTLINE);
    EXPECT_TRUE(ctrl.GetFoldLevel(0) & SC_FOLDLEVELHEADERFLAG);
    EXPECT_GT(ctrl.Call(SCI_GETMARGINWIDTHN, MARGIN_FOLDING), 0);
}
