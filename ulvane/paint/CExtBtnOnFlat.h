// CExtBtnOnFlat: a standard button (check box, radio button) that stays flat until
// the mouse is over it.
#pragma once

#include <afxwin.h>

#include "CExtHoverTracker.h"

class CExtBtnOnFlat : public CButton
{
    DECLARE_DYNCREATE(CExtBtnOnFlat)
public:
    CExtBtnOnFlat();

    bool IsFlat() const { return m_bFlat; }

protected:
    virtual void PreSubclassWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyFlat(bool bFlat);

    CExtHoverTracker m_hover;
    bool m_bFlat;
};
