// CExtFlatHoverEdit: an edit box with the current look's flat frame, lit while the
// mouse is over it or it has the focus.
#pragma once

#include <afxwin.h>

#include "CExtHoverTracker.h"

class CExtFlatHoverEdit : public CEdit
{
    DECLARE_DYNCREATE(CExtFlatHoverEdit)
public:
    CExtFlatHoverEdit();

    bool IsHover() const { return m_bHoverOrFocus; }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintFrame();
    void PaintClient();
    void SetHoverOrFocus(bool bOn);

    CExtHoverTracker m_hover;
    bool m_bHoverOrFocus;
};
