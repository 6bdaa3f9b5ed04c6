#include "CPreviewBar.h"

namespace
{
const int kMargin = 4;
const int kButtonHeight = 24;
const int kTextPadding = 16;

struct PreviewButton
{
    UINT nID;
    LPCTSTR lpszText;
};

// "Two Page" is the widest text the page-count button takes: it keeps its width.
const PreviewButton kButtons[] = {
    {AFX_ID_PREVIEW_PRINT, "Print..."},     {AFX_ID_PREVIEW_NEXT, "Next Page"},
    {AFX_ID_PREVIEW_PREV, "Prev Page"},     {AFX_ID_PREVIEW_NUMPAGE, "Two Page"},
    {AFX_ID_PREVIEW_ZOOMIN, "Zoom In"},     {AFX_ID_PREVIEW_ZOOMOUT, "Zoom Out"},
    {AFX_ID_PREVIEW_CLOSE, "&Close"},
};
} // namespace

BEGIN_MESSAGE_MAP(CPreviewBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CPreviewBar::CPreviewBar()
{
}

CPreviewBar::~CPreviewBar()
{
    for (CWnd* pButton : m_buttons)
        delete pButton;
}

BOOL CPreviewBar::Create(CFrameWnd* pFrame)
{
    m_dwStyle = CBRS_TOP;
    if (!CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pFrame,
                      AFX_IDW_PREVIEW_BAR))
        return FALSE;
    NONCLIENTMETRICSA ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    m_font.CreateFontIndirect(&ncm.lfMessageFont);
    for (const PreviewButton& button : kButtons)
    {
        if (!AddButton(button.nID, button.lpszText))
            return FALSE;
    }
    LayoutButtons();
    return TRUE;
}

BOOL CPreviewBar::AddButton(UINT nID, LPCTSTR lpszText)
{
    CWnd* pButton = new CWnd;
    m_buttons.push_back(pButton);
    if (!pButton->CreateEx(0, "BUTTON", lpszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                           CRect(0, 0, 0, 0), this, nID))
        return FALSE;
    pButton->SetFont(&m_font, FALSE);
    return TRUE;
}

CWnd* CPreviewBar::GetButton(UINT nID) const
{
    for (CWnd* pButton : m_buttons)
    {
        if (pButton->m_hWnd != NULL && (UINT)pButton->GetDlgCtrlID() == nID)
            return pButton;
    }
    return NULL;
}

int CPreviewBar::ButtonWidth(CWnd* pButton) const
{
    CString strText;
    pButton->GetWindowText(strText);
    if ((UINT)pButton->GetDlgCtrlID() == AFX_ID_PREVIEW_NUMPAGE)
        strText = "Two Page";
    CClientDC dc(const_cast<CPreviewBar*>(this));
    CFont* pOldFont = dc.SelectObject(const_cast<CFont*>(&m_font));
    CSize size = dc.GetTextExtent(strText);
    dc.SelectObject(pOldFont);
    return std::max<int>(size.cx + kTextPadding, 72);
}

void CPreviewBar::LayoutButtons()
{
    int x = kMargin;
    for (CWnd* pButton : m_buttons)
    {
        if (pButton->m_hWnd == NULL)
            continue;
        const int cx = ButtonWidth(pButton);
        pButton->SetWindowPos(NULL, x, kMargin, cx, kButtonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        x += cx + kMargin;
    }
}

CSize CPreviewBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy = kButtonHeight + 2 * kMargin;
    return size;
}

void CPreviewBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    state.m_nIndexMax = (UINT)m_buttons.size();
    for (CWnd* pButton : m_buttons)
    {
        if (pButton->m_hWnd == NULL)
            continue;
        state.m_pOther = pButton;
        state.m_nID = pButton->GetDlgCtrlID();
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CPreviewBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    LayoutButtons();
}
