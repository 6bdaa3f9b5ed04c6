// CExtBarContentExpandButton: the chevron at the far end of a toolbar. It lists the
// buttons the layout had to hide and, for bars in a frame, the show/hide-panels menu.
#pragma once

#include "CExtBarButton.h"

class CExtBarContentExpandButton : public CExtBarButton
{
    DECLARE_DYNCREATE(CExtBarContentExpandButton)
public:
    // Flags C.
    enum { eBarCompletelyVisible = 0x01 };
    // The command id the chevron is made with.
    enum { eCmdID = 0xFFFFFFBE };
    // Its thickness across the run.
    enum { eExtent = 11 };

    explicit CExtBarContentExpandButton(CExtToolControlBar* pBar = NULL);

    bool IsBarCompletelyVisible() const { return (m_nFlagsC & eBarCompletelyVisible) != 0; }
    void SetBarCompletelyVisible(bool bSet);
    // The buttons the layout hid, in bar order, separators between groups; not owned.
    CArray<CExtBarButton*, CExtBarButton*>& GetButtons() { return m_arrHiddenButtons; }
    const CArray<CExtBarButton*, CExtBarButton*>& GetButtons() const { return m_arrHiddenButtons; }
    // Drops a button (a removed one) from the list.
    void ForgetButton(const CExtBarButton* pButton);

    virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz);
    virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
    virtual void Paint(CDC& dc, bool bHorz);
    virtual UINT OnTrackPopup(CPoint point, bool bSelectAny);
    virtual void OnClick(CPoint point, bool bDown);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual bool IsPlainButton() const { return false; }

protected:
    // Fills the popup: the frame's content, else the hidden buttons and the panels
    // sub-menu. False when nothing went in.
    bool BuildPopup(CExtPopupMenuWnd* pPopup);

    BYTE m_nFlagsC;
    CArray<CExtBarButton*, CExtBarButton*> m_arrHiddenButtons;
};
