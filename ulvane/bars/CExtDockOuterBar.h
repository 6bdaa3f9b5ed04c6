// CExtDockOuterBar: the framework's dock bar at the frame's edge (circle 0), in place
// of the class library's own. Toolbars and the menu bar dock here. Its rows keep each
// toolbar where the user put it and as long as it was made; a toolbar that no longer
// fits makes room in its line before the row wraps (CExtDockOuterRowLayout). The top
// one serves the frame's delayed layouts, and system changes reach the looks from here.
#pragma once

#include "CExtDockBar.h"
#include "CExtDockOuterRowLayout.h"
#include "CExtDockRowBarSource.h"

class CExtDockOuterBar : public CExtDockBar, protected CExtDockRowBarSource
{
    DECLARE_DYNCREATE(CExtDockOuterBar)
public:
    CExtDockOuterBar();

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);

    // Gives the bar the first priority of its row: the others follow it in their order.
    void PromoteBarInRow(CControlBar* pBar);
    // Moves a bar of this dock bar along its own row by nDelta pixels (negative toward
    // the row start). In a full row the move changes the bar's wanted length instead;
    // *pbRowFull then says so. The bar may change places with the neighbour it moves
    // toward. While the dock bar is in a layout query nothing moves.
    void ShiftBarInRow(CControlBar* pBar, int nDelta, bool* pbRowFull = NULL);
    // Moves a bar that is alone in its row into the neighbouring row whose visible
    // bars are given (in row order for the next row, last first for the previous one),
    // at its near edge plus nDelta. False, and nothing changed, when that row lacks
    // room or is empty.
    bool MoveBarToNeighbourRow(CControlBar* pBar, const CArray<CControlBar*, CControlBar*>& arrNeighbours,
                               int nDelta);

    // The dock bar that serves the frame's delayed layouts: the top one, else the
    // bottom, left or right one.
    static CExtDockOuterBar* GetLayoutServer(CFrameWnd* pFrame);
    // Lays the frame out now when it can, else retries by timer until it can; one
    // request is pending at most.
    void RequestFrameLayout();
    bool IsFrameLayoutPending() const { return (m_nOuterFlags & eLayoutPending) != 0; }

    enum
    {
        eLayoutRunning = 0x01,
        eLayoutPending = 0x02,
    };
    enum
    {
        nIdLayoutRetryTimer = 901,
    };
    BYTE m_nOuterFlags;

protected:
    // The bars of the row layout, answered from their windows.
    virtual CSize GetDesiredSize(void* pBar, bool bHorzRow);
    virtual CSize GetMinimumExtent(void* pBar);
    virtual bool IsResizable(void* pBar);
    virtual bool IsRestorable(void* pBar);
    virtual bool IsMinimizedOnRow(void* pBar);
    virtual CExtBarStateExtra* GetExtra(void* pBar);

    bool IsHorzByID() const;
    // The room rows have: the layout rectangle, else the frame's client area.
    CSize GetMaxExtent() const;
    // The entries of the bar's row: the bars of it, placeholders left out.
    void GetRowBarsOf(CControlBar* pBar, std::vector<CControlBar*>& bars, bool bVisibleOnly) const;
    void MakeRecords(const std::vector<CControlBar*>& bars, CExtRowBarRecords& records, AFX_SIZEPARENTPARAMS* pLayout);
    // Lays one row out; with pLayout the bars that moved are repositioned in its batch.
    CExtDockOuterRowLayout::RESULT LayoutRecords(CExtRowBarRecords& records, bool bHorz, CSize sizeMax, int nAcross,
                                                 AFX_SIZEPARENTPARAMS* pLayout);
    void SwapRowBars(CExtRowBarRecords& records, int i, int j);
    // The decision of a move in a row that the trial layout found: true when the bar
    // then changes its saved place (and maybe places with a neighbour), false when
    // the row is only laid out again.
    bool DecideShift(CExtRowBarRecords& records, int i, int nDelta, const CExtDockOuterRowLayout::RESULT& trial,
                     bool& bRowFull);
    void TakeTrialPlace(CExtRowBarRecords& records, int i, int nDelta);

    // The frame's layout, unless it is running already.
    bool TryFrameLayout();

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
