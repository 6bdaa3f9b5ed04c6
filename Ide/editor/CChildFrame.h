// CChildFrame: the MDI child frame of every editor. Above the text it carries a
// navigation strip with two drop-down lists: the tables of the file (after
// "(Globals)", which stands for no table) and the functions of the chosen table;
// choosing a function moves the editor to it.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class COutlineFile;
class COutlineFunction;
class COutlineTable;

// Posted by an editor view to its frame (wParam: the outline file of the view's
// document, or 0): the navigation lists are filled again.
#define WM_REBUILD_NAVIGATION (WM_USER + 105)

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    virtual ~CChildFrame();

    // Shows or hides the navigation strip (printing hides it).
    void ShowNavigationBar(BOOL bShow);
    BOOL IsNavigationBarVisible() const { return m_nNavigationBarVisible; }
    CComboBox* GetTablesList();
    CComboBox* GetFunctionsList();

    // The caption: the document's title, "*" while it is modified, and ":n" for the
    // n-th window of a document shown more than once.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);

    // Fills the lists from the outline, keeping the chosen table and function when
    // their names are still there.
    void OnRebuildNavigation(COutlineFile* pFile);

    CDialogBar m_wndNavigationBar;
    int m_nNavigationBarVisible;

protected:
    // The outline of the active document's project file, or NULL.
    COutlineFile* GetActiveOutlineFile();
    // The table the tables list's entry names in the file; NULL for "(Globals)".
    static COutlineTable* FindChosenTable(COutlineFile* pFile, const CString& strTable);
    void FillFunctionsList(COutlineFile* pFile, COutlineTable* pTable);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnRebuildNavigationMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTableChanged();
    afx_msg void OnFunctionChosen();
    DECLARE_MESSAGE_MAP()
};
