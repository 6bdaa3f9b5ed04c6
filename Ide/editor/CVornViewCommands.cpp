// The view's Edit, Go To and bookmark commands, their update rules, and the caret
// position pane of the status bar.
#include "CVornView.h"

#include <afxext.h>

#include "CGoToDlg.h"
#include "CProjectFileEntry.h"
#include "CUndoActionScope.h"
#include "LuaEditorSetup.h"
#include "resource.h"

#include <SciLexer.h>

#include <algorithm>

namespace
{
const char kLineComment[] = "--";
const char kBlockOpener[] = "--[[";
const char kBlockCloser[] = "]]";
const int kLineCommentLength = 2;
const int kBlockOpenerLength = 4;
const int kBlockCloserLength = 2;
// Lines this long or longer are left alone by the comment commands.
const int kMaxCommentedLine = 1000;
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Helpers

BOOL CVornView::HasSelection()
{
    return m_ctrl.GetSelectionStart() != m_ctrl.GetSelectionEnd();
}

int CVornView::GetLineTextLength(int nLine)
{
    return m_ctrl.GetLineEndPosition(nLine) - m_ctrl.PositionFromLine(nLine);
}

CString CVornView::GetRangeText(int nStart, int nEnd)
{
    CString strText;
    if (nEnd <= nStart)
        return strText;
    Sci_TextRange range;
    range.chrg.cpMin = nStart;
    range.chrg.cpMax = nEnd;
    range.lpstrText = strText.GetBuffer(nEnd - nStart + 1);
    m_ctrl.GetTextRange(&range);
    strText.ReleaseBuffer(nEnd - nStart);
    return strText;
}

void CVornView::GetCommentedLines(int nStart, int nEnd, int& nFirst, int& nLast)
{
    nFirst = m_ctrl.LineFromPosition(nStart);
    nLast = m_ctrl.LineFromPosition(nEnd);
    // A selection that ends at the start of a later line does not take that line.
    if (nLast > nFirst && nEnd == m_ctrl.PositionFromLine(nLast))
        nLast--;
}

void CVornView::RestoreSelection(int nStart, int nEnd, BOOL bBackwards)
{
    if (bBackwards)
    {
        m_ctrl.GotoPos(nEnd);
        m_ctrl.SetCurrentPos(nStart);
    }
    else
        m_ctrl.SetSel(nStart, nEnd);
}

BOOL CVornView::IsBlockCommentAt(int nPos, int nLength)
{
    for (int i = 0; i < nLength; i++)
    {
        if (m_ctrl.GetStyleAt(nPos + i) != SCE_LUA_COMMENT)
            return FALSE;
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Edit

void CVornView::OnEditUndo() { m_ctrl.Undo(); }
void CVornView::OnEditRedo() { m_ctrl.Redo(); }
void CVornView::OnEditCut() { m_ctrl.Cut(); }
void CVornView::OnEditCopy() { m_ctrl.Copy(); }
void CVornView::OnEditPaste() { m_ctrl.Paste(); }
void CVornView::OnEditClear() { m_ctrl.Clear(); }
void CVornView::OnEditSelectAll() { m_ctrl.SelectAll(); }
void CVornView::OnEditUppercase() { m_ctrl.UpperCase(); }
void CVornView::OnEditLowercase() { m_ctrl.LowerCase(); }

void CVornView::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_ctrl.CanUndo()); }
void CVornView::OnUpdateEditRedo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_ctrl.CanRedo()); }
void CVornView::OnUpdateEditPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(m_ctrl.CanPaste()); }
void CVornView::OnUpdateNeedSelection(CCmdUI* pCmdUI) { pCmdUI->Enable(HasSelection()); }
void CVornView::OnUpdateNeedText(CCmdUI* pCmdUI) { pCmdUI->Enable(m_ctrl.GetLength() > 0); }
void CVornView::OnUpdateAlways(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
void CVornView::OnUpdateNeedLines(CCmdUI* pCmdUI) { pCmdUI->Enable(m_ctrl.GetLineCount() > 1); }

void CVornView::OnUpdateBoxUncomment(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_ctrl.GetLength() > 0 && !HasSelection());
}

/////////////////////////////////////////////////////////////////////////////
// Comments

void CVornView::OnEditCommentLines()
{
    int nStart = m_ctrl.GetSelectionStart();
    int nEnd = m_ctrl.GetSelectionEnd();
    const BOOL bBackwards = m_ctrl.GetCurrentPos() < nEnd;
    int nFirst, nLast;
    GetCommentedLines(nStart, nEnd, nFirst, nLast);
    CUndoActionScope undo(m_ctrl);
    for (int nLine = nFirst; nLine <= nLast; nLine++)
    {
        // Both measured without the line end: an empty line stays empty.
        const int nLength = GetLineTextLength(nLine);
        if (nLength == 0 || nLength >= kMaxCommentedLine)
            continue;
        m_ctrl.InsertText(m_ctrl.PositionFromLine(nLine), kLineComment);
        if (nLine == nFirst)
            nStart += kLineCommentLength;
        nEnd += kLineCommentLength;
    }
    RestoreSelection(nStart, nEnd, bBackwards);
}

void CVornView::OnEditUncommentLines()
{
    int nStart = m_ctrl.GetSelectionStart();
    int nEnd = m_ctrl.GetSelectionEnd();
    const BOOL bBackwards = m_ctrl.GetCurrentPos() < nEnd;
    int nFirst, nLast;
    GetCommentedLines(nStart, nEnd, nFirst, nLast);
    CUndoActionScope undo(m_ctrl);
    for (int nLine = nFirst; nLine <= nLast; nLine++)
    {
        if (GetLineTextLength(nLine) >= kMaxCommentedLine)
            continue;
        const int nIndent = m_ctrl.GetLineIndentPosition(nLine);
        const CString strText = GetRangeText(nIndent, m_ctrl.GetLineEndPosition(nLine));
        // A block comment's opener is no line comment.
        if (strText.Left(kBlockOpenerLength) == kBlockOpener || strText.Left(kLineCommentLength) != kLineComment)
            continue;
        m_ctrl.SetSel(nIndent, nIndent + kLineCommentLength);
        m_ctrl.ReplaceSel("");
        if (nLine == nFirst)
            nStart -= kLineCommentLength;
        nEnd -= kLineCommentLength;
    }
    const int nFirstStart = m_ctrl.PositionFromLine(nFirst);
    if (nStart < nFirstStart)
    {
        if (nEnd <= nStart + 1)
            nEnd = nFirstStart;
        nStart = nFirstStart;
    }
    nEnd = std::max(nEnd, nStart);
    RestoreSelection(nStart, nEnd, bBackwards);
}

void CVornView::OnEditBoxComment()
{
    const int nStart = m_ctrl.GetSelectionStart();
    const int nEnd = m_ctrl.GetSelectionEnd();
    CUndoActionScope undo(m_ctrl);
    m_ctrl.InsertText(nEnd, kBlockCloser);
    m_ctrl.InsertText(nStart, kBlockOpener);
    m_ctrl.SetSel(nEnd + kBlockOpenerLength + kBlockCloserLength, nStart);
}

// The "]]" that closes the block comment around the position, or -1. Only markers
// the lexer styled as a block comment count: not those in strings, line comments or
// index brackets.
int CVornView::FindBlockCloser(int nFrom)
{
    int nNesting = 0;
    const int nLineCount = m_ctrl.GetLineCount();
    for (int nLine = m_ctrl.LineFromPosition(nFrom); nLine < nLineCount; nLine++)
    {
        if (GetLineTextLength(nLine) >= kMaxCommentedLine)
            continue;
        const int nStart = nLine == m_ctrl.LineFromPosition(nFrom) ? nFrom : m_ctrl.GetLineIndentPosition(nLine);
        const CString strText = GetRangeText(nStart, m_ctrl.GetLineEndPosition(nLine));
        for (int i = 0; i < strText.GetLength();)
        {
            if (strText.Mid(i, kBlockOpenerLength) == kBlockOpener && IsBlockCommentAt(nStart + i, kBlockOpenerLength))
            {
                nNesting++;
                i += kBlockOpenerLength;
            }
            else if (strText.Mid(i, kBlockCloserLength) == kBlockCloser && IsBlockCommentAt(nStart + i, kBlockCloserLength))
            {
                if (nNesting == 0)
                    return nStart + i;
                nNesting--;
                i += kBlockCloserLength;
            }
            else
                i++;
        }
    }
    return -1;
}

// The "--[[" that opens the block comment around the position, or -1; read backwards.
int CVornView::FindBlockOpener(int nFrom)
{
    int nNesting = 0;
    for (int nLine = m_ctrl.LineFromPosition(nFrom); nLine >= 0; nLine--)
    {
        if (GetLineTextLength(nLine) >= kMaxCommentedLine)
            continue;
        const int nStart = m_ctrl.PositionFromLine(nLine);
        const int nEnd = nLine == m_ctrl.LineFromPosition(nFrom) ? nFrom : m_ctrl.GetLineEndPosition(nLine);
        const CString strText = GetRangeText(nStart, nEnd);
        for (int i = strText.GetLength(); i > 0;)
        {
            const int nOpener = i - kBlockOpenerLength;
            const int nCloser = i - kBlockCloserLength;
            if (nCloser >= 0 && strText.Mid(nCloser, kBlockCloserLength) == kBlockCloser &&
                IsBlockCommentAt(nStart + nCloser, kBlockCloserLength))
            {
                nNesting++;
                i = nCloser;
            }
            else if (nOpener >= 0 && strText.Mid(nOpener, kBlockOpenerLength) == kBlockOpener &&
                     IsBlockCommentAt(nStart + nOpener, kBlockOpenerLength))
            {
                if (nNesting == 0)
                    return nStart + nOpener;
                nNesting--;
                i = nOpener;
            }
            else
                i--;
        }
    }
    return -1;
}

void CVornView::OnEditBoxUncomment()
{
    // The markers are told apart by their styles, so the text must be styled up to date.
    m_ctrl.Colourise(0, -1);
    const int nCaret = m_ctrl.GetCurrentPos();
    const int nCloser = FindBlockCloser(nCaret);
    const int nOpener = FindBlockOpener(nCaret);
    if (nCloser < 0 || nOpener < 0 || nOpener >= nCloser)
        return;
    CUndoActionScope undo(m_ctrl);
    m_ctrl.Call(SCI_DELETERANGE, (WPARAM)nCloser, (LPARAM)kBlockCloserLength);
    m_ctrl.Call(SCI_DELETERANGE, (WPARAM)nOpener, (LPARAM)kBlockOpenerLength);
}

/////////////////////////////////////////////////////////////////////////////
// Indentation

void CVornView::OnEditIncreaseIndent()
{
    ShiftIndentation(+1);
}

void CVornView::OnEditDecreaseIndent()
{
    ShiftIndentation(-1);
}

void CVornView::ShiftIndentation(int nDirection)
{
    // An indent size of 0 means the tab width, as it does to the control.
    int nStep = m_ctrl.GetIndent();
    if (nStep == 0)
        nStep = (int)m_ctrl.Call(SCI_GETTABWIDTH);
    const int nFirst = m_ctrl.LineFromPosition(m_ctrl.GetSelectionStart());
    const int nLast = m_ctrl.LineFromPosition(m_ctrl.GetSelectionEnd());
    CUndoActionScope undo(m_ctrl);
    for (int nLine = nFirst; nLine <= nLast; nLine++)
    {
        const int nIndent = m_ctrl.GetLineIndentation(nLine) + nDirection * nStep;
        if (nIndent >= 0)
            m_ctrl.SetLineIndentation(nLine, nIndent);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Go To

void CVornView::OnGoToLine()
{
    const int nLineCount = m_ctrl.GetLineCount();
    CGoToDlg dlg(nLineCount, m_ctrl.LineFromPosition(m_ctrl.GetCurrentPos()) + 1, this);
    if (dlg.DoModal() != IDOK)
        return;
    GoToLineClamped(GetGoToTargetLine(dlg.m_nLine, nLineCount));
}

int CVornView::GetGoToTargetLine(int nTyped, int nLineCount)
{
    // Signed: 0 and below go to the first line, past the end to the last. Checked
    // before subtracting, so the smallest number cannot wrap around.
    if (nTyped < 1)
        return 0;
    return std::min(nTyped - 1, std::max(0, nLineCount - 1));
}

void CVornView::OnJumpToCaret()
{
    m_ctrl.ScrollCaret();
}

/////////////////////////////////////////////////////////////////////////////
// Bookmarks

void CVornView::OnToggleBookmark()
{
    CProjectFileEntry* pEntry = GetProjectFile();
    if (pEntry == NULL)
        return;
    ToggleBookmarkOnLine(m_ctrl.LineFromPosition(m_ctrl.GetCurrentPos()));
}

void CVornView::ToggleBookmarkOnLine(int nLine)
{
    CProjectFileEntry* pEntry = GetProjectFile();
    if (m_ctrl.MarkerGet(nLine) & (1 << MARKER_BOOKMARK))
    {
        m_ctrl.MarkerDelete(nLine, MARKER_BOOKMARK);
        if (pEntry != NULL)
            pEntry->RemoveBookmark((UINT)nLine + 1);
    }
    else
    {
        m_ctrl.MarkerAdd(nLine, MARKER_BOOKMARK);
        if (pEntry != NULL)
            pEntry->AddBookmark((UINT)nLine + 1);
    }
}

void CVornView::OnNextBookmark()
{
    const int nFrom = m_ctrl.LineFromPosition(m_ctrl.GetCurrentPos()) + 1;
    const int nPlain = m_ctrl.MarkerNext(nFrom, 1 << MARKER_BOOKMARK);
    const int nNamed = m_ctrl.MarkerNext(nFrom, 1 << MARKER_NAMED_BOOKMARK);
    if (nPlain < 0 && nNamed < 0)
    {
        MessageBeep(MB_ICONHAND);
        return;
    }
    // The nearer one; -1 stands for none.
    const int nTarget = nPlain < 0 ? nNamed : nNamed < 0 ? nPlain : std::min(nPlain, nNamed);
    m_ctrl.GotoLine(nTarget);
}

void CVornView::OnPreviousBookmark()
{
    const int nFrom = m_ctrl.LineFromPosition(m_ctrl.GetCurrentPos()) - 1;
    const int nPlain = nFrom < 0 ? -1 : m_ctrl.MarkerPrevious(nFrom, 1 << MARKER_BOOKMARK);
    const int nNamed = nFrom < 0 ? -1 : m_ctrl.MarkerPrevious(nFrom, 1 << MARKER_NAMED_BOOKMARK);
    if (nPlain < 0 && nNamed < 0)
    {
        MessageBeep(MB_ICONHAND);
        return;
    }
    m_ctrl.GotoLine(std::max(nPlain, nNamed));
}

void CVornView::OnClearBookmarks()
{
    m_ctrl.MarkerDeleteAll(MARKER_BOOKMARK);
    // A file outside the project has no list to empty.
    CProjectFileEntry* pEntry = GetProjectFile();
    if (pEntry != NULL)
        pEntry->RemoveAllBookmarks();
}

/////////////////////////////////////////////////////////////////////////////
// The caret position pane

CString CVornView::GetCaretPositionText()
{
    const int nPos = m_ctrl.GetCurrentPos();
    CString strFormat, strText;
    strFormat.LoadString(IDS_CARET_POSITION);
    strText.Format(strFormat, (long)m_ctrl.LineFromPosition(nPos), (long)m_ctrl.GetColumn(nPos), (long)nPos);
    return strText;
}

void CVornView::OnUpdateCaretPane(CCmdUI* pCmdUI)
{
    const CString strText = GetCaretPositionText();
    CStatusBar* pStatusBar = DYNAMIC_DOWNCAST(CStatusBar, pCmdUI->m_pOther);
    if (pStatusBar != NULL)
    {
        // The pane fits its text, measured in the view's font.
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(pStatusBar->GetFont());
        const int nWidth = dc.GetTextExtent(strText).cx;
        dc.SelectObject(pOldFont);
        UINT nID, nStyle;
        int nOldWidth;
        pStatusBar->GetPaneInfo((int)pCmdUI->m_nIndex, nID, nStyle, nOldWidth);
        if (nOldWidth != nWidth)
            pStatusBar->SetPaneInfo((int)pCmdUI->m_nIndex, nID, nStyle, nWidth);
    }
    pCmdUI->SetText(strText);
    pCmdUI->Enable(TRUE);
}
