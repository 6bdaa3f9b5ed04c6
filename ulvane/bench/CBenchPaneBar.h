// The resizable bar of the benchmark programs: a control bar whose content is a
// multi-line edit, with its preferred sizes in horizontal and vertical dock bars.
#pragma once

#include "CExtControlBar.h"

class CBenchPaneBar : public CExtControlBar
{
public:
    // Creates the bar and its edit in the frame, dockable at every side.
    bool CreateIn(CFrameWnd* pFrame, UINT nID, CSize sizeHorz, CSize sizeVert)
    {
        SetPreferredSizeHorizontal(sizeHorz);
        SetPreferredSizeVertical(sizeVert);
        CString strName;
        strName.Format("Pane %u", nID);
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY |
                              CBRS_HIDE_INPLACE | CBRS_SIZE_DYNAMIC;
        if (!Create(strName, pFrame, nID, dwStyle) ||
            !m_wndEdit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 0, 0), this, 1))
            return false;
        EnableDocking(CBRS_ALIGN_ANY);
        return true;
    }

    CEdit m_wndEdit;
};
