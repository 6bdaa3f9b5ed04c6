// CFrameWnd: the print preview state of a frame. The frame's bars (all but its status
// line) and its pane are hidden while the preview shows, and come back as they were.
#include "afxpriv.h"

CPrintPreviewState::CPrintPreviewState()
    : hWndPane(NULL), pViewActiveOld(NULL), hWndMDIChildActive(NULL), bMDIChildMaximized(FALSE), hWndFocus(NULL),
      hAccelTable(NULL), lpfnCloseProc(NULL)
{
}

namespace
{
// The preview's own close procedure: the frame ends the preview through it.
BOOL CALLBACK PreviewCloseProc(CFrameWnd* pFrameWnd)
{
    CPreviewView* pView = pFrameWnd->GetPreviewView();
    if (pView != NULL)
        pView->ClosePreview();
    return TRUE;
}

void HideFrameBars(CFrameWnd* pFrame, CPtrList& bars, CPtrArray& hidden)
{
    hidden.RemoveAll();
    for (POSITION pos = bars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)bars.GetNext(pos);
        if (pBar->IsDockBar() || pBar->GetDlgCtrlID() == AFX_IDW_STATUS_BAR || !pBar->IsVisible())
            continue;
        hidden.Add(pBar);
    }
    for (INT_PTR i = 0; i < hidden.GetSize(); i++)
        pFrame->ShowControlBar((CControlBar*)hidden[i], FALSE, FALSE);
}

void ShowFrameBars(CFrameWnd* pFrame, CPtrList& bars, const CPtrArray& hidden)
{
    // Only bars that still belong to the frame come back.
    for (INT_PTR i = 0; i < hidden.GetSize(); i++)
    {
        CControlBar* pBar = (CControlBar*)hidden[i];
        if (bars.Find(pBar) != NULL && ::IsWindow(pBar->GetSafeHwnd()))
            pFrame->ShowControlBar(pBar, TRUE, FALSE);
    }
}
} // namespace

CPreviewView* CFrameWnd::GetPreviewView() const
{
    if (!IsInPreviewMode())
        return NULL;
    CWnd* pPane = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
    return DYNAMIC_DOWNCAST(CPreviewView, pPane);
}

void CFrameWnd::EndPreview()
{
    if (m_lpfnCloseProc != NULL)
        m_lpfnCloseProc(this);
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, this);
    if (bPreview)
    {
        if (pState->lpfnCloseProc == NULL)
            pState->lpfnCloseProc = PreviewCloseProc;
        pState->hWndFocus = ::GetFocus();
        pState->pViewActiveOld = GetActiveView();
        if (pMDIFrame != NULL)
        {
            CMDIChildWnd* pChild = pMDIFrame->MDIGetActive(&pState->bMDIChildMaximized);
            pState->hWndMDIChildActive = pChild->GetSafeHwnd();
        }
        HideFrameBars(this, m_listControlBars, pState->barsHidden);
        // The pane makes way for the preview, which takes its id.
        pState->hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
        if (pState->hWndPane != NULL)
        {
            ::ShowWindow(pState->hWndPane, SW_HIDE);
            ::SetWindowLongPtr(pState->hWndPane, GWLP_ID, AFX_IDW_PANE_SAVE);
        }
        SetActiveView(NULL, FALSE);
        // The document's keys do nothing while the preview shows.
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = NULL;
        m_lpfnCloseProc = pState->lpfnCloseProc;
        RecalcLayout();
        return;
    }

    m_lpfnCloseProc = NULL;
    m_hAccelTable = pState->hAccelTable;
    if (pState->hWndPane != NULL && ::IsWindow(pState->hWndPane))
    {
        ::SetWindowLongPtr(pState->hWndPane, GWLP_ID, AFX_IDW_PANE_FIRST);
        ::ShowWindow(pState->hWndPane, SW_SHOW);
    }
    ShowFrameBars(this, m_listControlBars, pState->barsHidden);
    CView* pOldView = pState->pViewActiveOld;
    if (pOldView != NULL && ::IsWindow(pOldView->GetSafeHwnd()))
        SetActiveView(pOldView, FALSE);
    if (pMDIFrame != NULL && ::IsWindow(pState->hWndMDIChildActive))
    {
        CWnd* pChild = CWnd::FromHandle(pState->hWndMDIChildActive);
        pMDIFrame->MDIActivate(pChild);
        BOOL bMaximized = FALSE;
        pMDIFrame->MDIGetActive(&bMaximized);
        if (pState->bMDIChildMaximized && !bMaximized)
            pMDIFrame->MDIMaximize(pChild);
    }
    RecalcLayout();
    if (::IsWindow(pState->hWndFocus) && ::IsWindowVisible(pState->hWndFocus))
        ::SetFocus(pState->hWndFocus);
}

BOOL CFrameWnd::RouteCmdInPreview(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CPreviewView* pPreview = GetPreviewView();
    if (pPreview != NULL && pPreview->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (nCode == (int)CN_COMMAND && pHandlerInfo == NULL)
    {
        // A command of the frame or the program (opening a file, starting a debug
        // session) ends the preview first and then runs on the frame as it was.
        AFX_CMDHANDLERINFO info;
        if (CWnd::OnCmdMsg(nID, nCode, NULL, &info) || (pApp != NULL && pApp->OnCmdMsg(nID, nCode, NULL, &info)))
        {
            EndPreview();
            return OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        }
        return FALSE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
