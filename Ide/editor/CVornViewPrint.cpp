// CVornView's printing steps. The page engine cuts the text into pages and draws them;
// the view chooses the range, hides its frame while the text wraps for the printer, and
// adds the document's title and the date to the header.
#include "CVornView.h"

#include <afxdlgs.h>
#include <cderr.h>

#include "CAppSettings.h"
#include "CVornDoc.h"
#include "IEditorHost.h"

#include <algorithm>

namespace
{
// The view's control as the page engine's formatter.
class CControlFormatter : public IPageFormatter
{
public:
    explicit CControlFormatter(CScintillaCtrl& ctrl) : m_ctrl(ctrl) {}
    long FormatRange(BOOL bDraw, Sci_RangeToFormat* pRange) override { return m_ctrl.FormatRange(bDraw, pRange); }

private:
    CScintillaCtrl& m_ctrl;
};

const int kWrapWord = 1;
const int kWrapNone = 0;

// The print dialog has already told the user that there is no printer; anything else
// that kept it from opening is said here.
void ReportPrintDialogFailure()
{
    const DWORD dwError = ::CommDlgExtendedError();
    if (dwError != 0 && dwError != PDERR_NODEFAULTPRN && dwError != PDERR_NODEVICES)
        AfxMessageBox("The print dialog could not be opened.", MB_ICONEXCLAMATION | MB_OK);
}
} // namespace

BOOL CVornView::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (m_ctrl.GetSelectionStart() != m_ctrl.GetSelectionEnd())
    {
        pInfo->m_pPD->m_pd.Flags &= ~PD_NOSELECTION;
        pInfo->m_pPD->m_pd.Flags |= PD_SELECTION;
    }
    if (DoPreparePrinting(pInfo))
        return TRUE;
    ReportPrintDialogFailure();
    return FALSE;
}

void CVornView::GetPrintRange(CPrintInfo* pInfo, long& nStart, long& nEnd)
{
    const long nLength = m_ctrl.GetLength();
    nStart = 0;
    nEnd = nLength;
    if (pInfo->m_pPD->PrintSelection())
    {
        long nFrom = m_ctrl.GetSelectionStart();
        long nTo = m_ctrl.GetSelectionEnd();
        if (nFrom > nTo)
            std::swap(nFrom, nTo);
        nStart = std::max(nFrom, 0L);
        nEnd = std::min(nTo, nLength);
    }
}

void CVornView::HideFrameForPrinting()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL || m_hPrintHiddenFrame != NULL)
        return;
    m_hPrintHiddenFrame = pFrame->GetSafeHwnd();
    pFrame->ShowWindow(SW_HIDE);
}

void CVornView::ShowFrameAfterPrinting()
{
    if (m_hPrintHiddenFrame == NULL)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    m_hPrintHiddenFrame = NULL;
    if (pFrame == NULL)
        return;
    pFrame->ShowWindow(SW_SHOW);
    // Hiding let another document become the active one.
    CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pFrame);
    if (pChild != NULL)
        pChild->MDIActivate();
}

void CVornView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    HideFrameForPrinting();
    long nStart = 0, nEnd = 0;
    GetPrintRange(pInfo, nStart, nEnd);
    m_ctrl.SetWrapMode(kWrapWord);

    CRect rcPage = pInfo->m_rectDraw;
    if (rcPage.IsRectEmpty())
        rcPage.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    m_printPages.SetOptions(IEditorHost::Get().GetSettings());
    CControlFormatter formatter(m_ctrl);
    m_printPages.Paginate(formatter, pDC, rcPage, nStart, nEnd);
    if (m_printPages.IsPageTooSmall())
        AfxMessageBox("The page is too small to print the text.", MB_ICONEXCLAMATION | MB_OK);
    pInfo->SetMaxPage(m_printPages.GetPageCount());
}

void CVornView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo->m_nCurPage < 1 || (int)pInfo->m_nCurPage > m_printPages.GetPageCount())
        return;
    Sci_RangeToFormat range = m_printPages.MakePageRange(pDC, pInfo->m_rectDraw, pInfo->m_nCurPage);
    PrintHeader(pDC, pInfo, range);
    PrintFooter(pDC, pInfo, range);
    CControlFormatter formatter(m_ctrl);
    m_printPages.DrawText(formatter, range);
}

int CVornView::PrintHeader(CDC* pDC, CPrintInfo* /*pInfo*/, Sci_RangeToFormat& range)
{
    const CPrintPageEngine::COptions& options = m_printPages.GetOptions();
    CString strTitle;
    if (GetDocument() != NULL)
        strTitle = GetDocument()->GetTitle();
    CString strDate;
    if (options.nPrintDate)
        strDate = CPrintPageEngine::GetCurrentDateText();
    return m_printPages.DrawHeader(pDC, range, CPrintPageEngine::MakeHeaderText(options, strTitle, strDate));
}

int CVornView::PrintFooter(CDC* pDC, CPrintInfo* pInfo, Sci_RangeToFormat& range)
{
    return m_printPages.DrawFooter(pDC, range, pInfo->m_nCurPage);
}

void CVornView::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
    CControlFormatter formatter(m_ctrl);
    formatter.FormatRange(FALSE, NULL);
    m_ctrl.SetWrapMode(kWrapNone);
    ShowFrameAfterPrinting();
}

void CVornView::OnFilePrintSetup()
{
    AfxGetApp()->OnFilePrintSetup();
}
