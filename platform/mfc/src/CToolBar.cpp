// CToolBar: a row of command buttons on the system's toolbar control.
#include "afxpriv.h"
#include <afxext.h>

#include <algorithm>
#include <vector>

namespace
{
// A toolbar resource holds the image size, the button count and the command ids
// (0 for a separator). Resource compilers write it in one of two layouts: words
// after a version word of 1, or double words without a version.
BOOL ParseToolBarResource(const BYTE* pData, DWORD cbData, CSize& sizeImage, CUIntArray& ids)
{
    const WORD* pWords = (const WORD*)pData;
    if (cbData >= 8 && pWords[0] == 1 && cbData >= 8 + (DWORD)pWords[3] * sizeof(WORD))
    {
        sizeImage = CSize(pWords[1], pWords[2]);
        ids.RemoveAll();
        for (WORD i = 0; i < pWords[3]; i++)
            ids.Add(pWords[4 + i]);
        return TRUE;
    }
    const DWORD* pDwords = (const DWORD*)pData;
    if (cbData >= 12 && pDwords[2] <= 0xFFFF && cbData >= 12 + pDwords[2] * sizeof(DWORD))
    {
        sizeImage = CSize((int)pDwords[0], (int)pDwords[1]);
        ids.RemoveAll();
        for (DWORD i = 0; i < pDwords[2]; i++)
            ids.Add(pDwords[3 + i]);
        return TRUE;
    }
    return FALSE;
}
}

BOOL AFXAPI AfxReadToolBarResource(HINSTANCE hInst, LPCTSTR lpszResourceName, CSize& sizeImage, CUIntArray& ids)
{
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_TOOLBAR);
    HGLOBAL hGlobal = hRsrc != NULL ? ::LoadResource(hInst, hRsrc) : NULL;
    const BYTE* pData = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
    DWORD cbData = hRsrc != NULL ? ::SizeofResource(hInst, hRsrc) : 0;
    return pData != NULL && ParseToolBarResource(pData, cbData, sizeImage, ids);
}

namespace
{
const int nSeparatorWidth = 8;

// Update object of one button: enabled and checked states of the control.
class CToolCmdUI : public CCmdUI
{
public:
    virtual void Enable(BOOL bOn)
    {
        m_bEnableChanged = TRUE;
        CToolBar* pToolBar = (CToolBar*)m_pOther;
        UINT nOld = pToolBar->GetButtonStyle(m_nIndex);
        UINT nNew = bOn ? (nOld & ~TBBS_DISABLED) : (nOld | TBBS_DISABLED);
        // A disabled button is never shown pressed.
        if (!bOn)
            nNew &= ~TBBS_PRESSED;
        if (nNew != nOld)
            pToolBar->SetButtonStyle(m_nIndex, nNew);
    }

    virtual void SetCheck(int nCheck)
    {
        CToolBar* pToolBar = (CToolBar*)m_pOther;
        UINT nOld = pToolBar->GetButtonStyle(m_nIndex);
        UINT nNew = nOld & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNew |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNew |= TBBS_INDETERMINATE;
        if (nNew != nOld)
            pToolBar->SetButtonStyle(m_nIndex, nNew | TBBS_CHECKBOX);
    }

    virtual void SetText(LPCTSTR)
    {
        // Buttons show images only.
    }
};
}

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CToolBar::CToolBar()
    : m_sizeButton(23, 22), m_sizeImage(16, 15), m_hbmImageWell(NULL)
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CToolBar::~CToolBar()
{
    if (m_hbmImageWell != NULL)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE | dwCtrlStyle;
    if (!CWnd::Create(TOOLBARCLASSNAME, NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == NULL)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    CSize sizeImage;
    CUIntArray ids;
    if (!AfxReadToolBarResource(AfxGetResourceHandle(), lpszResourceName, sizeImage, ids))
        return FALSE;
    if (!SetButtons(ids.GetSize() == 0 ? NULL : ids.GetData(), (int)ids.GetSize()))
        return FALSE;
    SetSizes(CSize(sizeImage.cx + 7, sizeImage.cy + 7), sizeImage);
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    // The light grey of the image well becomes the button face.
    HBITMAP hbm = (HBITMAP)::LoadImage(AfxGetResourceHandle(), lpszResourceName, IMAGE_BITMAP, 0, 0,
                                       LR_LOADMAP3DCOLORS);
    return hbm != NULL && SetBitmap(hbm);
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    BITMAP bm;
    if (hbmImageWell == NULL || ::GetObject(hbmImageWell, sizeof(bm), &bm) == 0 || m_sizeImage.cx <= 0)
        return FALSE;
    int nImages = bm.bmWidth / m_sizeImage.cx;
    if (m_hbmImageWell == NULL)
    {
        TBADDBITMAP tbab = {NULL, (UINT_PTR)hbmImageWell};
        if (SendMessage(TB_ADDBITMAP, (WPARAM)nImages, (LPARAM)&tbab) == -1)
            return FALSE;
    }
    else
    {
        TBREPLACEBITMAP tbrb = {NULL, (UINT_PTR)m_hbmImageWell, NULL, (UINT_PTR)hbmImageWell, nImages};
        if (!SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&tbrb))
            return FALSE;
        ::DeleteObject(m_hbmImageWell);
    }
    m_hbmImageWell = hbmImageWell;
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    // Out with the old buttons, in with one per id (images in order).
    for (int n = (int)SendMessage(TB_BUTTONCOUNT); n > 0; n--)
        SendMessage(TB_DELETEBUTTON, 0);
    if (nIDCount <= 0)
        return TRUE;
    std::vector<TBBUTTON> buttons((size_t)nIDCount);
    int iImage = 0;
    for (int i = 0; i < nIDCount; i++)
    {
        TBBUTTON& button = buttons[i];
        memset(&button, 0, sizeof(button));
        UINT nID = lpIDArray != NULL ? lpIDArray[i] : 0;
        button.idCommand = (int)nID;
        if (nID == ID_SEPARATOR)
        {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = nSeparatorWidth;
        }
        else
        {
            button.fsStyle = TBSTYLE_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = iImage++;
        }
    }
    return SendMessage(TB_ADDBUTTONS, (WPARAM)nIDCount, (LPARAM)buttons.data()) != 0;
}

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    memset(pButton, 0, sizeof(*pButton));
    return ::SendMessage(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)pButton) != 0;
}

void CToolBar::SetButton(int nIndex, TBBUTTON* pButton)
{
    TBBUTTON old;
    if (!GetButton(nIndex, &old))
        return;
    if (old.idCommand == pButton->idCommand && old.iBitmap == pButton->iBitmap && old.fsStyle == pButton->fsStyle)
    {
        if (old.fsState != pButton->fsState)
            SendMessage(TB_SETSTATE, (WPARAM)pButton->idCommand, MAKELONG(pButton->fsState, 0));
        return;
    }
    SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex);
    SendMessage(TB_INSERTBUTTON, (WPARAM)nIndex, (LPARAM)pButton);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, (WPARAM)nIDFind, 0);
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    return GetButton(nIndex, &button) ? (UINT)button.idCommand : 0;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessage(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return 0;
    // The enabled state reads the other way round: the bit set means disabled.
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    SetButton(nIndex, &button);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
    {
        nID = 0;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = (UINT)button.idCommand;
    nStyle = MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.idCommand = (int)nID;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    button.iBitmap = iImage;
    SetButton(nIndex, &button);
}

void CToolBar::WrapButtons(BOOL bVertical)
{
    const int nCount = (int)SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < nCount; i++)
    {
        TBBUTTON button;
        if (!GetButton(i, &button))
            continue;
        BYTE fsState = bVertical ? (button.fsState | TBSTATE_WRAP) : (button.fsState & ~TBSTATE_WRAP);
        if (fsState != button.fsState)
            SendMessage(TB_SETSTATE, (WPARAM)button.idCommand, MAKELONG(fsState, 0));
    }
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    WrapButtons(!bHorz);
    // The buttons' extent, plus the bar's borders.
    CRect rectAll(0, 0, 0, 0);
    const int nCount = (int)SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < nCount; i++)
    {
        CRect rect;
        GetItemRect(i, &rect);
        rectAll.UnionRect(rectAll, rect);
    }
    CSize size = CControlBar::CalcFixedLayout(FALSE, bHorz);
    size.cx += std::max((int)rectAll.right, (int)m_sizeButton.cx);
    size.cy += std::max((int)rectAll.bottom, (int)m_sizeButton.cy);
    if (bStretch)
    {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)SendMessage(TB_BUTTONCOUNT);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        TBBUTTON button;
        if (!GetButton(state.m_nIndex, &button) || (button.fsStyle & TBSTYLE_SEP))
            continue;
        state.m_nID = (UINT)button.idCommand;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    int nHit = (int)::SendMessage(m_hWnd, TB_HITTEST, 0, (LPARAM)&point);
    if (nHit < 0)
        return -1;
    TBBUTTON button;
    if (!GetButton(nHit, &button) || (button.fsStyle & TBSTYLE_SEP) || button.idCommand == 0)
        return -1;
    if (pTI != NULL)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)button.idCommand;
        GetItemRect(nHit, &pTI->rect);
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return button.idCommand;
}

void CToolBar::OnPaint()
{
    Default();
}

BOOL CToolBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}
