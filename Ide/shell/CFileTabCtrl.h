// CFileTabCtrl: the owner-drawn tabs of the open-file tabs bar. Each tab holds the
// caption of one MDI child window and, as item data, that window's handle. A tab shows
// the file's kind as an icon, the selected tab's title bold, a modified document's
// title red.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CFileTabCtrl : public CTabCtrl
{
    DECLARE_DYNAMIC(CFileTabCtrl)
public:
    CFileTabCtrl();
    virtual ~CFileTabCtrl();

    // Images of bitmap 138 the tabs draw.
    enum
    {
        IMAGE_LUA_FILE = 4,
        IMAGE_FILE = 5,
        IMAGE_XML_FILE = 6
    };
    // The icon of a file name by the configured Lua extensions: Lua, ".xml", or other.
    static int ImageOfFileName(const CString& strFileName, const CString& strLuaExtensions);

    // The MDI child window of a tab, and the tab of a window (-1: none).
    HWND GetTabWindow(int nIndex) const;
    int FindTab(HWND hWndChild) const;
    CString GetTabText(int nIndex) const;
    // The document shown in the tab's window, or NULL.
    CDocument* GetTabDocument(int nIndex) const;

    // The tab menu (menu 162): "Files" lists every open document, sorted, with ids from
    // 35000 on. TRUE when the menu was loaded; the caller owns it.
    static BOOL LoadTabMenu(CMenu& menu);

    void SetFonts(int nSelectedWeight, int nNormalWeight);
    CFont& GetSelectedFont() { return m_fontSelected; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL m_bDrawIcons;
    COLORREF m_crSelectedText;
    COLORREF m_crNormalText;
    COLORREF m_crModifiedText;

protected:
    // Activates the MDI child of the selected tab.
    void OnSelChange();
    void ActivateTabWindow(int nIndex);
    void DrawTabIcon(CDC& dc, int nIndex, CRect& rcText);

    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CFont m_fontSelected;
    CFont m_fontNormal;
};
