// CPreviewBar: the print preview's toolbar, a row of push buttons along the top of the
// frame. The buttons' commands go to the frame, which gives them to the preview.
#pragma once
#include "afxpriv.h"

#include <vector>

class CPreviewBar : public CControlBar
{
public:
    CPreviewBar();
    virtual ~CPreviewBar();

    BOOL Create(CFrameWnd* pFrame);
    CWnd* GetButton(UINT nID) const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

protected:
    std::vector<CWnd*> m_buttons;
    CFont m_font;

    BOOL AddButton(UINT nID, LPCTSTR lpszText);
    int ButtonWidth(CWnd* pButton) const;
    void LayoutButtons();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
