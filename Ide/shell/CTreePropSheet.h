// CTreePropSheet: a modal property sheet whose pages are chosen from a tree left of the
// page area instead of from tabs. A page caption may be a path: "General::Editor" puts
// the page Editor under a folder item General. Above the pages a page frame shows the
// selected item's title, and a message while a folder is selected.
#pragma once

#include <afxdlgs.h>
#include <afxcmn.h>

class CPageFrameBase;

class CTreePropSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CTreePropSheet)
public:
    enum
    {
        IDC_PAGE_TREE = 32494,
        IDC_PAGE_FRAME = 0xFFFF,
        IDC_CAPTION_PROBE_TAB = 4660,
        DEFAULT_TREE_WIDTH = 150,
        FOLDER_ITEM_DATA = -1
    };

    CTreePropSheet();
    explicit CTreePropSheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CTreePropSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CTreePropSheet();

    // Only before the sheet's window exists (FALSE then, and nothing changes). Without
    // tree mode the other two values stay as they are.
    BOOL SetTreeViewMode(BOOL bTreeViewMode = TRUE, BOOL bPageCaption = FALSE, BOOL bTreeImages = FALSE);
    BOOL IsTreeViewMode() const { return m_bTreeViewMode; }
    BOOL IsPageCaptionShown() const { return m_bPageCaption; }
    // printf-style, formatted with the selected folder's text.
    void SetEmptyPageText(LPCTSTR pszTemplate) { m_strEmptyPageText = pszTemplate; }
    void SetTreeWidth(int nWidth) { m_nTreeWidth = nWidth; }
    int GetTreeWidth() const { return m_nTreeWidth; }
    // Folder and page images (two images, in that order) for a tree with images; a
    // copy is kept. Only before the sheet's window exists.
    BOOL SetTreeDefaultImages(CImageList* pImages);

    CTreeCtrl* GetPageTreeControl() const { return m_pTree; }
    CPageFrameBase* GetPageFrame() const { return m_pFrame; }

    // Splits a caption path at its first "::" that no odd run of backslashes escapes.
    // strFirst gets the first component unescaped ("\::" -> "::", "\\" -> "\"),
    // strRest the text after the separator (empty when there is none).
    static void SplitCaptionPath(const CString& strPath, CString& strFirst, CString& strRest);

    virtual BOOL OnInitDialog();

    // Own virtual operations, after the base sheet's.
    virtual CString FormatEmptyPageText(const CString& strTemplate, const CString& strCaption);
    // A new tree control, not yet created; the sheet owns it. NULL ends the sheet.
    virtual CTreeCtrl* CreateTreeControl();
    // A new page frame; the sheet owns it. NULL ends the sheet.
    virtual CPageFrameBase* NewPageFrame();

protected:
    BOOL m_bTreeViewMode;
    CTreeCtrl* m_pTree;
    CPageFrameBase* m_pFrame;
    BOOL m_bInSelChange;        // the tree's selection is being changed by the sheet
    BOOL m_bPageCaption;
    BOOL m_bTreeImages;
    CImageList m_images;
    CImageList m_imagesDefault;
    HICON m_hCaptionIcon;       // the frame's caption icon, which it does not own
    CString m_strEmptyPageText;
    int m_nTreeWidth;

    void CommonTreeConstruct();
    // The set-up of tree mode after the base sheet's initialisation; FALSE when the
    // tree or the page frame could not be made.
    BOOL SetUpTreeMode();
    BOOL CreatePageFrame(const CRect& rectTab);
    void WidenForTree();
    int MeasureCaptionHeight();
    void HidePageCaption(int nCaptionHeight, CRect& rectTree);
    BOOL CreatePageTree(const CRect& rectTree);
    void EndAsCancelled();

    void RefillPageTree();
    HTREEITEM FindOrCreatePath(const CString& strPath, HTREEITEM hParent);
    HTREEITEM FindChildByText(HTREEITEM hParent, const CString& strText);
    HTREEITEM FindPageItem(int nPage, HTREEITEM hParent = TVI_ROOT);
    void SelectCurrentPageItem();
    void RefreshPageCaption();
    void DestroyCaptionIcon();

    HWND GetCurrentPageWindow() const;
    static BOOL IsShown(HWND hWnd);
    BOOL ActivatePage(int nPage);
    BOOL DeactivateCurrentPage();
    void ShowNextPage(BOOL bForward);
    HTREEITEM NextTreeItem(HTREEITEM hItem) const;
    HTREEITEM PreviousTreeItem(HTREEITEM hItem) const;
    HTREEITEM DeepestLastDescendant(HTREEITEM hItem) const;
    void OnTreeSelChanging(HTREEITEM hNewItem, LRESULT* pResult);

    afx_msg LRESULT OnSetCurSel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetCurSelId(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAddOrRemovePage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIsDialogMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSelChangingA(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChangingW(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
