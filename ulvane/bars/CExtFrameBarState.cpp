// CExtFrameBarState: collecting, storing, reading back and applying a frame's layout.
#include "CExtFrameBarState.h"

#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDockOuterBar.h"
#include "CExtMonitorInfo.h"
#include "CExtRegistryArchive.h"
#include "CExtSavedPlacement.h"
#include "ExtBarQueries.h"

#include <algorithm>
#include <vector>

namespace
{
// More than any frame has; a count beyond it marks a damaged stream.
const DWORD nMaxEntries = 1024;
const UINT nMaxCircle = 64;
const int nMaxNodeDepth = 8;
const LONG nMaxExtent = 32767;

bool IsResizableBar(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && !((CExtControlBar*)pBar)->IsFixedMode();
}

bool IsPanel(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && IsPanelBar((CExtControlBar*)pBar);
}

// Bars whose places the dock state does not keep: the resizable ones, which the
// nodes describe, and panels, which are never restored.
bool IsLeftOutOfDockState(CControlBar* pBar)
{
    return IsResizableBar(pBar) || IsPanel(pBar);
}

bool IsPlaceholder(void* pEntry)
{
    return pEntry != NULL && (UINT_PTR)pEntry <= 0xFFFF;
}

bool IsSaneSize(CSize size)
{
    return size.cx > 0 && size.cy > 0 && size.cx <= nMaxExtent && size.cy <= nMaxExtent;
}

bool IsSideID(UINT nID)
{
    return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT ||
           nID == AFX_IDW_DOCKBAR_BOTTOM;
}

void WritePoint(CArchive& ar, CPoint pt)
{
    ar << (DWORD)pt.x << (DWORD)pt.y;
}

CPoint ReadPoint(CArchive& ar)
{
    DWORD x, y;
    ar >> x >> y;
    return CPoint((int)x, (int)y);
}

void WriteSize(CArchive& ar, CSize size)
{
    ar << (DWORD)size.cx << (DWORD)size.cy;
}

CSize ReadSize(CArchive& ar)
{
    DWORD cx, cy;
    ar >> cx >> cy;
    return CSize((int)cx, (int)cy);
}

void WriteRect(CArchive& ar, const CRect& rc)
{
    ar << (DWORD)rc.left << (DWORD)rc.top << (DWORD)rc.right << (DWORD)rc.bottom;
}

CRect ReadRect(CArchive& ar)
{
    DWORD l, t, r, b;
    ar >> l >> t >> r >> b;
    return CRect((int)l, (int)t, (int)r, (int)b);
}

// The resizable bars of the frame.
std::vector<CExtControlBar*> FrameBars(CFrameWnd* pFrame)
{
    std::vector<CExtControlBar*> bars;
    CSingleLock lock(&CExtControlBar::g_csBars, TRUE);
    for (INT_PTR i = 0; i < CExtControlBar::g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = CExtControlBar::g_arrBars[i];
        if (pBar->m_hWnd != NULL && pBar->m_pDockSite == pFrame && !pBar->IsFixedMode())
            bars.push_back(pBar);
    }
    return bars;
}

// The dock state without the resizable bars, which the nodes describe, and without
// the inner layers' dock bars, which share the outer ones' ids.
void StripResizableBars(CFrameWnd* pFrame, CDockState& state)
{
    for (INT_PTR i = state.m_arrBarInfo.GetSize() - 1; i >= 0; i--)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        CControlBar* pBar = pInfo->m_pBar;
        bool bDrop = IsLeftOutOfDockState(pBar);
        if (!bDrop && pInfo->m_bDockBar)
        {
            bDrop = pBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)) && !pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar));
            CDWordArray kept;
            bool bHasBar = false;
            for (INT_PTR k = 0; k < pInfo->m_arrBarID.GetSize(); k++)
            {
                DWORD dwEntry = pInfo->m_arrBarID[k];
                // A resizable bar's placeholder stays; a panel leaves none either.
                const bool bPlaceholder = (dwEntry & AFX_DOCKSTATE_PLACEHOLDER) != 0;
                CControlBar* pEntryBar = pFrame->GetControlBar((UINT)(dwEntry & ~AFX_DOCKSTATE_PLACEHOLDER));
                if (dwEntry != 0 && (bPlaceholder ? IsPanel(pEntryBar) : IsLeftOutOfDockState(pEntryBar)))
                    continue;
                if (dwEntry == 0 && kept.GetSize() > 0 && kept[kept.GetSize() - 1] == 0)
                    continue;
                bHasBar |= dwEntry != 0;
                kept.Add(dwEntry);
            }
            pInfo->m_arrBarID.Copy(kept);
            // A floating frame that held only such bars goes with them.
            if (pInfo->m_bFloating && !bHasBar)
                bDrop = true;
        }
        if (bDrop)
        {
            delete pInfo;
            state.m_arrBarInfo.RemoveAt(i);
        }
    }
}
}

CExtFrameBarState::CExtFrameBarState()
{
    memset(&m_wp, 0, sizeof(m_wp));
    m_wp.length = sizeof(m_wp);
}

/////////////////////////////////////////////////////////////////////////////
// Collecting

void CExtFrameBarState::Collect(CFrameWnd* pFrame)
{
    m_arrRecords.RemoveAll();
    m_arrNodes.RemoveAll();
    m_dockState.Clear();
    memset(&m_wp, 0, sizeof(m_wp));
    m_wp.length = sizeof(m_wp);
    ::GetWindowPlacement(pFrame->m_hWnd, &m_wp);

    pFrame->GetDockState(m_dockState);
    StripResizableBars(pFrame, m_dockState);

    // Docked bars in dock order: layer after layer, side after side, row after row.
    static const UINT arrSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                     AFX_IDW_DOCKBAR_RIGHT};
    const UINT nCircles = CExtDockBar::GetCircleCount(pFrame);
    for (UINT nCircle = 0; nCircle < nCircles; nCircle++)
    {
        for (UINT nSide : arrSides)
        {
            CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, nCircle, nSide, false);
            if (pDockBar == NULL)
                continue;
            bool bRowStart = true;
            for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); i++)
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
                if (!IsResizableBar(pBar) || pBar->m_pDockSite != pFrame)
                {
                    bRowStart = false;
                    continue;
                }
                CExtControlBar* pExtBar = (CExtControlBar*)pBar;
                NODE node;
                node.nBarID = (UINT)(WORD)pBar->GetDlgCtrlID();
                node.nDockBarID = nSide;
                node.nCircle = nCircle;
                node.nLastDockBarID = nSide;
                node.dwBarStyle = pBar->GetBarStyle();
                node.dwFlags = NODE::ePlain | (pBar->IsVisible() ? NODE::eVisible : 0) | (bRowStart ? NODE::eRowBreak : 0);
                CRect rc;
                pBar->GetWindowRect(&rc);
                pDockBar->ScreenToClient(&rc);
                node.rcBar = rc;
                node.ptLastFloat = pExtBar->m_ptFloatPos;
                node.sizeDockedH = pExtBar->m_sizeDockedH;
                node.sizeDockedV = pExtBar->m_sizeDockedV;
                node.sizeFloated = pExtBar->m_sizeFloated;
                m_arrNodes.Add(node);
                bRowStart = false;
            }
        }
    }
    // Floating bars after them.
    for (CExtControlBar* pBar : FrameBars(pFrame))
    {
        if (!pBar->IsFloating())
            continue;
        NODE node;
        node.nBarID = (UINT)(WORD)pBar->GetDlgCtrlID();
        node.nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
        // A floating bar stays where it floats; it keeps no side to go back to.
        node.nCircle = 0;
        node.nLastDockBarID = AFX_IDW_DOCKBAR_FLOAT;
        node.dwBarStyle = pBar->GetBarStyle();
        node.dwFlags = NODE::ePlain | NODE::eFloatingFrame | (pBar->IsVisible() ? NODE::eVisible : 0);
        CFrameWnd* pMiniFrame = pBar->GetParentFrame();
        if (pMiniFrame != NULL)
        {
            pMiniFrame->GetWindowRect(&node.rcFloatFrame);
            node.dwFloatFrameStyle = pMiniFrame->GetStyle();
        }
        node.ptLastFloat = pBar->m_ptFloatPos;
        node.sizeDockedH = pBar->m_sizeDockedH;
        node.sizeDockedV = pBar->m_sizeDockedV;
        node.sizeFloated = pBar->m_sizeFloated;
        m_arrNodes.Add(node);
    }
    for (INT_PTR i = 0; i < m_arrNodes.GetSize(); i++)
    {
        const NODE& node = m_arrNodes[i];
        RECORD record;
        record.nBarID = node.nBarID;
        record.bFloating = node.nDockBarID == AFX_IDW_DOCKBAR_FLOAT;
        record.ptLastFloat = node.ptLastFloat;
        record.sizeDockedH = node.sizeDockedH;
        record.sizeDockedV = node.sizeDockedV;
        record.sizeFloated = node.sizeFloated;
        m_arrRecords.Add(record);
    }
}

/////////////////////////////////////////////////////////////////////////////
// The stream

void CExtFrameBarState::SerializeNode(CArchive& ar, NODE& node, int nDepth)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)node.nBarID << (DWORD)node.nDockBarID << (DWORD)node.nCircle << (DWORD)node.nLastDockBarID
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
        ar << (DWORD)0;   // nested bars: none
        return;
    }
    DWORD dwBarID, dwDockBarID, dwCircle, dwLastDockBarID, dwReserved, dwChildren;
    ar >> dwBarID >> dwDockBarID >> dwCircle >> dwLastDockBarID >> node.dwBarStyle >> node.dwFlags >>
        node.dwMRUFloatStyle;
    node.nBarID = dwBarID;
    node.nDockBarID = dwDockBarID;
    node.nCircle = dwCircle;
    node.nLastDockBarID = dwLastDockBarID;
    node.ptLastFloat = ReadPoint(ar);
    node.ptMRUFloat = ReadPoint(ar);
    node.rcMRUDock = ReadRect(ar);
    node.rcFloatFrame = ReadRect(ar);
    ar >> node.dwFloatFrameStyle >> dwReserved;
    node.nReserved = (int)dwReserved;
    node.rcBar = ReadRect(ar);
    node.sizeDockedH = ReadSize(ar);
    node.sizeDockedV = ReadSize(ar);
    node.sizeFloated = ReadSize(ar);
    ar >> dwChildren;
    if (dwChildren > nMaxEntries || nDepth >= nMaxNodeDepth)
        AfxThrowArchiveException(CArchiveException::badIndex);
    node.nChildren = dwChildren;
    for (DWORD i = 0; i < dwChildren; i++)
    {
        NODE child;
        SerializeNode(ar, child, nDepth + 1);
    }
}

void CExtFrameBarState::Serialize(CArchive& ar)
{
    const DWORD dwLongVersion = CExtRegistryArchive::GetLibraryVersion(false);
    const DWORD dwStreamVersion = CExtRegistryArchive::GetLibraryVersion(true);
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
            ar << (WORD)(record.bFloating ? 1 : 0) << (DWORD)record.nBarID;
            WritePoint(ar, record.ptLastFloat);
            WriteSize(ar, record.sizeDockedH);
            WriteSize(ar, record.sizeDockedV);
            WriteSize(ar, record.sizeFloated);
            ar << (WORD)1;   // no extra part
        }
        ar << (DWORD)m_arrNodes.GetSize();
        for (INT_PTR i = 0; i < m_arrNodes.GetSize(); i++)
            SerializeNode(ar, m_arrNodes[i], 0);
        return;
    }

    CString strHeader, strPlacement;
    DWORD dwRead, dwReserved;
    ar >> strHeader >> dwRead;
    ar >> dwRead;
    if (dwRead != dwStreamVersion)
        AfxThrowArchiveException(CArchiveException::badSchema);
    ar >> dwReserved >> dwReserved >> dwReserved >> dwReserved;
    ar >> strPlacement;
    memset(&m_wp, 0, sizeof(m_wp));
    m_wp.length = sizeof(m_wp);
    if (!CExtSavedPlacement::Parse(strPlacement, m_wp))
        AfxThrowArchiveException(CArchiveException::badIndex);
    m_dockState.Serialize(ar);

    DWORD dwCount;
    ar >> dwCount;
    if (dwCount > nMaxEntries)
        AfxThrowArchiveException(CArchiveException::badIndex);
    m_arrRecords.RemoveAll();
    for (DWORD i = 0; i < dwCount; i++)
    {
        RECORD record;
        WORD wFlags, wMarker;
        DWORD dwBarID;
        ar >> wFlags >> dwBarID;
        record.bFloating = (wFlags & 1) != 0;
        record.nBarID = dwBarID;
        record.ptLastFloat = ReadPoint(ar);
        record.sizeDockedH = ReadSize(ar);
        record.sizeDockedV = ReadSize(ar);
        record.sizeFloated = ReadSize(ar);
        ar >> wMarker;
        if (wMarker == 0)
        {
            // An extra part this form does not use.
            DWORD dwExtra;
            for (int k = 0; k < 8; k++)
                ar >> dwExtra;
        }
        m_arrRecords.Add(record);
    }
    ar >> dwCount;
    if (dwCount > nMaxEntries)
        AfxThrowArchiveException(CArchiveException::badIndex);
    m_arrNodes.RemoveAll();
    for (DWORD i = 0; i < dwCount; i++)
    {
        NODE node;
        SerializeNode(ar, node, 0);
        m_arrNodes.Add(node);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Applying

bool CExtFrameBarState::Validate(CFrameWnd* pFrame) const
{
    // Every resizable bar of the frame is named once; each node says something this
    // form can restore.
    std::vector<UINT> named;
    for (INT_PTR i = 0; i < m_arrNodes.GetSize(); i++)
    {
        const NODE& node = m_arrNodes[i];
        if (node.nChildren != 0)
            return false;
        if (node.nDockBarID != AFX_IDW_DOCKBAR_FLOAT && !IsSideID(node.nDockBarID))
            return false;
        if (node.nCircle > nMaxCircle || !IsSaneSize(node.sizeDockedH) || !IsSaneSize(node.sizeDockedV) ||
            !IsSaneSize(node.sizeFloated))
            return false;
        if (node.nDockBarID == AFX_IDW_DOCKBAR_FLOAT && (node.rcFloatFrame.IsRectEmpty() ||
                                                         abs(node.rcFloatFrame.left) > nMaxExtent ||
                                                         abs(node.rcFloatFrame.top) > nMaxExtent))
            return false;
        if (std::find(named.begin(), named.end(), node.nBarID) != named.end())
            return false;
        named.push_back(node.nBarID);
    }
    for (CExtControlBar* pBar : FrameBars(pFrame))
    {
        if (std::find(named.begin(), named.end(), (UINT)(WORD)pBar->GetDlgCtrlID()) == named.end())
            return false;
    }
    return true;
}

bool CExtFrameBarState::Apply(CFrameWnd* pFrame, WINDOWPLACEMENT* pFramePlacement)
{
    if (!Validate(pFrame))
        return false;

    if (pFramePlacement != NULL)
    {
        // The frame comes back on a monitor it can be seen on.
        WINDOWPLACEMENT wp = m_wp;
        CExtMonitorInfo monitor(wp.rcNormalPosition);
        wp.rcNormalPosition = CExtSavedPlacement::FitToWorkArea(wp.rcNormalPosition, monitor.m_rcWorkArea, CSize(200, 150));
        *pFramePlacement = wp;
        const CRect& rc = wp.rcNormalPosition;
        pFrame->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
    }

    pFrame->SetDockState(m_dockState);

    for (INT_PTR i = 0; i < m_arrNodes.GetSize(); i++)
    {
        const NODE& node = m_arrNodes[i];
        CControlBar* pControlBar = pFrame->GetControlBar(node.nBarID);
        if (!IsResizableBar(pControlBar))
            continue;   // a bar the frame no longer has
        CExtControlBar* pBar = (CExtControlBar*)pControlBar;
        pBar->m_sizeDockedH = node.sizeDockedH;
        pBar->m_sizeDockedV = node.sizeDockedV;
        pBar->m_sizeFloated = node.sizeFloated;
        pBar->m_ptFloatPos = node.ptLastFloat;
        const bool bVisible = (node.dwFlags & NODE::eVisible) != 0;
        if (node.nDockBarID == AFX_IDW_DOCKBAR_FLOAT)
        {
            CExtMonitorInfo monitor(node.rcFloatFrame);
            CRect rc = CExtSavedPlacement::FitToWorkArea(node.rcFloatFrame, monitor.m_rcWorkArea, CSize(0, 0));
            pBar->FloatAt(rc.left, rc.top);
            pFrame->ShowControlBar(pBar, bVisible, FALSE);
            continue;
        }
        CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, node.nCircle, node.nDockBarID, true);
        if (pDockBar == NULL)
            continue;
        pFrame->DockControlBar(pBar, pDockBar, NULL);
        // Joined to the row before it unless it started a row of its own.
        if ((node.dwFlags & NODE::eRowBreak) == 0)
        {
            const int nPos = pDockBar->FindBar(pBar);
            if (nPos >= 2 && pDockBar->m_arrBars[nPos - 1] == NULL && pDockBar->m_arrBars[nPos - 2] != NULL)
                pDockBar->m_arrBars.RemoveAt(nPos - 1);
        }
        pBar->m_nStateFlags &= ~(CControlBar::delayShow | CControlBar::delayHide);
        pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                               (bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    pFrame->RecalcLayout();
    CExtControlBar::RecalcFrameBarsNcArea(pFrame);
    return true;
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
                             LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement)
{
    CString strPath = StatePath(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName);
    if (strPath.IsEmpty())
        return false;
    CExtFrameBarState state;
    try
    {
        CMemFile file(1024);
        if (!CExtRegistryArchive::Load(file, strPath))
            return false;
        CArchive ar(&file, CArchive::load, 4096);
        state.Serialize(ar);
        ar.Close();
    }
    catch (CException* e)
    {
        // A stream that cannot be read whole is not applied at all.
        e->Delete();
        return false;
    }
    return state.Apply(pFrame, pFramePlacement);
}

bool CExtFrameBarState::Save(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                             LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement)
{
    CString strPath = StatePath(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName);
    if (strPath.IsEmpty())
        return false;
    CExtFrameBarState state;
    state.Collect(pFrame);
    if (pFramePlacement != NULL)
        *pFramePlacement = state.m_wp;
    try
    {
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store, 4096);
        state.Serialize(ar);
        ar.Close();
        return CExtRegistryArchive::Save(file, strPath);
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}

bool CExtControlBar::LoadBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                  LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement)
{
    return CExtFrameBarState::Load(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName, pFramePlacement);
}

bool CExtControlBar::SaveBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                  LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement)
{
    return CExtFrameBarState::Save(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName, pFramePlacement);
}
