// CExtPopupPlacement: where a popup menu's window goes on its monitor. Given the
// monitor's rectangle, the menu's size, its alignment against the exclude rectangle
// (the owner: a button, the parent item, or the point grown by 3 pixels) and whether
// it is drawn joined to it, it answers the window rectangle, the alignment the popup
// ended with, whether it had to be placed a second time (the window then hides and
// repaints what it covered first) and whether the menu must scroll. The popup window
// looks the monitor up and applies the answer; the arithmetic lives here.
#pragma once

#include <afxwin.h>

class CExtPopupPlacement
{
public:
    CExtPopupPlacement();

    // Inputs, screen coordinates.
    CRect m_rcMonitor;          // the monitor's area or work area
    CSize m_sizeMenu;           // the window's size: the body plus the shadow
    int m_nAlign;               // the popup's own alignment, TPMX_ALIGN_MASK of its flags
    CPoint m_ptTrack;           // the track point (alignments 0, 2 and 5)
    CRect m_rcExclude;          // the owner; without one the point grown by 3 pixels
    bool m_bExcludeGiven;       // the caller named an owner rectangle
    bool m_bJoined;             // drawn joined to the owner
    int m_nShadowSize;
    // A sub-popup's parent: its final alignment and window rectangle, and the
    // grandparent's window rectangle (empty for a parent at the top).
    bool m_bSubMenu;
    int m_nParentAlign;
    CRect m_rcParent;
    CRect m_rcGrandparent;

    // Results of Place.
    CRect m_rcWindow;
    int m_nFinalAlign;
    bool m_bReplaced;           // placed again above the owner
    bool m_bScrolling;          // cut to the monitor's height: scroll arrows needed
    CRect m_rcContent;          // the item area: the window less the shadow, client coordinates

    void Place();

    // The alignment a popup is placed with: its own; a sub-popup without one cascades
    // the way its parent did, and a parent without a direction decides by where it
    // stands against its own parent (left of it: to the left).
    int ResolveAlignment() const;
    // The window's top-left for an alignment: at the point, centred on it, or beside,
    // below or above the exclude rectangle. Every caller aligns through this.
    static CPoint AlignToExclude(int nAlign, CPoint ptTrack, const CRect& rcExclude, CSize sizeMenu);

private:
    // Steps of one placement with an alignment; false when it must start again above
    // the owner.
    bool PlaceOnce(int& nAlign, bool& bFlipped);
    void ShiftTowardOwner(CRect& rc, int nAlign) const;
    void FitVertically(CRect& rc) const;
    void FitHorizontally(CRect& rc, int& nAlign, bool& bFlipped) const;
    // The owner-overlap rules; false for a fresh placement above it.
    bool FlipAwayFromOwner(CRect& rc, int& nAlign, bool& bFlipped) const;
    void ClampToMonitor(CRect& rc);
};
