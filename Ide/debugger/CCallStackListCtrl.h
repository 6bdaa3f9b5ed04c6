// CCallStackListCtrl: the Call Stack window's list: one row per frame of the stopped
// script, innermost first, with the frame's file and line kept beside each row; the row
// of the frame the panes show carries the arrow image.
#pragma once

#include <afxtempl.h>

#include "CTreeListCtrl.h"

class CCallStackListCtrl : public CTreeListCtrl
{
    DECLARE_DYNAMIC(CCallStackListCtrl)
public:
    enum { IMAGE_SELECTED_FRAME = 4, IMAGE_OTHER_FRAME = 5 };

    CCallStackListCtrl();
    virtual ~CCallStackListCtrl();

    BOOL CreateList(CWnd* pParent, UINT nID);

    void Clear();
    void AddFrame(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat);
    // "f (global Lua function)", "(main chunk)".
    static CString FrameText(LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat);
    // Moves the arrow to row nIndex; FALSE for an index outside the rows.
    BOOL MarkSelectedFrame(int nIndex);
    int GetSelectedFrame() const { return m_nSelected; }
    int GetFrameCount() const { return (int)m_lines.GetSize(); }
    CString GetFrameFile(int nIndex) const { return m_files[nIndex]; }
    int GetFrameLine(int nIndex) const { return m_lines[nIndex]; }

    virtual int GetRowImage(CTreeListItem* pRow);
    virtual COLORREF GetFocusCellColour();
    virtual void OnRowClick(UINT nFlags, int x, int y, LVHITTESTINFO* pHit);
    virtual BOOL IsEditingDisabled();
    virtual BOOL CanDelete(CTreeListItem* pRow, int nIndex);

private:
    CStringArray m_files;
    CArray<int, int> m_lines;
    int m_nSelected;
};
