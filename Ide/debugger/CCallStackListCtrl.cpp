#include "CCallStackListCtrl.h"

#include "CCallStackWnd.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CCallStackListCtrl, CTreeListCtrl)

CCallStackListCtrl::CCallStackListCtrl() : m_nSelected(-1)
{
}

CCallStackListCtrl::~CCallStackListCtrl()
{
}

BOOL CCallStackListCtrl::CreateList(CWnd* pParent, UINT nID)
{
    if (!Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), pParent, nID))
        return FALSE;
    LoadRowImages(IDB_DEBUG_LIST_IMAGES, RGB(0, 255, 0));
    SetExtendedStyle(LVS_EX_GRIDLINES);
    InsertColumn(0, "Name", LVCFMT_LEFT, 200);
    InsertColumn(1, "Source", LVCFMT_LEFT, 300);
    return TRUE;
}

void CCallStackListCtrl::Clear()
{
    DeleteAllRows();
    m_files.RemoveAll();
    m_lines.RemoveAll();
    m_nSelected = -1;
}

CString CCallStackListCtrl::FrameText(LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat)
{
    CString strText = pszName;
    if (!strText.IsEmpty())
        strText += " ";
    strText += "(";
    strText += pszNameWhat;
    if (*pszNameWhat != '\0')
        strText += " ";
    strText += pszWhat;
    const CString strWhat = pszWhat;
    if (strWhat == "Lua" || strWhat == "C")
        strText += " function";
    else if (strWhat == "main")
        strText += " chunk";
    strText += ")";
    return strText;
}

void CCallStackListCtrl::AddFrame(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat)
{
    CTreeListItemInfo* pInfo = new CTreeListItemInfo;
    pInfo->SetName(FrameText(pszName, pszNameWhat, pszWhat));
    CString strSource;
    strSource.Format("%s, line %d", pszFile, nLine);
    pInfo->SetText(1, strSource);
    const BOOL bFirst = GetRowCount() == 0;
    pInfo->SetImage(bFirst ? IMAGE_SELECTED_FRAME : IMAGE_OTHER_FRAME);
    InsertItem(pInfo);
    m_files.Add(pszFile);
    m_lines.Add(nLine);
    if (bFirst)
        m_nSelected = 0;
}

BOOL CCallStackListCtrl::MarkSelectedFrame(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetRowCount())
        return FALSE;
    CTreeListItem* pPrevious = GetRow(m_nSelected);
    if (pPrevious != NULL)
    {
        pPrevious->GetInfo()->SetImage(IMAGE_OTHER_FRAME);
        RedrawRow(pPrevious);
    }
    CTreeListItem* pRow = GetRow(nIndex);
    pRow->GetInfo()->SetImage(IMAGE_SELECTED_FRAME);
    RedrawRow(pRow);
    m_nSelected = nIndex;
    return TRUE;
}

int CCallStackListCtrl::GetRowImage(CTreeListItem* pRow)
{
    const int nImage = pRow->GetInfo()->GetImage();
    if (nImage != -1)
        return nImage;
    if (!pRow->HasChildren())
        return 2;
    return pRow->IsCollapsed() ? 1 : 0;
}

COLORREF CCallStackListCtrl::GetFocusCellColour()
{
    return RGB(49, 106, 197);
}

void CCallStackListCtrl::OnRowClick(UINT, int, int, LVHITTESTINFO* pHit)
{
    CCallStackWnd* pOwner = DYNAMIC_DOWNCAST(CCallStackWnd, GetParent());
    if (pOwner != NULL && pHit != NULL)
        pOwner->SelectFrame(pHit->iItem);
}

BOOL CCallStackListCtrl::IsEditingDisabled()
{
    return TRUE;
}

BOOL CCallStackListCtrl::CanDelete(CTreeListItem*, int)
{
    // The rows stand for the client's stack levels: none may go.
    return FALSE;
}
