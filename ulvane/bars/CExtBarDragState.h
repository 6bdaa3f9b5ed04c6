// CExtBarDragState: what dropping a dragged bar at the cursor would do, and the
// halftone tracker that shows it.
#pragma once

#include <afxwin.h>

class CExtControlBar;

class CExtBarDragState : public CObject
{
public:
    enum
    {
        eEmpty = 0x01,   // no drop, no tracker
        eNest = 0x02,    // into the target bar instead of its row
    };
    // Drop kinds.
    enum
    {
        eFloat = 0,
        eBesideAbove = 1,
        eBesideBelow = 2,
        eBesideLeft = 3,
        eBesideRight = 4,
        eSideTop = 5,        // 5-8: a row of the target circle's dock bar of that side
        eSideBottom = 6,
        eSideLeft = 7,
        eSideRight = 8,
        eInnerTop = 9,       // 9-12: a row of circle 1's dock bar of that side
        eInnerBottom = 10,
        eInnerLeft = 11,
        eInnerRight = 12,
        eRecalcOnly = 13,
    };

    explicit CExtBarDragState(CExtControlBar* pBar = NULL);
    CExtBarDragState(const CExtBarDragState& other) : CObject() { *this = other; }
    CExtBarDragState& operator=(const CExtBarDragState& other);
    bool operator==(const CExtBarDragState& other) const;
    bool operator!=(const CExtBarDragState& other) const { return !(*this == other); }

    bool IsEmpty() const { return (m_nFlags & eEmpty) != 0; }
    bool IsNested() const { return (m_nFlags & eNest) != 0; }
    void SetEmpty(bool bEmpty);
    void SetNested(bool bNested);
    // Back to the construction state, for the given bar.
    void Reset(CExtControlBar* pBar);

    // Draws the tracker by inverting; drawing it again erases it.
    void Draw() const;
    // Whether Draw would draw anything for this state.
    bool HasTracker() const;
    // Inverts rc (screen) with the halftone brush in the window DC of pWnd (NULL: the
    // desktop): a frame sizeFrame thick, or the whole rectangle for a zero size.
    static void InvertTracker(CWnd* pWnd, const CRect& rc, CSize sizeFrame);

    BYTE m_nFlags;
    int m_nKind;
    int m_nReserved;
    int m_nCircle;
    CRect m_rcTracker;        // screen
    CExtControlBar* m_pBar;
    CExtControlBar* m_pTarget;

private:
    // The window the tracker is drawn in (NULL: the desktop) and the tracker clipped
    // to where it may show, in screen coordinates.
    CWnd* GetTrackerWindow(CRect& rcClipped) const;
};
