// CTreeListItemInfo: what one row of a tree list shows and carries: the name (column 0),
// the texts of the other columns, the check flag, the image, colours and per-column
// settings, and the debugger's item id and function flag.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <afxtempl.h>

class CTreeListItemInfo
{
public:
    enum { COLUMN_KIND_TEXT = 0, COLUMN_KIND_DROPDOWN = 1 };
    enum { NO_ITEM_ID = -2 };

    CTreeListItemInfo();

    void* GetData() const { return m_pData; }
    void SetData(void* pData) { m_pData = pData; }

    const CString& GetName() const { return m_strName; }
    void SetName(LPCTSTR pszName) { m_strName = pszName; }
    // Column 0 is the name; column n is text n - 1 of the others ("" when unset).
    CString GetText(int nColumn) const;
    void SetText(int nColumn, LPCTSTR pszText);
    int GetTextCount() const { return (int)m_texts.GetSize(); }

    BOOL GetCheck() const { return m_bCheck; }
    void SetCheck(BOOL bCheck) { m_bCheck = bCheck; }
    int GetImage() const { return m_nImage; }
    void SetImage(int nImage) { m_nImage = nImage; }
    // (COLORREF)-1: none.
    COLORREF GetBackground() const { return m_crBackground; }
    void SetBackground(COLORREF cr) { m_crBackground = cr; }

    int GetColumnKind(int nColumn) const;
    void SetColumnKind(int nColumn, int nKind) { m_columnKinds.SetAt(nColumn, nKind); }
    COLORREF GetColumnBackground(int nColumn) const;
    void SetColumnBackground(int nColumn, COLORREF cr) { m_columnBackgrounds.SetAt(nColumn, cr); }
    DWORD_PTR GetColumnData(int nColumn) const;
    void SetColumnData(int nColumn, DWORD_PTR dwData) { m_columnData.SetAt(nColumn, dwData); }

    int GetItemId() const { return m_nItemId; }
    void SetItemId(int nId) { m_nItemId = nId; }
    BOOL IsFunction() const { return m_bFunction; }
    void SetFunction(BOOL bFunction) { m_bFunction = bFunction; }

    // A copy of every field.
    CTreeListItemInfo* Clone() const;

private:
    void* m_pData;
    CMap<int, int, int, int> m_columnKinds;
    CMap<int, int, COLORREF, COLORREF> m_columnBackgrounds;
    CMap<int, int, DWORD_PTR, DWORD_PTR> m_columnData;
    CString m_strName;
    CStringArray m_texts;
    BOOL m_bCheck;
    int m_nImage;
    COLORREF m_crBackground;
    int m_nItemId;
    BOOL m_bFunction;

    CTreeListItemInfo(const CTreeListItemInfo&) = delete;
    CTreeListItemInfo& operator=(const CTreeListItemInfo&) = delete;
};
