// CExtPopupMenuItem: texts, mnemonic and measuring of one menu item, and the
// placement of its editable field.
#include "CExtPopupMenuItem.h"

#include "CExtCommandManagerHolder.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"

#include <algorithm>

bool CExtPopupMenuItem::g_bLargeIcons = false;
bool CExtPopupMenuItem::g_bFirstLetterMnemonic = false;

namespace
{
// Room beside the text: the icon column and the gaps around text and arrow.
const int nItemExtraWidth = 37;
const int nFixedWidthExtraWidth = 31;
const int nEditItemExtraWidth = 33;
const int nTextPadding = 4;
const int nFixedWidthNoIconTrim = 2;

TCHAR UpperChar(TCHAR ch)
{
    return (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)ch);
}

// The text as shown: mnemonic markers gone, "&&" a plain ampersand.
CString WithoutMnemonicMarkers(const CString& strText)
{
    CString strResult;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (strText[i] == '&')
        {
            i++;
            if (i >= strText.GetLength())
                break;
        }
        strResult += strText[i];
    }
    return strResult;
}

// The single-line extent of strText in hFont.
CSize MeasureText(HFONT hFont, const CString& strText)
{
    CRect rc(0, 0, 0, 0);
    HDC hDC = ::CreateCompatibleDC(NULL);
    if (hDC == NULL)
        return CSize(0, 0);
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    // An empty text still has the font's height.
    const CString strMeasured = strText.IsEmpty() ? CString(" ") : strText;
    ::DrawText(hDC, strMeasured, strMeasured.GetLength(), &rc, DT_CALCRECT | DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);
    ::DeleteDC(hDC);
    return CSize(strText.IsEmpty() ? 0 : rc.Width(), rc.Height());
}
}

void CExtPopupMenuItem::SetText(const CString& strText)
{
    const int nTab = strText.Find('\t');
    if (nTab < 0)
    {
        m_strText = strText;
        return;
    }
    m_strText = strText.Left(nTab);
    m_strAccelText = strText.Mid(nTab + 1);
}

TCHAR CExtPopupMenuItem::CalcMnemonic(const CString& strText)
{
    if (strText.Find('&') >= 0)
    {
        const TCHAR ch = CExtPopupMenuWnd::GetMnemonicChar(strText);
        return ch != 0 ? UpperChar(ch) : 0;
    }
    if (g_bFirstLetterMnemonic && !strText.IsEmpty())
        return UpperChar(strText[0]);
    return 0;
}

CExtCommandIcon* CExtPopupMenuItem::GetDisplayIcon()
{
    if (!m_icon.IsEmpty())
        return &m_icon;
    if (!IsCommand() || IsCustom())
        return NULL;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_hWndCmdReceiver);
    CExtCommandIcon* pIcon = g_CommandManagerHolder->GetCommandIcon(strProfile, (UINT)m_nCmdID);
    return pIcon != NULL && !pIcon->IsEmpty() ? pIcon : NULL;
}

void CExtPopupMenuItem::MeasureItem()
{
    m_chMnemonic = CalcMnemonic(m_strText);
    m_nIconAreaWidth = nMinIconSide;
    if (IsSeparator())
    {
        m_nTextWidth = m_nWidth = 0;
        m_nHeight = nSeparatorHeight;
        m_nWidestWidth = nMinWidestWidth;
        return;
    }
    CString strMeasured = WithoutMnemonicMarkers(m_strText);
    if (!m_bHasEdit)
        strMeasured += WithoutMnemonicMarkers(m_strAccelText);
    const CSize sizeText = MeasureText((HFONT)g_PaintManagerHolder->m_FontNormal.GetSafeHandle(), strMeasured);
    m_nTextWidth = sizeText.cx;
    const int nTextHeight = sizeText.cy + nTextPadding;

    const bool bFixedWidth = (m_nDisplayFlags & eDisplayFixedWidth) != 0;
    CExtCommandIcon* pIcon = GetDisplayIcon();
    int nIconHeight = 0;
    if (!bFixedWidth)
    {
        CSize sizeIcon = pIcon != NULL ? pIcon->GetSize() : CSize(0, 0);
        if (g_bLargeIcons)
            sizeIcon = CSize(sizeIcon.cx * 2, sizeIcon.cy * 2);
        sizeIcon.cx = std::max(sizeIcon.cx, (LONG)nMinIconSide);
        sizeIcon.cy = std::max(sizeIcon.cy, (LONG)nMinIconSide);
        // Narrow icons get a square cell.
        if (sizeIcon.cx <= 18 && sizeIcon.cy < sizeIcon.cx)
            sizeIcon.cy = sizeIcon.cx;
        m_nIconAreaWidth = std::max((int)sizeIcon.cx, (int)nMinIconSide);
        nIconHeight = sizeIcon.cy + nTextPadding;
    }
    m_nHeight = std::max(std::max(nTextHeight, nIconHeight), (int)nMinItemHeight);
    if (bFixedWidth && pIcon == NULL)
        m_nHeight -= nFixedWidthNoIconTrim;
    m_nIconAreaWidth = std::max(m_nHeight, m_nIconAreaWidth);
    if (m_pfnCustomAction != NULL)
        m_nIconAreaWidth = m_nIconAreaWidth * 2 + 4;

    if (m_bHasEdit)
        m_nWidth = m_nTextWidth + m_nEditWidth + nEditItemExtraWidth;
    else
    {
        m_nWidth = m_nTextWidth + m_nIconAreaWidth + (bFixedWidth ? nFixedWidthExtraWidth : nItemExtraWidth);
        m_nHeight++;
    }
    m_nWidestWidth = std::max(m_nWidth, (int)nMinWidestWidth);
}

void CExtPopupMenuItem::SetInPlaceEdit(CString* pTarget, int nWidth, CExtPopupMenuEditValidator pfnValidator,
                                       LPVOID pValidatorCookie, CExtPopupMenuEditHook pfnHook, LPVOID pHookCookie)
{
    m_bHasEdit = true;
    m_pEditTarget = pTarget;
    m_nEditWidth = std::max(nWidth, 0);
    m_pfnEditValidator = pfnValidator;
    m_pEditValidatorCookie = pValidatorCookie;
    m_pfnEditHook = pfnHook;
    m_pEditHookCookie = pHookCookie;
}

CRect CExtPopupMenuItem::CalcInPlaceEditRect(const RECT& rcItem) const
{
    CRect rc(rcItem);
    rc.top += 2;
    rc.bottom -= 3;
    rc.right -= 1;
    // A sub-menu item keeps its arrow clear of the field.
    if (IsSubMenu())
        rc.right -= ::GetSystemMetrics(SM_CXHTHUMB);
    rc.left = rc.right - m_nEditWidth;
    return rc;
}
