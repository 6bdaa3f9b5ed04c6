// CExtAnchorLayerT: the layer of the resizable dialogs, pages and sheets that moves
// the anchored child windows with the window's edges and keeps the window from
// getting smaller than it was created.
#pragma once

#include <afxtempl.h>

#include "CExtAnchorRecord.h"
#include "CExtPlacementLayerT.h"

template<class TBase>
class CExtAnchorLayerT : public CExtPlacementLayerT<TBase>
{
public:
    template<class... TArgs>
    explicit CExtAnchorLayerT(TArgs&&... args)
        : CExtPlacementLayerT<TBase>(std::forward<TArgs>(args)...), m_nAnchorFlags(eAnchorMinTrackValid),
          m_sizeMinTrack(0, 0), m_sizeMaxTrack(0, 0), m_ptMaxPosition(0, 0), m_sizeMaxSize(0, 0)
    {
        m_mapAnchors.InitHashTable(17);
    }

    enum
    {
        eAnchorInitialSize = 0x01,
        eAnchorMaxTrackValid = 0x02,
        eAnchorMinTrackValid = 0x04,
        eAnchorMaxPositionValid = 0x08,
    };

    // Anchors the child's corners at percentages of the client width and height:
    // (0, 0, 100, 100) stretches both ways, (100, 100, -1, -1) keeps to the
    // bottom-right corner. False for (-1, -1) or a window that is not a descendant.
    virtual bool AddAnchor(HWND hWndChild, int nLeftTopX, int nLeftTopY, int nRightBottomX = -1,
                           int nRightBottomY = -1)
    {
        if ((nLeftTopX == -1 && nLeftTopY == -1) || this->m_hWnd == NULL || hWndChild == NULL ||
            !::IsChild(this->m_hWnd, hWndChild))
            return false;
        CRect rcClient, rcChild;
        ::GetClientRect(this->m_hWnd, &rcClient);
        ::GetWindowRect(hWndChild, &rcChild);
        ::MapWindowPoints(NULL, this->m_hWnd, (LPPOINT)&rcChild, 2);
        m_mapAnchors.SetAt(hWndChild, CExtAnchorRecord::Make(rcChild, rcClient.Size(), nLeftTopX, nLeftTopY,
                                                             nRightBottomX, nRightBottomY));
        return true;
    }
    bool AddAnchor(UINT nCtrlID, int nLeftTopX, int nLeftTopY, int nRightBottomX = -1, int nRightBottomY = -1)
    {
        return AddAnchor(::GetDlgItem(this->m_hWnd, nCtrlID), nLeftTopX, nLeftTopY, nRightBottomX, nRightBottomY);
    }
    bool RemoveAnchor(HWND hWndChild) { return m_mapAnchors.RemoveKey(hWndChild) != FALSE; }

    // Lays out every anchored child for a client size (negative: the current one).
    virtual void ArrangeAnchoredControls(int cx = -1, int cy = -1)
    {
        if (this->m_hWnd == NULL)
            return;
        if (cx < 0 || cy < 0)
        {
            CRect rc;
            ::GetClientRect(this->m_hWnd, &rc);
            cx = rc.Width();
            cy = rc.Height();
        }
        CArray<HWND, HWND> stale;
        // The children move without drawing; what they left and what they cover is
        // drawn once, with the window's next paint. Drawing each child as it moves
        // costs a trip to the screen per child.
        HRGN hRgnDirty = ::CreateRectRgn(0, 0, 0, 0);
        bool bDirty = false;
        HDWP hDWP = ::BeginDeferWindowPos((int)m_mapAnchors.GetCount());
        const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS;
        for (POSITION pos = m_mapAnchors.GetStartPosition(); pos != NULL;)
        {
            HWND hWnd;
            CExtAnchorRecord record;
            m_mapAnchors.GetNextAssoc(pos, hWnd, record);
            if (!::IsWindow(hWnd))
            {
                stale.Add(hWnd);
                continue;
            }
            const CRect rc = record.Place(CSize(cx, cy));
            CRect rcOld;
            ::GetWindowRect(hWnd, &rcOld);
            ::MapWindowPoints(NULL, this->m_hWnd, (LPPOINT)&rcOld, 2);
            // What shows the parent's background is drawn again wherever it is: the
            // background under it may have changed with the size.
            const bool bTransparent = CExtResizableLayerHelpers::IsTransparentChildBackground(hWnd);
            if (rc == rcOld && !bTransparent)
                continue;
            bDirty = true;
            AddToRegion(hRgnDirty, rc);
            if (rc == rcOld)
                continue;
            AddToRegion(hRgnDirty, rcOld);
            if (hDWP != NULL)
                hDWP = ::DeferWindowPos(hDWP, hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
            else
                ::SetWindowPos(hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
        }
        if (hDWP != NULL)
            ::EndDeferWindowPos(hDWP);
        // Without a region, the whole window.
        if (bDirty)
            ::RedrawWindow(this->m_hWnd, NULL, hRgnDirty, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        if (hRgnDirty != NULL)
            ::DeleteObject(hRgnDirty);
        for (INT_PTR i = 0; i < stale.GetSize(); i++)
            m_mapAnchors.RemoveKey(stale[i]);
    }

    void SetMinTrackSize(CSize size)
    {
        m_sizeMinTrack = size;
        m_nAnchorFlags |= eAnchorMinTrackValid;
    }
    CSize GetMinTrackSize() const { return m_sizeMinTrack; }
    void SetMaxTrackSize(CSize size)
    {
        m_sizeMaxTrack = size;
        m_nAnchorFlags |= eAnchorMaxTrackValid;
    }
    void SetMaximizedRect(const RECT& rc)
    {
        m_ptMaxPosition = CPoint(rc.left, rc.top);
        m_sizeMaxSize = CSize(rc.right - rc.left, rc.bottom - rc.top);
        m_nAnchorFlags |= eAnchorMaxPositionValid;
    }

protected:
    static void AddToRegion(HRGN hRgn, const RECT& rc)
    {
        if (hRgn == NULL)
            return;
        HRGN hRgnRect = ::CreateRectRgnIndirect(&rc);
        if (hRgnRect == NULL)
            return;
        ::CombineRgn(hRgn, hRgn, hRgnRect, RGN_OR);
        ::DeleteObject(hRgnRect);
    }

    virtual CSize GetPlacementMinimumSize()
    {
        if ((m_nAnchorFlags & eAnchorInitialSize) != 0 && (m_nAnchorFlags & eAnchorMinTrackValid) != 0)
            return m_sizeMinTrack;
        CRect rc(0, 0, 0, 0);
        if (this->m_hWnd != NULL)
            ::GetWindowRect(this->m_hWnd, &rc);
        return rc.Size();
    }

    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_GETMINMAXINFO)
        {
            // Until the created size is known the limits stay the system's.
            if ((m_nAnchorFlags & eAnchorInitialSize) == 0)
                return 0;
            MINMAXINFO* pMMI = (MINMAXINFO*)lParam;
            if (m_nAnchorFlags & eAnchorMinTrackValid)
                pMMI->ptMinTrackSize = CPoint(m_sizeMinTrack.cx, m_sizeMinTrack.cy);
            if (m_nAnchorFlags & eAnchorMaxTrackValid)
                pMMI->ptMaxTrackSize = CPoint(m_sizeMaxTrack.cx, m_sizeMaxTrack.cy);
            if (m_nAnchorFlags & eAnchorMaxPositionValid)
            {
                pMMI->ptMaxPosition = m_ptMaxPosition;
                pMMI->ptMaxSize = CPoint(m_sizeMaxSize.cx, m_sizeMaxSize.cy);
            }
            return 0;
        }
        if (nMsg == WM_SIZE)
        {
            LRESULT lResult = CExtPlacementLayerT<TBase>::WindowProc(nMsg, wParam, lParam);
            if ((m_nAnchorFlags & eAnchorInitialSize) == 0)
            {
                // The first size is the created one: the window never gets smaller.
                CRect rc;
                ::GetWindowRect(this->m_hWnd, &rc);
                m_sizeMinTrack = rc.Size();
                m_nAnchorFlags |= eAnchorInitialSize;
                ArrangeAnchoredControls(-1, -1);
            }
            else if (wParam != SIZE_MAXSHOW && wParam != SIZE_MAXHIDE && wParam != SIZE_MINIMIZED)
                ArrangeAnchoredControls(LOWORD(lParam), HIWORD(lParam));
            return lResult;
        }
        return CExtPlacementLayerT<TBase>::WindowProc(nMsg, wParam, lParam);
    }

    BYTE m_nAnchorFlags;
    CSize m_sizeMinTrack;
    CSize m_sizeMaxTrack;
    CPoint m_ptMaxPosition;
    CSize m_sizeMaxSize;
    CMap<HWND, HWND, CExtAnchorRecord, const CExtAnchorRecord&> m_mapAnchors;
};
