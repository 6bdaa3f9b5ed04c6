// CInPlaceLabelEdit: the edit box a tree list puts over one cell while the user changes
// its text. Enter keeps the text, Escape drops it; either way, once the edit loses the
// focus, the list's parent hears the end of the label edit and the edit goes away.
#pragma once

#include <afxwin.h>

class CInPlaceLabelEdit : public CEdit
{
    DECLARE_DYNAMIC(CInPlaceLabelEdit)
public:
    enum { ID_NAME_EDIT = 4659, ID_CELL_EDIT = 4660 };

    CInPlaceLabelEdit(int nRow, int nSubItem, LPCTSTR pszText);
    virtual ~CInPlaceLabelEdit();

    int GetRow() const { return m_nRow; }
    int GetSubItem() const { return m_nSubItem; }
    BOOL IsCancelled() const { return m_bCancelled; }

    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    virtual void PostNcDestroy();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnTextChanged();
    DECLARE_MESSAGE_MAP()

private:
    int m_nRow;
    int m_nSubItem;
    CString m_strInitialText;
    BOOL m_bCancelled;
    BOOL m_bEnded;

    void NotifyEndOfEdit();
    void WidenToText();
};
