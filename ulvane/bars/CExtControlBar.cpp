// CExtControlBar: creation and the window class, the bar list and its queries,
// sizes and the dock row, visibility, floating and docking, the non-client area
// with its caption, splitters and buttons, the panels menu, and moving and resizing
// with the mouse.
#include "CExtControlBar.h"

#include "CExtOffscreenDC.h"

#include "CExtBarDragState.h"
#include "CExtBarNcAreaButton.h"
#include "CExtBarNcAreaButtonClose.h"
#include "CExtBarNcAreaButtonMenu.h"
#include "CExtBarPopupMenuEvent.h"
#include "CExtBarStateExtra.h"
#include "CExtCommandManagerHolder.h"
#include "CExtDockBar.h"
#include "CExtDockDynBar.h"
#include "CExtDockOuterBar.h"
#include "CExtDynControlBar.h"
#include "ExtDockEntries.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "ExtDockEntries.h"
#include "ExtPaintHelpers.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CExtControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCRBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SHOWWINDOW()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChangeMsg)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

namespace
{
const char szBarClass[] = "Ulvane-ControlBar";
// How near the edge of the area the bars leave free a dropped bar docks.
const int nDockZone = 32;
bool g_bBarClassRegistered = false;

bool RegisterBarClass()
{
    if (g_bBarClassRegistered)
        return true;
    WNDCLASS wc;
    if (!::GetClassInfo(AfxGetInstanceHandle(), szBarClass, &wc))
    {
        memset(&wc, 0, sizeof(wc));
        // No background brush: the bar paints all of itself through the look.
        wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = szBarClass;
        if (!::RegisterClass(&wc))
            return false;
    }
    g_bBarClassRegistered = true;
    return true;
}

bool IsSideID(UINT nID)
{
    return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT ||
           nID == AFX_IDW_DOCKBAR_BOTTOM;
}

CControlBar* BarOfEntry(void* pEntry)
{
    return ExtDockEntries::BarOf(pEntry);
}

// A framework bar that is not fixed-mode (nor a nesting container when bNoContainers).
CExtControlBar* ResizableBar(CControlBar* pBar, bool bNoContainers = false)
{
    if (pBar == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) || ((CExtControlBar*)pBar)->IsFixedMode())
        return NULL;
    if (bNoContainers && pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
        return NULL;
    return (CExtControlBar*)pBar;
}

bool IsResizable(CControlBar* pBar)
{
    return ResizableBar(pBar) != NULL;
}

CString FirstLine(const CString& str)
{
    const int nLineFeed = str.Find('\n');
    return nLineFeed >= 0 ? str.Left(nLineFeed) : str;
}

// The screen rectangle the frame's bars leave to its view or MDI client.
CRect GetInnerArea(CFrameWnd* pFrame)
{
    CRect rc;
    CWnd* pClient = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pClient != NULL)
        pClient->GetWindowRect(&rc);
    else
    {
        pFrame->GetClientRect(&rc);
        pFrame->ClientToScreen(&rc);
    }
    return rc;
}
}

CExtControlBar::CExtControlBar()
    : m_nBarFlags(eBarCaptionAtTop | eBarConstructed | eBarInFrameLayout | eBarInPanelsMenu),
      m_nCaptionExtentH(::GetSystemMetrics(SM_CYSMCAPTION) + 1),
      m_nCaptionExtentV(::GetSystemMetrics(SM_CYSMCAPTION) + 1),
      m_nResizeBorderV(std::min(::GetSystemMetrics(SM_CYFRAME), 4)),
      m_nResizeBorderH(std::min(::GetSystemMetrics(SM_CXFRAME), 4)), m_nNcOverheadH(0), m_nNcOverheadV(0),
      m_nTrackedCoord(0), m_nTrackedExtent(0), m_sizeDockedH(200, 150), m_sizeDockedV(150, 200),
      m_sizeFloated(200, 200), m_nTrackingFlags(eTrackFitFirstChild), m_nReclaimLength(0), m_ptFloatPos(0, 0),
      m_ptGrabFloating(0, 0), m_ptGrabHorz(0, 0), m_ptGrabVert(0, 0), m_nCaptionFlags(0), m_ptLastDrag(-1, -1),
      m_bRowTrackerDrawn(false)
{
    m_nNcOverheadH = m_nNcOverheadV = ::GetSystemMetrics(SM_CYSMCAPTION) + m_nResizeBorderV + 1;
    m_rcCaption.SetRectEmpty();
    m_rcRowSplitter.SetRectEmpty();
    m_rcTrailingSplitter.SetRectEmpty();
    m_rcLeadingSplitter.SetRectEmpty();
    RegisterBarClass();
    CSingleLock lock(&g_csBars, TRUE);
    g_arrBars.Add(this);
}

CExtControlBar::~CExtControlBar()
{
    AbandonTracking();
    {
        CSingleLock lock(&g_csBars, TRUE);
        for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
        {
            if (g_arrBars[i] == this)
            {
                g_arrBars.RemoveAt(i);
                break;
            }
        }
    }
    DeleteNcAreaButtons();
}

void CExtControlBar::DeleteNcAreaButtons()
{
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
        m_arrNcButtons[i]->DeleteSelf(true);
    m_arrNcButtons.RemoveAll();
}

CExtBarNcAreaButton* CExtControlBar::GetNcAreaButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrNcButtons.GetSize() ? m_arrNcButtons[nIndex] : NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Creation

BOOL CExtControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterBarClass())
        return FALSE;
    cs.lpszClass = szBarClass;
    return CControlBar::PreCreateWindow(cs);
}

BOOL CExtControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!RegisterBarClass() || pParentWnd == NULL || pParentWnd->m_hWnd == NULL)
        return FALSE;
    m_dwStyle = dwStyle & 0x40FFFF;

    CString strName;
    if (lpszWindowName != NULL)
        strName = lpszWindowName;
    else if (nID != 0 && nID != (UINT)-1)
    {
        strName = g_CommandManagerHolder->GetCommandCaption(pParentWnd->m_hWnd, nID);
        if (strName.IsEmpty() && strName.LoadString(nID))
            strName = FirstLine(strName);
    }
    strName = FirstLine(strName);
    const DWORD dwWndStyle = (dwStyle & 0xFFBF0000) | WS_CLIPCHILDREN;
    return CWnd::Create(szBarClass, strName, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void CExtControlBar::PreSubclassWindow()
{
    CControlBar::PreSubclassWindow();
    m_nBarFlags &= ~eBarUpdateBlocked;
    if ((m_nBarFlags & eBarNotInFrame) == 0)
    {
        CWnd* pParent = GetParent();
        if (pParent != NULL && !pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) &&
            !pParent->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) && !pParent->IsKindOf(RUNTIME_CLASS(CDockBar)))
        {
            // A bar placed in a dialog template carries its bar style in the window
            // style; one created by Create already has its own.
            const DWORD dwFromWindow = GetStyle() & 0x40FFFF;
            if (dwFromWindow != 0)
                m_dwStyle = dwFromWindow;
            m_nBarFlags |= eBarNotInFrame;
        }
    }
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips(TRUE);
}

int CExtControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    // A resizable bar in a frame needs the framework's docking there.
    if ((m_nBarFlags & eBarNotInFrame) == 0 && !IsFixedMode())
    {
        CFrameWnd* pFrame = GetBarFrame();
        if (pFrame != NULL)
            FrameEnableDocking(pFrame, CBRS_ALIGN_ANY, true);
    }
    return 0;
}

void CExtControlBar::OnDestroy()
{
    m_nBarFlags |= eBarUpdateBlocked;
    AbandonTracking();
    CControlBar::OnDestroy();
}

void CExtControlBar::OnNcDestroy()
{
    m_nBarFlags |= eBarUpdateBlocked;
    DeleteNcAreaButtons();
    CControlBar::OnNcDestroy();
}

LRESULT CExtControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // Nothing thrown by a handler may leave the window procedure.
    try
    {
        return CControlBar::WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Where the bar is

UINT CExtControlBar::GetDockBarID() const
{
    if (m_hWnd == NULL)
        return AFX_IDW_DOCKBAR_FLOAT;
    CWnd* pWnd = m_pDockBar != NULL ? (CWnd*)m_pDockBar : CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pWnd == NULL || pWnd->m_hWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) ||
        ((CDockBar*)pWnd)->m_bFloating)
        return AFX_IDW_DOCKBAR_FLOAT;
    return (UINT)(WORD)pWnd->GetDlgCtrlID();
}

UINT CExtControlBar::GetDockLayer() const
{
    CExtDockBar* pDockBar = GetExtDockBar();
    if (pDockBar == NULL || GetDockBarID() == AFX_IDW_DOCKBAR_FLOAT)
        return 0;
    return pDockBar->m_nCircleNo;
}

CExtDockBar* CExtControlBar::GetExtDockBar() const
{
    if (m_pDockBar == NULL || m_pDockBar->m_hWnd == NULL || !m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        return NULL;
    return (CExtDockBar*)m_pDockBar;
}

bool CExtControlBar::IsDockedAtLeft() const
{
    if (m_pDockSite != NULL)
        return GetDockBarID() == AFX_IDW_DOCKBAR_LEFT;
    return (m_dwStyle & 0x1400) != 0;
}

bool CExtControlBar::IsDockedAtRight() const
{
    if (m_pDockSite != NULL)
        return GetDockBarID() == AFX_IDW_DOCKBAR_RIGHT;
    return (m_dwStyle & 0x4100) != 0;
}

bool CExtControlBar::IsDockedAtBottom() const
{
    if (m_pDockSite != NULL)
        return GetDockBarID() == AFX_IDW_DOCKBAR_BOTTOM;
    return (m_dwStyle & 0x8200) != 0;
}

bool CExtControlBar::IsDockedHorizontally() const
{
    if (m_pDockSite == NULL)
        return (m_dwStyle & 0xAA00) != 0;
    const UINT nID = GetDockBarID();
    return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
}

bool CExtControlBar::IsDockedVertically() const
{
    if (m_pDockSite == NULL)
        return (m_dwStyle & 0x5500) != 0;
    const UINT nID = GetDockBarID();
    return nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT;
}

bool CExtControlBar::IsDocked() const
{
    return m_pDockSite == NULL || IsSideID(GetDockBarID());
}

BOOL CExtControlBar::IsFloating() const
{
    return m_pDockSite != NULL && m_hWnd != NULL && !IsSideID(GetDockBarID()) && GetParentFrame() != NULL;
}

CFrameWnd* CExtControlBar::GetBarFrame() const
{
    if (m_pDockSite != NULL)
        return m_pDockSite;
    if (m_hWnd == NULL)
        return NULL;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    {
        CWnd* pOwner = pFrame->GetOwner();
        if (pOwner != NULL && pOwner->IsFrameWnd())
            return (CFrameWnd*)pOwner;
        return pFrame->GetParentFrame();
    }
    return pFrame;
}

bool CExtControlBar::IsAloneInFloatingFrame() const
{
    if (m_pDockSite == NULL || m_hWnd == NULL || !IsWindowVisible() || IsFixedMode())
        return false;
    CFrameWnd* pMiniFrame = GetParentFrame();
    if (pMiniFrame == NULL || !pMiniFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return false;
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = g_arrBars[i];
        if (pBar == this || pBar->m_hWnd == NULL || pBar->m_pDockSite != m_pDockSite || pBar->IsFixedMode() ||
            pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) || !pBar->IsWindowVisible())
            continue;
        if (pBar->GetParentFrame() == pMiniFrame && pBar->GetExtDockBar() != NULL)
            return false;
    }
    return true;
}

bool CExtControlBar::IsDockSiteInPreviewMode()
{
    if (m_pDockSite == NULL || (m_nBarFlags & eBarNotInFrame) != 0)
        return false;
    CView* pView = m_pDockSite->GetActiveView();
    return pView != NULL && pView->IsKindOf(RUNTIME_CLASS(CPreviewView));
}

/////////////////////////////////////////////////////////////////////////////
// The dock row

bool CExtControlBar::GetRowRange(INT_PTR& nFirst, INT_PTR& nLast) const
{
    if (m_pDockBar == NULL)
        return false;
    const INT_PTR nPos = m_pDockBar->FindBar(const_cast<CExtControlBar*>(this));
    if (nPos < 0)
        return false;
    const CPtrArray& arr = m_pDockBar->m_arrBars;
    nFirst = nPos;
    while (nFirst > 0 && arr[nFirst - 1] != NULL)
        nFirst--;
    nLast = nPos;
    while (nLast + 1 < arr.GetSize() && arr[nLast + 1] != NULL)
        nLast++;
    return true;
}

namespace
{
bool IsVisibleBar(CControlBar* pBar)
{
    return pBar != NULL && pBar->m_hWnd != NULL && pBar->IsVisible();
}

// Visible bars of the rows before (nDir -1) or after (nDir 1) the row [nFirst, nLast].
bool HasVisibleBarBeyondRow(const CPtrArray& arr, INT_PTR nFirst, INT_PTR nLast, int nDir)
{
    if (nDir < 0)
    {
        for (INT_PTR i = 0; i < nFirst; i++)
            if (IsVisibleBar(BarOfEntry(arr[i])))
                return true;
        return false;
    }
    for (INT_PTR i = nLast + 1; i < arr.GetSize(); i++)
        if (IsVisibleBar(BarOfEntry(arr[i])))
            return true;
    return false;
}
}

bool CExtControlBar::IsFirstInRow(bool bResizableOnly) const
{
    INT_PTR nFirst, nLast;
    if (!GetRowRange(nFirst, nLast))
        return false;
    for (INT_PTR i = nFirst; i <= nLast; i++)
    {
        CControlBar* pBar = BarOfEntry(m_pDockBar->m_arrBars[i]);
        if (IsVisibleBar(pBar) && (!bResizableOnly || IsResizable(pBar)))
            return pBar == this;
    }
    return false;
}

bool CExtControlBar::IsLastInRow(bool bResizableOnly) const
{
    INT_PTR nFirst, nLast;
    if (!GetRowRange(nFirst, nLast))
        return false;
    for (INT_PTR i = nLast; i >= nFirst; i--)
    {
        CControlBar* pBar = BarOfEntry(m_pDockBar->m_arrBars[i]);
        if (IsVisibleBar(pBar) && (!bResizableOnly || IsResizable(pBar)))
            return pBar == this;
    }
    return false;
}

bool CExtControlBar::IsOnlyBarInRow(bool bFixedOnly, bool bResizableOnly) const
{
    INT_PTR nFirst, nLast;
    if (!GetRowRange(nFirst, nLast))
        return false;
    for (INT_PTR i = nFirst; i <= nLast; i++)
    {
        CControlBar* pBar = BarOfEntry(m_pDockBar->m_arrBars[i]);
        if (pBar == this || !IsVisibleBar(pBar))
            continue;
        const bool bExt = pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) != FALSE;
        if (bFixedOnly && !(bExt && ((CExtControlBar*)pBar)->IsFixedMode()))
            continue;
        if (bResizableOnly && !IsResizable(pBar))
            continue;
        return false;
    }
    return true;
}

void CExtControlBar::MakeAloneInRow()
{
    if (m_pDockBar == NULL || m_hWnd == NULL)
        return;
    CPtrArray& arr = m_pDockBar->m_arrBars;
    const INT_PTR nPos = m_pDockBar->FindBar(this);
    if (nPos <= 0)
        return;
    if (nPos + 1 >= arr.GetSize() || !ExtDockEntries::IsRowEnd(arr[nPos + 1]))
        arr.InsertAt(nPos + 1, (void*)NULL);
    if (!ExtDockEntries::IsRowEnd(arr[nPos - 1]))
        arr.InsertAt(nPos, (void*)NULL);
    SetRowLength(32767);
    if (m_pDockSite != NULL)
        m_pDockSite->RecalcLayout();
}

bool CExtControlBar::CollectRowBars(INT_PTR nFirst, INT_PTR nLast, bool bResizableOnly, bool bLastFirst,
                                    CArray<CControlBar*, CControlBar*>* pArrBars, CRect* pRcUnion, INT_PTR* pnIndex,
                                    bool* pbHasResizable, bool* pbFull)
{
    if (pArrBars != NULL)
        pArrBars->RemoveAll();
    if (pRcUnion != NULL)
        pRcUnion->SetRectEmpty();
    if (pnIndex != NULL)
        *pnIndex = -1;
    if (pbHasResizable != NULL)
        *pbHasResizable = false;
    if (pbFull != NULL)
        *pbFull = false;
    if (m_pDockBar == NULL)
        return false;
    const bool bHorz = (m_pDockBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const CPtrArray& arr = m_pDockBar->m_arrBars;
    INT_PTR nCount = 0;
    int nLengths = 0;
    bool bMinimizedOnRow = false;
    for (INT_PTR n = 0; n <= nLast - nFirst; n++)
    {
        CControlBar* pBar = BarOfEntry(arr[bLastFirst ? nLast - n : nFirst + n]);
        if (!IsVisibleBar(pBar) || (bResizableOnly && !IsResizable(pBar)))
            continue;
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        nLengths += bHorz ? rcBar.Width() : rcBar.Height();
        if (pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && ((CExtControlBar*)pBar)->IsMinimizedOnRow())
            bMinimizedOnRow = true;
        if (pBar == this && pnIndex != NULL)
            *pnIndex = nCount;
        if (pbHasResizable != NULL && IsResizable(pBar))
            *pbHasResizable = true;
        if (pRcUnion != NULL)
            pRcUnion->UnionRect(pRcUnion, &rcBar);
        if (pArrBars != NULL)
            pArrBars->Add(pBar);
        nCount++;
    }
    if (pbFull != NULL)
    {
        CRect rcDockBar;
        m_pDockBar->GetClientRect(&rcDockBar);
        *pbFull = bMinimizedOnRow || (nCount > 0 && nLengths >= (bHorz ? rcDockBar.Width() : rcDockBar.Height()) - 1);
    }
    return true;
}

bool CExtControlBar::GetRowBars(CArray<CControlBar*, CControlBar*>* pArrBars, CRect* pRcUnion, INT_PTR* pnIndex,
                                bool* pbHasResizable, bool* pbFull)
{
    INT_PTR nFirst = 0, nLast = -1;
    GetRowRange(nFirst, nLast);
    return CollectRowBars(nFirst, nLast, false, false, pArrBars, pRcUnion, pnIndex, pbHasResizable, pbFull) &&
           nLast >= nFirst;
}

bool CExtControlBar::GetRowResizableBars(CArray<CControlBar*, CControlBar*>* pArrBars, CRect* pRcUnion,
                                         INT_PTR* pnIndex, bool* pbHasResizable, bool* pbFull)
{
    INT_PTR nFirst = 0, nLast = -1;
    GetRowRange(nFirst, nLast);
    return CollectRowBars(nFirst, nLast, true, false, pArrBars, pRcUnion, pnIndex, pbHasResizable, pbFull) &&
           nLast >= nFirst;
}

bool CExtControlBar::GetRowNeighbours(bool bForward, CArray<CControlBar*, CControlBar*>* pArrBars, CRect* pRcUnion,
                                      bool* pbHasResizable, bool* pbFull)
{
    INT_PTR nFirst = 0, nLast = -1;
    if (!GetRowRange(nFirst, nLast))
        nFirst = 0, nLast = -1;
    const CPtrArray* pArr = m_pDockBar != NULL ? &m_pDockBar->m_arrBars : NULL;
    // The row beyond the row end next to this row, up to the row end after it.
    INT_PTR nRowFirst = 0, nRowLast = -1;
    if (pArr != NULL && nLast >= nFirst)
    {
        if (bForward && nLast + 2 < pArr->GetSize())
        {
            nRowFirst = nRowLast = nLast + 2;
            while (nRowLast + 1 < pArr->GetSize() && !ExtDockEntries::IsRowEnd((*pArr)[nRowLast + 1]))
                nRowLast++;
        }
        else if (!bForward && nFirst >= 3)
        {
            nRowFirst = nRowLast = nFirst - 2;
            while (nRowFirst > 0 && !ExtDockEntries::IsRowEnd((*pArr)[nRowFirst - 1]))
                nRowFirst--;
        }
    }
    if (ExtDockEntries::IsRowEnd(pArr != NULL && nRowLast >= nRowFirst ? (*pArr)[nRowLast] : NULL))
        nRowLast = nRowFirst - 1;
    return CollectRowBars(nRowFirst, nRowLast, false, !bForward, pArrBars, pRcUnion, NULL, pbHasResizable, pbFull) &&
           nRowLast >= nRowFirst;
}

bool CExtControlBar::MoveNextToInDockBar(CControlBar* pOther, bool bAfter)
{
    if (m_pDockBar == NULL || pOther == NULL || pOther == this)
        return false;
    CPtrArray& arr = m_pDockBar->m_arrBars;
    const INT_PTR nPos = m_pDockBar->FindBar(this);
    if (nPos <= 0 || m_pDockBar->FindBar(pOther) <= 0)
        return false;
    arr.RemoveAt(nPos);
    // A row the bar was all of goes with it.
    if (nPos < arr.GetSize() && ExtDockEntries::IsRowEnd(arr[nPos]) && ExtDockEntries::IsRowEnd(arr[nPos - 1]))
        arr.RemoveAt(nPos);
    const INT_PTR nOther = m_pDockBar->FindBar(pOther);
    arr.InsertAt(bAfter ? nOther + 1 : nOther, this);
    return true;
}

int CExtControlBar::GetRowLength() const
{
    return IsDockedVertically() ? m_sizeDockedV.cy : m_sizeDockedH.cx;
}

void CExtControlBar::SetRowLength(int nLength)
{
    if (IsDockedVertically())
        m_sizeDockedV.cy = nLength;
    else
        m_sizeDockedH.cx = nLength;
}

int CExtControlBar::GetMinimalRowLength()
{
    return IsDockedVertically() ? GetMinimalHeight() : GetMinimalWidth();
}

bool CExtControlBar::IsAtMinimalLength()
{
    if (m_hWnd == NULL || IsFixedMode() || !IsDocked())
        return false;
    CRect rc;
    GetWindowRect(&rc);
    return IsDockedVertically() ? rc.Height() == GetMinimalHeight() : rc.Width() == GetMinimalWidth();
}

void CExtControlBar::GetSplitterSides(bool& bLeft, bool& bTop, bool& bRight, bool& bBottom) const
{
    bLeft = bTop = bRight = bBottom = true;
    CExtDockBar* pDockBar = GetExtDockBar();
    if (IsFixedMode() || m_hWnd == NULL || !IsVisible() || m_pDockSite == NULL || pDockBar == NULL)
        return;
    INT_PTR nFirst, nLast;
    if (!GetRowRange(nFirst, nLast))
        return;
    const CPtrArray& arr = pDockBar->m_arrBars;
    const INT_PTR nPos = pDockBar->FindBar(const_cast<CExtControlBar*>(this));
    bool bNoneBefore = true, bNoneAfter = true;
    for (INT_PTR i = nFirst; i < nPos; i++)
        if (IsVisibleBar(BarOfEntry(arr[i])))
            bNoneBefore = false;
    for (INT_PTR i = nPos + 1; i <= nLast; i++)
        if (IsVisibleBar(BarOfEntry(arr[i])))
            bNoneAfter = false;
    const bool bRowBefore = HasVisibleBarBeyondRow(arr, nFirst, nLast, -1);
    const bool bRowAfter = HasVisibleBarBeyondRow(arr, nFirst, nLast, 1);
    const UINT nID = GetDockBarID();
    const bool bHorz = nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
    if (pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
    {
        if (bHorz)
        {
            bTop = bRowBefore;
            bBottom = bRowAfter;
            bLeft = !bNoneBefore;
            bRight = !bNoneAfter;
        }
        else
        {
            bLeft = bRowBefore;
            bRight = bRowAfter;
            bTop = !bNoneBefore;
            bBottom = !bNoneAfter;
        }
        return;
    }
    switch (nID)
    {
    case AFX_IDW_DOCKBAR_TOP:
        bTop = bRowBefore;
        bLeft = !bNoneBefore;
        bRight = !bNoneAfter;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        bLeft = bRowBefore;
        bTop = !bNoneBefore;
        bBottom = !bNoneAfter;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        bRight = bRowAfter;
        bTop = !bNoneBefore;
        bBottom = !bNoneAfter;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        bBottom = bRowAfter;
        bLeft = !bNoneBefore;
        bRight = !bNoneAfter;
        break;
    }
}

void CExtControlBar::MaximizeInRow()
{
    CExtDockBar* pDockBar = GetExtDockBar();
    INT_PTR nFirst, nLast;
    if (pDockBar == NULL || IsFixedMode() || !IsDocked() || !GetRowRange(nFirst, nLast) ||
        IsOnlyBarInRow(false, true))
        return;
    int nTaken = 0;
    for (INT_PTR i = nFirst; i <= nLast; i++)
    {
        CExtControlBar* pBar = ResizableBar(BarOfEntry(pDockBar->m_arrBars[i]));
        if (pBar == NULL || pBar == this || !IsVisibleBar(pBar))
            continue;
        const int nMin = pBar->GetMinimalRowLength();
        const int nLength = pBar->GetRowLength();
        if (nLength > nMin)
        {
            nTaken += nLength - nMin;
            pBar->SetRowLength(nMin);
        }
    }
    if (nTaken == 0)
        return;
    SetRowLength(GetRowLength() + nTaken);
    if (m_pDockSite != NULL)
        m_pDockSite->RecalcLayout();
}

void CExtControlBar::ReclaimRowLength()
{
    CExtDockBar* pDockBar = GetExtDockBar();
    INT_PTR nFirst, nLast;
    if (IsFixedMode() || IsFixedDockStyle() || IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) || m_pDockSite == NULL ||
        pDockBar == NULL || !IsSideID(GetDockBarID()) || !GetRowRange(nFirst, nLast))
        return;
    if (!IsVisible())
    {
        m_nReclaimLength = GetRowLength();
        return;
    }
    if (m_nReclaimLength == 0)
        return;
    int nToTake = m_nReclaimLength;
    m_nReclaimLength = 0;
    CArray<CExtControlBar*, CExtControlBar*> candidates;
    for (INT_PTR i = nFirst; i <= nLast; i++)
    {
        CExtControlBar* pBar = ResizableBar(BarOfEntry(pDockBar->m_arrBars[i]));
        if (pBar != NULL && pBar != this && IsVisibleBar(pBar) && pBar->GetRowLength() > pBar->GetMinimalRowLength())
            candidates.Add(pBar);
    }
    // One pixel from each in turn; a bar at its minimum gives no more.
    while (nToTake > 0 && candidates.GetSize() > 0)
    {
        for (INT_PTR i = 0; i < candidates.GetSize() && nToTake > 0;)
        {
            CExtControlBar* pBar = candidates[i];
            pBar->SetRowLength(pBar->GetRowLength() - 1);
            nToTake--;
            if (pBar->GetRowLength() <= pBar->GetMinimalRowLength())
                candidates.RemoveAt(i);
            else
                i++;
        }
    }
}

void CExtControlBar::SyncNestedVisibility()
{
    if (m_pDockBar == NULL && (m_nBarFlags & eBarNotInFrame) == 0)
        return;
    if ((m_nTrackingFlags & eTrackNoChildReposition) != 0 || IsFixedMode() || IsFixedDockStyle() ||
        m_pDockSite == NULL || m_pDockBar == NULL || IsDockSiteInPreviewMode())
        return;
    m_nTrackingFlags |= eTrackNoChildReposition;
    ReclaimRowLength();
    SyncContainerVisibility();
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pParentFrame->RecalcLayout();
    m_nTrackingFlags &= ~eTrackNoChildReposition;
}

void CExtControlBar::SyncContainerVisibility()
{
    // The container shows while one bar nested in it does.
    const bool bVisible = IsVisible() != FALSE && (GetStyle() & WS_VISIBLE) != 0;
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pDockBar);
    CExtDynControlBar* pContainer = pInner != NULL ? pInner->GetContainer() : NULL;
    if (pContainer != NULL && pContainer->m_pDockSite != NULL)
    {
        if (bVisible && !pContainer->IsVisible())
            pContainer->m_pDockSite->ShowControlBar(pContainer, TRUE, TRUE);
        else if (!bVisible && pContainer->IsVisible() && !pInner->HasVisibleBar())
            pContainer->m_pDockSite->ShowControlBar(pContainer, FALSE, TRUE);
    }
    // A hidden container hides everything nested in it.
    CExtDynControlBar* pSelf = DYNAMIC_DOWNCAST(CExtDynControlBar, this);
    if (bVisible || pSelf == NULL || pSelf->m_pWndDynDocker == NULL)
        return;
    CArray<CControlBar*, CControlBar*> arrBars;
    pSelf->m_pWndDynDocker->GetHeldBars(arrBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CControlBar* pBar = arrBars[i];
        if (pBar->m_hWnd == NULL)
            continue;
        pBar->DelayShow(FALSE);
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                                 SWP_NOSENDCHANGING);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Sizes

int CExtControlBar::GetMinimalWidth()
{
    // The leading splitter counts along a horizontal row only.
    const int nLeading = IsDockedHorizontally() ? m_rcLeadingSplitter.Width() : 0;
    int nWidth = nLeading + m_nNcOverheadH;
    if (m_nBarFlags & eBarCaptionAtTop)
        nWidth = std::max(nWidth, 10);
    return nWidth;
}

int CExtControlBar::GetMinimalHeight()
{
    const int nLeading = IsDockedVertically() ? m_rcLeadingSplitter.Height() : 0;
    return nLeading + m_nNcOverheadV;
}

CSize CExtControlBar::GetMinimalSize()
{
    return CSize(GetMinimalWidth(), GetMinimalHeight());
}

CSize CExtControlBar::GetMinimalFloatingSize()
{
    return CSize(80, 60);
}

void CExtControlBar::ApplyBarStateExtra()
{
    // The record's priority counts in the frame-edge rows only.
    if (GetBarStateExtra() != NULL && m_pDockBar != NULL && m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
        ((CExtDockOuterBar*)m_pDockBar)->PromoteBarInRow(this);
}

void CExtControlBar::ResetBarStateExtra()
{
    if (CExtBarStateExtra* pExtra = GetBarStateExtra())
        pExtra->Reset();
}

CSize CExtControlBar::GetSizeInRow(bool bHorzRow, bool bStretch)
{
    // Each remembered extent is kept at least at its own axis's minimum.
    if (bHorzRow)
    {
        m_sizeDockedH.cy = std::max((int)m_sizeDockedH.cy, GetMinimalHeight());
        return bStretch ? CSize(32767, m_sizeDockedH.cy) : m_sizeDockedH;
    }
    m_sizeDockedV.cx = std::max((int)m_sizeDockedV.cx, GetMinimalWidth());
    return bStretch ? CSize(m_sizeDockedV.cx, 32767) : m_sizeDockedV;
}

CSize CExtControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (IsFixedMode())
        return CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (IsFloating())
        return m_sizeFloated;
    return GetSizeInRow(bHorz != FALSE, false);
}

CSize CExtControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (IsFixedMode())
        return CControlBar::CalcDynamicLayout(nLength, nMode);
    if ((nMode & (LM_HORZDOCK | LM_VERTDOCK)) == 0 || IsFloating())
    {
        // A floating bar is sized by its frame's edges.
        if (nLength > 0)
        {
            const CSize sizeMin = GetMinimalFloatingSize();
            if (nMode & LM_LENGTHY)
                m_sizeFloated.cy = std::max((LONG)nLength, sizeMin.cy);
            else
                m_sizeFloated.cx = std::max((LONG)nLength, sizeMin.cx);
        }
        if ((nMode & (LM_MRUWIDTH | LM_COMMIT)) != 0 || IsFloating())
            return m_sizeFloated;
        return GetSizeInRow((nMode & LM_HORZ) != 0, false);
    }
    return CalcRowLayout(nLength, nMode);
}

CSize CExtControlBar::CalcRowLayout(int nLength, DWORD nMode)
{
    const bool bHorz = (nMode & LM_HORZDOCK) != 0;
    const CSize sizeOwn = GetSizeInRow(bHorz, (nMode & LM_STRETCH) != 0);
    CExtDockBar* pDockBar = GetExtDockBar();
    INT_PTR nFirst, nLast;
    if (nLength >= 0 || pDockBar == NULL || !GetRowRange(nFirst, nLast))
        return sizeOwn;
    const int nExtent = pDockBar->GetRowExtent();
    if (nExtent == 0)
        return sizeOwn;

    // The row's visible bars as it stands; only its first resizable bar decides.
    std::vector<INT_PTR> positions;
    std::vector<CControlBar*> rowBars;
    std::vector<ROWBAR> items;
    int nWorking = -1;
    for (INT_PTR i = nFirst; i <= nLast; i++)
    {
        CControlBar* pBar = BarOfEntry(pDockBar->m_arrBars[i]);
        if (!IsVisibleBar(pBar))
            continue;
        ROWBAR item = {false, 0, 0, 0};
        CExtControlBar* pResizable = ResizableBar(pBar);
        if (pResizable != NULL)
        {
            if (nWorking < 0)
                nWorking = (int)items.size();
            const CSize size = pResizable->GetSizeInRow(bHorz, false);
            item.bResizable = true;
            item.nLength = bHorz ? size.cx : size.cy;
            item.nMinLength = bHorz ? pResizable->GetMinimalWidth() : pResizable->GetMinimalHeight();
            item.nCross = bHorz ? size.cy : size.cx;
        }
        else
        {
            CRect rc;
            pBar->GetWindowRect(&rc);
            item.nLength = bHorz ? rc.Width() : rc.Height();
        }
        positions.push_back(i);
        rowBars.push_back(pBar);
        items.push_back(item);
    }
    if (nWorking < 0 || rowBars[nWorking] != this)
        return sizeOwn;
    const int nBorders = 2 * ::GetSystemMetrics(bHorz ? SM_CXBORDER : SM_CYBORDER);
    const ROWDECISION decision =
        SpreadRowLengths(items, nWorking, nExtent, nBorders);
    int nRowEnd = (int)items.size() - 1;
    if (decision.nBreakAfter >= 0 && decision.nBreakAfter < nRowEnd)
    {
        // Decided on the row as it stood; the row end goes in once, after that bar.
        pDockBar->m_arrBars.InsertAt(positions[decision.nBreakAfter] + 1, (void*)NULL);
        nRowEnd = decision.nBreakAfter;
    }
    if (decision.bWorkingMoves)
        return GetSizeInRow(bHorz, (nMode & LM_STRETCH) != 0);
    for (int i = 0; i <= nRowEnd; i++)
    {
        if (!items[i].bResizable)
            continue;
        CExtControlBar* pBar = (CExtControlBar*)rowBars[i];
        if (bHorz)
            pBar->m_sizeDockedH = CSize(items[i].nLength, decision.nCross);
        else
            pBar->m_sizeDockedV = CSize(decision.nCross, items[i].nLength);
    }
    return GetSizeInRow(bHorz, (nMode & LM_STRETCH) != 0);
}

CExtControlBar::ROWDECISION CExtControlBar::SpreadRowLengths(std::vector<ROWBAR>& bars, int nWorking, int nExtent,
                                                             int nBorders)
{
    ROWDECISION decision = {-1, false, 0};
    const int nCount = (int)bars.size();
    if (nCount == 0 || nWorking < 0 || nWorking >= nCount)
        return decision;
    if (nCount == 1)
    {
        ROWBAR& bar = bars[0];
        bar.nLength = std::max(nExtent, bar.nMinLength);
        decision.nCross = bar.nCross;
        return decision;
    }

    // The row as it stands, each resizable bar at its minimum: where it overflows.
    int nLast = nCount - 1;
    int nUsed = nBorders;
    for (int i = 0; i < nCount; i++)
    {
        ROWBAR& bar = bars[i];
        if (bar.bResizable)
            bar.nLength = std::max(bar.nLength, bar.nMinLength);
        nUsed += bar.bResizable ? bar.nMinLength : bar.nLength;
        if (nUsed <= nExtent)
            continue;
        if (i == 0)
        {
            // The first bar alone is too long: it keeps the row to itself.
            decision.nBreakAfter = 0;
            decision.bWorkingMoves = nWorking > 0;
            nLast = 0;
            break;
        }
        if (i < nWorking)
        {
            decision.nBreakAfter = i;
            decision.bWorkingMoves = true;
            break;
        }
        // The overflowing bar and those after it go to a row of their own.
        decision.nBreakAfter = i - 1;
        decision.bWorkingMoves = i == nWorking;
        nLast = i - 1;
        break;
    }
    if (decision.bWorkingMoves)
        return decision;

    int nFree = nExtent;
    int nLastResizable = -1;
    for (int i = 0; i <= nLast; i++)
    {
        if (!bars[i].bResizable)
        {
            nFree -= bars[i].nLength;
            continue;
        }
        decision.nCross = std::max(decision.nCross, bars[i].nCross);
        nFree -= bars[i].nLength;
        nLastResizable = i;
    }
    if (nLastResizable < 0)
        return decision;
    int nDiff = nFree;
    bool bAllAtMin = true;
    for (int i = 0; i <= nLast; i++)
        if (bars[i].bResizable && bars[i].nLength > bars[i].nMinLength)
            bAllAtMin = false;
    if (bAllAtMin)
    {
        ROWBAR& bar = bars[nLastResizable];
        bar.nLength = std::max(bar.nLength + nDiff, bar.nMinLength);
        return decision;
    }
    // A pixel at a time from (or to) each bar in turn; none goes below its minimum.
    const int nStep = nDiff > 0 ? 1 : -1;
    for (int nRound = 0; nDiff != 0 && nRound < 2 * std::abs(nFree) + 1; nRound++)
    {
        bool bChanged = false;
        for (int i = 0; i <= nLast && nDiff != 0; i++)
        {
            ROWBAR& bar = bars[i];
            if (!bar.bResizable || (nStep < 0 && bar.nLength <= bar.nMinLength))
                continue;
            bar.nLength += nStep;
            nDiff -= nStep;
            bChanged = true;
        }
        if (!bChanged)
            break;
    }
    return decision;
}

LRESULT CExtControlBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    if ((m_nBarFlags & eBarInFrameLayout) == 0)
        return 0;
    return CControlBar::OnSizeParent(wParam, lParam);
}

void CExtControlBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (m_nTrackingFlags & eTrackNoChildReposition)
        return;
    RepositionChildWindow(cx, cy, true);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    {
        LayoutNcAreaButtons();
        pFrame->SendMessage(WM_NCPAINT);
    }
}

void CExtControlBar::RepositionChildWindow(int cx, int cy, bool bRedraw)
{
    if (m_hWnd == NULL || (m_nTrackingFlags & eTrackFitFirstChild) == 0)
        return;
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hWndChild == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    if (cx >= 0 && cy >= 0)
        rc.SetRect(0, 0, cx, cy);
    if (IsFloating())
        rc.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    ::SetWindowPos(hWndChild, NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (bRedraw)
        ::RedrawWindow(hWndChild, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_NOFRAME);
}

void CExtControlBar::RecalcNcArea()
{
    if (m_hWnd != NULL && IsWindowVisible())
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CExtControlBar::DelayRecalcFrameLayout()
{
    if ((m_nBarFlags & (eBarInFrameLayout | eBarNotInFrame)) != eBarInFrameLayout || m_hWnd == NULL)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL || pFrame->m_hWnd == NULL || pFrame->m_bInRecalcLayout)
        return;
    WINDOWPLACEMENT wp;
    wp.length = sizeof(wp);
    if (pFrame->GetWindowPlacement(&wp) && wp.showCmd == SW_SHOWMINIMIZED)
        return;
    if (IsFixedMode() && IsFloating())
        pFrame->RecalcLayout();
    else
        pFrame->DelayRecalcLayout();
}

/////////////////////////////////////////////////////////////////////////////
// Caption

bool CExtControlBar::IsBarWithGripper(bool* pbCaptionAtTop, bool* pbTextOnCaption)
{
    if (pbCaptionAtTop != NULL)
        *pbCaptionAtTop = false;
    if (pbTextOnCaption != NULL)
        *pbTextOnCaption = false;
    if (m_hWnd == NULL || !::IsWindow(m_hWnd) || (m_dwStyle & CBRS_GRIPPER) == 0 || IsFloating())
        return false;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)) && IsAloneInFloatingFrame())
        return false;
    if (pbCaptionAtTop != NULL)
        *pbCaptionAtTop = (m_nBarFlags & eBarCaptionAtTop) != 0 || IsDockedVertically();
    if (pbTextOnCaption != NULL)
        *pbTextOnCaption = true;
    return true;
}

void CExtControlBar::UpdateCaptionState(bool bForce)
{
    // Where the cursor was at the last message: the mouse's own messages keep it up to
    // date, and reading it costs no call to the system for each bar of a pass.
    const DWORD dwPos = ::GetMessagePos();
    const CPoint pt((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    const BYTE nOld = m_nCaptionFlags;
    // Away from the window that shows the caption no button can be under the cursor;
    // buttons are asked only near it, or to let go of a hover they show.
    CWnd* pShowing = IsFloating() && GetParentFrame() != NULL ? (CWnd*)GetParentFrame() : (CWnd*)this;
    CRect rcShowing;
    pShowing->GetWindowRect(&rcShowing);
    const bool bAsk = rcShowing.PtInRect(pt) || (m_nCaptionFlags & eCaptionHoverTracking) != 0;
    if (bAsk && HitTestNcAreaButtons(pt) != HTCLIENT)
        m_nCaptionFlags |= eCaptionHoverTracking;
    else
        m_nCaptionFlags &= ~eCaptionHoverTracking;
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus)))
        m_nCaptionFlags |= eCaptionActive;
    else
        m_nCaptionFlags &= ~eCaptionActive;
    if (nOld == m_nCaptionFlags && !bForce)
        return;
    SendMessage(WM_NCPAINT);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame->SendMessage(WM_NCPAINT);
}

void CExtControlBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/)
{
    if ((m_nBarFlags & eBarNotInFrame) != 0 || m_hWnd == NULL || !IsWindowVisible() ||
        (m_nTrackingFlags & (eTrackRowResizing | eTrackInRowResizing | eTrackDragging)) != 0)
        return;
    UpdateCaptionState(false);
}

void CExtControlBar::PaintBarBackground(CDC& dc, const RECT& rc)
{
    g_PaintManagerHolder->PaintToolbarBackground(dc, rc, this);
}

void CExtControlBar::PaintClientArea(CDC& dc)
{
    CRect rc;
    GetClientRect(&rc);
    {
        CExtOffscreenDC dcMem(&dc, &rc, CExtOffscreenDC::eOffscreen);
        PaintBarBackground(dcMem, rc);
    }
    g_PaintManagerHolder->OnPaintSessionComplete(this);
}

void CExtControlBar::DoPaint(CDC* pDC)
{
    PaintClientArea(*pDC);
}

BOOL CExtControlBar::PreTranslateMessage(MSG* pMsg)
{
    // The frames around the bar get the message from the thread's own walk up the
    // parents; offering it to them here too would translate it twice.
    return CControlBar::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// Non-client area: caption, buttons and splitters of a docked resizable bar

void CExtControlBar::CreateNcAreaButtons()
{
    if (m_arrNcButtons.GetSize() > 0)
        return;
    m_arrNcButtons.Add(new CExtBarNcAreaButtonClose(this));
    m_arrNcButtons.Add(new CExtBarNcAreaButtonMenu(this));
}

int CExtControlBar::LayoutNcAreaButtons()
{
    CExtBarNcAreaButton* pPrevVisible = NULL;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
    {
        CExtBarNcAreaButton* pButton = m_arrNcButtons[i];
        pButton->OnNcAreaReposition(pPrevVisible);
        if (pButton->OnQueryVisibility())
            pPrevVisible = pButton;
    }
    return (int)m_arrNcButtons.GetSize();
}

void CExtControlBar::CalcNcAreaButtonsRect(CRect& rcText)
{
    CExtBarNcAreaButton* pLast = NULL;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
        if (m_arrNcButtons[i]->OnQueryVisibility())
            pLast = m_arrNcButtons[i];
    if (pLast == NULL)
        return;
    bool bAtTop = true;
    IsBarWithGripper(&bAtTop, NULL);
    if (IsFloating() || bAtTop || !IsDockedHorizontally())
    {
        rcText.right = pLast->m_rc.left - 1;
        if (rcText.right < rcText.left)
            rcText.left = rcText.right;
    }
    else
    {
        rcText.top = pLast->m_rc.bottom + 1;
        if (rcText.top > rcText.bottom)
            rcText.top = rcText.bottom;
    }
}

UINT CExtControlBar::HitTestNcAreaButtons(CPoint ptScreen, CExtBarNcAreaButton** ppButton)
{
    if (ppButton != NULL)
        *ppButton = NULL;
    if (CExtPopupMenuWnd::IsTrackingActive() || (m_nTrackingFlags & eTrackDragging) != 0 || m_hWnd == NULL)
        return HTCLIENT;
    // Button rectangles are in the coordinates of the window showing the caption.
    CWnd* pShowing = this;
    if (IsFloating() && GetParentFrame() != NULL)
        pShowing = GetParentFrame();
    CRect rcWindow;
    pShowing->GetWindowRect(&rcWindow);
    const CPoint pt = CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top);
    const bool bTracking = (m_nTrackingFlags & (eTrackRowResizing | eTrackInRowResizing | eTrackDragging)) != 0;
    bool bChanged = false;
    UINT nResult = HTCLIENT;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
    {
        CExtBarNcAreaButton* pButton = m_arrNcButtons[i];
        if (!pButton->OnQueryVisibility())
            continue;
        const BYTE nOld = pButton->m_nStateFlags;
        if (ppButton == NULL && bTracking)
        {
            pButton->m_nStateFlags &= ~(CExtBarNcAreaButton::eHover | CExtBarNcAreaButton::ePushed);
            bChanged |= nOld != pButton->m_nStateFlags;
            continue;
        }
        const UINT nHit = pButton->OnNcAreaHitTest(pt);
        bChanged |= nOld != pButton->m_nStateFlags;
        if (nHit == HTCLIENT)
            continue;
        if (ppButton != NULL)
        {
            *ppButton = pButton;
            if (bChanged)
                pShowing->SendMessage(WM_NCPAINT);
            return nHit;
        }
        nResult = nHit;
    }
    if (bChanged)
        pShowing->SendMessage(WM_NCPAINT);
    return nResult;
}

void CExtControlBar::PaintNcAreaButtons(CDC& dc)
{
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
    {
        CExtBarNcAreaButton* pButton = m_arrNcButtons[i];
        if (pButton->OnQueryVisibility())
            pButton->OnNcAreaDraw(dc);
    }
}

void CExtControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (m_pDockBar == NULL && (m_nBarFlags & eBarNotInFrame) == 0)
    {
        CControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
        return;
    }
    CRect& rc = *(CRect*)&lpncsp->rgrc[0];
    if (IsFloating())
    {
        // A resizable floating bar keeps a 1-pixel border; its frame has the caption.
        if (!IsFixedMode())
            rc.DeflateRect(1, 1);
        return;
    }
    if (IsFixedMode())
    {
        // Toolbar-like bars lay out their own gripper and borders.
        CControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
        return;
    }
    const CPoint ptOrigin = rc.TopLeft();
    m_rcCaption.SetRectEmpty();
    m_rcRowSplitter.SetRectEmpty();
    m_rcTrailingSplitter.SetRectEmpty();
    m_rcLeadingSplitter.SetRectEmpty();
    m_nNcOverheadH = m_nResizeBorderH;
    m_nNcOverheadV = m_nResizeBorderV;
    bool bAtTop = false, bText = false;
    const bool bCaption = IsBarWithGripper(&bAtTop, &bText);

    bool bLeft, bTop, bRight, bBottom;
    GetSplitterSides(bLeft, bTop, bRight, bBottom);
    CRect rcRest(rc);
    rcRest.OffsetRect(-ptOrigin);
    const int cxBorder = m_nResizeBorderH, cyBorder = m_nResizeBorderV;
    auto cutLeft = [&](CRect& rcOut) {
        rcOut.SetRect(rcRest.left, rcRest.top, std::min(rcRest.left + cxBorder, rcRest.right), rcRest.bottom);
        rcRest.left = rcOut.right;
    };
    auto cutRight = [&](CRect& rcOut) {
        rcOut.SetRect(std::max(rcRest.right - cxBorder, rcRest.left), rcRest.top, rcRest.right, rcRest.bottom);
        rcRest.right = rcOut.left;
    };
    auto cutTop = [&](CRect& rcOut) {
        rcOut.SetRect(rcRest.left, rcRest.top, rcRest.right, std::min(rcRest.top + cyBorder, rcRest.bottom));
        rcRest.top = rcOut.bottom;
    };
    auto cutBottom = [&](CRect& rcOut) {
        rcOut.SetRect(rcRest.left, std::max(rcRest.bottom - cyBorder, rcRest.top), rcRest.right, rcRest.bottom);
        rcRest.bottom = rcOut.top;
    };
    // A leading splitter only toward a resizable visible bar directly before this one.
    bool bLeading = false;
    INT_PTR nFirst, nLast;
    if (GetRowRange(nFirst, nLast))
    {
        const INT_PTR nPos = m_pDockBar->FindBar(this);
        for (INT_PTR i = nPos - 1; i >= nFirst; i--)
        {
            CControlBar* pBar = BarOfEntry(m_pDockBar->m_arrBars[i]);
            if (!IsVisibleBar(pBar))
                continue;
            bLeading = IsResizable(pBar);
            break;
        }
    }
    switch (GetDockBarID())
    {
    case AFX_IDW_DOCKBAR_TOP:
    case AFX_IDW_DOCKBAR_BOTTOM:
        if (bRight)
            cutRight(m_rcTrailingSplitter);
        if (GetDockBarID() == AFX_IDW_DOCKBAR_TOP ? bBottom : bTop)
            GetDockBarID() == AFX_IDW_DOCKBAR_TOP ? cutBottom(m_rcRowSplitter) : cutTop(m_rcRowSplitter);
        if (bLeading)
            cutLeft(m_rcLeadingSplitter);
        break;
    case AFX_IDW_DOCKBAR_LEFT:
    case AFX_IDW_DOCKBAR_RIGHT:
        if (bBottom)
            cutBottom(m_rcTrailingSplitter);
        if (GetDockBarID() == AFX_IDW_DOCKBAR_LEFT ? bRight : bLeft)
            GetDockBarID() == AFX_IDW_DOCKBAR_LEFT ? cutRight(m_rcRowSplitter) : cutLeft(m_rcRowSplitter);
        if (bLeading)
            cutTop(m_rcLeadingSplitter);
        break;
    default:
        break;
    }

    if (bCaption)
    {
        m_rcCaption = rcRest;
        if (bAtTop)
        {
            m_rcCaption.bottom = std::min(m_rcCaption.top + m_nCaptionExtentH, rcRest.bottom);
            m_nNcOverheadV += m_nCaptionExtentH;
        }
        else
        {
            m_rcCaption.right = std::min(m_rcCaption.left + m_nCaptionExtentV, rcRest.right);
            m_nNcOverheadH += m_nCaptionExtentV;
        }
    }
    CreateNcAreaButtons();
    LayoutNcAreaButtons();
    if (bCaption)
    {
        if (bAtTop)
            rcRest.top += m_nCaptionExtentH + 1;
        else
            rcRest.left += m_nCaptionExtentV + 1;
    }
    // The client rectangle never turns inside out.
    if (rcRest.bottom < rcRest.top)
        rcRest.bottom = rcRest.top;
    if (rcRest.right < rcRest.left)
        rcRest.right = rcRest.left;
    rcRest.OffsetRect(ptOrigin);
    rc = rcRest;
}

UINT CExtControlBar::OnNcHitTest(CPoint point)
{
    const UINT nButtonHit = HitTestNcAreaButtons(point);
    if (nButtonHit != HTCLIENT)
    {
        m_nCaptionFlags |= eCaptionHoverTracking;
        return nButtonHit;
    }
    if (m_nCaptionFlags & eCaptionHoverTracking)
    {
        m_nCaptionFlags &= ~eCaptionHoverTracking;
        PostMessage(WM_NCPAINT);
    }
    if (IsFixedMode() || IsFloating() || (m_pDockBar == NULL && (m_nBarFlags & eBarNotInFrame) == 0))
        return HTCLIENT;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CPoint pt = CPoint(point.x - rcWindow.left, point.y - rcWindow.top);
    const bool bHorz = IsDockedHorizontally();
    if (m_rcRowSplitter.PtInRect(pt))
        return bHorz ? HTBOTTOM : HTRIGHT;
    if (m_rcTrailingSplitter.PtInRect(pt) && !IsLastInRow(true) && IsRowRecalcAllowedBefore())
        return bHorz ? HTRIGHT : HTBOTTOM;
    if (m_rcLeadingSplitter.PtInRect(pt) && !IsFirstInRow(true) && IsRowRecalcAllowedAfter())
        return bHorz ? HTLEFT : HTTOP;
    return HTCLIENT;
}

void CExtControlBar::OnNcPaint()
{
    if (m_pDockBar == NULL && (m_nBarFlags & eBarNotInFrame) == 0)
    {
        Default();
        return;
    }
    if (IsFixedMode() && !IsFloating())
    {
        Default();
        return;
    }
    CRect rcWindow, rcClient;
    GetNonClientRects(m_hWnd, rcWindow, rcClient);
    CWindowDC dcWindow(this);
    dcWindow.ExcludeClipRect(&rcClient);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    {
        CExtOffscreenDC dc(&dcWindow, &rcWindow, CExtOffscreenDC::eOffscreen);
        CFrameWnd* pParentFrame = GetParentFrame();
        const bool bInMiniFrame = pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
        CExtPaintBarFrameArgs frame(this, rcWindow, rcClient, bInMiniFrame, !IsFixedMode(), !IsFixedMode());
        pPM->PaintControlBarFrame(dc, frame);
        bool bAtTop = true, bText = false;
        if (IsBarWithGripper(&bAtTop, &bText) && !IsFloating() && !m_rcCaption.IsRectEmpty())
        {
            CRect rcText(m_rcCaption);
            if (bAtTop)
                rcText.DeflateRect(2, 0);
            else
            {
                rcText.DeflateRect(2, 0);
                rcText.OffsetRect(-2, 0);
            }
            CalcNcAreaButtonsRect(rcText);
            TCHAR szText[1025];
            const int nLength = ::GetWindowText(m_hWnd, szText, 1025);
            szText[std::max(nLength, 0)] = 0;
            const bool bActive = (m_nCaptionFlags & eCaptionActive) != 0;
            const int nSaved = dc.SaveDC();
            dc.IntersectClipRect(&m_rcCaption);
            CExtPaintBarCaptionArgs caption(this, m_rcCaption, rcText, bText ? szText : NULL, bActive, false,
                                            !bAtTop, !IsFixedMode());
            pPM->PaintControlBarCaption(dc, caption);
            dc.RestoreDC(nSaved);
            PaintNcAreaButtons(dc);
        }
    }
    pPM->OnPaintSessionComplete(this);
}

BOOL CExtControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!IsFixedMode() && (nHitTest == HTLEFT || nHitTest == HTRIGHT || nHitTest == HTTOP || nHitTest == HTBOTTOM))
    {
        const bool bHorzSizing = nHitTest == HTLEFT || nHitTest == HTRIGHT;
        ::SetCursor(::LoadCursor(NULL, bHorzSizing ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CExtControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsFixedMode() || IsFloating())
    {
        if (nHitTest != CExtBarNcAreaButton::g_nCaptionButtonHitCode)
            CControlBar::OnNcLButtonDown(nHitTest, point);
        return;
    }
    CExtBarNcAreaButton* pButton = NULL;
    HitTestNcAreaButtons(point, &pButton);
    if (pButton != NULL)
    {
        // Pushed until the button goes up; the click happens then.
        SendMessage(WM_NCPAINT);
        return;
    }
    if (nHitTest != HTLEFT && nHitTest != HTBOTTOM && !IsAtMinimalLength())
    {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus == NULL || (hWndFocus != m_hWnd && !::IsChild(m_hWnd, hWndFocus)))
            SetFocus();
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CPoint pt = CPoint(point.x - rcWindow.left, point.y - rcWindow.top);
    // None of the splitters may reach the default handling, which would size the
    // bar's window by itself.
    if (m_rcRowSplitter.PtInRect(pt))
        StartRowResizing(point);
    else if (m_rcTrailingSplitter.PtInRect(pt))
    {
        m_nCaptionFlags &= ~eCaptionLeadingResize;
        if (IsRowRecalcAllowedBefore())
            StartRowRecalcing(point);
    }
    else if (m_rcLeadingSplitter.PtInRect(pt) && IsRowRecalcAllowedAfter())
    {
        // The edge toward the previous bar: this bar's leading end moves.
        HWND hWnd = m_hWnd;
        m_nCaptionFlags |= eCaptionLeadingResize;
        StartRowRecalcing(point);
        if (::IsWindow(hWnd))
            m_nCaptionFlags &= ~eCaptionLeadingResize;
    }
}

void CExtControlBar::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    const BYTE nLoop = m_nTrackingFlags & (eTrackRowResizing | eTrackInRowResizing | eTrackDragging);
    if (nLoop != 0)
    {
        StopTracking(nLoop, false);
        return;
    }
    if (m_nCaptionFlags & eCaptionHoverTracking)
    {
        CWnd* pShowing = this;
        if (IsFloating() && GetParentFrame() != NULL)
            pShowing = GetParentFrame();
        CRect rcWindow;
        pShowing->GetWindowRect(&rcWindow);
        const CPoint pt = CPoint(point.x - rcWindow.left, point.y - rcWindow.top);
        HWND hWnd = m_hWnd;
        for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
        {
            CExtBarNcAreaButton* pButton = m_arrNcButtons[i];
            if (!pButton->OnQueryVisibility())
                continue;
            pButton->m_nStateFlags &= ~CExtBarNcAreaButton::ePushed;
            if (pButton->OnNcAreaClicked(pt))
            {
                if (::IsWindow(hWnd))
                    UpdateCaptionState(true);
                return;
            }
        }
        return;
    }
    CControlBar::OnNcLButtonUp(nHitTest, point);
}

void CExtControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION && m_pDockBar != NULL)
    {
        ToggleDocking();
        return;
    }
    if (!IsFixedMode() && nHitTest != HTCAPTION)
        return;
    CControlBar::OnNcLButtonDblClk(nHitTest, point);
}

void CExtControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsFixedMode())
    {
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    // The caption answers as part of the client area: a press there moves the bar.
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!m_rcCaption.IsRectEmpty() && m_rcCaption.PtInRect(CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top)))
    {
        if (m_pDockBar == NULL || CExtPopupMenuWnd::IsTrackingActive())
            return;
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus == NULL || (hWndFocus != m_hWnd && !::IsChild(m_hWnd, hWndFocus)))
            SetFocus();
        StartDragging(ptScreen, CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top), 1, 1);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CExtControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (IsFixedMode())
    {
        CControlBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    if (m_pDockBar != NULL)
    {
        ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CExtControlBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    if ((m_nBarFlags & eBarNotInFrame) == 0 && GetParentFrame() != NULL && !IsParentFrameInHelpMode(this))
    {
        ClientToScreen(&point);
        TrackPanelsMenu(CExtBarPopupMenuEvent::eBarClientMenu, WM_RBUTTONUP, NULL, point);
        return;
    }
    CControlBar::OnRButtonUp(nFlags, point);
}

void CExtControlBar::OnNcRButtonUp(UINT nHitTest, CPoint point)
{
    if ((m_nBarFlags & eBarNotInFrame) == 0 && GetParentFrame() != NULL && !IsParentFrameInHelpMode(this))
    {
        TrackPanelsMenu(CExtBarPopupMenuEvent::eBarNcMenu, WM_RBUTTONUP, NULL, point);
        return;
    }
    CControlBar::OnNcRButtonUp(nHitTest, point);
}

INT_PTR CExtControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (CExtPopupMenuWnd::IsTrackingActive() || m_hWnd == NULL)
        return -1;
    CExtControlBar* pThis = const_cast<CExtControlBar*>(this);
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    CExtBarNcAreaButton* pButton = NULL;
    if (pThis->HitTestNcAreaButtons(ptScreen, &pButton) != HTCLIENT && pButton != NULL)
        return pButton->OnToolHitTest(point, pTI);
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild != NULL)
    {
        CPoint ptChild(ptScreen);
        pChild->ScreenToClient(&ptChild);
        return pChild->OnToolHitTest(ptChild, pTI);
    }
    return -1;
}

LRESULT CExtControlBar::OnHelpHitTest(WPARAM wParam, LPARAM lParam)
{
    if (::GetCapture() == m_hWnd)
        SendMessage(WM_CANCELMODE);
    const CPoint point((DWORD)lParam);
    const int nHit = HitTestHelpCommand(point);
    switch (nHit)
    {
    case -3:
        return 0;
    case -2:
        return -1;
    case -1:
        return CControlBar::OnHelpHitTest(wParam, lParam);
    default:
        return nHit + 0x10000;
    }
}

/////////////////////////////////////////////////////////////////////////////
// The show/hide-panels menu

bool CExtControlBar::InsertToPanelsMenu(CExtPopupMenuWnd* pPopup)
{
    if ((m_nBarFlags & eBarInPanelsMenu) == 0 || pPopup == NULL)
        return false;
    return pPopup->InsertItem((UINT)GetDlgCtrlID(), -1);
}

bool CExtControlBar::TrackPanelsMenu(int nKind, UINT nMessage, CObject* pSource, CPoint ptScreen,
                                     LPCRECT lpRcExclude)
{
    CFrameWnd* pFrame = GetBarFrame();
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitEmptyMenu(pFrame->m_hWnd))
    {
        delete pPopup;
        return false;
    }
    // The options button asks the frame for its whole menu first, then builds the
    // panels list as the default content.
    int nContentKind = nKind;
    if (nKind == CExtBarPopupMenuEvent::eOptionsButtonMenu)
    {
        CExtBarPopupMenuEvent event(nKind, pPopup, this, nMessage, pSource, ptScreen);
        if (event.Notify(pFrame))
            nContentKind = -1;
        else
            nContentKind = CExtBarPopupMenuEvent::eOptionsButtonContent;
    }
    if (nContentKind >= 0 && !CExtDockBar::ConstructPanelsMenu(pFrame, pPopup, nContentKind, this, nMessage, pSource))
    {
        delete pPopup;
        return false;
    }
    if (pPopup->GetItemCount() == 0)
    {
        delete pPopup;
        return false;
    }
    pFrame->SetFocus();
    UINT nFlags = TPMX_OWNERDRAW_ITEMS;
    if (lpRcExclude != NULL)
        nFlags |= TPMX_BOTTOMALIGN;
    // The menu frees itself once tracked, whether or not it could be shown.
    return pPopup->TrackPopupMenu(nFlags, ptScreen.x, ptScreen.y, lpRcExclude);
}

/////////////////////////////////////////////////////////////////////////////
// Visibility

bool CExtControlBar::EnsureBarVisible()
{
    if (m_hWnd == NULL)
        return false;
    if (m_nBarFlags & eBarNotInFrame)
        return (GetStyle() & WS_VISIBLE) != 0;
    if (IsVisible())
        return true;
    if (m_nStateFlags & tempHide)
        return false;
    CFrameWnd* pFrame = m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
    if (pFrame == NULL)
        return false;
    pFrame->ShowControlBar(this, TRUE, TRUE);
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL)
        pParentFrame->RecalcLayout();
    HWND hWnd = m_hWnd;
    CExtPopupMenuWnd::PumpMessagesWhileTracking(false);
    return ::IsWindow(hWnd) && ::IsWindowVisible(hWnd);
}

void CExtControlBar::ToggleVisibility(bool bToggle)
{
    CFrameWnd* pFrame = m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
    const bool bVisible = IsVisible() != FALSE;
    if (pFrame == NULL)
    {
        ShowWindow(bVisible && bToggle ? SW_HIDE : SW_SHOW);
        return;
    }
    if (IsFixedDockStyle())
    {
        pFrame->ShowControlBar(this, !bVisible, FALSE);
        return;
    }
    if (bVisible && bToggle)
    {
        pFrame->ShowControlBar(this, FALSE, FALSE);
        return;
    }
    if (!bVisible)
    {
        pFrame->ShowControlBar(this, TRUE, FALSE);
        CFrameWnd* pParentFrame = GetParentFrame();
        if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
            pParentFrame->RecalcLayout();
    }
    // A shown pane comes to the front and takes the keyboard.
    if (IsFloating())
        GetParentFrame()->BringWindowToTop();
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hWndChild != NULL && ::IsWindowVisible(hWndChild))
        ::SetFocus(hWndChild);
    else
        SetFocus();
}

void CExtControlBar::UpdateVisibilityCmdUI(CCmdUI* pCmdUI, bool bForce)
{
    pCmdUI->Enable(TRUE);
    if (!bForce && !IsFixedDockStyle())
        return;
    pCmdUI->SetCheck((GetStyle() & WS_VISIBLE) != 0 ? 1 : 0);
}

void CExtControlBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CControlBar::OnShowWindow(bShow, nStatus);
    if (!bShow)
        SyncNestedVisibility();
}

/////////////////////////////////////////////////////////////////////////////
// Floating and docking

CExtMiniDockFrameWnd* CExtControlBar::CreateFloatingFrame(DWORD dwStyle)
{
    CExtMiniDockFrameWnd* pFrame = new CExtMiniDockFrameWnd;
    if (m_pDockSite == NULL || !pFrame->Create(m_pDockSite, dwStyle))
    {
        delete pFrame;
        AfxThrowResourceException();
    }
    return pFrame;
}

void CExtControlBar::ToggleDocking()
{
    if (IsFixedDockStyle())
    {
        if (m_pDockContext != NULL)
            m_pDockContext->ToggleDocking();
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd))
            pFrame->DelayRecalcLayout();
        RecalcNcArea();
        return;
    }
    // Only a bar docked in a frame row floats; a floating one stays where it is.
    if (!IsSideID(GetDockBarID()))
        return;
    FloatAt(m_ptFloatPos.x, m_ptFloatPos.y, CBRS_ALIGN_TOP);
}

void CExtControlBar::FloatAt(int x, int y, DWORD dwDockStyle)
{
    CFrameWnd* pDockSite = m_pDockSite;
    if (pDockSite == NULL || m_hWnd == NULL)
        return;
    if (IsFloating() && m_pDockBar != NULL && m_pDockBar->GetDockedCount() == 1)
    {
        CFrameWnd* pMiniFrame = GetParentFrame();
        pMiniFrame->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pMiniFrame->RecalcLayout();
        pMiniFrame->UpdateWindow();
        m_ptFloatPos = CPoint(x, y);
        return;
    }
    if (m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        dwDockStyle |= CBRS_SIZE_DYNAMIC;
        if (dwDockStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
            dwDockStyle = (dwDockStyle & ~0xD004) | 0x2004;
    }
    CExtMiniDockFrameWnd* pMiniFrame = NULL;
    try
    {
        pMiniFrame = CreateFloatingFrame(dwDockStyle);
    }
    catch (CException* e)
    {
        // No frame to float in: the bar stays where it is.
        e->Delete();
        return;
    }
    const bool bWasVisible = (GetStyle() & WS_VISIBLE) != 0;
    const HWND hWndOldDockBar = m_pDockBar != NULL ? m_pDockBar->m_hWnd : NULL;
    CFrameWnd* pOldParentFrame = GetParentFrame();
    const HWND hWndOldParentFrame = pOldParentFrame != NULL ? pOldParentFrame->m_hWnd : NULL;
    pMiniFrame->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pMiniFrame->GetOwner() == NULL)
        pMiniFrame->SetOwner(pDockSite);
    m_nTrackingFlags |= eTrackNoChildReposition;
    pMiniFrame->m_wndDockBar.DockControlBar(this);
    m_nTrackingFlags &= ~eTrackNoChildReposition;
    pMiniFrame->RecalcLayout(TRUE);
    if (bWasVisible)
    {
        pMiniFrame->ShowWindow(SW_SHOWNA);
        pMiniFrame->UpdateWindow();
    }
    m_ptFloatPos = CPoint(x, y);
    if (m_pDockContext != NULL)
    {
        m_pDockContext->m_ptMRUFloatPos = CPoint(x, y);
        m_pDockContext->m_dwMRUFloatStyle = dwDockStyle & CBRS_ALIGN_ANY;
    }
    // The old dock bar and frame are held by handle: leaving them may have destroyed them.
    CWnd* pOldDockWnd = ::IsWindow(hWndOldDockBar) ? CWnd::FromHandlePermanent(hWndOldDockBar) : NULL;
    if (pOldDockWnd != NULL && pOldDockWnd->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
    {
        // A resizable bar keeps no place in a row it floats out of; a container it
        // leaves with one bar gives that bar its place.
        CExtDockBar* pOldExt = (CExtDockBar*)pOldDockWnd;
        if (!IsFixedDockStyle())
            pOldExt->RemovePlaceholderOf((UINT)(WORD)GetDlgCtrlID());
        if (pOldExt->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
            pOldExt->OptimizeNestedContainers();
        if (::IsWindow(hWndOldDockBar))
            pOldExt->Invalidate();
    }
    if (pOldParentFrame != NULL && pOldParentFrame != pDockSite && ::IsWindow(hWndOldParentFrame) &&
        CWnd::FromHandlePermanent(hWndOldParentFrame) == pOldParentFrame)
    {
        pOldParentFrame->RecalcLayout();
        pOldParentFrame->RedrawWindow(NULL, NULL, 0x78D);
    }
    RedrawFloatingFrames(pDockSite);
    pDockSite->RecalcLayout();
    RepositionChildWindow();
}

bool CExtControlBar::DockAtFrameSide(UINT nDockBarID, UINT nLayer, CFrameWnd* pFrame, bool bRecalcLayout)
{
    if (pFrame == NULL)
        pFrame = m_pDockSite;
    if (pFrame == NULL || m_hWnd == NULL || !IsSideID(nDockBarID))
        return false;
    CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, std::min(nLayer, 16u), nDockBarID, true);
    if (pDockBar == NULL)
        return false;
    const bool bWasVisible = (GetStyle() & WS_VISIBLE) != 0;
    pDockBar->DockControlBarAsRow(this, false);
    if (!bWasVisible && (GetStyle() & WS_VISIBLE) != 0)
        ShowWindow(SW_HIDE);
    RecalcNcArea();
    if (bRecalcLayout)
        pFrame->RecalcLayout();
    else
        pFrame->DelayRecalcLayout();
    return true;
}

void CExtControlBar::DockNestedWith(CExtControlBar* pOther, UINT nSide)
{
    CExtDockBar* pDockBar = GetExtDockBar();
    if (pOther == NULL || pOther == this || pOther->m_hWnd == NULL || pDockBar == NULL || m_pDockSite == NULL ||
        IsFixedMode() || pOther->IsFixedMode() || !IsSideID(nSide))
        return;
    const int nPos = pDockBar->FindBar(this);
    if (nPos <= 0)
        return;
    CFrameWnd* pFrame = m_pDockSite;
    const bool bAcross = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
    const bool bOtherFirst = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT;

    CExtDynControlBar* pContainer = new CExtDynControlBar;
    pContainer->m_sizeDockedH = m_sizeDockedH;
    pContainer->m_sizeDockedV = m_sizeDockedV;
    pContainer->m_sizeFloated = m_sizeFloated;
    const DWORD dwStyle = (((GetStyle() & 0xFFFF0000) | GetBarStyle()) & 0xFFBFFFFE) | 0xF10;
    if (!pContainer->Create(_T(""), pFrame, bAcross ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP, dwStyle))
    {
        if (pContainer->m_hWnd == NULL)
            delete pContainer;
        return;
    }
    pContainer->EnableDocking(CBRS_ALIGN_ANY);
    CExtDockDynBar* pInner = pContainer->m_pWndDynDocker;

    // The halves across the side, in screen coordinates.
    CRect rcThis;
    GetWindowRect(&rcThis);
    CRect rcOther = rcThis, rcRest = rcThis;
    switch (nSide)
    {
    case AFX_IDW_DOCKBAR_TOP:
        rcOther.bottom = rcRest.top = rcThis.top + rcThis.Height() / 2;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        rcOther.top = rcRest.bottom = rcThis.bottom - rcThis.Height() / 2;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        rcOther.right = rcRest.left = rcThis.left + rcThis.Width() / 2;
        break;
    default:
        rcOther.left = rcRest.right = rcThis.right - rcThis.Width() / 2;
        break;
    }

    m_nTrackingFlags |= eTrackNoChildReposition;
    pOther->m_nTrackingFlags |= eTrackNoChildReposition;
    // The container takes this bar's place in its row.
    pContainer->SetBarStyle((pContainer->GetBarStyle() & ~CBRS_ALIGN_ANY) | (pDockBar->GetBarStyle() & CBRS_ALIGN_ANY) |
                            CBRS_BORDER_ANY);
    pContainer->SetParent(pDockBar);
    pDockBar->m_arrBars[nPos] = pContainer;
    pContainer->m_pDockBar = pDockBar;
    pContainer->SetWindowPos(NULL, 0, 0, rcThis.Width(), rcThis.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The other bar leaves where it was; it is re-parented first, so that a floating
    // frame it leaves empty goes without it.
    CDockBar* pOldOther = pOther->m_pDockBar;
    pOther->SetParent(pInner);
    if (pOldOther != NULL)
    {
        if (pOldOther->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
            ((CExtDockBar*)pOldOther)->RemoveControlBar(pOther, -1, 0, false);
        else
            pOldOther->RemoveControlBar(pOther, -1, 0);
    }
    SetParent(pInner);
    CControlBar* pFirst = bOtherFirst ? (CControlBar*)pOther : (CControlBar*)this;
    CControlBar* pSecond = bOtherFirst ? (CControlBar*)this : (CControlBar*)pOther;
    pInner->m_arrBars.RemoveAll();
    pInner->m_arrBars.Add(NULL);
    pInner->m_arrBars.Add(pFirst);
    pInner->m_arrBars.Add(pSecond);
    pInner->m_arrBars.Add(NULL);
    for (CExtControlBar* pBar : {this, pOther})
    {
        pBar->m_pDockBar = pInner;
        pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (pInner->GetBarStyle() & CBRS_ALIGN_ANY) |
                          CBRS_BORDER_ANY);
        const CRect& rcHalf = pBar == pOther ? rcOther : rcRest;
        // A top or bottom nest stacks the two in one vertical row, a left or right one
        // puts them side by side in a horizontal row.
        if (bAcross)
            pBar->m_sizeDockedV = rcHalf.Size();
        else
            pBar->m_sizeDockedH = rcHalf.Size();
        pBar->ShowWindow(SW_SHOWNA);
    }
    m_nTrackingFlags &= ~eTrackNoChildReposition;
    pOther->m_nTrackingFlags &= ~eTrackNoChildReposition;

    pFrame->RecalcLayout();
    pFrame->RedrawWindow(NULL, NULL, 0x78D);
    pContainer->RepositionChildWindow();
    pContainer->CreateNcAreaButtons();
    pContainer->LayoutNcAreaButtons();
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL && pParentFrame != pFrame)
        pParentFrame->DelayRecalcLayout();
}

/////////////////////////////////////////////////////////////////////////////
// Messages

void CExtControlBar::OnSetFocus(CWnd* pOldWnd)
{
    CControlBar::OnSetFocus(pOldWnd);
    // A pane squeezed to its minimum in its row grows when it takes the keyboard.
    if (IsAtMinimalLength())
        MaximizeInRow();
    if (IsFixedMode())
        return;
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hWndChild != NULL && ::IsWindowVisible(hWndChild))
        ::SetFocus(hWndChild);
}

void CExtControlBar::OnClose()
{
    // A bar window is never closed this way: it is hidden or destroyed by its owner.
    m_nBarFlags |= eBarUpdateBlocked;
}

BOOL CExtControlBar::OnEraseBkgnd(CDC* pDC)
{
    if ((m_nBarFlags & eBarEraseBackground) == 0)
        return TRUE;
    for (HWND hWnd = ::GetWindow(m_hWnd, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (!::IsWindowVisible(hWnd))
            continue;
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        ScreenToClient(&rc);
        pDC->ExcludeClipRect(&rc);
    }
    return CWnd::OnEraseBkgnd(pDC);
}

void CExtControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CControlBar::OnWindowPosChanging(lpWndPos);
    // Caption and edges depend on the place in the row: recompute them with every move.
    if (m_pDockBar != NULL || (m_nBarFlags & eBarNotInFrame) != 0)
        lpWndPos->flags |= SWP_FRAMECHANGED;
}

void CExtControlBar::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    CControlBar::OnWindowPosChanged(lpWndPos);
    if (m_pDockBar == NULL && (m_nBarFlags & eBarNotInFrame) == 0)
        return;
    if (!IsFixedMode())
        SyncNestedVisibility();
    if (lpWndPos->flags & SWP_FRAMECHANGED)
        LayoutNcAreaButtons();
    else
        RecalcNcArea();
    // A bar that shows its content while it is resized, over a background the look
    // paints across bars, is painted again at once with its dock bar.
    const bool bLive = IsShowContentWhenResizing() || IsShowContentWhenRowResizing() || IsShowContentWhenRowRecalcing();
    if (bLive && IsWindowVisible() && g_PaintManagerHolder->IsBackgroundCustomized(this))
    {
        SendMessage(WM_NCPAINT);
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME);
        if (m_pDockBar != NULL && m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        {
            m_pDockBar->Invalidate();
            if (m_nTrackingFlags & eTrackDragging)
                m_pDockBar->UpdateWindow();
        }
    }
}

void CExtControlBar::OnCancelMode()
{
    const BYTE nLoop = m_nTrackingFlags & (eTrackRowResizing | eTrackInRowResizing | eTrackDragging);
    if (nLoop != 0)
        StopTracking(nLoop, true);
    if (m_nCaptionFlags & eCaptionHoverTracking)
    {
        m_nCaptionFlags &= ~eCaptionHoverTracking;
        for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
            m_arrNcButtons[i]->m_nStateFlags &= ~(CExtBarNcAreaButton::eHover | CExtBarNcAreaButton::ePushed);
        PostMessage(WM_NCPAINT);
    }
    CControlBar::OnCancelMode();
}

void CExtControlBar::OnSysColorChange()
{
    CControlBar::OnSysColorChange();
    g_PaintManagerHolder.OnSysColorChange(this);
    g_CommandManagerHolder.OnSysColorChange(this);
    DelayRecalcFrameLayout();
}

void CExtControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CControlBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    g_CommandManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    DelayRecalcFrameLayout();
}

LRESULT CExtControlBar::OnDisplayChangeMsg(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    const int cx = (short)LOWORD(lParam), cy = (short)HIWORD(lParam);
    g_PaintManagerHolder.OnDisplayChange(this, (int)wParam, CPoint(cx, cy));
    g_CommandManagerHolder.OnDisplayChange(this, (int)wParam, cx, cy);
    return lResult;
}

LRESULT CExtControlBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);
    g_CommandManagerHolder.OnThemeChanged(this, wParam, lParam);
    return lResult;
}

LRESULT CExtControlBar::OnSetText(WPARAM /*wParam*/, LPARAM lParam)
{
    const LRESULT lResult = Default();
    CFrameWnd* pFrame = GetParentFrame();
    if (IsFloating() && pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    {
        if (m_pDockBar != NULL)
            m_pDockBar->SetWindowText((LPCTSTR)lParam);
        pFrame->SetWindowText((LPCTSTR)lParam);
        pFrame->DelayRecalcLayout();
        pFrame->SendMessage(WM_NCPAINT);
    }
    if (IsBarWithGripper())
        SendMessage(WM_NCPAINT);
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// The frame's side

bool CExtControlBar::ToggleFrameBarByCommand(CFrameWnd* pFrame, UINT nCmdID, bool bToggle)
{
    if (pFrame == NULL)
        return false;
    CControlBar* pBar = pFrame->GetControlBar(nCmdID);
    if (pBar == NULL || pBar->IsDockBar())
        return false;
    if (pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
        ((CExtControlBar*)pBar)->ToggleVisibility(bToggle);
    else
        pFrame->ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return true;
}

void CExtControlBar::UpdateFrameBarCommandUI(CFrameWnd* pFrame, CCmdUI* pCmdUI, bool bForce)
{
    CControlBar* pBar = pFrame != NULL ? pFrame->GetControlBar(pCmdUI->m_nID) : NULL;
    if (pBar == NULL || pBar->IsDockBar())
    {
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
    {
        ((CExtControlBar*)pBar)->UpdateVisibilityCmdUI(pCmdUI, bForce);
        return;
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(pBar->IsVisible() ? 1 : 0);
}

void CExtControlBar::FocusBarFrame(CExtControlBar* pBar)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    CWnd* pTarget = NULL;
    if (pBar->m_nBarFlags & eBarNotInFrame)
        pTarget = pBar->GetParent();
    else
        pTarget = pBar->GetBarFrame();
    if (pTarget == NULL)
        pTarget = pBar;
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && (hWndFocus == pTarget->m_hWnd || ::IsChild(pTarget->m_hWnd, hWndFocus)))
        return;
    if (CExtPopupMenuWnd::IsWindowInActiveTree(pBar->m_hWnd, ::GetActiveWindow(), false, false, false))
        return;
    pTarget->SetFocus();
}

namespace
{
bool PassesKindFilter(CExtControlBar* pBar, DWORD dwFilter)
{
    if (pBar->IsFixedMode())
        return (dwFilter & CExtControlBar::eFilterFixed) != 0;
    const bool bAtMin = pBar->IsAtMinimalLength();
    return (dwFilter & (bAtMin ? CExtControlBar::eFilterResizableAtMin : CExtControlBar::eFilterResizableAboveMin)) != 0;
}

bool PassesPlaceFilter(CExtControlBar* pBar, DWORD dwFilter)
{
    // Without any place bit the filter does not ask where the bar is.
    if ((dwFilter & 0x0F8) == 0)
        return true;
    if (pBar->IsFloating())
        return (dwFilter & CExtControlBar::eFilterFloating) != 0;
    switch (pBar->GetDockBarID())
    {
    case AFX_IDW_DOCKBAR_TOP:
        return (dwFilter & CExtControlBar::eFilterDockedTop) != 0;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return (dwFilter & CExtControlBar::eFilterDockedBottom) != 0;
    case AFX_IDW_DOCKBAR_LEFT:
        return (dwFilter & CExtControlBar::eFilterDockedLeft) != 0;
    case AFX_IDW_DOCKBAR_RIGHT:
        return (dwFilter & CExtControlBar::eFilterDockedRight) != 0;
    default:
        // Docked nowhere in a frame row (a nested or not yet docked bar).
        return (dwFilter & 0x078) != 0;
    }
}

// The hit-code bits of the filter and the code each asks WM_NCHITTEST for.
const struct
{
    DWORD dwBit;
    UINT nHitCode;
} arrHitFilters[] = {{0x40000, HTLEFT},        {0x80000, HTRIGHT},       {0x100000, HTTOP},
                     {0x200000, HTBOTTOM},     {0x400000, HTTOPLEFT},    {0x800000, HTTOPRIGHT},
                     {0x1000000, HTBOTTOMLEFT}, {0x2000000, HTBOTTOMRIGHT}, {0x4000000, HTNOWHERE},
                     {0x10000000, HTGROWBOX},  {0x20000000, HTMINBUTTON}, {0x40000000, HTMAXBUTTON},
                     {0x80000000, HTCLIENT}};

bool PassesPointFilter(CExtControlBar* pBar, DWORD dwFilter, CPoint ptScreen)
{
    if ((dwFilter & 0xF7FF8000) == 0)
        return true;
    if (dwFilter & CExtControlBar::eFilterPtInBar)
    {
        CRect rc;
        CWnd* pWnd = pBar->IsFloating() && pBar->GetParentFrame() != NULL ? (CWnd*)pBar->GetParentFrame() : pBar;
        pWnd->GetWindowRect(&rc);
        if (!rc.PtInRect(ptScreen))
            return false;
    }
    if (dwFilter & CExtControlBar::eFilterPtInClient)
    {
        CRect rc;
        pBar->GetClientRect(&rc);
        pBar->ClientToScreen(&rc);
        if (!rc.PtInRect(ptScreen))
            return false;
    }
    if (dwFilter & CExtControlBar::eFilterPtInCaption)
    {
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        if (!pBar->m_rcCaption.PtInRect(CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top)))
            return false;
    }
    if ((dwFilter & 0xF7FE0000 & ~CExtControlBar::eFilterPtInCaption) == 0)
        return true;
    const UINT nHit = (UINT)pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    for (const auto& filter : arrHitFilters)
        if ((dwFilter & filter.dwBit) != 0 && nHit != filter.nHitCode)
            return false;
    return true;
}
}

void CExtControlBar::GetFrameControlBars(CFrameWnd* pFrame, CArray<CExtControlBar*, CExtControlBar*>& arrBars,
                                         DWORD dwFilter, CPoint ptScreen)
{
    arrBars.RemoveAll();
    // A filter must admit some kind of bar, some visibility and some window state.
    if ((dwFilter & 0x7) == 0 || (dwFilter & 0x300) == 0 || (dwFilter & 0xC00) == 0 || pFrame == NULL)
        return;
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = g_arrBars[i];
        if (pBar->m_hWnd == NULL || !::IsWindow(pBar->m_hWnd) || pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) ||
            (pBar->m_nBarFlags & eBarNotInFrame) != 0 || pBar->GetBarFrame() != pFrame)
            continue;
        if (!PassesKindFilter(pBar, dwFilter))
            continue;
        if ((dwFilter & (pBar->IsVisible() ? eFilterIsVisible : eFilterIsNotVisible)) == 0)
            continue;
        if ((dwFilter & (pBar->IsWindowVisible() ? eFilterWindowVisible : eFilterWindowHidden)) == 0)
            continue;
        if (!PassesPlaceFilter(pBar, dwFilter) || !PassesPointFilter(pBar, dwFilter, ptScreen))
            continue;
        bool bListed = false;
        for (INT_PTR j = 0; j < arrBars.GetSize() && !bListed; j++)
            bListed = arrBars[j] == pBar;
        if (!bListed)
            arrBars.Add(pBar);
        if (dwFilter & eFilterPtInBar)
            break;
    }
}

void CExtControlBar::RepositionBarsEx(CWnd* pWnd, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
                                      LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return;
    AFX_SIZEPARENTPARAMS layout;
    memset(&layout, 0, sizeof(layout));
    layout.bStretch = bStretch;
    layout.sizeTotal = CSize(0, 0);
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        pWnd->GetClientRect(&layout.rect);
    layout.hDWP = nFlag == reposQuery ? NULL : ::BeginDeferWindowPos(8);
    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(pWnd->m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        const UINT nID = (UINT)(WORD)::GetDlgCtrlID(hWndChild);
        if (nID == nIDLeftOver)
            hWndLeftOver = hWndChild;
        // A child may refuse to take part in a query.
        const LRESULT lEffect = ::SendMessage(hWndChild, g_nMsgQueryRepositionCalcEffect, (WPARAM)nFlag, (LPARAM)&layout);
        if (nID < nIDFirst || nID > nIDLast || (nFlag == reposQuery && (lEffect & 0x10) != 0))
            continue;
        ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }
    if (nFlag == reposQuery)
    {
        if (lpRectParam != NULL)
        {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver != NULL)
    {
        CRect rc(layout.rect);
        if (nFlag == reposExtra && lpRectParam != NULL)
        {
            rc.left += lpRectParam->left;
            rc.top += lpRectParam->top;
            rc.right -= lpRectParam->right;
            rc.bottom -= lpRectParam->bottom;
        }
        AfxRepositionWindow(&layout, hWndLeftOver, &rc);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}


/////////////////////////////////////////////////////////////////////////////
// Resizing and moving with the mouse

CExtBarDragState CExtControlBar::g_DragStateCurrent;
CExtBarDragState CExtControlBar::g_DragStateNew;
CExtControlBar* CExtControlBar::g_pBarDragged = NULL;
bool CExtControlBar::g_bUpdatingDragState = false;
HCURSOR CExtControlBar::g_hCursorArrow = ::LoadCursor(NULL, IDC_ARROW);
HCURSOR CExtControlBar::g_hCursorMove = ::LoadCursor(NULL, IDC_SIZEALL);
HCURSOR CExtControlBar::g_hCursorResizeV = ::LoadCursor(NULL, IDC_SIZENS);
HCURSOR CExtControlBar::g_hCursorResizeH = ::LoadCursor(NULL, IDC_SIZEWE);

namespace
{
const BYTE nTrackingLoops =
    CExtControlBar::eTrackRowResizing | CExtControlBar::eTrackInRowResizing | CExtControlBar::eTrackDragging;

bool IsKeyboardMessage(UINT nMsg)
{
    return nMsg >= WM_KEYDOWN && nMsg <= WM_SYSDEADCHAR;
}

bool IsCtrlKeyMessage(const MSG& msg)
{
    return (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL;
}

bool IsButtonDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

// One queued message through the thread's pump; false when the pump met WM_QUIT,
// which is posted again with its code for the loop outside.
bool PumpOneMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL ? pThread->PumpMessage() : AfxPumpMessage())
        return true;
    ::PostQuitMessage((int)AfxGetThreadState()->m_msgCur.wParam);
    return false;
}

void RunIdleProcessing()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread == NULL || !CExtPopupMenuWnd::g_bPumpIdleWhileTracking)
        return;
    for (LONG lCount = 0; pThread->OnIdle(lCount); lCount++)
    {
    }
}

// WM_QUIT, when it is next: taken from the queue, its code in nExitCode.
bool TakeQuit(const MSG& msgPeeked, int& nExitCode)
{
    if (msgPeeked.message != WM_QUIT)
        return false;
    MSG msg;
    nExitCode = ::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) ? (int)msg.wParam : (int)msgPeeked.wParam;
    return true;
}

int AlongAxis(const CPoint& pt, bool bVertical)
{
    return bVertical ? pt.y : pt.x;
}

void ReleaseCaptureOf(HWND hWnd)
{
    if (hWnd != NULL && ::GetCapture() == hWnd)
        ::ReleaseCapture();
}
}

bool CExtControlBar::IsTrackingCancelMessage(BYTE nFlag, const MSG& msg)
{
    switch (msg.message)
    {
    case WM_ACTIVATEAPP:
    case WM_CANCELMODE:
    case WM_CONTEXTMENU:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    case WM_NCLBUTTONUP:
        return nFlag != eTrackInRowResizing;
    case WM_NCLBUTTONDOWN:
        return nFlag == eTrackInRowResizing;
    default:
        break;
    }
    // The Ctrl key only changes what a drop does.
    if (IsKeyboardMessage(msg.message))
        return nFlag != eTrackDragging || !IsCtrlKeyMessage(msg);
    return false;
}

void CExtControlBar::StopTracking(BYTE nFlag, bool bCancel)
{
    switch (nFlag)
    {
    case eTrackRowResizing:
        StopRowResizing(bCancel);
        break;
    case eTrackInRowResizing:
        StopRowRecalcing(bCancel);
        break;
    case eTrackDragging:
        StopDragging(bCancel);
        break;
    default:
        break;
    }
}

bool CExtControlBar::RunTrackingLoop(BYTE nFlag)
{
    const HWND hWnd = m_hWnd;
    CFrameWnd* pFrame = GetParentFrame();
    const HWND hWndFrame = pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
    CWnd::CancelToolTips();
    if (::GetCapture() != hWnd)
        SetCapture(hWnd);
    for (;;)
    {
        // The window may go while a message is handled: from then on the object is
        // not touched (it may be deleted).
        if (!::IsWindow(hWnd))
            return false;
        if ((m_nTrackingFlags & nFlag) == 0)
            return true;
        // Cancels that are sent never reach the queue: what they leave behind is seen.
        if ((hWndFrame != NULL && !::IsWindow(hWndFrame)) || ::GetCapture() != hWnd)
        {
            StopTracking(nFlag, true);
            continue;
        }
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            // Nothing queued, yet the button is up (its release went elsewhere) or,
            // dragging, another button is down.
            if (!IsButtonDown(VK_LBUTTON) ||
                (nFlag == eTrackDragging && (IsButtonDown(VK_RBUTTON) || IsButtonDown(VK_MBUTTON))))
            {
                StopTracking(nFlag, true);
                continue;
            }
            RunIdleProcessing();
            // Idle processing may have looked at what came meanwhile: waiting would
            // then sleep over it.
            if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
                ::WaitMessage();
            continue;
        }
        int nExitCode = 0;
        if (TakeQuit(msg, nExitCode))
        {
            StopTracking(nFlag, true);
            ::PostQuitMessage(nExitCode);
            return ::IsWindow(hWnd) != FALSE;
        }
        if (IsTrackingCancelMessage(nFlag, msg))
        {
            // The message stays queued: the window it is for handles it afterwards.
            StopTracking(nFlag, true);
            continue;
        }
        if (nFlag == eTrackDragging && IsCtrlKeyMessage(msg))
        {
            // The drop is judged again at the same cursor position.
            ::PeekMessage(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
            m_ptLastDrag.x--;
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            ScreenToClient(&ptCursor);
            const WPARAM wKeys = msg.message == WM_KEYDOWN ? (MK_LBUTTON | MK_CONTROL) : MK_LBUTTON;
            PostMessage(WM_MOUSEMOVE, wKeys, MAKELPARAM(ptCursor.x, ptCursor.y));
            continue;
        }
        if (!PumpOneMessage())
        {
            if (!::IsWindow(hWnd))
                return false;
            StopTracking(nFlag, true);
            return ::IsWindow(hWnd) != FALSE;
        }
    }
}

void CExtControlBar::AbandonTracking()
{
    // Another bar's drag aims at this one: its tracker goes, and the next move finds
    // a drop that exists.
    if (g_DragStateCurrent.m_pTarget == this || g_DragStateNew.m_pTarget == this)
    {
        if (!g_DragStateCurrent.IsEmpty() && ::IsWindow(m_hWnd))
            g_DragStateCurrent.Draw();
        g_DragStateCurrent.Reset(g_pBarDragged);
        g_DragStateNew.Reset(g_pBarDragged);
        if (g_pBarDragged != NULL)
            g_pBarDragged->m_ptLastDrag = CPoint(-1, -1);
    }
    const bool bDragged = g_pBarDragged == this || g_DragStateCurrent.m_pBar == this;
    if (bDragged)
    {
        if (!g_DragStateCurrent.IsEmpty() && ::IsWindow(m_hWnd))
            g_DragStateCurrent.Draw();
        g_DragStateCurrent.Reset(NULL);
        g_DragStateNew.Reset(NULL);
        g_pBarDragged = NULL;
    }
    if (m_bRowTrackerDrawn && ::IsWindow(m_hWnd))
    {
        if (m_nTrackingFlags & eTrackRowResizing)
            DrawRowResizingTracker();
        else if (m_nTrackingFlags & eTrackInRowResizing)
            DrawRowRecalcingTracker();
    }
    m_bRowTrackerDrawn = false;
    m_nTrackingFlags &= ~nTrackingLoops;
    ReleaseCaptureOf(m_hWnd);
}

bool CExtControlBar::OnNcAreaButtonsMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (m_nTrackingFlags & nTrackingLoops)
        UpdateDraggingCursor(point);
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    if (m_nTrackingFlags & eTrackRowResizing)
        TrackRowResizing(ptScreen);
    else if (m_nTrackingFlags & eTrackInRowResizing)
        TrackRowRecalcing(ptScreen);
    else if (m_nTrackingFlags & eTrackDragging)
        TrackDragging(ptScreen, false);
    else
        return (m_nCaptionFlags & eCaptionHoverTracking) != 0;
    return true;
}

void CExtControlBar::UpdateDraggingCursor(POINT /*ptClient*/)
{
    if (IsParentFrameInHelpMode(this))
        return;
    HCURSOR hCursor = NULL;
    if (m_nTrackingFlags & eTrackRowResizing)
        hCursor = IsVerticalRow() ? g_hCursorResizeH : g_hCursorResizeV;
    else if (m_nTrackingFlags & eTrackInRowResizing)
        hCursor = IsVerticalRow() ? g_hCursorResizeV : g_hCursorResizeH;
    else if (m_nTrackingFlags & eTrackDragging)
        hCursor = g_hCursorMove;
    if (hCursor != NULL && ::GetCursor() != hCursor)
        ::SetCursor(hCursor);
}

void CExtControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (OnNcAreaButtonsMouseMove(nFlags, point))
        return;
    CControlBar::OnMouseMove(nFlags, point);
}

void CExtControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    const BYTE nLoop = m_nTrackingFlags & nTrackingLoops;
    if (nLoop != 0)
    {
        StopTracking(nLoop, false);
        return;
    }
    CControlBar::OnLButtonUp(nFlags, point);
}

void CExtControlBar::OnCaptureChanged(CWnd* pWnd)
{
    const BYTE nLoop = m_nTrackingFlags & nTrackingLoops;
    if (nLoop != 0 && (pWnd == NULL || pWnd->GetSafeHwnd() != m_hWnd))
        StopTracking(nLoop, true);
    CControlBar::OnCaptureChanged(pWnd);
}

/////////////////////////////////////////////////////////////////////////////
// Row resizing and in-row resizing

int CExtControlBar::GetRowCrossExtent() const
{
    CRect rc;
    GetWindowRect(&rc);
    return IsVerticalRow() ? rc.Width() : rc.Height();
}

int CExtControlBar::GetMinimalCrossExtent()
{
    return IsVerticalRow() ? GetMinimalWidth() : GetMinimalHeight();
}

void CExtControlBar::SetRowCrossExtent(int nExtent)
{
    if (IsVerticalRow())
        m_sizeDockedV.cx = nExtent;
    else
        m_sizeDockedH.cy = nExtent;
}

CExtControlBar* CExtControlBar::GetResizableNeighbourInRow(bool bAfter)
{
    CArray<CControlBar*, CControlBar*> bars;
    INT_PTR nIndex = -1;
    if (!GetRowResizableBars(&bars, NULL, &nIndex) || nIndex < 0)
        return NULL;
    const INT_PTR nNeighbour = bAfter ? nIndex + 1 : nIndex - 1;
    if (nNeighbour < 0 || nNeighbour >= bars.GetSize())
        return NULL;
    return ResizableBar(bars[nNeighbour]);
}

void CExtControlBar::StartRowResizing(CPoint ptScreen)
{
    if (m_pDockSite == NULL || GetExtDockBar() == NULL || (m_nTrackingFlags & nTrackingLoops) != 0)
        return;
    m_nTrackingFlags |= eTrackRowResizing;
    m_nTrackedExtent = GetRowCrossExtent();
    m_bRowTrackerDrawn = false;
    if (!IsShowContentWhenRowResizing())
    {
        m_nTrackedCoord = AlongAxis(ptScreen, !IsVerticalRow());
        DrawRowResizingTracker();
    }
    RunTrackingLoop(eTrackRowResizing);
}

void CExtControlBar::TrackRowResizing(CPoint ptScreen)
{
    if ((m_nTrackingFlags & eTrackRowResizing) == 0 || m_pDockSite == NULL)
        return;
    const bool bVertical = IsVerticalRow();
    CRect rcSite, rcBar;
    m_pDockSite->GetWindowRect(&rcSite);
    GetWindowRect(&rcBar);
    const int nRoom = bVertical ? rcSite.Width() - GetMinimalWidth() : rcSite.Height() - GetMinimalHeight();
    if (nRoom <= 0)
        return;
    const int nHalf = (bVertical ? m_rcRowSplitter.Width() : m_rcRowSplitter.Height()) / 2;
    const int nNear = bVertical ? rcBar.left : rcBar.top;
    const int nFar = bVertical ? rcBar.right : rcBar.bottom;
    const int nDistance = AlongAxis(ptScreen, !bVertical) - nNear;
    // Docked at the top or left the splitter is the bar's far edge, else its near one.
    const UINT nSide = GetDockBarID();
    const bool bSplitterFar = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT;
    int nExtent = bSplitterFar ? nDistance + nHalf : (nFar - nNear) + nHalf - nDistance;
    nExtent = std::min(std::max(nExtent, 2 * GetMinimalCrossExtent()), nRoom);
    if (nExtent == m_nTrackedExtent)
        return;
    m_nTrackedExtent = nExtent;
    if (IsShowContentWhenRowResizing())
    {
        CArray<CControlBar*, CControlBar*> bars;
        GetRowResizableBars(&bars);
        for (INT_PTR i = 0; i < bars.GetSize(); i++)
            ((CExtControlBar*)bars[i])->SetRowCrossExtent(nExtent);
        m_pDockSite->RecalcLayout();
        return;
    }
    if (m_bRowTrackerDrawn)
        DrawRowResizingTracker();
    // The tracker shows where the clamped extent puts the splitter.
    m_nTrackedCoord = bSplitterFar ? nNear + nExtent - nHalf : nFar + nHalf - nExtent;
    DrawRowResizingTracker();
}

void CExtControlBar::StopRowResizing(bool bCancel)
{
    if ((m_nTrackingFlags & eTrackRowResizing) == 0)
        return;
    m_nTrackingFlags &= ~eTrackRowResizing;
    ReleaseCaptureOf(m_hWnd);
    if (IsShowContentWhenRowResizing())
        return;
    if (m_bRowTrackerDrawn)
        DrawRowResizingTracker();
    const int nOld = GetRowCrossExtent();
    if (bCancel || m_nTrackedExtent == nOld || m_pDockSite == NULL)
        return;
    CArray<CControlBar*, CControlBar*> bars;
    GetRowResizableBars(&bars);
    for (INT_PTR i = 0; i < bars.GetSize(); i++)
        ((CExtControlBar*)bars[i])->SetRowCrossExtent(m_nTrackedExtent);
    // The neighbouring row toward the inside gives or takes the difference, never
    // below its bars' minimum.
    const UINT nSide = GetDockBarID();
    const bool bForward = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT;
    CArray<CControlBar*, CControlBar*> neighbours;
    if (GetRowNeighbours(bForward, &neighbours))
    {
        for (INT_PTR i = 0; i < neighbours.GetSize(); i++)
        {
            CExtControlBar* pBar = ResizableBar(neighbours[i]);
            if (pBar == NULL || !IsVisibleBar(pBar))
                continue;
            pBar->SetRowCrossExtent(
                std::max(pBar->GetRowCrossExtent() + nOld - m_nTrackedExtent, pBar->GetMinimalCrossExtent()));
        }
    }
    m_pDockSite->RecalcLayout();
}

void CExtControlBar::DrawRowResizingTracker()
{
    if (m_pDockBar == NULL || m_pDockSite == NULL)
        return;
    const bool bVertical = IsVerticalRow();
    CRect rc;
    m_pDockBar->GetWindowRect(&rc);
    const int nThickness = std::max(bVertical ? m_rcRowSplitter.Width() : m_rcRowSplitter.Height(), 1);
    const int nStart = m_nTrackedCoord - nThickness / 2;
    if (bVertical)
        rc.SetRect(nStart, rc.top, nStart + nThickness, rc.bottom);
    else
        rc.SetRect(rc.left, nStart, rc.right, nStart + nThickness);
    CExtBarDragState::InvertTracker(m_pDockSite, rc, CSize(0, 0));
    m_bRowTrackerDrawn = !m_bRowTrackerDrawn;
}

void CExtControlBar::StartRowRecalcing(CPoint ptScreen)
{
    if (m_pDockSite == NULL || GetExtDockBar() == NULL || (m_nTrackingFlags & nTrackingLoops) != 0)
        return;
    m_nTrackingFlags |= eTrackInRowResizing;
    m_nTrackedExtent = 0;
    m_bRowTrackerDrawn = false;
    if (!IsShowContentWhenRowRecalcing())
    {
        m_nTrackedCoord = AlongAxis(ptScreen, IsVerticalRow());
        DrawRowRecalcingTracker();
    }
    RunTrackingLoop(eTrackInRowResizing);
}

void CExtControlBar::TrackRowRecalcing(CPoint ptScreen)
{
    if ((m_nTrackingFlags & eTrackInRowResizing) == 0 || m_pDockSite == NULL)
        return;
    const bool bVertical = IsVerticalRow();
    const bool bLeading = (m_nCaptionFlags & eCaptionLeadingResize) != 0;
    CRect rcBar;
    GetWindowRect(&rcBar);
    const CRect& rcSplitter = bLeading ? m_rcLeadingSplitter : m_rcTrailingSplitter;
    const int nHalf = (bVertical ? rcSplitter.Height() : rcSplitter.Width()) / 2;
    const int nNear = bVertical ? rcBar.top : rcBar.left;
    const int nFar = bVertical ? rcBar.bottom : rcBar.right;
    const int nLength = nFar - nNear;
    const int nDistance = AlongAxis(ptScreen, bVertical) - nNear;
    // What the neighbour on the splitter's side can give above its minimum.
    CExtControlBar* pNeighbour = GetResizableNeighbourInRow(!bLeading);
    int nSpare = 0;
    if (pNeighbour != NULL)
    {
        CRect rcNeighbour;
        pNeighbour->GetWindowRect(&rcNeighbour);
        nSpare = std::max((bVertical ? rcNeighbour.Height() : rcNeighbour.Width()) - pNeighbour->GetMinimalRowLength(), 0);
    }
    int nNew = bLeading ? nLength + nHalf - nDistance : nDistance + nHalf;
    nNew = std::max(std::min(nNew, nLength + nSpare), GetMinimalRowLength());
    const int nDifference = nLength - nNew;
    if (nDifference == m_nTrackedExtent)
        return;
    m_nTrackedExtent = nDifference;
    if (IsShowContentWhenRowRecalcing())
    {
        SetRowLength(nNew);
        if (pNeighbour != NULL)
            pNeighbour->SetRowLength(pNeighbour->GetRowLength() + nDifference);
        m_pDockSite->RecalcLayout();
        return;
    }
    if (m_bRowTrackerDrawn)
        DrawRowRecalcingTracker();
    m_nTrackedCoord = bLeading ? nFar + nHalf - nNew : nNear + nNew - nHalf;
    DrawRowRecalcingTracker();
}

void CExtControlBar::StopRowRecalcing(bool bCancel)
{
    if ((m_nTrackingFlags & eTrackInRowResizing) == 0)
        return;
    m_nTrackingFlags &= ~eTrackInRowResizing;
    ReleaseCaptureOf(m_hWnd);
    if (IsShowContentWhenRowRecalcing())
        return;
    if (m_bRowTrackerDrawn)
        DrawRowRecalcingTracker();
    if (bCancel || m_nTrackedExtent == 0 || m_pDockSite == NULL)
        return;
    const bool bVertical = IsVerticalRow();
    const bool bLeading = (m_nCaptionFlags & eCaptionLeadingResize) != 0;
    int nDifference = m_nTrackedExtent;
    CExtControlBar* pNeighbour = GetResizableNeighbourInRow(!bLeading);
    if (pNeighbour != NULL)
    {
        CRect rcNeighbour;
        pNeighbour->GetWindowRect(&rcNeighbour);
        int nNeighbourLength = (bVertical ? rcNeighbour.Height() : rcNeighbour.Width()) + nDifference;
        const int nMin = pNeighbour->GetMinimalRowLength();
        if (nNeighbourLength < nMin)
        {
            nDifference -= nMin - nNeighbourLength;
            nNeighbourLength = nMin;
        }
        pNeighbour->SetRowLength(nNeighbourLength);
    }
    CRect rcBar;
    GetWindowRect(&rcBar);
    SetRowLength(std::max((bVertical ? rcBar.Height() : rcBar.Width()) - nDifference, GetMinimalRowLength()));
    m_pDockSite->RecalcLayout();
    if (m_pDockBar != NULL && ::IsWindow(m_pDockBar->m_hWnd))
        m_pDockBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                                                 RDW_ERASENOW | RDW_NOFRAME);
}

void CExtControlBar::DrawRowRecalcingTracker()
{
    if (m_pDockSite == NULL)
        return;
    const bool bVertical = IsVerticalRow();
    const bool bLeading = (m_nCaptionFlags & eCaptionLeadingResize) != 0;
    const CRect& rcSplitter = bLeading ? m_rcLeadingSplitter : m_rcTrailingSplitter;
    CRect rc;
    GetWindowRect(&rc);
    const int nThickness = std::max(bVertical ? rcSplitter.Height() : rcSplitter.Width(), 1);
    const int nStart = m_nTrackedCoord - nThickness / 2;
    if (bVertical)
        rc.SetRect(rc.left, nStart, rc.right, nStart + nThickness);
    else
        rc.SetRect(nStart, rc.top, nStart + nThickness, rc.bottom);
    CExtBarDragState::InvertTracker(m_pDockSite, rc, CSize(0, 0));
    m_bRowTrackerDrawn = !m_bRowTrackerDrawn;
}

/////////////////////////////////////////////////////////////////////////////
// Dragging

bool CExtControlBar::WaitForDragThreshold(CPoint& ptScreen, int nThresholdX, int nThresholdY)
{
    if (nThresholdX <= 0 && nThresholdY <= 0)
        return true;
    const HWND hWnd = m_hWnd;
    if (::GetCapture() != hWnd)
        SetCapture(hWnd);
    const CPoint ptPressed(ptScreen);
    for (;;)
    {
        if (!::IsWindow(hWnd))
            return false;
        if (::GetCapture() != hWnd)
            return false;
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!IsButtonDown(VK_LBUTTON))
                break;
            if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
                ::WaitMessage();
            continue;
        }
        int nExitCode = 0;
        if (TakeQuit(msg, nExitCode))
        {
            ReleaseCaptureOf(hWnd);
            ::PostQuitMessage(nExitCode);
            return false;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            ::PeekMessage(&msg, msg.hwnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
            const CPoint pt(msg.pt);
            if (abs(pt.x - ptPressed.x) >= nThresholdX || abs(pt.y - ptPressed.y) >= nThresholdY)
            {
                ptScreen = pt;
                return true;
            }
            continue;
        }
        // The release, any key and the cancels end the wait; they stay queued for
        // their windows.
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP || IsKeyboardMessage(msg.message) ||
            msg.message == WM_ACTIVATEAPP || msg.message == WM_CANCELMODE || msg.message == WM_CONTEXTMENU ||
            msg.message == WM_RBUTTONDOWN || msg.message == WM_MBUTTONDOWN)
            break;
        if (!PumpOneMessage())
            return false;
    }
    ReleaseCaptureOf(hWnd);
    return false;
}

void CExtControlBar::StartDragging(POINT ptScreen, POINT ptGrabOffset, int nThresholdX, int nThresholdY)
{
    if (m_pDockSite == NULL || IsFixedMode() || (m_nTrackingFlags & nTrackingLoops) != 0 || g_pBarDragged != NULL)
        return;
    const HWND hWnd = m_hWnd;
    CPoint ptStart(ptScreen);
    if (!WaitForDragThreshold(ptStart, nThresholdX, nThresholdY) || !::IsWindow(hWnd))
        return;
    g_pBarDragged = this;
    g_DragStateCurrent.Reset(this);
    g_DragStateNew.Reset(this);
    OnDraggingStarted();
    if (!::IsWindow(hWnd))
        return;
    m_nTrackingFlags |= eTrackDragging;
    const int nCaption = std::min(m_rcCaption.Width(), m_rcCaption.Height());
    const CPoint ptGrab = nCaption < 3 ? CPoint(::GetSystemMetrics(SM_CYSMCAPTION) / 2, ::GetSystemMetrics(SM_CYSMCAPTION) / 2)
                                       : CPoint(nCaption, nCaption / 2);
    m_ptGrabFloating = m_ptGrabHorz = m_ptGrabVert = ptGrab;
    if (ptGrabOffset.x != 0 || ptGrabOffset.y != 0)
    {
        CPoint& ptOwn = IsFloating() ? m_ptGrabFloating : (IsVerticalRow() ? m_ptGrabVert : m_ptGrabHorz);
        ptOwn = ptGrabOffset;
    }
    m_ptLastDrag = CPoint(-1, -1);
    TrackDragging(ptStart, IsButtonDown(VK_CONTROL));
    RunTrackingLoop(eTrackDragging);
}

void CExtControlBar::TrackDragging(CPoint ptScreen)
{
    CRect rcWindow;
    CWnd* pMoved = IsFloating() && GetParentFrame() != NULL ? (CWnd*)GetParentFrame() : this;
    pMoved->GetWindowRect(&rcWindow);
    StartDragging(ptScreen, CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top), 1, 1);
}

void CExtControlBar::TrackDragging(POINT ptScreen, bool bForceFloat)
{
    if (g_bUpdatingDragState || (m_nTrackingFlags & eTrackDragging) == 0 || CPoint(ptScreen) == m_ptLastDrag)
        return;
    g_bUpdatingDragState = true;
    m_ptLastDrag = ptScreen;
    PredictDrop(ptScreen, bForceFloat, g_DragStateNew);
    if (g_DragStateNew != g_DragStateCurrent)
    {
        if (!g_DragStateCurrent.IsEmpty())
            g_DragStateCurrent.Draw();
        if (!g_DragStateNew.IsEmpty())
            g_DragStateNew.Draw();
        if (IsShowContentWhenResizing() && !g_DragStateCurrent.IsEmpty())
            ApplyDragState(&g_DragStateNew);
        g_DragStateCurrent = g_DragStateNew;
    }
    g_bUpdatingDragState = false;
    if (::IsWindow(m_hWnd) && (m_nTrackingFlags & eTrackDragging) != 0 && ::GetCapture() != m_hWnd)
        SetCapture(m_hWnd);
}

void CExtControlBar::StopDragging(bool bCancel)
{
    if ((m_nTrackingFlags & eTrackDragging) == 0)
        return;
    m_nTrackingFlags &= ~eTrackDragging;
    m_ptLastDrag = CPoint(-1, -1);
    CExtBarDragState stateShown(g_DragStateCurrent), stateNew(g_DragStateNew);
    // The drag is over before anything moves: layouts that run meanwhile see no drag.
    if (!stateShown.IsEmpty())
        stateShown.Draw();
    g_DragStateCurrent.Reset(NULL);
    g_DragStateNew.Reset(NULL);
    g_pBarDragged = NULL;
    ReleaseCaptureOf(m_hWnd);
    CFrameWnd* pDockSite = m_pDockSite;
    if (!stateShown.IsEmpty())
    {
        OnDraggingStopped(&stateShown, &stateNew, bCancel);
        if (!bCancel && (!IsShowContentWhenResizing() || stateShown != stateNew))
        {
            try
            {
                ApplyDragState(&stateNew);
            }
            catch (CException* e)
            {
                // No floating frame: the bar stays where it was.
                e->Delete();
                bCancel = true;
            }
        }
    }
    if (IsFloating() && !IsShowContentWhenResizing() && GetParentFrame() != NULL)
        GetParentFrame()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (bCancel && pDockSite != NULL && ::IsWindow(pDockSite->m_hWnd))
        pDockSite->DelayRecalcLayout();
}

void CExtControlBar::OnDraggingStarted()
{
    CWnd::CancelToolTips();
    CExtPopupMenuWnd::CancelTracking();
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL)
        pOwner->SendMessage(WM_SETMESSAGESTRING, 30057);
}

void CExtControlBar::OnDraggingStopped(CExtBarDragState* /*pOld*/, CExtBarDragState* /*pNew*/, bool /*bCancel*/)
{
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL)
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void CExtControlBar::PredictDrop(CPoint ptScreen, bool bForceFloat, CExtBarDragState& state)
{
    CFrameWnd* pFrame = m_pDockSite;
    state.Reset(this);
    state.SetEmpty(false);
    state.m_nKind = CExtBarDragState::eFloat;
    state.m_rcTracker = CRect(CPoint(ptScreen.x - m_ptGrabFloating.x, ptScreen.y - m_ptGrabFloating.y), m_sizeFloated);
    if (pFrame == NULL || bForceFloat || IsButtonDown(VK_CONTROL))
        return;
    // Over another docked resizable bar: beside it in its row.
    {
        CSingleLock lock(&g_csBars, TRUE);
        for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
        {
            CExtControlBar* pBar = g_arrBars[i];
            if (pBar == this || pBar->m_hWnd == NULL || pBar->m_pDockSite != pFrame || pBar->IsFixedMode() ||
                !pBar->IsWindowVisible() || pBar->GetDockBarID() == AFX_IDW_DOCKBAR_FLOAT)
                continue;
            CRect rcTarget;
            pBar->GetWindowRect(&rcTarget);
            if (!rcTarget.PtInRect(ptScreen))
                continue;
            state.m_pTarget = pBar;
            state.m_rcTracker = rcTarget;
            const CPoint ptMid = rcTarget.CenterPoint();
            if (pBar->IsVerticalRow())
            {
                const bool bBefore = ptScreen.y < ptMid.y;
                state.m_nKind = bBefore ? CExtBarDragState::eBesideAbove : CExtBarDragState::eBesideBelow;
                (bBefore ? state.m_rcTracker.bottom : state.m_rcTracker.top) = ptMid.y;
            }
            else
            {
                const bool bBefore = ptScreen.x < ptMid.x;
                state.m_nKind = bBefore ? CExtBarDragState::eBesideLeft : CExtBarDragState::eBesideRight;
                (bBefore ? state.m_rcTracker.right : state.m_rcTracker.left) = ptMid.x;
            }
            return;
        }
    }
    // Near an edge of the area the bars leave free: a new innermost layer there.
    const CRect rcInner = GetInnerArea(pFrame);
    if (!rcInner.PtInRect(ptScreen) || (m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
        return;
    CRect rc(rcInner);
    UINT nSide = 0;
    if (ptScreen.x < rcInner.left + nDockZone)
    {
        nSide = AFX_IDW_DOCKBAR_LEFT;
        rc.right = rc.left + std::min((int)m_sizeDockedV.cx, rcInner.Width() / 2);
    }
    else if (ptScreen.x >= rcInner.right - nDockZone)
    {
        nSide = AFX_IDW_DOCKBAR_RIGHT;
        rc.left = rc.right - std::min((int)m_sizeDockedV.cx, rcInner.Width() / 2);
    }
    else if (ptScreen.y < rcInner.top + nDockZone)
    {
        nSide = AFX_IDW_DOCKBAR_TOP;
        rc.bottom = rc.top + std::min((int)m_sizeDockedH.cy, rcInner.Height() / 2);
    }
    else if (ptScreen.y >= rcInner.bottom - nDockZone)
    {
        nSide = AFX_IDW_DOCKBAR_BOTTOM;
        rc.top = rc.bottom - std::min((int)m_sizeDockedH.cy, rcInner.Height() / 2);
    }
    if (nSide == 0)
        return;
    static const struct
    {
        UINT nSide;
        int nKind;
    } kinds[] = {{AFX_IDW_DOCKBAR_TOP, CExtBarDragState::eSideTop},
                 {AFX_IDW_DOCKBAR_BOTTOM, CExtBarDragState::eSideBottom},
                 {AFX_IDW_DOCKBAR_LEFT, CExtBarDragState::eSideLeft},
                 {AFX_IDW_DOCKBAR_RIGHT, CExtBarDragState::eSideRight}};
    for (const auto& k : kinds)
        if (k.nSide == nSide)
            state.m_nKind = k.nKind;
    // Inside every layer of that side that holds bars.
    UINT nLayer = 1;
    for (CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, 1, nSide, false); pDockBar != NULL;
         pDockBar = pDockBar->m_pDockBarInner)
    {
        if (pDockBar->GetDockedCount() > 0 && !(pDockBar == m_pDockBar && pDockBar->GetDockedCount() == 1))
            nLayer = pDockBar->m_nCircleNo + 1;
    }
    state.m_nCircle = (int)nLayer;
    state.m_rcTracker = rc;
}

bool CExtControlBar::ApplyDragState(CExtBarDragState* pState)
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pState == NULL || pState->IsEmpty() || IsFixedMode() || pFrame == NULL)
        return false;
    const int nKind = pState->m_nKind;
    if (nKind == CExtBarDragState::eFloat)
    {
        FloatAt(pState->m_rcTracker.left, pState->m_rcTracker.top);
        return true;
    }
    if (nKind >= CExtBarDragState::eSideTop && nKind <= CExtBarDragState::eSideRight)
    {
        static const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                     AFX_IDW_DOCKBAR_RIGHT};
        return DockAtFrameSide(sides[nKind - CExtBarDragState::eSideTop], (UINT)pState->m_nCircle, pFrame, true);
    }
    if (nKind < CExtBarDragState::eBesideAbove || nKind > CExtBarDragState::eBesideRight || pState->m_pTarget == NULL)
        return false;
    CExtControlBar* pTarget = pState->m_pTarget;
    CDockBar* pDockBar = pTarget->m_pDockBar;
    if (pDockBar == NULL)
        return false;
    const bool bBefore = nKind == CExtBarDragState::eBesideAbove || nKind == CExtBarDragState::eBesideLeft;
    CRect rcTarget;
    pTarget->GetWindowRect(&rcTarget);
    // A rectangle centred just inside the target's near or far end puts the bar
    // before or after it in its row.
    CPoint ptMid = rcTarget.CenterPoint();
    if (pTarget->IsVerticalRow())
        ptMid.y = bBefore ? rcTarget.top + 1 : rcTarget.bottom - 1;
    else
        ptMid.x = bBefore ? rcTarget.left + 1 : rcTarget.right - 1;
    CRect rcDrop(ptMid, CSize(2, 2));
    rcDrop.OffsetRect(-1, -1);
    // The two share the target's length.
    if (pTarget->IsVerticalRow())
        m_sizeDockedV = CSize(pTarget->m_sizeDockedV.cx, std::max(rcTarget.Height() / 2, GetMinimalHeight()));
    else
        m_sizeDockedH = CSize(std::max(rcTarget.Width() / 2, GetMinimalWidth()), pTarget->m_sizeDockedH.cy);
    const bool bWasVisible = (GetStyle() & WS_VISIBLE) != 0;
    pFrame->DockControlBar(this, pDockBar, &rcDrop);
    if (bWasVisible && (GetStyle() & WS_VISIBLE) == 0)
        ShowWindow(SW_SHOWNA);
    RecalcNcArea();
    pTarget->RecalcNcArea();
    pFrame->RecalcLayout();
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Docking on a frame

namespace
{
// The outer dock bars' styles: each side's alignment with the border of the opposite
// edge, in the order the sides are replaced.
const struct
{
    UINT nID;
    DWORD dwStyle;
} g_arrDockBarStyles[4] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
                           {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
                           {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
                           {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT}};

// The class library's dock bar of one side gives way to the framework's; the bars it
// holds move over to the new one.
bool ReplaceDockBar(CFrameWnd* pFrame, UINT nID, DWORD dwStyle)
{
    CControlBar* pOld = pFrame->GetControlBar(nID);
    if (pOld != NULL && pOld->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
        return true;
    CPtrArray held;
    if (pOld != NULL && pOld->IsDockBar())
    {
        CDockBar* pOldDockBar = (CDockBar*)pOld;
        for (int i = 0; i < pOldDockBar->m_arrBars.GetSize(); i++)
        {
            CControlBar* pBar = pOldDockBar->GetDockedControlBar(i);
            if (pBar != NULL)
                held.Add(pBar);
        }
        for (INT_PTR i = 0; i < held.GetSize(); i++)
        {
            CControlBar* pBar = (CControlBar*)held[i];
            pBar->SetParent(pFrame);
            pOldDockBar->RemoveControlBar(pBar, -1, -1);
            pBar->m_pDockBar = NULL;
        }
        POSITION pos = pFrame->m_listControlBars.Find(pOldDockBar);
        if (pos != NULL)
            pFrame->m_listControlBars.RemoveAt(pos);
        pOldDockBar->m_pDockSite = NULL;
        const BOOL bAutoDelete = pOldDockBar->m_bAutoDelete;
        pOldDockBar->DestroyWindow();
        if (!bAutoDelete)
            delete pOldDockBar;
    }
    CExtDockOuterBar* pDockBar = new CExtDockOuterBar;
    if (!pDockBar->Create(pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | dwStyle, nID))
    {
        delete pDockBar;
        return false;
    }
    for (INT_PTR i = 0; i < held.GetSize(); i++)
        pFrame->DockControlBar((CControlBar*)held[i], pDockBar, NULL);
    return true;
}
}

bool EnableFrameDocking(CFrameWnd* pFrame, DWORD dwAlignment, bool bUseLibraryFloatingFrame)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL || (dwAlignment & CBRS_ALIGN_ANY) == 0)
        return false;
    try
    {
        pFrame->EnableDocking(dwAlignment & CBRS_ALIGN_ANY);
        // Only the sides asked for get a dock bar.
        for (const auto& side : g_arrDockBarStyles)
        {
            if ((side.dwStyle & dwAlignment & CBRS_ALIGN_ANY) != 0 && !ReplaceDockBar(pFrame, side.nID, side.dwStyle))
                return false;
        }
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    if (bUseLibraryFloatingFrame)
        pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CExtMiniDockFrameWnd);
    return true;
}

bool CExtControlBar::FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, bool bReplaceFloatingWnd)
{
    return EnableFrameDocking(pFrame, dwDockStyle, bReplaceFloatingWnd);
}

void CExtControlBar::RecalcFrameBarsNcArea(CFrameWnd* pFrame)
{
    if (pFrame == NULL)
        return;
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = g_arrBars[i];
        if (pBar->m_hWnd != NULL && pBar->m_pDockSite == pFrame && !pBar->IsFloating())
            pBar->RecalcNcArea();
    }
}

void CExtControlBar::RedrawFloatingFrames(CFrameWnd* pFrame)
{
    if (pFrame == NULL)
        return;
    CMapPtrToPtr frames;
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = g_arrBars[i];
        if (pBar->m_hWnd == NULL || pBar->m_pDockSite != pFrame || !pBar->IsFloating())
            continue;
        CFrameWnd* pMiniFrame = pBar->GetParentFrame();
        void* pDone;
        if (pMiniFrame == NULL || pMiniFrame == pFrame || frames.Lookup(pMiniFrame, pDone))
            continue;
        frames.SetAt(pMiniFrame, pMiniFrame);
        pMiniFrame->RecalcLayout();
        pMiniFrame->RedrawWindow(NULL, NULL,
                                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Bars hosted by windows that are not frames

namespace
{
// The framework bars among the window's direct children, in child order.
template<class F>
bool ForEachChildBar(CWnd* pWndParent, F visit)
{
    if (pWndParent == NULL || pWndParent->m_hWnd == NULL)
        return false;
    for (HWND hWnd = ::GetWindow(pWndParent->m_hWnd, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && visit((CExtControlBar*)pWnd))
            return true;
    }
    return false;
}
}

bool CExtControlBar::PreTranslateMessageForChildBars(CWnd* pWndParent, MSG* pMsg)
{
    if (pMsg == NULL)
        return false;
    return ForEachChildBar(pWndParent, [pMsg](CExtControlBar* pBar) { return pBar->PreTranslateMessage(pMsg) != FALSE; });
}

void CExtControlBar::UpdateChildBarsCmdUI(CWnd* pWndParent, BOOL bDisableIfNoHandler)
{
    // The host routes the bars' commands: it is their update target, frame or not.
    CFrameWnd* pTarget = (CFrameWnd*)pWndParent;
    ForEachChildBar(pWndParent, [pTarget, bDisableIfNoHandler](CExtControlBar* pBar) {
        pBar->OnUpdateCmdUI(pTarget, bDisableIfNoHandler);
        return false;
    });
}

bool CExtControlBar::IsParentFrameInHelpMode(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || !::IsWindow(pWnd->m_hWnd))
        return false;
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
    for (; pFrame != NULL; pFrame = pFrame->GetParentFrame())
    {
        // A floating frame has no help mode of its own: its dock site decides.
        if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            continue;
        if (pFrame->m_bHelpMode)
            return true;
    }
    return false;
}
