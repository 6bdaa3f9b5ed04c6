// CView: print preview. The view's top-level frame shows the preview in place of its
// pane until the user closes it.
#include "afxpriv.h"
#include "CPreviewBar.h"

#include <memory>

void CView::OnFilePrintPreview()
{
    DoPrintPreview(0, this, RUNTIME_CLASS(CPreviewView), new CPrintPreviewState);
}

BOOL CView::DoPrintPreview(UINT /*nIDResource*/, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState)
{
    std::unique_ptr<CPrintPreviewState> state(pState);
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame == NULL || pFrame->IsInPreviewMode())
        return FALSE;
    CPreviewView* pView = DYNAMIC_DOWNCAST(CPreviewView, pPreviewViewClass->CreateObject());
    if (pView == NULL)
        return FALSE;

    pFrame->OnSetPreviewMode(TRUE, pState);
    pView->m_pPreviewState = state.release();
    CPreviewBar* pBar = new CPreviewBar;
    pView->m_pToolBar = pBar;
    pBar->Create(pFrame);
    // The view takes the pane's place and id; it has no document of its own.
    CCreateContext context;
    context.m_pCurrentFrame = pFrame;
    context.m_pLastView = pPrintView;
    CRect rect;
    pFrame->GetClientRect(&rect);
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, rect, pFrame, AFX_IDW_PANE_FIRST, &context))
    {
        delete pView->m_pToolBar;
        pFrame->OnSetPreviewMode(FALSE, pView->m_pPreviewState);
        delete pView->m_pPreviewState;
        pView->m_pPreviewState = NULL;
        pView->m_pToolBar = NULL;
        delete pView;
        return FALSE;
    }
    if (!pView->SetPrintView(pPrintView))
    {
        pView->ClosePreview();
        return FALSE;
    }
    pFrame->SetActiveView(pView);
    pFrame->RecalcLayout();
    pView->SetFocus();
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT /*point*/, CPreviewView* /*pView*/)
{
    OnEndPrinting(pDC, pInfo);
}
