// CCodeSnippetManagerDlg: Edit > Code Snippet > Code Snippet Manager. Lists the code
// snippets (sorted) and the favourites (in their order), edits the selected snippet's
// text, creates and renames snippets, and chooses and orders the favourites. Changes
// stay in memory; the snippet files are written at exit. An edit of the text that was
// not saved is asked about before another snippet shows or the dialog ends.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CCodeSnippet;
class CCodeSnippetList;
class IEditorHost;

class CCodeSnippetManagerDlg : public CExtResizableDialog
{
public:
    CCodeSnippetManagerDlg(IEditorHost& host, CWnd* pParent = NULL);

    CString m_strPreset;        // the snippet to select first; empty: the first one
    BOOL m_bFavouritesChanged;  // favourites were added, moved or removed, or renamed

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    // Close and Escape both end the manager the same way.
    virtual void OnOK();
    virtual void OnCancel();
    afx_msg void OnSnippetSelChange();
    afx_msg void OnFavouriteSelChange();
    afx_msg void OnTextChange();
    afx_msg void OnNew();
    afx_msg void OnRename();
    afx_msg void OnAddToFavourites();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnRemoveFavourite();
    afx_msg void OnMacros();
    afx_msg void OnSave();
    DECLARE_MESSAGE_MAP()

    CCodeSnippet* GetSelectedSnippet();
    void ShowSelectedSnippet();
    void ShowSnippet(const CCodeSnippet* pSnippet);
    void EnableSnippetButtons(BOOL bEnable);
    void FillFavourites();
    void UpdateFavouriteButtons();
    void MoveFavourite(int nOffset);
    int FindSnippetEntry(const CString& strName);
    void SelectSnippetEntry(const CString& strName);
    // The text edit goes into the shown snippet.
    void SaveText(CCodeSnippet* pSnippet);
    // Saves or drops an unsaved edit as the user says; FALSE when the user cancelled.
    BOOL ResolveUnsavedEdit();
    void CloseManager(int nResult);

    IEditorHost& m_host;
    CCodeSnippetList& m_list;
    CString m_strShownName;     // the snippet whose text the edit shows
    BOOL m_bTextEdited;         // the edit changed since it was shown or saved
    BOOL m_bShowingText;        // the dialog itself is setting the edit's text

    CListBox m_listSnippets;
    CListBox m_listFavourites;
    CEdit m_editText;
    CFont m_fontText;           // the editor's fixed-pitch face for the text
    CExtButton m_btnNew;
    CExtButton m_btnRename;
    CExtButton m_btnAddToFavourites;
    CExtButton m_btnMoveUp;
    CExtButton m_btnMoveDown;
    CExtButton m_btnRemove;
    CExtButton m_btnMacros;
    CExtButton m_btnSave;
    CExtButton m_btnClose;
};
