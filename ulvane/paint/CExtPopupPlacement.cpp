// CExtPopupPlacement: the arithmetic of a popup menu's place on its monitor.
#include "CExtPopupPlacement.h"

#include "CExtPopupMenuWnd.h"

CExtPopupPlacement::CExtPopupPlacement()
    : m_rcMonitor(0, 0, 0, 0), m_sizeMenu(0, 0), m_nAlign(TPMX_ALIGN_DEFAULT), m_ptTrack(0, 0),
      m_rcExclude(0, 0, 0, 0), m_bExcludeGiven(false), m_bJoined(false), m_nShadowSize(0), m_bSubMenu(false),
      m_nParentAlign(TPMX_ALIGN_DEFAULT), m_rcParent(0, 0, 0, 0), m_rcGrandparent(0, 0, 0, 0),
      m_rcWindow(0, 0, 0, 0), m_nFinalAlign(TPMX_ALIGN_DEFAULT), m_bReplaced(false), m_bScrolling(false),
      m_rcContent(0, 0, 0, 0)
{
}

int CExtPopupPlacement::ResolveAlignment() const
{
    const int nAlign = m_nAlign & TPMX_ALIGN_MASK;
    if (nAlign != TPMX_ALIGN_DEFAULT || !m_bSubMenu)
        return nAlign;
    // Only a sideways direction cascades: below or above its item a sub-menu would
    // cover its siblings.
    if (m_nParentAlign == TPMX_RIGHTALIGN || m_nParentAlign == TPMX_LEFTALIGN)
        return m_nParentAlign;
    if (!m_rcGrandparent.IsRectEmpty() && m_rcParent.CenterPoint().x < m_rcGrandparent.CenterPoint().x)
        return TPMX_LEFTALIGN;
    return TPMX_RIGHTALIGN;
}

CPoint CExtPopupPlacement::AlignToExclude(int nAlign, CPoint ptTrack, const CRect& rcExclude, CSize sizeMenu)
{
    switch (nAlign & TPMX_ALIGN_MASK)
    {
    case TPMX_RIGHTALIGN:
        return CPoint(rcExclude.right, rcExclude.top);
    case TPMX_CENTERALIGN:
        return CPoint(ptTrack.x - sizeMenu.cx / 2, ptTrack.y);
    case TPMX_LEFTALIGN:
        return CPoint(rcExclude.left - sizeMenu.cx, rcExclude.top);
    case TPMX_BOTTOMALIGN:
        return CPoint(rcExclude.left, rcExclude.bottom);
    case TPMX_VCENTERALIGN:
        return CPoint(ptTrack.x, ptTrack.y - sizeMenu.cy / 2);
    case TPMX_TOPALIGN:
        return CPoint(rcExclude.left, rcExclude.top - sizeMenu.cy);
    default:
        return ptTrack;
    }
}

void CExtPopupPlacement::Place()
{
    int nAlign = ResolveAlignment();
    // The popup changes sides at most once: a menu with room on neither side is
    // clamped where it is rather than sent back and forth.
    bool bFlipped = false;
    m_bReplaced = false;
    if (!PlaceOnce(nAlign, bFlipped))
    {
        m_bReplaced = true;
        PlaceOnce(nAlign, bFlipped);
    }
    m_nFinalAlign = nAlign;
    ClampToMonitor(m_rcWindow);
    m_rcContent = CRect(0, 0, m_rcWindow.Width() - m_nShadowSize, m_rcWindow.Height() - m_nShadowSize);
}

bool CExtPopupPlacement::PlaceOnce(int& nAlign, bool& bFlipped)
{
    CRect rc(AlignToExclude(nAlign, m_ptTrack, m_rcExclude, m_sizeMenu), m_sizeMenu);
    if (m_bJoined)
        ShiftTowardOwner(rc, nAlign);
    FitVertically(rc);
    FitHorizontally(rc, nAlign, bFlipped);
    m_rcWindow = rc;
    CRect rcOverlap;
    if (!m_bJoined && !rcOverlap.IntersectRect(rc, m_rcExclude))
        return true;
    return FlipAwayFromOwner(m_rcWindow, nAlign, bFlipped);
}

void CExtPopupPlacement::ShiftTowardOwner(CRect& rc, int nAlign) const
{
    // The body meets the owner; above and left of it the shadow lies between them.
    switch (nAlign)
    {
    case TPMX_BOTTOMALIGN:
        rc.OffsetRect(0, -1);
        break;
    case TPMX_RIGHTALIGN:
        rc.OffsetRect(-1, 0);
        break;
    case TPMX_TOPALIGN:
        rc.OffsetRect(0, m_nShadowSize + 1);
        break;
    case TPMX_LEFTALIGN:
        rc.OffsetRect(m_nShadowSize + 1, 0);
        break;
    default:
        break;
    }
}

void CExtPopupPlacement::FitVertically(CRect& rc) const
{
    if (rc.bottom > m_rcMonitor.bottom)
    {
        // Beside its item, a sub-menu first lines up with the item's bottom.
        if (m_bExcludeGiven && m_rcExclude.bottom < rc.bottom)
            rc.OffsetRect(0, m_rcExclude.bottom - rc.bottom);
        if (rc.bottom > m_rcMonitor.bottom)
            rc.OffsetRect(0, m_rcMonitor.bottom - rc.bottom);
    }
    if (rc.top < m_rcMonitor.top)
        rc.OffsetRect(0, m_rcMonitor.top - rc.top);
}

void CExtPopupPlacement::FitHorizontally(CRect& rc, int& nAlign, bool& bFlipped) const
{
    const bool bMayChangeSides = m_bSubMenu && m_bExcludeGiven;
    if (rc.right > m_rcMonitor.right)
    {
        if (bMayChangeSides && !bFlipped)
        {
            rc.OffsetRect(m_rcExclude.left - rc.Width() - rc.left, 0);
            nAlign = TPMX_LEFTALIGN;
            bFlipped = true;
        }
        if (rc.right > m_rcMonitor.right)
            rc.OffsetRect(m_rcMonitor.right - rc.right, 0);
    }
    if (rc.left < m_rcMonitor.left)
    {
        if (bMayChangeSides && !bFlipped)
        {
            rc.OffsetRect(m_rcExclude.right - rc.left, 0);
            nAlign = TPMX_RIGHTALIGN;
            bFlipped = true;
        }
        if (rc.left < m_rcMonitor.left)
            rc.OffsetRect(m_rcMonitor.left - rc.left, 0);
    }
}

bool CExtPopupPlacement::FlipAwayFromOwner(CRect& rc, int& nAlign, bool& bFlipped) const
{
    if (bFlipped)
        return true;
    switch (nAlign)
    {
    case TPMX_RIGHTALIGN:
        if (m_rcMonitor.right - m_rcExclude.right < rc.Width())
        {
            rc.OffsetRect(m_rcExclude.left - rc.Width() - rc.left, 0);
            nAlign = TPMX_LEFTALIGN;
            bFlipped = true;
        }
        return true;
    case TPMX_LEFTALIGN:
        if (m_rcExclude.left - m_rcMonitor.left < rc.Width())
        {
            rc.OffsetRect(m_rcExclude.right - rc.left, 0);
            nAlign = TPMX_RIGHTALIGN;
            bFlipped = true;
        }
        return true;
    case TPMX_BOTTOMALIGN:
        if (m_rcMonitor.bottom - m_rcExclude.bottom >= rc.Height())
            return true;
        nAlign = TPMX_TOPALIGN;
        bFlipped = true;
        return false;
    case TPMX_TOPALIGN:
        if (m_rcExclude.top - m_rcMonitor.top < rc.Height())
        {
            rc.OffsetRect(0, m_rcExclude.bottom - rc.top);
            nAlign = TPMX_BOTTOMALIGN;
            bFlipped = true;
        }
        return true;
    default:
        return true;
    }
}

void CExtPopupPlacement::ClampToMonitor(CRect& rc)
{
    if (rc.right > m_rcMonitor.right)
        rc.OffsetRect(m_rcMonitor.right - rc.right, 0);
    if (rc.left < m_rcMonitor.left)
        rc.OffsetRect(m_rcMonitor.left - rc.left, 0);
    if (rc.bottom > m_rcMonitor.bottom)
        rc.OffsetRect(0, m_rcMonitor.bottom - rc.bottom);
    if (rc.top < m_rcMonitor.top)
        rc.OffsetRect(0, m_rcMonitor.top - rc.top);
    m_bScrolling = rc.Height() > m_rcMonitor.Height();
    if (m_bScrolling)
        rc.bottom = m_rcMonitor.bottom;
}
