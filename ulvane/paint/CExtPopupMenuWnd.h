// CExtPopupMenuWnd: the framework's popup menu. It is built from a menu resource or
// a menu handle into items whose texts and states come from the command profile of
// the window that receives the chosen command, and shown at a point. The menu is
// created on the heap and frees itself when tracking ends, also when it cannot be
// shown: callers never delete it after TrackPopupMenu.
//
// A shown menu is a tree of these windows: the top-level popup and the sub-popups open
// under it. None takes the activation: the tracking context's thread hooks route the
// mouse and the keys to the popup with the focus role.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "CExtPopupBaseWnd.h"
#include "CExtPopupMenuItem.h"
#include "CExtPopupOwnerShadowWnd.h"

class CExtCommandItem;
class CExtPopupTrackContext;

// Track flags of TrackPopupMenu.
#define TPMX_ALIGN_MASK        0x000F   // placement against the exclude rectangle:
#define TPMX_ALIGN_DEFAULT     0x0000   //   at the point
#define TPMX_RIGHTALIGN        0x0001   //   right of it, tops aligned
#define TPMX_CENTERALIGN       0x0002   //   centred horizontally on the point
#define TPMX_LEFTALIGN         0x0003   //   left of it, tops aligned
#define TPMX_BOTTOMALIGN       0x0004   //   below it, left edges aligned
#define TPMX_VCENTERALIGN      0x0005   //   centred vertically on the point
#define TPMX_TOPALIGN          0x0006   //   above it, left edges aligned
#define TPMX_COMBINE_DEFAULT   0x0010
#define TPMX_COMBINE_BY_LOOK   0x0020
#define TPMX_SELECTFIRST       0x0040
#define TPMX_DO_MESSAGE_LOOP   0x0080
#define TPMX_SHOW_ALL_ITEMS    0x0100
#define TPMX_NO_CMD_DELIVERY   0x0200   // only report the command through the result
#define TPMX_NO_CMD_UI         0x0400
#define TPMX_OWNERDRAW_ITEMS   0x0800
#define TPMX_NO_SHADOW         0x1000
#define TPMX_HELP_MODE         0x2000
#define TPMX_NO_TRACKING       0x4000

class CExtPopupMenuWnd : public CExtPopupBaseWnd
{
    DECLARE_DYNCREATE(CExtPopupMenuWnd)
public:
    CExtPopupMenuWnd();
    virtual ~CExtPopupMenuWnd();

    // Registered messages sent to the command receiver.
    static const UINT g_nMsgPrepareMenu;
    static const UINT g_nMsgPopupNext;
    static const UINT g_nMsgPopupPrev;
    static const UINT g_nMsgNotifyMenuExpanded;
    static const UINT g_nMsgNotifyMenuClosed;
    static const UINT g_nMsgPopupDrawItem;
    static const UINT g_nMsgPopupDrawLeftArea;
    static const UINT g_nMsgCreateInplaceEdit;

    // The editable field of a menu item (CInPlaceEditWnd.h).
    class CInPlaceEditWnd;

    // Recent-file and window-list strings of the module (defaults when it lacks them).
    enum
    {
        nIdsRecentFileTip = 30004,
        nIdsRecentFileStatus = 30005,
        nIdsDocumentTip = 30006,
        nIdsMoreWindows = 30007,
        nIdsMoreWindowsTip = 30008,
    };
    enum
    {
        nFirstRecentFileCmdID = 0xE110,
        nMaxRecentFiles = 16,
        nFirstMdiChildID = 0xFF00,
        nMaxMdiWindowEntries = 9,
        nMoreWindowsCmdID = 0xFF09,
    };

    virtual int GetCurrentIndex() const { return m_nCurIndex; }
    // The global tracking context.
    static CExtPopupTrackContext& GetTrackContext();

    // Builds the items from the menu resource; bPopupMenu takes its first popup.
    virtual bool LoadMenu(HWND hWndCmdReceiver, UINT nIDResource, bool bPopupMenu = true);
    // Builds the items from an existing menu (the receiver may be null: kept). The
    // menu's commands join the receiver's command profile.
    virtual bool UpdateFromMenu(HWND hWndCmdReceiver, CMenu* pBuildMenu, bool bPopupMenu = true,
                                bool bTopLevel = true);
    bool UpdateFromMenu(HWND hWndCmdReceiver, HMENU hBuildMenu, bool bPopupMenu = true, bool bTopLevel = true);
    // An empty top-level menu for the receiver, to be filled with InsertItem; refused
    // for a sub-menu or a menu with items.
    virtual bool InitEmptyMenu(HWND hWndCmdReceiver);
    // Appends the windows of the MDI frame (pFrame, or the receiver's): nine numbered
    // entries, then "More Windows"; the active one radio-marked. False without an MDI frame.
    virtual bool BuildMdiWindowList(CWnd* pFrame = NULL);

    // Shows the menu at x, y (screen; a negative coordinate: the cursor), placed by
    // the alignment flags against lpRcExclude, and sends the chosen command to the
    // receiver as WM_COMMAND (WM_SYSCOMMAND for a window command) unless
    // TPMX_NO_CMD_DELIVERY; *lpnResultCmdID receives it (0: none). The menu then frees
    // itself, whether or not it could be shown (while it is shown the tracking context
    // owns it, and a cancel frees it). False when it could not be shown.
    virtual bool TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT lpRcExclude = NULL,
                                LPVOID pCbPaintCombinedCookie = NULL, ExcludeAreaPainterFn pCbPaintCombinedContent = NULL,
                                UINT* lpnResultCmdID = NULL, bool bCookieIsObject = false);

    virtual HWND GetCmdReceiver() const { return m_hWndCmdReceiver; }
    virtual void SetCmdReceiver(HWND hWndCmdReceiver, bool bThisLevelOnly = false);

    virtual int GetItemCount() const { return (int)m_arrItems.GetSize(); }
    // -1 for separators, sub-menus and indexes out of range.
    virtual int GetItemCmdID(int nIndex) const;
    virtual CString GetItemText(int nIndex) const;
    virtual CString GetItemAccelText(int nIndex) const;
    // The item's own icon, else its command's; NULL for none and bad indexes.
    virtual HICON GetItemIcon(int nIndex) const;
    // Only sub-menu and custom items keep an icon of their own.
    virtual bool SetItemIcon(int nIndex, HICON hIcon);
    virtual bool SetItemText(int nIndex, LPCTSTR lpszText);
    virtual bool SetItemAccelText(int nIndex, LPCTSTR lpszText);
    // The next displayed item after nStartIndex (-1: from the start; the search wraps)
    // whose mnemonic is chMnemonic, any case; -1 when none. *pnMatches: how many
    // displayed items have it (one chooses at once, several only select).
    virtual int FindItemByMnemonic(TCHAR chMnemonic, int nStartIndex = -1, int* pnMatches = NULL) const;
    // The character after the text's single "&", or 0.
    static TCHAR GetMnemonicChar(const CString& strText);
    virtual bool IsItemDisplayed(int nIndex) const;
    virtual bool SetItemAlwaysDisplayed(int nIndex, bool bAlways);
    virtual CExtPopupMenuWnd* GetItemSubMenu(int nIndex) const;
    // The next index after nStartIndex (-1: from the start) with that command, or -1.
    virtual int FindItemByCmdID(UINT nCmdID, int nStartIndex = -1) const;
    virtual bool ItemIsEnabled(int nIndex) const;
    virtual bool ItemIsChecked(int nIndex) const;
    // nCmdID 0: a separator; -1: a sub-menu with a new empty popup; else a command of
    // the receiver's profile. nPos -1 or the count: at the end; above the count: false.
    virtual bool InsertItem(UINT nCmdID, int nPos = -1, LPCTSTR lpszText = NULL, HICON hIcon = NULL,
                            HWND hWndCmdReceiver = NULL);
    // Mark kinds of custom items.
    enum { eMarkNone = 0, eMarkChecked = 1, eMarkAlwaysDisplayed = 2, eMarkSelected = 3 };
    // An item whose texts and icon are its own, not the command profile's.
    virtual bool InsertCustomItem(UINT nCmdID, int nPos, LPCTSTR lpszText, LPCTSTR lpszAccelText = NULL,
                                  HICON hIcon = NULL, int nMarkKind = eMarkNone, HWND hWndCmdReceiver = NULL);
    // Inserts an existing popup (taken over) as a sub-menu.
    virtual bool InsertSubMenu(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR lpszText, HICON hIcon = NULL);
    // -1: every item.
    virtual bool RemoveItem(int nIndex);
    // Decides which items show (rarely used ones stay hidden until expanded) and the
    // content size from the items' measured sizes.
    virtual void RecalcLayout();
    bool IsExpanded() const { return (m_nStateBits & eStateExpanded) != 0; }
    void SetExpanded(bool bExpanded);
    bool HasHiddenItems() const { return (m_nStateBits & eStateHasHidden) != 0; }
    CSize GetContentSize() const { return m_sizeContent; }

    // The item record; a bad index is a caller's fault (asserted) and answers a shared
    // empty record rather than throwing.
    CExtPopupMenuItem& GetItemAt(int nIndex);
    const CExtPopupMenuItem& GetItemAt(int nIndex) const;
    // A new system popup menu with the items (the caller destroys it).
    virtual HMENU ExportToMenu(bool bDeep = true) const;
    // Refreshes the items' states from the receiver's command-update handlers.
    virtual void UpdateMenuCmdUI();

    static bool IsTrackingActive();
    // Closes the tracked menu, if any: also the application's first step at exit, while
    // the looks and windows are still there.
    static void CancelTracking();

    static bool IsPositiveCommandId(UINT nCmdID) { return (int)nCmdID > 0; }
    // Window system commands: 0xF000 to 0xF1EF.
    static bool IsSysCommandId(UINT nCmdID) { return nCmdID >= 0xF000 && nCmdID <= 0xF1EF; }
    // Whether hWndActive is hWnd or one of its parents reached through popup or visible
    // windows; false while a menu is tracked when bRefuseWhileTracking.
    static bool IsWindowInActiveTree(HWND hWnd, HWND hWndActive, bool bCheckEnabled = true, bool bCheckVisible = true,
                                     bool bRefuseWhileTracking = true);
    // Runs the thread's waiting messages (and its idle work when bIdle). A WM_QUIT met
    // on the way is posted again, with its exit code, for the loop outside.
    static void PumpMessagesWhileTracking(bool bIdle = false);
    // Whether the loop of a modal menu runs the application's idle work.
    static bool g_bPumpIdleWhileTracking;
    // Whether the menu bar tracks its menus (it drives the popups then); none does yet.
    static bool IsMenuBarTracking();

    // Gives the item an editable field of nWidth pixels holding *pstrTarget; the
    // validator (may be NULL) accepts or refuses each change, the hook sees every
    // message of the field first. False for a separator, a sub-menu or a bad index.
    virtual bool SetItemInplaceEdit(int nIndex, CString* pstrTarget, int nWidth,
                                    CExtPopupMenuEditValidator pfnValidator = NULL, LPVOID pValidatorCookie = NULL,
                                    CExtPopupMenuEditHook pfnHook = NULL, LPVOID pHookCookie = NULL);

    // Hit codes of HitTest besides the item indexes.
    enum { eHitNone = -1, eHitScrollUp = -2, eHitScrollDown = -3, eHitExpand = -4 };
    // FindNextItem directions.
    enum { eNextCurrentOrFirst = 1, eNextDown = 2, eNextUp = 3, eNextPageUp = 4, eNextPageDown = 5 };
    // Menu timers (the base window's are 666 and 669).
    enum
    {
        nPendingSubmenuTimerID = 667,
        nPendingSubmenuDelay = 500,
        nScrollTimerID = 668,
        nScrollPeriod = 15,
        nScrollStep = 5,
        nExpandHoverTimerID = 670,
        nExpandHoverPeriod = 30,
        nExpandHoverStep = 50,
        nExpandHoverLimit = 1499,
        nScrollArrowHeight = 16,
        nMinKeyInterval = 20,   // ms: keys closer than this are not the menu's
    };

    // The window: placement, size and the item area.
    virtual bool CreatePopupWindow(UINT nFlags, int x, int y, LPCRECT lpRcExclude, LPVOID pCookie,
                                   ExcludeAreaPainterFn pfnPainter, bool bPainterEnabled);
    virtual CSize GetMenuSize() const;
    virtual void PlaceSubMenu(CRect& rcWindow);
    virtual CRect GetContentRect() const;
    // The item's rectangle (or -2/-3/-4: arrows, expand area) in client coordinates;
    // empty for a hidden item.
    virtual bool GetItemRect(int nIndex, CRect& rc) const;
    virtual int HitTest(CPoint ptClient) const;
    virtual int GetMaxScrollOffset() const;
    int GetScrollOffset() const { return m_nScrollOffset; }
    bool IsScrolling() const { return (m_nStateBits & eStateScrolling) != 0; }
    UINT GetTrackFlags() const { return m_nTrackFlags; }
    CExtPopupMenuWnd* GetParentPopup() const { return m_pParentPopup; }
    void SetLeftAreaWidth(int nWidth) { m_nLeftAreaWidth = nWidth > 0 ? nWidth : 0; }
    int GetLeftAreaWidth() const { return m_nLeftAreaWidth; }

    // Painting.
    virtual void PaintContent(CDC& dc, bool bOnScreen);
    virtual void PaintMenuBody(CDC& dc, bool bBuffered);
    // Paint flags of an item.
    enum
    {
        ePaintOwnerDraw = 0x01,
        ePaintSubMenu = 0x02,
        ePaintRarelyUsed = 0x04,
        ePaintRarelyUsedPrev = 0x08,
        ePaintRarelyUsedNext = 0x10,
    };
    // The record an owner-drawing receiver gets with g_nMsgPopupDrawItem.
    struct CDrawItemRecord
    {
        CDC* m_pDC;
        CExtPopupMenuWnd* m_pPopup;
        CExtPopupMenuItem* m_pItem;
        CRect m_rcItem;
        UINT m_nPaintFlags;
    };
    // The record of g_nMsgPopupDrawLeftArea.
    struct CDrawLeftAreaRecord
    {
        CDC* m_pDC;
        CRect m_rcArea;
        CExtPopupMenuWnd* m_pPopup;
    };
    // The record of g_nMsgPrepareMenu; the receiver sets the flags.
    struct CPrepareMenuRecord
    {
        enum { eRebuild = 0x01, eVeto = 0x02 };
        BYTE m_nFlags;
        CExtPopupMenuWnd* m_pPopup;
    };
    virtual void PaintItem(CDC& dc, int nIndex, const CRect& rcItem, UINT nPaintFlags);
    // The exclude-area painter a joined sub-popup gets from its parent: the parent's
    // item (index = the cookie) drawn over the exclude rectangle.
    static void PaintParentItem(CExtPopupBaseWnd* pPopup, CDC& dc, HWND hWndOwner, const RECT& rcExclude);

    // Tracking.
    virtual void SelectItem(int nIndex, bool bOpenSubMenu = true, bool bShowStatus = true, bool bRepaint = true);
    virtual void DeselectCurrent(bool bRepaint = true);
    virtual void SetPendingSubmenu(int nIndex);
    virtual int FindNextItem(int nDirection) const;
    virtual void StartScrolling(int nArrow);
    virtual void ExpandRarelyUsed();
    virtual void CloseLevel(bool bKeepWindow = false);
    virtual void EndTracking(UINT nCmdID, HWND hWndReceiver);
    virtual bool OnMouseWheel(CPoint ptClient);
    virtual bool OnMouseMove(CPoint ptClient, bool& bPassOn);
    virtual bool OnMouseMessage(UINT nMsg, CPoint ptClient, bool& bPassOn);
    virtual bool OnKeyMessage(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bPassOn);
    virtual bool IsPointInWindow(CPoint ptClient) const;
    virtual bool IsTipVisible() const;
    virtual void HideTip(bool bAnimate = false);
    void SetFocusPopup();
    void ReleaseFocusPopup();
    static CExtPopupMenuWnd* GetFocusPopup();
    bool IsItemSelectable(int nIndex) const;
    // The top-level popup of this one's tree.
    CExtPopupMenuWnd* GetTopLevelPopup();

    virtual bool IsSubMenuPopup() const { return m_pParentPopup != NULL; }
    virtual bool IsNoTrackMode() const { return (m_nTrackFlags & TPMX_NO_TRACKING) != 0; }
    virtual bool IsHelpMode() const { return (m_nTrackFlags & TPMX_HELP_MODE) != 0; }
    virtual bool IsShadowEnabled() const;
    virtual void PaintAnimationFrame(CDC& dc);
    virtual void OnAnimationComplete();

protected:
    friend class CExtPopupTrackContext;
    // State bits.
    enum
    {
        eStateTopLevel = 0x01,
        eStateScrolling = 0x02,
        eStateHasHidden = 0x04,     // rarely used items are hidden: an expand area shows
        eStateExpanded = 0x08,
        eStateKeptMask = 0xF0,      // kept across ResetState
        eStateOwnsSelf = 0x10,      // shown untracked: deletes itself with its window
    };
    enum { nMinContentWidth = 80 };

    virtual bool BuildItemsFromMenu(HMENU hMenu, bool bTopLevel);
    void DestroyItems();
    // Closes, destroys and deletes an item's sub-popup.
    static void DeleteSubPopup(CExtPopupMenuWnd* pSub);
    virtual void ResetState();
    // The recent files of the application at nPos; false when an insertion failed.
    bool InsertRecentFiles(int nPos);
    // The receiver's command for a generated entry (allocated when missing).
    CExtCommandItem* AllocateReceiverCommand(UINT nCmdID);
    // Moves the record into the menu (its icon handles go with it).
    bool InsertItemRecord(int nPos, CExtPopupMenuItem& item);
    // Whether the item shows while the menu is collapsed.
    bool IsItemShownCollapsed(CExtPopupMenuItem& item);
    bool IsIndexValid(int nIndex) const { return nIndex >= 0 && nIndex < GetItemCount(); }
    // The item anywhere in the tree that has this command.
    const CExtPopupMenuItem* FindItemDeep(UINT nCmdID) const;
    // The items' sizes: all of them, or those not measured yet.
    void MeasureItems(bool bAll = false);
    // The icon column a separator is drawn with.
    int SeparatorIconAreaWidth(int nIndex) const;
    // The item's own icon, else its command's; NULL for none.
    CExtCommandIcon* GetItemIconObject(int nIndex) const;
    // A shown rarely used item (the menu is expanded).
    bool IsItemRarelyUsed(int nIndex) const;
    // The system-command items enabled from the receiver window's state.
    void EnableSystemCommands();
    void CalcScrollAndExpandRects();
    // The rectangle of the items between the scroll arrows and above the expand area.
    CRect GetItemsArea() const;
    bool CreateMenuWindow(const CRect& rcWindow);
    void ApplyWindowRegion();
    // The shadow's bands made from the screen under the window before it shows.
    void PrepareShadow();
    // A top-level popup joined to its owner button also shows the button's shadow.
    bool CastsOwnerShadow() const;
    void ShowOwnerShadow();
    void ShowMenuWindow();
    void PaintScrollArrow(CDC& dc, int nArrow);
    // The item's edit field in client coordinates, for its rectangle.
    CRect GetItemEditRect(int nIndex, const CRect& rcItem) const;
    // Offers the item to an owner-drawing receiver; true when it painted it.
    bool OfferItemToReceiver(CDC& dc, int nIndex, const CRect& rcItem, UINT nPaintFlags);
    UINT ItemPaintFlags(int nIndex) const;
    // Activates the item as a click or Enter does: opens, edits, runs or delivers it.
    void ActivateItem(int nIndex, bool bFromKeyboard);
    // Whether the tracking that had the serial still runs (a hook may have ended it).
    static bool IsSameTrackingAlive(UINT nSerial);
    void OpenSubMenu(int nIndex, bool bSelectFirst);
    // The popup of this tree under the screen point, deepest first; NULL for none.
    CExtPopupMenuWnd* FindPopupAt(CPoint ptScreen);
    CWnd* GetReceiverFrame() const;
    void ShowItemStatus(int nIndex);
    void ShowItemTip(int nIndex);
    void ScrollItemIntoView(int nIndex);
    void OnScrollTimer();
    void OnExpandHoverTimer();
    void OnPendingSubmenuTimer();
    // The item's edit field shown and focused; the keys while a field has the focus.
    void ShowItemEdit(int nIndex);
    bool HandleEditKey(UINT nChar);
    static TCHAR KeyToChar(UINT nChar, UINT nFlags);
    // A dropped list of the focused combo box closes before a menu opens.
    static void CloseDroppedComboList();
    bool IsKeyDown(int nVirtKey) const { return (::GetKeyState(nVirtKey) & 0x8000) != 0; }

    int m_nCurIndex;
    int m_nPendingIndex;
    UINT m_nTrackFlags;
    UINT m_nExpandHoverCounter;
    BYTE m_nStateBits;
    HWND m_hWndCmdReceiver;
    int m_nScrollOffset;
    CExtPopupMenuWnd* m_pParentPopup;
    CRect m_rcScrollTop, m_rcScrollBottom, m_rcExpand;
    int m_nScrollStep;
    int m_nLeftAreaWidth;
    CRgn m_rgnWnd;
    CRect m_rcContent;
    CArray<CExtPopupMenuItem, const CExtPopupMenuItem&> m_arrItems;
    CPoint m_ptTrack;
    CSize m_sizeWindow;
    CExtPopupOwnerShadowWnd m_wndOwnerShadow;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnCancelMode();
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnMouseInput(WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
