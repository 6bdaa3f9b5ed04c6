#include "CInPlaceLabelEdit.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CInPlaceLabelEdit, CEdit)

BEGIN_MESSAGE_MAP(CInPlaceLabelEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_CONTROL_REFLECT(EN_UPDATE, CInPlaceLabelEdit::OnTextChanged)
END_MESSAGE_MAP()

CInPlaceLabelEdit::CInPlaceLabelEdit(int nRow, int nSubItem, LPCTSTR pszText)
    : m_nRow(nRow), m_nSubItem(nSubItem), m_strInitialText(pszText), m_bCancelled(FALSE), m_bEnded(FALSE)
{
}

CInPlaceLabelEdit::~CInPlaceLabelEdit()
{
}

int CInPlaceLabelEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    CWnd* pList = GetParent();
    SetFont(pList->GetFont());
    SetWindowText(m_strInitialText);
    SetFocus();
    SetSel(0, 0);
    return 0;
}

BOOL CInPlaceLabelEdit::PreTranslateMessage(MSG* pMsg)
{
    // These keys belong to the edit, not to accelerators or dialog navigation.
    if (pMsg->message == WM_KEYDOWN
        && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_DELETE
            || ::GetKeyState(VK_CONTROL) < 0))
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceLabelEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE || nChar == VK_RETURN)
    {
        if (nChar == VK_ESCAPE)
            m_bCancelled = TRUE;
        GetParent()->SetFocus();
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CInPlaceLabelEdit::OnTextChanged()
{
    WidenToText();
}

void CInPlaceLabelEdit::WidenToText()
{
    CString strText;
    GetWindowText(strText);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetFont());
    const CSize size = dc.GetTextExtent(strText);
    dc.SelectObject(pOldFont);

    CRect rcEdit;
    GetWindowRect(&rcEdit);
    CWnd* pList = GetParent();
    pList->ScreenToClient(&rcEdit);
    CRect rcList;
    pList->GetClientRect(&rcList);
    const int nWanted = size.cx + 5;
    if (nWanted <= rcEdit.Width())
        return;
    rcEdit.right = rcEdit.left + nWanted;
    if (rcEdit.right > rcList.right)
        rcEdit.right = rcList.right;
    MoveWindow(&rcEdit);
}

void CInPlaceLabelEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    NotifyEndOfEdit();
    PostMessage(WM_CLOSE);
}

void CInPlaceLabelEdit::NotifyEndOfEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = TRUE;
    CString strText;
    GetWindowText(strText);
    CWnd* pList = GetParent();
    NMLVDISPINFO info;
    memset(&info, 0, sizeof(info));
    info.hdr.hwndFrom = pList->GetSafeHwnd();
    info.hdr.idFrom = (UINT_PTR)pList->GetDlgCtrlID();
    info.hdr.code = LVN_ENDLABELEDIT;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = m_nRow;
    info.item.iSubItem = m_nSubItem;
    info.item.pszText = m_bCancelled ? NULL : (LPTSTR)(LPCTSTR)strText;
    info.item.cchTextMax = strText.GetLength();
    CWnd* pOwner = pList->GetParent();
    if (pOwner != NULL)
        pOwner->SendMessage(WM_NOTIFY, info.hdr.idFrom, (LPARAM)&info);
}

void CInPlaceLabelEdit::PostNcDestroy()
{
    delete this;
}
