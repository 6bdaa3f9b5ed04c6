// CView: a window that shows a document; activation within its frame, painting,
// command routing to the document, and the printing protocol.
#include "afxpriv.h"
#include <afxdlgs.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
END_MESSAGE_MAP()

CView::CView()
    : m_pDocument(NULL), m_bDeleteOnDestroy(FALSE)
{
}

CView::~CView()
{
    // A view deleted with its window alive ends it while it is still a view, so its
    // frame forgets it as the active view; being deleted already, the window's end
    // must not delete it again.
    m_bDeleteOnDestroy = FALSE;
    if (m_hWnd != NULL && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        VERIFY(AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG));
        cs.lpszClass = _afxWndFrameOrView;
    }
    // A view draws a sunken edge rather than a flat border.
    if (cs.style & WS_BORDER)
    {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
        pContext->m_pCurrentDoc->AddView(this);
    // A view its frame or template made goes with its window; one made by other
    // code (a pane of a dialog page, a member) belongs to that code.
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    m_bDeleteOnDestroy = pContext != NULL || (pParent != NULL && pParent->IsFrameWnd());
    return 0;
}

void CView::OnDestroy()
{
    // A view that goes while its preview shows (its document closes) ends the preview.
    CFrameWnd* pTopFrame = GetTopLevelFrame();
    CPreviewView* pPreview = pTopFrame != NULL ? pTopFrame->GetPreviewView() : NULL;
    if (pPreview != NULL && pPreview->GetPrintView() == this)
        pPreview->ClosePreview();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(NULL);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
    if (m_bDeleteOnDestroy)
        delete this;
}

BOOL CView::IsSelected(const CObject* /*pDocItem*/) const
{
    return FALSE;
}

void CView::OnInitialUpdate()
{
    OnUpdate(NULL, 0, NULL);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnUpdate(CView* /*pSender*/, LPARAM /*lHint*/, CObject* /*pHint*/)
{
    Invalidate(TRUE);
}

BOOL CView::IsActiveInTopParent() const
{
    HWND hWndTop = ::GetAncestor(m_hWnd, GA_ROOT);
    HWND hWndActive = ::GetForegroundWindow();
    return hWndActive == hWndTop || (hWndActive != NULL && ::GetWindow(hWndActive, GW_OWNER) == hWndTop);
}

void CView::OnActivateView(BOOL bActivate, CView* /*pActivateView*/, CView* /*pDeactiveView*/)
{
    // The active view of the active top-level window has the focus.
    if (bActivate && m_hWnd != NULL && IsActiveInTopParent())
        SetFocus();
}

void CView::OnActivateFrame(UINT /*nState*/, CFrameWnd* /*pFrameWnd*/)
{
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, nMsg);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    // A click makes the view the active one of its frame.
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL)
    {
        HWND hWndFocus = ::GetFocus();
        if (pParentFrame->GetActiveView() == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
            OnActivateView(TRUE, this, this);
        else
            pParentFrame->SetActiveView(this);
    }
    return nResult;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

/////////////////////////////////////////////////////////////////////////////
// Printing

void CView::OnPrepareDC(CDC* /*pDC*/, CPrintInfo* pInfo)
{
    // Without a known page count, printing stops after the first page.
    if (pInfo != NULL)
        pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    CPrintDialog* pPD = pInfo->m_pPD;
    PRINTDLG& pd = pPD->m_pd;
    pd.Flags |= PD_RETURNDC;
    if (pInfo->m_bDirect || pInfo->m_bPreview)
    {
        // The chosen printer, without asking. A preview without a printer still
        // shows the document, on a default page.
        if (!pApp->GetPrinterDeviceDefaults(&pd))
            return pInfo->m_bPreview;
    }
    else
    {
        // The range offered stays within the pages the view has.
        pd.nFromPage = (WORD)std::max<UINT>(pd.nFromPage, pd.nMinPage);
        pd.nToPage = (WORD)std::min<UINT>(std::max<UINT>(pd.nToPage, pd.nFromPage), pd.nMaxPage);
        if (pApp->DoPrintDialog(pPD) != IDOK)
            return FALSE;
    }
    if (pd.hDC == NULL && pPD->CreatePrinterDC() == NULL && (pInfo->m_bDirect || pInfo->m_bPreview))
    {
        // The chosen printer went away meanwhile: the system's default takes its place.
        pApp->UpdatePrinterSelection(TRUE);
        if (pApp->GetPrinterDeviceDefaults(&pd))
            pPD->CreatePrinterDC();
    }
    return pd.hDC != NULL || pInfo->m_bPreview;
}

BOOL CView::PrintPages(CDC* pDC, CPrintInfo* pInfo)
{
    CString strTitle;
    if (m_pDocument != NULL)
        strTitle = m_pDocument->GetTitle();
    else
        GetWindowText(strTitle);
    DOCINFOA docInfo;
    memset(&docInfo, 0, sizeof(docInfo));
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = strTitle;

    // Whatever happens, the view undoes what it prepared for the job (a view that
    // hides its frame while printing shows it again), also when a step throws.
    BOOL bStarted = FALSE;
    BOOL bError = FALSE;
    try
    {
        OnBeginPrinting(pDC, pInfo);
        bError = !PrintDocument(pDC, pInfo, docInfo, bStarted);
    }
    catch (...)
    {
        if (bStarted)
            ::AbortDoc(pDC->m_hDC);
        OnEndPrinting(pDC, pInfo);
        throw;
    }
    OnEndPrinting(pDC, pInfo);
    return !bError;
}

BOOL CView::PrintDocument(CDC* pDC, CPrintInfo* pInfo, const DOCINFOA& docInfo, BOOL& bStarted)
{
    BOOL bError = FALSE;
    if (::StartDocA(pDC->m_hDC, &docInfo) <= 0)
    {
        bError = TRUE;
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
    }
    else
    {
        bStarted = TRUE;
        // The chosen range, kept within the pages the view reported.
        UINT nStart = std::max(pInfo->GetFromPage(), pInfo->GetMinPage());
        UINT nEnd = std::min(pInfo->GetToPage(), pInfo->GetMaxPage());
        HDC hAttribDC = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
        for (pInfo->m_nCurPage = nStart; pInfo->m_nCurPage <= nEnd && !bError; pInfo->m_nCurPage++)
        {
            OnPrepareDC(pDC, pInfo);
            if (!pInfo->m_bContinuePrinting)
                break;
            if (::StartPage(pDC->m_hDC) <= 0)
            {
                bError = TRUE;
                break;
            }
            pInfo->m_rectDraw.SetRect(0, 0, ::GetDeviceCaps(hAttribDC, HORZRES), ::GetDeviceCaps(hAttribDC, VERTRES));
            ::DPtoLP(hAttribDC, (LPPOINT)(LPRECT)&pInfo->m_rectDraw, 2);
            OnPrint(pDC, pInfo);
            if (::EndPage(pDC->m_hDC) <= 0)
                bError = TRUE;
        }
        bStarted = FALSE;
        if (bError)
            ::AbortDoc(pDC->m_hDC);
        else
            ::EndDoc(pDC->m_hDC);
    }
    return !bError;
}

void CView::OnFilePrint()
{
    CPrintInfo printInfo;
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg != NULL && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        printInfo.m_bDirect = TRUE;
    if (!OnPreparePrinting(&printInfo))
        return;

    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pPD->m_pd.hDC);
    dcPrint.m_bPrinting = TRUE;
    PrintPages(&dcPrint, &printInfo);
    // The print information owns the DC and deletes it.
    dcPrint.Detach();
}
