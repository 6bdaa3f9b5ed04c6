// CExtFrameBarState: collecting, storing, reading back, checking and applying a
// frame's layout.
#include "CExtFrameBarState.h"

#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDockDynBar.h"
#include "CExtDockOuterBar.h"
#include "CExtDynControlBar.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtMonitorInfo.h"
#include "CExtRegistryArchive.h"
#include "CExtSavedPlacement.h"
#include "ExtBarQueries.h"

#include <algorithm>
#include <new>

int CExtFrameBarState::g_nFailCreationAt = 0;

namespace
{
// More than any frame has; a count beyond it marks a damaged stream.
const DWORD nMaxEntries = 1024;
const DWORD nMaxChildren = 64;
const int nMaxDepth = 16;
const UINT nMaxCircle = 16;
// The smallest forms of a record and a node on disk.
const ULONGLONG nRecordBytes = 40;
const ULONGLONG nNodeBytes = 128;
// Bits the stream's style words may carry.
const DWORD dwBarStyleBits = CBRS_ALL;
const DWORD dwMRUFloatStyleBits = CBRS_ALIGN_ANY | CBRS_SIZE_DYNAMIC;
const DWORD dwFloatFrameStyleBits = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                                    WS_SYSMENU | WS_THICKFRAME | WS_BORDER | 0x0000FFFF;
const DWORD dwPlacementFlagBits = WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED;

void ThrowCorrupt()
{
    AfxThrowArchiveException(CArchiveException::badIndex);
}

void ClearPlacement(WINDOWPLACEMENT* pPlacement)
{
    if (pPlacement == NULL)
        return;
    memset(pPlacement, 0, sizeof(*pPlacement));
    pPlacement->length = sizeof(*pPlacement);
}

// Runs one load or save step: an exception it raises never leaves it and counts as a
// failure, which leaves the placement (when given) with show command 0.
template <class TStep>
bool RunGuardedStep(WINDOWPLACEMENT* pPlacementOnFailure, TStep step)
{
    try
    {
        return step();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (const std::bad_alloc&)
    {
    }
    if (pPlacementOnFailure != NULL)
        pPlacementOnFailure->showCmd = 0;
    return false;
}

// The bytes a loading archive still holds, to refuse a count before its loop.
class CStreamBudget
{
public:
    explicit CStreamBudget(CArchive& ar)
    {
        CFile* pFile = ar.GetFile();
        m_nLeft = (pFile != NULL && ar.IsBufferEmpty()) ? pFile->GetLength() - pFile->GetPosition() : ~0ull;
    }
    void Take(ULONGLONG nBytes)
    {
        if (nBytes > m_nLeft)
            ThrowCorrupt();
        m_nLeft -= nBytes;
    }
    void Require(DWORD nCount, ULONGLONG nEach) const
    {
        if ((ULONGLONG)nCount * nEach > m_nLeft)
            ThrowCorrupt();
    }

private:
    ULONGLONG m_nLeft;
};

ULONGLONG StringBytes(const CString& str)
{
    const ULONGLONG n = (ULONGLONG)str.GetLength();
    return n + (n < 0xFF ? 1 : n < 0xFFFE ? 3 : 7);
}

// The on-disk size of one dock-state entry, as the class library writes it.
ULONGLONG DockStateBytes(const CDockState& state)
{
    ULONGLONG n = 2 + 4;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        const CControlBarInfo* pInfo = (const CControlBarInfo*)state.m_arrBarInfo[i];
        n += 4 + 1 + 8 + 4;
        if (pInfo->m_bDocking)
            n += 4 + 16 + 4 + 8;
        if (pInfo->m_bDockBar)
            n += 4 + 4 * (ULONGLONG)pInfo->m_arrBarID.GetSize();
    }
    return n;
}

DWORD ReadDword(CArchive& ar)
{
    DWORD dw;
    ar >> dw;
    return dw;
}

void WritePoint(CArchive& ar, CPoint pt)
{
    ar << (DWORD)pt.x << (DWORD)pt.y;
}

CPoint ReadPoint(CArchive& ar)
{
    const int x = (int)ReadDword(ar);
    return CPoint(x, (int)ReadDword(ar));
}

void WriteSize(CArchive& ar, CSize size)
{
    ar << (DWORD)size.cx << (DWORD)size.cy;
}

CSize ReadSize(CArchive& ar)
{
    const int cx = (int)ReadDword(ar);
    return CSize(cx, (int)ReadDword(ar));
}

void WriteRect(CArchive& ar, const RECT& rc)
{
    ar << (DWORD)rc.left << (DWORD)rc.top << (DWORD)rc.right << (DWORD)rc.bottom;
}

CRect ReadRect(CArchive& ar)
{
    const int l = (int)ReadDword(ar), t = (int)ReadDword(ar), r = (int)ReadDword(ar);
    return CRect(l, t, r, (int)ReadDword(ar));
}

void SerializeNode(CArchive& ar, CExtFrameBarState::NODE& node, int nDepth, CStreamBudget* pBudget, DWORD& nEntries)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)node.nBarID << (DWORD)node.nDockBarID << (DWORD)node.nCircle << (DWORD)node.nMRUWidth
           << node.dwBarStyle << node.dwFlags << node.dwMRUFloatStyle;
        WritePoint(ar, node.ptLastFloat);
        WritePoint(ar, node.ptMRUFloat);
        WriteRect(ar, node.rcMRUDock);
        WriteRect(ar, node.rcFloatFrame);
        ar << node.dwFloatFrameStyle << (DWORD)node.nReserved;
        WriteRect(ar, node.rcBar);
        WriteSize(ar, node.sizeDockedH);
        WriteSize(ar, node.sizeDockedV);
        WriteSize(ar, node.sizeFloated);
        ar << (DWORD)node.children.size();
        for (CExtFrameBarState::NODE& child : node.children)
            SerializeNode(ar, child, nDepth + 1, pBudget, nEntries);
        return;
    }
    if (nDepth >= nMaxDepth || ++nEntries > nMaxEntries)
        ThrowCorrupt();
    pBudget->Take(nNodeBytes);
    node.nBarID = ReadDword(ar);
    node.nDockBarID = ReadDword(ar);
    node.nCircle = ReadDword(ar);
    node.nMRUWidth = (int)ReadDword(ar);
    ar >> node.dwBarStyle >> node.dwFlags >> node.dwMRUFloatStyle;
    node.ptLastFloat = ReadPoint(ar);
    node.ptMRUFloat = ReadPoint(ar);
    node.rcMRUDock = ReadRect(ar);
    node.rcFloatFrame = ReadRect(ar);
    ar >> node.dwFloatFrameStyle;
    node.nReserved = (int)ReadDword(ar);
    node.rcBar = ReadRect(ar);
    node.sizeDockedH = ReadSize(ar);
    node.sizeDockedV = ReadSize(ar);
    node.sizeFloated = ReadSize(ar);
    const DWORD nChildren = ReadDword(ar);
    if (nChildren > nMaxChildren)
        ThrowCorrupt();
    pBudget->Require(nChildren, nNodeBytes);
    node.children.clear();
    for (DWORD i = 0; i < nChildren; i++)
    {
        node.children.emplace_back();
        SerializeNode(ar, node.children.back(), nDepth + 1, pBudget, nEntries);
    }
}

bool IsDynamicBar(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar));
}

// A resizable bar of the library, not a container.
bool IsResizableBar(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && !((CExtControlBar*)pBar)->IsFixedMode() &&
           !IsDynamicBar(pBar) && !pBar->IsDockBar();
}

// The frame's resizable bars, in the order of the process's bar list.
std::vector<CExtControlBar*> ResizableBars(CFrameWnd* pFrame)
{
    std::vector<CExtControlBar*> bars;
    CSingleLock lock(&CExtControlBar::g_csBars, TRUE);
    for (INT_PTR i = 0; i < CExtControlBar::g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = CExtControlBar::g_arrBars[i];
        if (pBar->m_hWnd != NULL && pBar->m_pDockSite == pFrame && IsResizableBar(pBar))
            bars.push_back(pBar);
    }
    return bars;
}

// Panels are never restored, so the stored layout keeps no record of them.
bool IsPanel(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && IsPanelBar((CExtControlBar*)pBar);
}

bool IsPlaceholder(void* pEntry)
{
    return pEntry != NULL && (UINT_PTR)pEntry <= 0xFFFF;
}

CRect VirtualScreen()
{
    CRect rc(CPoint(::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN)),
             CSize(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    if (rc.IsRectEmpty())
        rc.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return rc;
}

int Clamp(int n, int nMin, int nMax)
{
    return std::min(std::max(n, nMin), std::max(nMin, nMax));
}

CSize ClampSize(CSize size, CSize sizeMin, const CRect& rcScreen)
{
    return CSize(Clamp(size.cx, sizeMin.cx, rcScreen.Width()), Clamp(size.cy, sizeMin.cy, rcScreen.Height()));
}

CPoint ClampPoint(CPoint pt, const CRect& rcScreen)
{
    return CPoint(Clamp(pt.x, rcScreen.left, rcScreen.right - 1), Clamp(pt.y, rcScreen.top, rcScreen.bottom - 1));
}

CRect NormalRect(const CRect& rc, const CRect& rcScreen)
{
    // Far outside every screen a rectangle is brought to its edge before it is sorted.
    const int nFar = 4 * std::max(rcScreen.Width(), rcScreen.Height()) + 4;
    CRect r(Clamp(rc.left, -nFar, nFar), Clamp(rc.top, -nFar, nFar), Clamp(rc.right, -nFar, nFar),
            Clamp(rc.bottom, -nFar, nFar));
    r.NormalizeRect();
    return r;
}

// A floating frame comes back onto the nearest work area with its caption reachable.
CRect OntoWorkArea(const CRect& rc, CSize sizeMin)
{
    CExtMonitorInfo monitor(rc);
    return CExtSavedPlacement::FitToWorkArea(rc, monitor.m_rcWorkArea, sizeMin);
}

UINT SideOfStyle(DWORD dwStyle)
{
    if (dwStyle & CBRS_ALIGN_BOTTOM)
        return AFX_IDW_DOCKBAR_BOTTOM;
    if (dwStyle & CBRS_ALIGN_LEFT)
        return AFX_IDW_DOCKBAR_LEFT;
    if (dwStyle & CBRS_ALIGN_RIGHT)
        return AFX_IDW_DOCKBAR_RIGHT;
    return AFX_IDW_DOCKBAR_TOP;
}

void ShowNow(CControlBar* pBar, bool bVisible)
{
    pBar->m_nStateFlags &= ~(CControlBar::delayShow | CControlBar::delayHide);
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                           (bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// The node of one bar as it stands now.
void FillNode(CExtFrameBarState::NODE& node, CControlBar* pBar, bool bRowBreak)
{
    CExtControlBar* pExtBar = (CExtControlBar*)pBar;
    node.nBarID = (UINT)(WORD)pBar->GetDlgCtrlID();
    node.nDockBarID = pBar->m_pDockBar != NULL ? (UINT)(WORD)pBar->m_pDockBar->GetDlgCtrlID() : AFX_IDW_DOCKBAR_FLOAT;
    node.nCircle = pBar->m_pDockBar != NULL ? CExtDockBar::CircleOf(pBar->m_pDockBar) : 0;
    node.nMRUWidth = (int)pBar->m_nMRUWidth;
    node.dwBarStyle = pBar->GetBarStyle() & dwBarStyleBits;
    node.dwFlags = (pBar->IsVisible() ? CExtFrameBarState::NODE::eVisible : 0) |
                   (bRowBreak ? CExtFrameBarState::NODE::eRowBreak : 0);
    if (pBar->m_pDockContext != NULL)
    {
        node.dwMRUFloatStyle = pBar->m_pDockContext->m_dwMRUFloatStyle & dwMRUFloatStyleBits;
        node.ptMRUFloat = pBar->m_pDockContext->m_ptMRUFloatPos;
        node.rcMRUDock = pBar->m_pDockContext->m_rectMRUDockPos;
    }
    node.nReserved = pExtBar->m_nReclaimLength;
    node.ptLastFloat = pExtBar->m_ptFloatPos;
    node.sizeDockedH = pExtBar->m_sizeDockedH;
    node.sizeDockedV = pExtBar->m_sizeDockedV;
    node.sizeFloated = pExtBar->m_sizeFloated;
    CRect rc;
    pBar->GetWindowRect(&rc);
    if (pBar->m_pDockBar != NULL)
        pBar->m_pDockBar->ScreenToClient(&rc);
    node.rcBar = rc;
    if (!IsDynamicBar(pBar))
    {
        node.dwFlags |= CExtFrameBarState::NODE::ePlain;
        return;
    }
    node.dwFlags |= CExtFrameBarState::NODE::eDynamic;
    CExtDockDynBar* pInner = ((CExtDynControlBar*)pBar)->m_pWndDynDocker;
    if (pInner == NULL)
        return;
    bool bBreak = false;
    for (INT_PTR i = 1; i < pInner->m_arrBars.GetSize(); i++)
    {
        void* pEntry = pInner->m_arrBars[i];
        if (pEntry == NULL)
        {
            bBreak = !node.children.empty();
            continue;
        }
        CControlBar* pChild = IsPlaceholder(pEntry) ? NULL : (CControlBar*)pEntry;
        if (pChild == NULL || pChild->m_hWnd == NULL || !pChild->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ||
            ((CExtControlBar*)pChild)->IsFixedMode())
            continue;
        node.children.emplace_back();
        FillNode(node.children.back(), pChild, bBreak);
        node.children.back().dwFlags |= CExtFrameBarState::NODE::eChild;
        bBreak = false;
    }
}

void FillFloatingFrame(CExtFrameBarState::NODE& node, CControlBar* pBar)
{
    CFrameWnd* pMiniFrame = pBar->GetParentFrame();
    node.nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
    node.nCircle = 0;
    node.dwFlags |= CExtFrameBarState::NODE::eFloatingFrame;
    if (pMiniFrame == NULL)
        return;
    pMiniFrame->GetWindowRect(&node.rcFloatFrame);
    node.dwFloatFrameStyle = pMiniFrame->GetStyle() & dwFloatFrameStyleBits;
}

// The leaves of a node's tree in order, each with whether a row break precedes it.
void CollectLeaves(CExtFrameBarState::NODE& node, std::vector<CExtFrameBarState::NODE*>& leaves)
{
    if (node.dwFlags & CExtFrameBarState::NODE::ePlain)
    {
        if (node.pBar != NULL)
            leaves.push_back(&node);
        return;
    }
    for (CExtFrameBarState::NODE& child : node.children)
        CollectLeaves(child, leaves);
}

// Joined to the row before it unless the node started a row of its own.
void JoinRow(CExtDockBar* pDockBar, CControlBar* pBar, const CExtFrameBarState::NODE& node)
{
    if ((node.dwFlags & CExtFrameBarState::NODE::eRowBreak) != 0)
        return;
    const int nPos = pDockBar->FindBar(pBar);
    if (nPos >= 2 && pDockBar->m_arrBars[nPos - 1] == NULL && pDockBar->m_arrBars[nPos - 2] != NULL)
        pDockBar->m_arrBars.RemoveAt(nPos - 1);
}

// The container that holds exactly the leaves, in their order and rows, when there is one.
CExtDynControlBar* KeptContainer(const std::vector<CExtFrameBarState::NODE*>& leaves)
{
    if (leaves.size() < 2)
        return NULL;
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, leaves[0]->pBar->m_pDockBar);
    CExtDynControlBar* pContainer = pInner != NULL ? pInner->GetContainer() : NULL;
    if (pContainer == NULL || pContainer->m_hWnd == NULL || pContainer->m_pDockBar == NULL ||
        pContainer->IsFloating())
        return NULL;
    size_t nLeaf = 0;
    bool bBreak = false;
    for (INT_PTR i = 1; i < pInner->m_arrBars.GetSize(); i++)
    {
        void* pEntry = pInner->m_arrBars[i];
        if (pEntry == NULL)
        {
            bBreak = nLeaf > 0;
            continue;
        }
        if (IsPlaceholder(pEntry))
            continue;
        if (nLeaf >= leaves.size() || pEntry != leaves[nLeaf]->pBar ||
            (nLeaf > 0 && bBreak != ((leaves[nLeaf]->dwFlags & CExtFrameBarState::NODE::eRowBreak) != 0)))
            return NULL;
        nLeaf++;
        bBreak = false;
    }
    return nLeaf == leaves.size() ? pContainer : NULL;
}

void ApplyNodeValues(const CExtFrameBarState::NODE& node, CExtControlBar* pBar)
{
    pBar->m_sizeDockedH = node.sizeDockedH;
    pBar->m_sizeDockedV = node.sizeDockedV;
    pBar->m_sizeFloated = node.sizeFloated;
    pBar->m_ptFloatPos = node.ptLastFloat;
    pBar->m_nReclaimLength = node.nReserved;
    pBar->m_nMRUWidth = (UINT)node.nMRUWidth;
    if (pBar->m_pDockContext != NULL)
    {
        pBar->m_pDockContext->m_dwMRUFloatStyle = node.dwMRUFloatStyle;
        pBar->m_pDockContext->m_ptMRUFloatPos = node.ptMRUFloat;
        pBar->m_pDockContext->m_rectMRUDockPos = node.rcMRUDock;
    }
}
}

CExtFrameBarState::CExtFrameBarState()
{
    Clear();
}

CExtFrameBarState::~CExtFrameBarState()
{
}

void CExtFrameBarState::Clear()
{
    memset(&m_wp, 0, sizeof(m_wp));
    m_wp.length = sizeof(m_wp);
    m_dockState.Clear();
    m_arrRecords.RemoveAll();
    m_nodes.clear();
}

/////////////////////////////////////////////////////////////////////////////
// Collecting

void CExtFrameBarState::Collect(CFrameWnd* pFrame)
{
    Clear();
    ::GetWindowPlacement(pFrame->m_hWnd, &m_wp);
    m_wp.length = sizeof(m_wp);

    // The class library keeps the frame-edge bars; resizable bars and the inner
    // layers' dock bars, which share the outer ones' ids, are the nodes' business.
    pFrame->GetDockState(m_dockState);
    for (INT_PTR i = m_dockState.m_arrBarInfo.GetSize() - 1; i >= 0; i--)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)m_dockState.m_arrBarInfo[i];
        if (pInfo->m_pBar != NULL && pInfo->m_pBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)) &&
            !pInfo->m_pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
        {
            delete pInfo;
            m_dockState.m_arrBarInfo.RemoveAt(i);
        }
    }
    CheckDockState(pFrame);

    // Docked bars in dock order: layer after layer, side after side, row after row.
    static const UINT arrSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                     AFX_IDW_DOCKBAR_RIGHT};
    const UINT nCircles = CExtDockBar::GetCircleCount(pFrame);
    for (UINT nCircle = 1; nCircle < nCircles; nCircle++)
    {
        for (UINT nSide : arrSides)
        {
            CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, nCircle, nSide, false);
            if (pDockBar == NULL)
                continue;
            bool bRowStart = true;
            for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); i++)
            {
                void* pEntry = pDockBar->m_arrBars[i];
                if (pEntry == NULL)
                {
                    bRowStart = true;
                    continue;
                }
                if (IsPlaceholder(pEntry))
                    continue;
                CControlBar* pBar = (CControlBar*)pEntry;
                if (pBar->m_hWnd == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ||
                    ((CExtControlBar*)pBar)->IsFixedMode())
                {
                    bRowStart = false;
                    continue;
                }
                m_nodes.emplace_back();
                FillNode(m_nodes.back(), pBar, bRowStart);
                m_nodes.back().nDockBarID = nSide;
                m_nodes.back().nCircle = nCircle;
                bRowStart = false;
            }
        }
    }
    // Floating bars, and floating containers, after them.
    CSingleLock lock(&CExtControlBar::g_csBars, TRUE);
    for (INT_PTR i = 0; i < CExtControlBar::g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = CExtControlBar::g_arrBars[i];
        if (pBar->m_hWnd == NULL || pBar->m_pDockSite != pFrame || pBar->IsFixedMode() || pBar->IsDockBar() ||
            !pBar->IsFloating() || pBar->m_pDockBar == NULL || pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
            continue;
        m_nodes.emplace_back();
        FillNode(m_nodes.back(), pBar, false);
        FillFloatingFrame(m_nodes.back(), pBar);
    }
    // One record per resizable bar, and per fixed-mode bar that keeps its state.
    for (INT_PTR i = 0; i < CExtControlBar::g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = CExtControlBar::g_arrBars[i];
        if (pBar->m_hWnd == NULL || pBar->m_pDockSite != pFrame || IsDynamicBar(pBar) || pBar->IsDockBar() ||
            (pBar->IsFixedMode() && !pBar->IsStateRestorable()))
            continue;
        RECORD record;
        record.nBarID = (UINT)(WORD)pBar->GetDlgCtrlID();
        record.nFlags = pBar->IsFloating() ? RECORD::eFloating : 0;
        record.ptLastFloat = pBar->m_ptFloatPos;
        record.sizeDockedH = pBar->m_sizeDockedH;
        record.sizeDockedV = pBar->m_sizeDockedV;
        record.sizeFloated = pBar->m_sizeFloated;
        if (const CExtBarStateExtra* pExtra = pBar->GetBarStateExtra())
            record.extra = *pExtra;
        m_arrRecords.Add(record);
    }
}

/////////////////////////////////////////////////////////////////////////////
// The stream

void CExtFrameBarState::SerializeBarState(CArchive& ar)
{
    const DWORD dwLongVersion = CExtRegistryArchive::GetLibraryVersion(false);
    const DWORD dwStreamVersion = CExtRegistryArchive::GetLibraryVersion(true);
    DWORD nEntries = 0;
    if (ar.IsStoring())
    {
        ar << CString("Ulvane (v. " + CExtRegistryArchive::GetLibraryVersionString('.') + ") control bar state");
        ar << dwLongVersion << dwStreamVersion << (DWORD)0 << (DWORD)0 << (DWORD)0 << (DWORD)0;
        ar << CExtSavedPlacement::Format(m_wp);
        m_dockState.Serialize(ar);
        ar << (DWORD)m_arrRecords.GetSize();
        for (INT_PTR i = 0; i < m_arrRecords.GetSize(); i++)
        {
            const RECORD& record = m_arrRecords[i];
            ar << (WORD)(record.nFlags & RECORD::eFloating) << (DWORD)record.nBarID;
            WritePoint(ar, record.ptLastFloat);
            WriteSize(ar, record.sizeDockedH);
            WriteSize(ar, record.sizeDockedV);
            WriteSize(ar, record.sizeFloated);
            if (record.extra.extraId == 0)
            {
                ar << (WORD)1;
                continue;
            }
            ar << (WORD)0 << record.extra.extraId;
            WriteRect(ar, record.extra.m_rcRow);
            ar << record.extra.m_nLengthHorz << record.extra.m_nLengthVert << record.extra.m_nLast;
        }
        ar << (DWORD)m_nodes.size();
        for (NODE& node : m_nodes)
            SerializeNode(ar, node, 0, NULL, nEntries);
        return;
    }

    Clear();
    CStreamBudget budget(ar);
    CString strHeader, strPlacement;
    ar >> strHeader;
    budget.Take(StringBytes(strHeader));
    ReadDword(ar);
    if (ReadDword(ar) != dwStreamVersion)
        AfxThrowArchiveException(CArchiveException::badSchema);
    for (int i = 0; i < 4; i++)
        ReadDword(ar);
    budget.Take(6 * 4);
    ar >> strPlacement;
    budget.Take(StringBytes(strPlacement));
    if (!CExtSavedPlacement::Parse(strPlacement, m_wp))
    {
        memset(&m_wp, 0, sizeof(m_wp));
        m_wp.length = sizeof(m_wp);
        AfxThrowArchiveException(CArchiveException::badIndex);
    }
    m_dockState.Serialize(ar);
    budget.Take(DockStateBytes(m_dockState));

    const DWORD nRecords = ReadDword(ar);
    budget.Take(4);
    if (nRecords > nMaxEntries)
        ThrowCorrupt();
    budget.Require(nRecords, nRecordBytes);
    nEntries = nRecords;
    for (DWORD i = 0; i < nRecords; i++)
    {
        budget.Take(nRecordBytes);
        RECORD record;
        WORD wFlags, wMarker;
        ar >> wFlags;
        record.nFlags = (BYTE)(wFlags & RECORD::eFloating);
        record.nBarID = ReadDword(ar);
        record.ptLastFloat = ReadPoint(ar);
        record.sizeDockedH = ReadSize(ar);
        record.sizeDockedV = ReadSize(ar);
        record.sizeFloated = ReadSize(ar);
        ar >> wMarker;
        if (wMarker == 0)
        {
            budget.Take(32);
            ar >> record.extra.extraId;
            record.extra.m_rcRow = ReadRect(ar);
            ar >> record.extra.m_nLengthHorz >> record.extra.m_nLengthVert >> record.extra.m_nLast;
        }
        else if (wMarker != 1)
            ThrowCorrupt();
        m_arrRecords.Add(record);
    }
    const DWORD nNodes = ReadDword(ar);
    budget.Take(4);
    if (nNodes > nMaxEntries - nEntries)
        ThrowCorrupt();
    budget.Require(nNodes, nNodeBytes);
    for (DWORD i = 0; i < nNodes; i++)
    {
        m_nodes.emplace_back();
        SerializeNode(ar, m_nodes.back(), 0, &budget, nEntries);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Checking

void CExtFrameBarState::CheckDockState(CFrameWnd* pFrame)
{
    // Only the frame's fixed-mode bars (panels aside) and its outer dock bars keep entries; floating
    // dock bars that hold none of those go (each would make a floating frame).
    for (INT_PTR i = m_dockState.m_arrBarInfo.GetSize() - 1; i >= 0; i--)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)m_dockState.m_arrBarInfo[i];
        CControlBar* pBar = pFrame->GetControlBar(pInfo->m_nBarID);
        bool bKeep = pBar != NULL && !IsResizableBar(pBar) && !IsDynamicBar(pBar) && !IsPanel(pBar) &&
                     !pInfo->m_bDockBar && !pBar->IsDockBar();
        if (pInfo->m_bDockBar)
        {
            CDWordArray kept;
            bool bHasBar = false;
            for (INT_PTR k = 0; k < pInfo->m_arrBarID.GetSize(); k++)
            {
                const DWORD dwEntry = pInfo->m_arrBarID[k];
                if (dwEntry != 0)
                {
                    CControlBar* pHeld = pFrame->GetControlBar((UINT)(dwEntry & ~AFX_DOCKSTATE_PLACEHOLDER));
                    if (pHeld == NULL || IsResizableBar(pHeld) || IsDynamicBar(pHeld) || IsPanel(pHeld) ||
                        pHeld->IsDockBar())
                        continue;
                }
                if (dwEntry == 0 && kept.GetSize() > 0 && kept[kept.GetSize() - 1] == 0)
                    continue;
                bHasBar |= dwEntry != 0;
                kept.Add(dwEntry);
            }
            pInfo->m_arrBarID.Copy(kept);
            const bool bOuter = pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar));
            bKeep = pInfo->m_bFloating ? (bHasBar && pInfo->m_nBarID >= AFX_IDW_DOCKBAR_FLOAT)
                                       : (bOuter || (pBar != NULL && !pBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)) &&
                                                     pBar->IsDockBar()));
        }
        if (pInfo->m_bFloating && !pInfo->m_bDockBar)
            pInfo->m_pointPos = ClampPoint(pInfo->m_pointPos, VirtualScreen());
        pInfo->m_dwMRUFloatStyle &= dwMRUFloatStyleBits;
        if (!bKeep)
        {
            delete pInfo;
            m_dockState.m_arrBarInfo.RemoveAt(i);
        }
    }
}

bool CExtFrameBarState::CheckNode(CFrameWnd* pFrame, NODE& node, bool bRoot, std::vector<UINT>& named)
{
    const DWORD dwKind = node.dwFlags & (NODE::ePlain | NODE::eDynamic);
    if (dwKind != NODE::ePlain && dwKind != NODE::eDynamic)
        return false;
    if (((node.dwFlags & NODE::eChild) != 0) == bRoot)
        return false;
    if (!bRoot && (node.dwFlags & NODE::eFloatingFrame) != 0)
        return false;
    if (dwKind == NODE::ePlain && !node.children.empty())
        return false;
    if (node.nDockBarID < AFX_IDW_DOCKBAR_TOP || node.nDockBarID > AFX_IDW_DOCKBAR_FLOAT || node.nCircle > nMaxCircle)
        return false;
    if (bRoot && ((node.nDockBarID == AFX_IDW_DOCKBAR_FLOAT) != ((node.dwFlags & NODE::eFloatingFrame) != 0)))
        return false;

    const CRect rcScreen = VirtualScreen();
    CSize sizeMin(1, 1), sizeMinFloated(1, 1);
    if (dwKind == NODE::ePlain)
    {
        CControlBar* pBar = pFrame->GetControlBar(node.nBarID);
        if (pBar == NULL)
            return true;   // a bar this frame no longer has: skipped
        if (!IsResizableBar(pBar) || std::find(named.begin(), named.end(), node.nBarID) != named.end())
            return false;
        named.push_back(node.nBarID);
        node.pBar = pBar;
        sizeMin = ((CExtControlBar*)pBar)->GetMinimalSize();
        sizeMinFloated = ((CExtControlBar*)pBar)->GetMinimalFloatingSize();
    }
    else
    {
        for (NODE& child : node.children)
        {
            if (!CheckNode(pFrame, child, false, named))
                return false;
            // A container floats at least as large as any of its bars could.
            if (child.pBar != NULL)
            {
                const CSize sizeChild = ((CExtControlBar*)child.pBar)->GetMinimalFloatingSize();
                sizeMinFloated.cx = std::max(sizeMinFloated.cx, sizeChild.cx);
                sizeMinFloated.cy = std::max(sizeMinFloated.cy, sizeChild.cy);
            }
        }
    }
    node.dwBarStyle &= dwBarStyleBits;
    node.dwMRUFloatStyle &= dwMRUFloatStyleBits;
    node.dwFloatFrameStyle &= dwFloatFrameStyleBits;
    node.nMRUWidth = Clamp(node.nMRUWidth, 0, rcScreen.Width());
    node.nReserved = Clamp(node.nReserved, 0, std::max(rcScreen.Width(), rcScreen.Height()));
    node.ptLastFloat = ClampPoint(node.ptLastFloat, rcScreen);
    node.ptMRUFloat = ClampPoint(node.ptMRUFloat, rcScreen);
    node.rcMRUDock = NormalRect(node.rcMRUDock, rcScreen);
    node.rcBar = NormalRect(node.rcBar, rcScreen);
    node.sizeDockedH = ClampSize(node.sizeDockedH, sizeMin, rcScreen);
    node.sizeDockedV = ClampSize(node.sizeDockedV, sizeMin, rcScreen);
    // Floating, a bar keeps room for its caption and buttons.
    node.sizeFloated = ClampSize(node.sizeFloated, sizeMinFloated, rcScreen);
    if (node.dwFlags & NODE::eFloatingFrame)
        node.rcFloatFrame = OntoWorkArea(NormalRect(node.rcFloatFrame, rcScreen), CSize(40, 20));
    // Resizable bars live in the inner layers.
    if (bRoot && node.nCircle == 0 && node.nDockBarID != AFX_IDW_DOCKBAR_FLOAT)
        node.nCircle = 1;
    return true;
}

bool CExtFrameBarState::Check(CFrameWnd* pFrame)
{
    const CRect rcScreen = VirtualScreen();

    // The placement: on a work area, at least the frame's smallest size, shown
    // normally or maximised.
    MINMAXINFO mmi = {};
    mmi.ptMinTrackSize = CPoint(::GetSystemMetrics(SM_CXMINTRACK), ::GetSystemMetrics(SM_CYMINTRACK));
    pFrame->SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    m_wp.length = sizeof(m_wp);
    m_wp.rcNormalPosition = OntoWorkArea(NormalRect(m_wp.rcNormalPosition, rcScreen),
                                         CSize(mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y));
    m_wp.showCmd = m_wp.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    m_wp.ptMinPosition = m_wp.ptMaxPosition = CPoint(0, 0);
    m_wp.flags &= dwPlacementFlagBits;

    std::vector<UINT> recorded;
    for (INT_PTR i = m_arrRecords.GetSize() - 1; i >= 0; i--)
    {
        RECORD& record = m_arrRecords[i];
        CControlBar* pBar = pFrame->GetControlBar(record.nBarID);
        if (pBar == NULL)
        {
            m_arrRecords.RemoveAt(i);
            continue;
        }
        if (!pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) || IsDynamicBar(pBar) || pBar->IsDockBar() ||
            std::find(recorded.begin(), recorded.end(), record.nBarID) != recorded.end())
            return false;
        recorded.push_back(record.nBarID);
        CExtControlBar* pExtBar = (CExtControlBar*)pBar;
        const bool bFixed = pExtBar->IsFixedMode();
        const CSize sizeMin = bFixed ? CSize(1, 1) : pExtBar->GetMinimalSize();
        const CSize sizeMinFloated = bFixed ? CSize(1, 1) : pExtBar->GetMinimalFloatingSize();
        record.ptLastFloat = ClampPoint(record.ptLastFloat, rcScreen);
        record.sizeDockedH = ClampSize(record.sizeDockedH, sizeMin, rcScreen);
        record.sizeDockedV = ClampSize(record.sizeDockedV, sizeMin, rcScreen);
        record.sizeFloated = ClampSize(record.sizeFloated, sizeMinFloated, rcScreen);
        record.extra.m_rcRow = NormalRect(record.extra.m_rcRow, rcScreen);
        record.extra.m_nLengthHorz = (DWORD)Clamp((int)std::min(record.extra.m_nLengthHorz, (DWORD)INT_MAX), 0, rcScreen.Width());
        record.extra.m_nLengthVert = (DWORD)Clamp((int)std::min(record.extra.m_nLengthVert, (DWORD)INT_MAX), 0, rcScreen.Height());
    }

    std::vector<UINT> named;
    for (NODE& node : m_nodes)
    {
        if (!CheckNode(pFrame, node, true, named))
            return false;
    }
    // Skipped bars leave their nodes empty: a container keeps what it still holds.
    m_nodes.erase(std::remove_if(m_nodes.begin(), m_nodes.end(),
                                 [](NODE& node) {
                                     std::vector<NODE*> leaves;
                                     CollectLeaves(node, leaves);
                                     return leaves.empty();
                                 }),
                  m_nodes.end());
    CheckDockState(pFrame);
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Applying

bool CExtFrameBarState::RestoreNode(CFrameWnd* pFrame, NODE& node)
{
    std::vector<NODE*> leaves;
    CollectLeaves(node, leaves);
    if (leaves.empty())
        return true;
    const bool bVisible = (node.dwFlags & NODE::eVisible) != 0;
    CExtControlBar* pFirst = (CExtControlBar*)leaves[0]->pBar;
    if (leaves.size() > 1 || (node.dwFlags & NODE::eFloatingFrame) != 0)
    {
        if (g_nFailCreationAt > 0 && ++m_nCreations == g_nFailCreationAt)
            return false;
    }
    // Bars still nested as the node has them keep their container.
    CExtDynControlBar* pKept = KeptContainer(leaves);
    if (pKept != NULL)
    {
        for (NODE* pLeaf : leaves)
            ApplyNodeValues(*pLeaf, (CExtControlBar*)pLeaf->pBar);
        pKept->m_sizeDockedH = node.sizeDockedH;
        pKept->m_sizeDockedV = node.sizeDockedV;
        pKept->m_sizeFloated = node.sizeFloated;
        CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, node.nCircle, node.nDockBarID, true);
        if (pDockBar == NULL)
            return false;
        pFrame->DockControlBar(pKept, pDockBar, NULL);
        JoinRow(pDockBar, pKept, node);
        for (NODE* pLeaf : leaves)
            ShowNow(pLeaf->pBar, (pLeaf->dwFlags & NODE::eVisible) != 0);
        pFrame->ShowControlBar(pKept, bVisible, FALSE);
        return pKept->m_pDockBar == pDockBar;
    }
    ApplyNodeValues(*leaves[0], pFirst);
    if (leaves.size() > 1)
    {
        // The container takes the first bar's sizes in the row.
        pFirst->m_sizeDockedH = node.sizeDockedH;
        pFirst->m_sizeDockedV = node.sizeDockedV;
        pFirst->m_sizeFloated = node.sizeFloated;
    }
    ShowNow(pFirst, true);
    if (node.dwFlags & NODE::eFloatingFrame)
    {
        pFirst->FloatAt(node.rcFloatFrame.left, node.rcFloatFrame.top);
        if (!pFirst->IsFloating())
            return false;
    }
    else
    {
        CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, node.nCircle, node.nDockBarID, true);
        if (pDockBar == NULL)
            return false;
        pFrame->DockControlBar(pFirst, pDockBar, NULL);
        JoinRow(pDockBar, pFirst, node);
    }
    // The nested bars go in one after the other: beside the one before in its row,
    // or across it after a row break.
    const bool bInnerVert = (leaves[0]->dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
    CExtControlBar* pPrev = pFirst;
    for (size_t i = 1; i < leaves.size(); i++)
    {
        CExtControlBar* pBar = (CExtControlBar*)leaves[i]->pBar;
        const bool bBreak = (leaves[i]->dwFlags & NODE::eRowBreak) != 0;
        const UINT nSide = (bInnerVert != bBreak) ? AFX_IDW_DOCKBAR_BOTTOM : AFX_IDW_DOCKBAR_RIGHT;
        ShowNow(pBar, true);
        pPrev->DockNestedWith(pBar, nSide);
        if (!pBar->m_pDockBar || !pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
            return false;
        pPrev = pBar;
    }
    for (NODE* pLeaf : leaves)
    {
        if (leaves.size() > 1)
            ApplyNodeValues(*pLeaf, (CExtControlBar*)pLeaf->pBar);
        const bool bLeafVisible = leaves.size() > 1 ? (pLeaf->dwFlags & NODE::eVisible) != 0 : bVisible;
        if (pLeaf->pBar->IsFloating())
            pFrame->ShowControlBar(pLeaf->pBar, bLeafVisible, FALSE);
        else
            ShowNow(pLeaf->pBar, bLeafVisible);
    }
    if (leaves.size() > 1 && !bVisible)
    {
        CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pFirst->m_pDockBar);
        if (pInner != NULL && pInner->GetContainer() != NULL)
            pFrame->ShowControlBar(pInner->GetContainer(), FALSE, FALSE);
    }
    return true;
}

bool CExtFrameBarState::ApplyChecked(CFrameWnd* pFrame, bool bMoveFrame)
{
    if (bMoveFrame)
    {
        CRect rc = m_wp.rcNormalPosition;
        if (m_wp.showCmd == SW_SHOWMAXIMIZED)
            rc = CExtMonitorInfo(rc).m_rcWorkArea;
        pFrame->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    }
    // Every resizable bar first leaves floating frames and goes hidden; the nodes
    // bring back those they name.
    for (CExtControlBar* pBar : ResizableBars(pFrame))
    {
        if (pBar->m_pDockBar == NULL || pBar->IsFloating())
            pBar->DockAtFrameSide(SideOfStyle(pBar->GetBarStyle()), 1, pFrame, false);
        ShowNow(pBar, false);
    }
    for (INT_PTR i = 0; i < m_arrRecords.GetSize(); i++)
    {
        const RECORD& record = m_arrRecords[i];
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pFrame->GetControlBar(record.nBarID));
        if (pBar == NULL)
            continue;
        pBar->m_ptFloatPos = record.ptLastFloat;
        pBar->m_sizeDockedH = record.sizeDockedH;
        pBar->m_sizeDockedV = record.sizeDockedV;
        pBar->m_sizeFloated = record.sizeFloated;
        if (pBar->GetBarStateExtra() != NULL)
            pBar->SetBarStateExtra(&record.extra);
    }
    pFrame->SetDockState(m_dockState);
    for (NODE& node : m_nodes)
    {
        if (!RestoreNode(pFrame, node))
            return false;
    }
    CExtDockBar::OptimizeDockCircles(pFrame);
    pFrame->RecalcLayout();
    CExtControlBar::RecalcFrameBarsNcArea(pFrame);
    CExtControlBar::RedrawFloatingFrames(pFrame);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, FALSE);
    pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    return true;
}

bool CExtFrameBarState::Apply(CFrameWnd* pFrame, bool bMoveFrame, CDWordArray* pUnnamed)
{
    CExtFrameBarState before;
    before.Collect(pFrame);
    before.Check(pFrame);
    bool bApplied = false;
    try
    {
        m_nCreations = 0;
        bApplied = ApplyChecked(pFrame, bMoveFrame);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (const std::bad_alloc&)
    {
    }
    if (!bApplied)
    {
        // Undone whole: every bar back where it was.
        const int nFailAt = g_nFailCreationAt;
        g_nFailCreationAt = 0;
        try
        {
            before.ApplyChecked(pFrame, false);
        }
        catch (CException* e)
        {
            e->Delete();
        }
        catch (const std::bad_alloc&)
        {
        }
        g_nFailCreationAt = nFailAt;
        return false;
    }
    if (pUnnamed != NULL)
    {
        std::vector<UINT> named;
        for (NODE& node : m_nodes)
        {
            std::vector<NODE*> leaves;
            CollectLeaves(node, leaves);
            for (NODE* pLeaf : leaves)
                named.push_back(pLeaf->nBarID);
        }
        // Fixed-mode bars are named by the dock bars of the class library's state;
        // one in an inner layer is named nowhere.
        for (INT_PTR i = 0; i < m_dockState.m_arrBarInfo.GetSize(); i++)
        {
            const CControlBarInfo* pInfo = (const CControlBarInfo*)m_dockState.m_arrBarInfo[i];
            for (INT_PTR k = 0; k < pInfo->m_arrBarID.GetSize(); k++)
                named.push_back((UINT)(pInfo->m_arrBarID[k] & ~AFX_DOCKSTATE_PLACEHOLDER));
        }
        pUnnamed->RemoveAll();
        CSingleLock lock(&CExtControlBar::g_csBars, TRUE);
        for (INT_PTR i = 0; i < CExtControlBar::g_arrBars.GetSize(); i++)
        {
            CExtControlBar* pBar = CExtControlBar::g_arrBars[i];
            if (pBar->m_hWnd == NULL || pBar->m_pDockSite != pFrame || IsDynamicBar(pBar) || pBar->IsDockBar())
                continue;
            const UINT nID = (UINT)(WORD)pBar->GetDlgCtrlID();
            if (std::find(named.begin(), named.end(), nID) == named.end())
                pUnnamed->Add(nID);
        }
    }
    return true;
}

bool CExtFrameBarState::SerializeFrameState(CArchive& ar, CFrameWnd* pFrame, WINDOWPLACEMENT* pFramePlacement,
                                            CDWordArray* pUnnamed)
{
    ClearPlacement(pFramePlacement);
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    return RunGuardedStep(pFramePlacement, [&] {
        CExtFrameBarState state;
        if (ar.IsStoring())
        {
            state.Collect(pFrame);
            state.SerializeBarState(ar);
        }
        else
        {
            ResetPlacement(pFrame);
            state.SerializeBarState(ar);
            if (!state.Check(pFrame) || !state.Apply(pFrame, pFramePlacement != NULL, pUnnamed))
                return false;
        }
        if (pFramePlacement != NULL)
            *pFramePlacement = state.m_wp;
        return true;
    });
}

void CExtFrameBarState::ResetPlacement(CFrameWnd* pFrame)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (!::GetWindowPlacement(pFrame->m_hWnd, &wp))
        return;
    wp.ptMinPosition = wp.ptMaxPosition = CPoint(0, 0);
    wp.showCmd = pFrame->IsWindowVisible() ? SW_SHOWNA : SW_HIDE;
    ::SetWindowPlacement(pFrame->m_hWnd, &wp);
}

/////////////////////////////////////////////////////////////////////////////
// Registry

CString CExtFrameBarState::StatePath(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                     LPCTSTR lpszProfileName)
{
    // Only a frame bound to a command profile keeps a layout.
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return CString();
    const CString strBound = g_CommandManagerHolder->GetProfileNameForWindow(pFrame->m_hWnd);
    if (strBound.IsEmpty() || lpszProfileName == NULL || *lpszProfileName == '\0')
        return CString();
    return CExtRegistryArchive::BuildBarStatePath(lpszRegistryKey, lpszProductKey, lpszProfileName);
}

bool CExtFrameBarState::Load(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                             LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement, CDWordArray* pUnnamed)
{
    ClearPlacement(pFramePlacement);
    return RunGuardedStep(pFramePlacement, [&] {
        const CString strPath = StatePath(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName);
        if (strPath.IsEmpty())
            return false;
        CMemFile file(1024);
        if (!CExtRegistryArchive::Load(file, strPath))
        {
            ResetPlacement(pFrame);
            return false;
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, 4096);
        const bool bLoaded = SerializeFrameState(ar, pFrame, pFramePlacement, pUnnamed);
        ar.Abort();
        return bLoaded;
    });
}

bool CExtFrameBarState::Save(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                             LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement)
{
    return RunGuardedStep(NULL, [&] {
        const CString strPath = StatePath(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName);
        if (strPath.IsEmpty())
            return false;
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store, 4096);
        // The archiver replaces the old layout: it is called only for a whole new one.
        if (!SerializeFrameState(ar, pFrame, pFramePlacement))
        {
            ar.Abort();
            return false;
        }
        ar.Close();
        return CExtRegistryArchive::Save(file, strPath);
    });
}

bool CExtControlBar::LoadBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                  LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement, CDWordArray* pUnnamedBarIDs)
{
    return CExtFrameBarState::Load(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName, pFramePlacement, pUnnamedBarIDs);
}

bool CExtControlBar::SaveBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                  LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement)
{
    return CExtFrameBarState::Save(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName, pFramePlacement);
}
