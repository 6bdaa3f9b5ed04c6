// The view's Previous/Next Function, named bookmark, breakpoint and Run To Cursor
// commands and their update rules, and the selection of an outline node's name.
#include "CVornView.h"

#include "CAddNamedBookmarkDlg.h"
#include "COutlineNode.h"
#include "CProjectFileEntry.h"
#include "IDebugSession.h"
#include "IEditorHost.h"
#include "LuaEditorSetup.h"
#include "resource.h"

#include <algorithm>

namespace
{
const char kFunctionKeyword[] = "function";
const char kNamedBookmarkExists[] = "A named bookmark with this name already exists in this file!";
// The menu texts of Add/Delete Named Bookmark; the shortcut stays with each.
const char kAddNamedBookmarkText[] = "Add Named Bookmark...\tCtrl+Alt+F2";
const char kDeleteNamedBookmarkText[] = "Delete Named Bookmark\tCtrl+Alt+F2";
const char kNamedBookmarkText[] = "Add/Delete Named Bookmark...\tCtrl+Alt+F2";
} // namespace

int CVornView::GetCurrentLine()
{
    return m_ctrl.LineFromPosition(m_ctrl.GetCurrentPos());
}

/////////////////////////////////////////////////////////////////////////////
// Previous/Next Function

void CVornView::OnPreviousFunction()
{
    FindFunctionKeyword(FALSE);
}

void CVornView::OnNextFunction()
{
    FindFunctionKeyword(TRUE);
}

void CVornView::FindFunctionKeyword(BOOL bDown)
{
    CFindState state;
    state.m_strFind = kFunctionKeyword;
    state.m_nMatchCase = 1;
    state.m_nWholeWord = 1;
    state.m_nSearchDown = bDown ? 1 : 0;
    m_find = state;
    FindNextWaiting(TRUE, FALSE);
}

void CVornView::OnUpdateNeedProjectLines(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetProjectFile() != NULL && m_ctrl.GetLineCount() > 1);
}

/////////////////////////////////////////////////////////////////////////////
// Outline nodes

void CVornView::SelectNodeName(const COutlineNode* pNode)
{
    const int nCaret = m_ctrl.GetCurrentPos();
    const int nLine = std::max(0, std::min(pNode->m_nLine, m_ctrl.GetLineCount() - 1));
    Sci_TextToFind find;
    find.chrg.cpMin = m_ctrl.PositionFromLine(nLine);
    find.chrg.cpMax = m_ctrl.GetLineEndPosition(nLine);
    find.lpstrText = pNode->GetName();
    if (m_ctrl.FindText(SCFIND_WHOLEWORD | SCFIND_MATCHCASE, &find) >= 0)
        m_ctrl.SetSel(find.chrgText.cpMin, find.chrgText.cpMax);
    else
        m_ctrl.GotoPos(nCaret);
}

void CVornView::GoToOutlineNode(const COutlineNode* pNode)
{
    if (pNode == NULL)
        return;
    GoToLineClamped(pNode->m_nLine);
    SelectNodeName(pNode);
}

/////////////////////////////////////////////////////////////////////////////
// Named bookmarks

void CVornView::OnNamedBookmark()
{
    CProjectFileEntry* pEntry = GetProjectFile();
    if (pEntry == NULL)
        return;
    const int nLine = GetCurrentLine();
    if (m_ctrl.MarkerGet(nLine) & (1 << MARKER_NAMED_BOOKMARK))
    {
        m_ctrl.MarkerDelete(nLine, MARKER_NAMED_BOOKMARK);
        pEntry->RemoveNamedBookmarkAtLine(nLine + 1);
        return;
    }
    AddNamedBookmarkAt(pEntry, nLine);
}

void CVornView::AddNamedBookmarkAt(CProjectFileEntry* pEntry, int nLine)
{
    CAddNamedBookmarkDlg dlg(nLine + 1, this);
    if (dlg.DoModal() != IDOK || dlg.m_strName.IsEmpty())
        return;
    // Names are told apart without regard to case.
    if (pEntry->FindNamedBookmark(dlg.m_strName) != NULL)
    {
        AfxMessageBox(kNamedBookmarkExists, MB_ICONEXCLAMATION);
        return;
    }
    // The entry refuses a name that is not one line; the marker follows the record.
    if (pEntry->AddNamedBookmark(nLine + 1, dlg.m_strName) != NULL)
        m_ctrl.MarkerAdd(nLine, MARKER_NAMED_BOOKMARK);
}

void CVornView::OnUpdateNamedBookmark(CCmdUI* pCmdUI)
{
    CProjectFileEntry* pEntry = GetProjectFile();
    if (pEntry == NULL)
    {
        pCmdUI->SetText(kNamedBookmarkText);
        pCmdUI->Enable(FALSE);
        return;
    }
    const BOOL bMarked = (m_ctrl.MarkerGet(GetCurrentLine()) & (1 << MARKER_NAMED_BOOKMARK)) != 0;
    pCmdUI->SetText(bMarked ? kDeleteNamedBookmarkText : kAddNamedBookmarkText);
    pCmdUI->Enable(TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Breakpoints and Run To Cursor

void CVornView::OnToggleBreakpoint()
{
    CProjectFileEntry* pEntry = GetProjectFile();
    if (pEntry == NULL)
        return;
    const int nLine = GetCurrentLine();
    IDebugSession& session = IEditorHost::Get().GetDebugSession();
    const BOOL bConnected = session.GetState() == IDebugSession::STATE_CONNECTED;
    if (m_ctrl.MarkerGet(nLine) & (1 << MARKER_BREAKPOINT))
    {
        m_ctrl.MarkerDelete(nLine, MARKER_BREAKPOINT);
        pEntry->RemoveBreakpointAtLine(nLine + 1);
        if (bConnected)
            session.RemoveBreakpoint(pEntry->GetPath(), nLine + 1);
    }
    else
    {
        m_ctrl.MarkerAdd(nLine, MARKER_BREAKPOINT);
        pEntry->AddBreakpoint(nLine + 1);
        if (bConnected)
            session.AddBreakpoint(pEntry->GetPath(), nLine + 1);
    }
    IEditorHost::Get().RefreshBreakpointsWindow();
}

void CVornView::OnNewBreakpoint()
{
    CProjectFileEntry* pEntry = GetProjectFile();
    if (pEntry == NULL)
        return;
    int nLine = GetCurrentLine() + 1;
    CBreakpoint settings;
    if (!IEditorHost::Get().AskNewBreakpoint(pEntry->GetPath(), nLine, settings))
        return;
    // A line that has its breakpoint already keeps it as it is.
    if (nLine >= 1 && (m_ctrl.MarkerGet(nLine - 1) & (1 << MARKER_BREAKPOINT)) == 0
        && m_ctrl.MarkerAdd(nLine - 1, MARKER_BREAKPOINT) >= 0)
    {
        if (CBreakpoint* pBreakpoint = pEntry->AddBreakpoint(nLine))
        {
            pBreakpoint->SetConditionEnable(settings.GetConditionEnable());
            pBreakpoint->SetCondition(settings.GetCondition());
            pBreakpoint->SetConditionType(settings.GetConditionType());
            pBreakpoint->SetHitCountBreakWhen(settings.GetHitCountBreakWhen());
            pBreakpoint->SetHitCountBreak(settings.GetHitCountBreak());
            IDebugSession& session = IEditorHost::Get().GetDebugSession();
            if (session.GetState() == IDebugSession::STATE_CONNECTED)
                session.AddBreakpoint(pEntry->GetPath(), nLine);
        }
    }
    IEditorHost::Get().RefreshBreakpointsWindow();
}

void CVornView::OnRunToCursor()
{
    CProjectFileEntry* pEntry = GetProjectFile();
    IDebugSession& session = IEditorHost::Get().GetDebugSession();
    if (pEntry != NULL && session.GetState() == IDebugSession::STATE_CONNECTED)
        session.RunToCursor(pEntry->GetPath(), GetCurrentLine() + 1);
}

void CVornView::OnUpdateNeedProjectFile(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetProjectFile() != NULL);
}

void CVornView::OnUpdateRunToCursor(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetProjectFile() != NULL &&
                   IEditorHost::Get().GetDebugSession().GetState() == IDebugSession::STATE_CONNECTED);
}
