#include "CTreeListItemInfo.h"

CTreeListItemInfo::CTreeListItemInfo()
    : m_pData(NULL), m_bCheck(FALSE), m_nImage(-1), m_crBackground((COLORREF)-1), m_nItemId(NO_ITEM_ID),
      m_bFunction(FALSE)
{
}

CString CTreeListItemInfo::GetText(int nColumn) const
{
    if (nColumn == 0)
        return m_strName;
    if (nColumn < 0 || nColumn > m_texts.GetSize())
        return CString();
    return m_texts[nColumn - 1];
}

void CTreeListItemInfo::SetText(int nColumn, LPCTSTR pszText)
{
    if (nColumn == 0)
    {
        m_strName = pszText;
        return;
    }
    if (nColumn < 0)
        return;
    if (m_texts.GetSize() < nColumn)
        m_texts.SetSize(nColumn);
    m_texts[nColumn - 1] = pszText;
}

int CTreeListItemInfo::GetColumnKind(int nColumn) const
{
    int nKind = COLUMN_KIND_TEXT;
    m_columnKinds.Lookup(nColumn, nKind);
    return nKind;
}

COLORREF CTreeListItemInfo::GetColumnBackground(int nColumn) const
{
    COLORREF cr = (COLORREF)-1;
    m_columnBackgrounds.Lookup(nColumn, cr);
    return cr;
}

DWORD_PTR CTreeListItemInfo::GetColumnData(int nColumn) const
{
    DWORD_PTR dwData = 0;
    m_columnData.Lookup(nColumn, dwData);
    return dwData;
}

CTreeListItemInfo* CTreeListItemInfo::Clone() const
{
    CTreeListItemInfo* pCopy = new CTreeListItemInfo;
    pCopy->m_pData = m_pData;
    pCopy->m_strName = m_strName;
    pCopy->m_texts.Copy(m_texts);
    pCopy->m_bCheck = m_bCheck;
    pCopy->m_nImage = m_nImage;
    pCopy->m_crBackground = m_crBackground;
    pCopy->m_nItemId = m_nItemId;
    pCopy->m_bFunction = m_bFunction;
    POSITION pos = m_columnKinds.GetStartPosition();
    while (pos != NULL)
    {
        int nColumn, nKind;
        m_columnKinds.GetNextAssoc(pos, nColumn, nKind);
        pCopy->m_columnKinds.SetAt(nColumn, nKind);
    }
    pos = m_columnBackgrounds.GetStartPosition();
    while (pos != NULL)
    {
        int nColumn;
        COLORREF cr;
        m_columnBackgrounds.GetNextAssoc(pos, nColumn, cr);
        pCopy->m_columnBackgrounds.SetAt(nColumn, cr);
    }
    pos = m_columnData.GetStartPosition();
    while (pos != NULL)
    {
        int nColumn;
        DWORD_PTR dwData;
        m_columnData.GetNextAssoc(pos, nColumn, dwData);
        pCopy->m_columnData.SetAt(nColumn, dwData);
    }
    return pCopy;
}
