// CBreakpointsListCtrl: the Breakpoints window's list: one row per breakpoint of the
// project, its check box the breakpoint's Enabled flag, its condition and hit-count rule
// in words. Each row keeps the project file it belongs to and the breakpoint's line.
#pragma once

#include "CTreeListCtrl.h"

class CBreakpoint;
class CProject;
class CProjectFileEntry;

class CBreakpointsListCtrl : public CTreeListCtrl
{
    DECLARE_DYNAMIC(CBreakpointsListCtrl)
public:
    CBreakpointsListCtrl();
    virtual ~CBreakpointsListCtrl();

    // The list with its columns, images, grid and check boxes.
    BOOL CreateList(CWnd* pParent, UINT nID);

    // A row for the breakpoint of the file.
    CTreeListItem* AddBreakpointRow(CProjectFileEntry* pEntry, const CString& strRelativePath,
                                     const CBreakpoint& breakpoint);
    // The row's file entry when the project still holds it, else NULL.
    static CProjectFileEntry* GetRowEntry(CTreeListItem* pRow, CProject* pProject);
    static int GetRowLine(CTreeListItem* pRow);
    // The row's breakpoint, found again in its file; NULL when gone.
    static CBreakpoint* FindRowBreakpoint(CTreeListItem* pRow, CProject* pProject);
    // The row's condition and hit-count texts from the breakpoint.
    void ShowRules(CTreeListItem* pRow, const CBreakpoint& breakpoint);

    virtual int GetRowImage(CTreeListItem* pRow);
    virtual COLORREF GetFocusCellColour();
    virtual void OnRowClick(UINT nFlags, int x, int y, LVHITTESTINFO* pHit);
    virtual BOOL IsEditingDisabled();
    virtual BOOL CanDelete(CTreeListItem* pRow, int nIndex);

protected:
    virtual void OnCheckChanged(CTreeListItem* pRow);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()
};
