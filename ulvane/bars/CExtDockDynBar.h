// CExtDockDynBar: the dock bar inside a container bar (CExtDynControlBar). Its rows
// fill the container exactly; it is never part of the frame's own layout. A container
// left with one bar gives its place back to that bar, one left empty goes.
#pragma once

#include "CExtDockBar.h"

class CExtDynControlBar;

class CExtDockDynBar : public CExtDockBar
{
    DECLARE_DYNCREATE(CExtDockDynBar)
public:
    CExtDockDynBar();

    virtual void SetLayoutLock(bool bLock);
    virtual void RecalcNestedLayout();
    // Dissolves the container: a single bar takes its place, an empty one goes.
    virtual void OptimizeNestedContainers();
    // The bars held (every bar entry after the first).
    virtual void GetHeldBars(CArray<CControlBar*, CControlBar*>& arrBars) const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);

    // The container this dock bar fills; null when its parent is not one.
    CExtDynControlBar* GetContainer() const;
    // Whether a bar held here is visible.
    bool HasVisibleBar() const;
    // The container's minimal size from the rows: across them the sum of each row's
    // smallest minimal thickness, along them the longest row of minimal lengths.
    CSize CalcMinimalSize();

    bool IsHorzNested() const;

    enum
    {
        eOutOfFrameList = 0x01,
    };
    BYTE m_nDynFlags;
    CExtDynControlBar* m_pContainer;   // set by the container that creates it

protected:
    // The container leaves its dock bar and the frame, and its window goes.
    void DestroyContainer(CExtDynControlBar* pContainer);

    virtual void PostNcDestroy();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
