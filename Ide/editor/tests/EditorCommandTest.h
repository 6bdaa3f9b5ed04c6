// The fixture of the editor command tests: a project file opened in a real view,
// commands sent to the main frame, update rules asked of the view, and the text,
// selection, markers and entry lists read back.
#pragma once

#include "EditorTestSupport.h"

#include "CProjectFileEntry.h"

#include <string>

class CEnableProbe : public CCmdUI
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

inline std::string MarkedLines(CScintillaCtrl& ctrl, int nMarker)
{
    std::string text;
    for (int nLine = ctrl.MarkerNext(0, 1 << nMarker); nLine >= 0; nLine = ctrl.MarkerNext(nLine + 1, 1 << nMarker))
        text += std::to_string(nLine + 1) + " ";
    return text;
}

inline std::string BookmarkList(CProjectFileEntry* pEntry)
{
    std::string text;
    for (int i = 0; i < pEntry->GetBookmarkCount(); i++)
        text += std::to_string(pEntry->GetBookmarkAt(i)) + " ";
    return text;
}

class EditorCommandTest : public EditorWindowTest
{
protected:
    CVornView* m_pView = NULL;
    CProjectFileEntry* m_pEntry = NULL;

    // Opens a project file with the text; the undo history starts empty.
    void OpenText(const std::string& text)
    {
        m_pEntry = AddProjectFile("edit.lua", text);
        CVornDoc* pDoc = Open(m_folder / "edit.lua");
        ASSERT_TRUE(pDoc != NULL);
        m_pView = ViewOf(pDoc);
        Ctrl().SetFocus();
    }
    CScintillaCtrl& Ctrl() { return m_pView->GetCtrl(); }
    std::string Text()
    {
        const int nLength = Ctrl().GetLength();
        std::string text(nLength + 1, '\0');
        Ctrl().Call(SCI_GETTEXT, (WPARAM)nLength + 1, (LPARAM)&text[0]);
        text.resize(nLength);
        return text;
    }
    void SetText(const char* pszText) { Ctrl().Call(SCI_SETTEXT, 0, (LPARAM)pszText); }
    void Command(UINT nID)
    {
        AfxGetMainWnd()->SendMessage(WM_COMMAND, nID, 0);
        PumpPending();
    }
    int Enabled(UINT nID)
    {
        CEnableProbe probe;
        probe.m_nID = nID;
        m_pView->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &probe, NULL);
        return probe.m_nEnabled;
    }
    void PressKey(UINT nKey)
    {
        Ctrl().PostMessage(WM_KEYDOWN, nKey, 1);
        Ctrl().PostMessage(WM_KEYUP, nKey, 0xC0000001);
        PumpPending();
    }
    // Anchor and caret, as "anchor-caret".
    std::string Selection()
    {
        return std::to_string(Ctrl().Call(SCI_GETANCHOR)) + "-" + std::to_string(Ctrl().GetCurrentPos());
    }
    int CaretLine() { return Ctrl().LineFromPosition(Ctrl().GetCurrentPos()); }
    // Runs the command on a fresh undo history; one SCI_UNDO must bring the text back
    // whole. The selection the command left is kept in m_strSelection.
    std::string m_strSelection;
    void ExpectOneUndo(UINT nID, const std::string& expected)
    {
        Ctrl().EmptyUndoBuffer();
        const std::string before = Text();
        Command(nID);
        m_strSelection = Selection();
        EXPECT_EQ(Text(), expected);
        Ctrl().Undo();
        EXPECT_EQ(Text(), before);
        EXPECT_FALSE(Ctrl().CanUndo());
        Ctrl().Redo();
        EXPECT_EQ(Text(), expected);
    }
};
