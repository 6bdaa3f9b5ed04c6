// CVornView: value tips while a debugged script is stopped, and the context menu.
#include "CVornView.h"

#include "CExtPopupMenuWnd.h"
#include "IDebugSession.h"
#include "IEditorHost.h"
#include "resource.h"

namespace
{
IDebugSession& Session()
{
    return IEditorHost::Get().GetDebugSession();
}
} // namespace

BOOL CVornView::IsDebuggerStopped()
{
    IDebugSession& session = Session();
    return session.GetState() == IDebugSession::STATE_CONNECTED && session.IsStoppedAtBreak();
}

BOOL CVornView::IsValueTipShowing()
{
    return m_nValueTipShown && m_ctrl.CallTipActive();
}

void CVornView::CancelValueTip()
{
    if (IsValueTipShowing())
        m_ctrl.CallTipCancel();
    m_nValueTipShown = 0;
    m_strValueTipWord.Empty();
}

CString CVornView::GetWordAt(int nPos, int& nStart)
{
    nStart = -1;
    if (nPos < 0 || nPos > m_ctrl.GetLength())
        return CString();
    const int nWordStart = m_ctrl.WordStartPosition(nPos, TRUE);
    const int nWordEnd = m_ctrl.WordEndPosition(nPos, TRUE);
    if (nWordEnd <= nWordStart)
        return CString();
    CString strWord;
    Sci_TextRange range;
    range.chrg.cpMin = nWordStart;
    range.chrg.cpMax = nWordEnd;
    range.lpstrText = strWord.GetBuffer(nWordEnd - nWordStart + 1);
    m_ctrl.GetTextRange(&range);
    strWord.ReleaseBuffer(nWordEnd - nWordStart);
    nStart = nWordStart;
    return strWord;
}

void CVornView::RequestValueTip(const CString& strWord, int nStart)
{
    // Asked once per word: its answer is on the way or showing.
    if (strWord == m_strValueTipWord && nStart == m_nValueTipPos)
        return;
    CancelValueTip();
    m_strValueTipWord = strWord;
    m_nValueTipPos = nStart;
    IDebugSession& session = Session();
    session.RequestVariableValue(strWord, session.GetStackLevel(), this);
}

void CVornView::OnDwellStart(SCNotification* pNotify)
{
    // The notification's position is -1 away from the text: no word there.
    int nStart = -1;
    const CString strWord = GetWordAt((int)pNotify->position, nStart);
    if (strWord.IsEmpty())
        return;
    if (IsDebuggerStopped())
        RequestValueTip(strWord, nStart);
    else
        CancelValueTip();
}

void CVornView::OnDwellEnd(SCNotification* pNotify)
{
    // Scintilla ends a dwell at the first key press too: a Parameter Info tip the user
    // is typing in stays; only a value tip for another word goes.
    if (m_strValueTipWord.IsEmpty())
        return;
    int nStart = -1;
    const CString strWord = GetWordAt((int)pNotify->position, nStart);
    if (strWord != m_strValueTipWord || nStart != m_nValueTipPos)
        CancelValueTip();
}

void CVornView::OnControlMouseMove(CPoint point)
{
    if (!IsDebuggerStopped())
    {
        if (!m_strValueTipWord.IsEmpty())
            CancelValueTip();
        return;
    }
    // Only over text: right of a line's end there is no word, though the nearest
    // position would name one.
    const int nPos = (int)m_ctrl.Call(SCI_POSITIONFROMPOINTCLOSE, (WPARAM)point.x, (LPARAM)point.y);
    int nStart = -1;
    const CString strWord = GetWordAt(nPos, nStart);
    if (!strWord.IsEmpty())
        RequestValueTip(strWord, nStart);
}

BOOL CVornView::PreTranslateMessage(MSG* pMsg)
{
    // The control fills the view: the mouse moves over the text reach the control.
    if (pMsg->message == WM_MOUSEMOVE && m_ctrl.m_hWnd != NULL && pMsg->hwnd == m_ctrl.m_hWnd)
        OnControlMouseMove(CPoint((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)));
    return CView::PreTranslateMessage(pMsg);
}

void CVornView::ShowDebugValueTip(LPCTSTR pszText)
{
    // A late answer: the word was let go, or the script runs again.
    if (m_strValueTipWord.IsEmpty() || !IsDebuggerStopped())
        return;
    if (pszText == NULL || *pszText == 0)
    {
        if (IsValueTipShowing())
            m_ctrl.CallTipCancel();
        m_nValueTipShown = 0;
        return;
    }
    if (m_ctrl.CallTipActive())
        m_ctrl.CallTipCancel();
    ShowTip(m_nValueTipPos, pszText);
    m_nValueTipShown = 1;
}

/////////////////////////////////////////////////////////////////////////////
// Context menu

CPoint CVornView::GetContextMenuPoint(CPoint point)
{
    if (point.x != -1 || point.y != -1)
        return point;
    // From the keyboard: below the caret.
    const int nCaret = m_ctrl.GetCurrentPos();
    CPoint ptCaret(m_ctrl.PointXFromPosition(nCaret),
                   m_ctrl.PointYFromPosition(nCaret) +
                       (int)m_ctrl.Call(SCI_TEXTHEIGHT, (WPARAM)m_ctrl.LineFromPosition(nCaret)));
    m_ctrl.ClientToScreen(&ptCaret);
    return ptCaret;
}

void CVornView::OnContextMenu(CWnd* /*pWnd*/, CPoint point)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd == NULL)
        return;
    const CPoint ptMenu = GetContextMenuPoint(point);
    // The menu frees itself once it was tracked.
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->LoadMenu(pMainWnd->GetSafeHwnd(), IDR_EDITOR_CONTEXT, true))
    {
        delete pPopup;
        return;
    }
    pPopup->TrackPopupMenu(TPMX_CENTERALIGN, ptMenu.x, ptMenu.y);
}
