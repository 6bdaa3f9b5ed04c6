// CExtMenuControlBar: the frame's menu bar (control id 101). In this form the frame
// keeps its own menu, which the MDI framework switches per document type; the bar
// stands in the frame's bar layout without showing, and offers the two keyboard
// pre-translation steps the frame and its sheets call first.
#pragma once

#include "CExtToolControlBar.h"

class CExtMenuControlBar : public CExtToolControlBar
{
    DECLARE_DYNCREATE(CExtMenuControlBar)
public:
    CExtMenuControlBar();

    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID = 101,
                        DWORD dwStyle = EXT_DEFAULT_TOOLBAR_STYLE);

    // The name of the menu that lists the MDI windows ("Window"), trimmed, without "&".
    void SetMdiWindowPopupName(LPCTSTR lpszName);
    CString GetMdiWindowPopupName() const { return m_strMdiWindowPopupName; }

    // Keyboard access to the menus; true when the message was consumed.
    virtual BOOL TranslateMainFrameMessage(MSG* pMsg);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    virtual BOOL IsVisible() const;
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);

protected:
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    DECLARE_MESSAGE_MAP()

    CString m_strMdiWindowPopupName;
};
