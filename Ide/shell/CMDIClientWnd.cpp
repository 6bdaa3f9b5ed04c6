// The MDI client: the workspace's paint, the tabs of its children, the window
// commands, the stored appearance and full screen.
#include "CMDIClientWnd.h"

#include "CExtToolControlBar.h"
#include "CViewManager.h"
#include "CWindowListDlg.h"
#include "CWinAppEx.h"
#include "resource.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMDIClientWnd, CWnd)

BEGIN_MESSAGE_MAP(CMDIClientWnd, CWnd)
    ON_MESSAGE(WM_MDISETMENU, CMDIClientWnd::OnMDISetMenu)
    ON_MESSAGE(WM_MDIREFRESHMENU, CMDIClientWnd::OnMDIRefreshMenu)
    ON_MESSAGE(WM_MDICREATE, CMDIClientWnd::OnMDICreate)
    ON_MESSAGE(WM_MDIDESTROY, CMDIClientWnd::OnMDIDestroy)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_RBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_COMMAND(ID_WINDOW_NEXT_WINDOW, CMDIClientWnd::OnNextWindow)
    ON_COMMAND(ID_WINDOW_PREVIOUS_WINDOW, CMDIClientWnd::OnPreviousWindow)
    ON_COMMAND(ID_WINDOW_CLOSE_ACTIVE, CMDIClientWnd::OnCloseActiveWindow)
    ON_COMMAND(ID_WINDOW_CLOSE_ALL, CMDIClientWnd::OnCloseAll)
    ON_COMMAND(ID_WINDOW_SAVE_ALL, CMDIClientWnd::OnSaveAll)
    ON_COMMAND(ID_WINDOW_LIST, CMDIClientWnd::OnWindowList)
    ON_COMMAND(ID_VIEW_FULL_SCREEN, CMDIClientWnd::OnToggleFullScreen)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FULL_SCREEN, CMDIClientWnd::OnUpdateToggleFullScreen)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_NEXT_WINDOW, ID_WINDOW_LIST, CMDIClientWnd::OnUpdateWindowCommand)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CLOSE_ACTIVE, CMDIClientWnd::OnUpdateWindowCommand)
END_MESSAGE_MAP()

namespace
{
const char kSection[] = "Settings";
const char kChildWinState[] = "TVChildWinState";
const char kLogoFont[] = "TVLogoFont";
const char kBkBitmap[] = "TVBkBitmap";
const char kLogoColor[] = "TVLogoColor";
const char kBackColor[] = "TVBackColor";
const char kDispType[] = "TVDispType";
const char kFileName[] = "TVFileName";

// The system's item for the windows beyond the ninth in the Window menu.
const UINT kMoreWindowsItem = 0xFF09;
// The bars full screen hides: toolbar, status bar, menu bar, Project Explorer, Output.
const UINT kFullScreenHiddenBars[] = { AFX_IDW_TOOLBAR, AFX_IDW_STATUS_BAR, 101, ID_VIEW_PROJECT_EXPLORER,
                                       ID_VIEW_OUTPUT };
const UINT kFullScreenBarID = AFX_IDW_CONTROLBAR_FIRST + 32;
const DWORD kFullScreenBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
const UINT kDefaultTabsLayer = 4;

BOOL IsValidColor(UINT nValue)
{
    return (nValue & 0xFF000000) == 0;
}
} // namespace

CMDIClientWnd::CMDIClientWnd()
    : m_hWindowMenu(NULL),
      m_pMainFrame(NULL),
      m_bChildMaximized(FALSE),
      m_pFullScreenBar(NULL),
      m_cxLast(0),
      m_cyLast(0),
      m_pViewManager(NULL),
      m_bBackgroundBitmap(TRUE),
      m_crBackground(::GetSysColor(COLOR_APPWORKSPACE)),
      m_crLogo(::GetSysColor(COLOR_BTNFACE)),
      m_sizeBitmap(0, 0),
      m_nDisplayType(DISPLAY_CENTER),
      m_rcSavedFrame(0, 0, 0, 0),
      m_bFullScreen(FALSE),
      m_bChildWasMaximized(FALSE),
      m_hHiddenMenu(NULL),
      m_nTabsDockBarID(AFX_IDW_DOCKBAR_TOP),
      m_nTabsDockLayer(kDefaultTabsLayer),
      m_bTabsWereVisible(TRUE),
      m_ptTabsFloating(0, 0)
{
    m_strWindowListItem.LoadString(IDS_WINDOW_LIST_ITEM);
    LoadOptions();
}

CMDIClientWnd::~CMDIClientWnd()
{
    DestroyFullScreenToolBar();
    DestroyViewManager();
}

BOOL CMDIClientWnd::SubclassClient(CMDIFrameWnd* pFrame, CViewManager* pViewManager, UINT nID)
{
    if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL || !SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pMainFrame = pFrame;
    if (pViewManager == NULL)
    {
        pViewManager = new CViewManager;
        if (!pViewManager->Create(pFrame, nID))
        {
            delete pViewManager;
            return FALSE;
        }
    }
    m_pViewManager = pViewManager;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontLogo.GetSafeHandle()));
    return TRUE;
}

int CMDIClientWnd::GetTabCount() const
{
    return m_pViewManager != NULL ? m_pViewManager->GetTabCount() : 0;
}

CMDIChildWnd* CMDIClientWnd::GetActiveChild() const
{
    return m_pMainFrame != NULL && m_hWnd != NULL ? m_pMainFrame->MDIGetActive() : NULL;
}

BOOL CMDIClientWnd::CanWriteSettings() const
{
    // A second instance leaves every setting of the first one alone.
    const CWinAppEx* pApp = dynamic_cast<const CWinAppEx*>(AfxGetApp());
    return pApp == NULL || !pApp->IsAlreadyRunning();
}

void CMDIClientWnd::DestroyViewManager()
{
    if (m_pViewManager == NULL)
        return;
    // The bar window goes first: its object must outlive every message it gets.
    if (m_pViewManager->m_hWnd != NULL && ::IsWindow(m_pViewManager->m_hWnd))
        m_pViewManager->DestroyWindow();
    delete m_pViewManager;
    m_pViewManager = NULL;
}

//////////////////////////////////////////////////////////////////////////////
// Appearance

void CMDIClientWnd::RecreateBackgroundBrush()
{
    m_brushBackground.DeleteObject();
    m_brushBackground.CreateSolidBrush(m_crBackground);
}

void CMDIClientWnd::ResetAppearance(BOOL bBitmap, BOOL bClearBitmap)
{
    m_bBackgroundBitmap = bBitmap;
    m_crBackground = ::GetSysColor(COLOR_APPWORKSPACE);
    m_crLogo = ::GetSysColor(COLOR_BTNFACE);
    m_nDisplayType = DISPLAY_CENTER;
    m_strBitmapFileName.Empty();

    LOGFONTA lf;
    memset(&lf, 0, sizeof(lf));
    HDC hScreen = ::GetDC(NULL);
    lf.lfHeight = -::MulDiv(18, ::GetDeviceCaps(hScreen, LOGPIXELSY), 72);
    ::ReleaseDC(NULL, hScreen);
    lf.lfWeight = FW_BOLD;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    lstrcpynA(lf.lfFaceName, "Times New Roman", LF_FACESIZE);
    SetLogoFont(lf);

    RecreateBackgroundBrush();
    if (bClearBitmap)
    {
        m_bitmap.DeleteObject();
        m_sizeBitmap = CSize(0, 0);
    }
    if (m_hWnd != NULL)
        Invalidate();
}

void CMDIClientWnd::SetLogoFont(const LOGFONTA& lf)
{
    m_fontLogo.DeleteObject();
    m_fontLogo.CreateFontIndirect(&lf);
    if (m_hWnd != NULL)
    {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontLogo.GetSafeHandle()));
        Invalidate();
    }
}

BOOL CMDIClientWnd::GetLogoFont(LOGFONTA& lf) const
{
    return m_fontLogo.GetSafeHandle() != NULL && ::GetObjectA(m_fontLogo.GetSafeHandle(), sizeof(lf), &lf) != 0;
}

void CMDIClientWnd::SetBackgroundColor(COLORREF crBackground)
{
    m_crBackground = crBackground;
    RecreateBackgroundBrush();
    if (m_hWnd != NULL)
        Invalidate();
}

void CMDIClientWnd::SetLogoColor(COLORREF crLogo)
{
    m_crLogo = crLogo;
    if (m_hWnd != NULL)
        Invalidate();
}

void CMDIClientWnd::SetDisplayType(int nDisplayType)
{
    m_nDisplayType = nDisplayType >= DISPLAY_TILE && nDisplayType <= DISPLAY_STRETCH ? nDisplayType : DISPLAY_CENTER;
    if (m_hWnd != NULL)
        Invalidate();
}

BOOL CMDIClientWnd::LoadBackgroundBitmap(LPCTSTR pszFileName, UINT nFlags)
{
    if (pszFileName == NULL || *pszFileName == '\0')
        return FALSE;
    HBITMAP hBitmap = (HBITMAP)::LoadImageA(NULL, pszFileName, IMAGE_BITMAP, 0, 0, nFlags | LR_LOADFROMFILE);
    if (hBitmap == NULL)
        return FALSE;
    m_bitmap.DeleteObject();
    m_bitmap.Attach(hBitmap);
    BITMAP bm;
    memset(&bm, 0, sizeof(bm));
    m_bitmap.GetBitmap(&bm);
    m_sizeBitmap = CSize(bm.bmWidth, bm.bmHeight);
    m_strBitmapFileName = pszFileName;
    if (m_hWnd != NULL)
        Invalidate();
    return TRUE;
}

void CMDIClientWnd::LoadOptions()
{
    ResetAppearance(TRUE, TRUE);
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    m_bChildMaximized = pApp->GetProfileInt(kSection, kChildWinState, 0) == 1;

    // A stored font counts only as one whole LOGFONT with a terminated face name.
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    if (pApp->GetProfileBinary(kSection, kLogoFont, &pData, &nBytes))
    {
        LOGFONTA lf;
        if (nBytes == sizeof(lf))
        {
            memcpy(&lf, pData, sizeof(lf));
            if (memchr(lf.lfFaceName, '\0', sizeof(lf.lfFaceName)) != NULL)
                SetLogoFont(lf);
        }
        delete[] pData;
    }

    m_bBackgroundBitmap = pApp->GetProfileInt(kSection, kBkBitmap, 1) != 0;
    const UINT nLogo = pApp->GetProfileInt(kSection, kLogoColor, m_crLogo);
    if (IsValidColor(nLogo))
        m_crLogo = nLogo;
    const UINT nBack = pApp->GetProfileInt(kSection, kBackColor, m_crBackground);
    if (IsValidColor(nBack))
        m_crBackground = nBack;
    RecreateBackgroundBrush();
    SetDisplayType((int)pApp->GetProfileInt(kSection, kDispType, DISPLAY_CENTER));
    if (m_strBitmapFileName.IsEmpty())
    {
        const CString strFileName = pApp->GetProfileString(kSection, kFileName, "");
        LoadBackgroundBitmap(strFileName, LR_LOADMAP3DCOLORS);
    }
}

void CMDIClientWnd::SaveOptions()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !CanWriteSettings())
        return;
    LOGFONTA lf;
    if (GetLogoFont(lf))
        pApp->WriteProfileBinary(kSection, kLogoFont, reinterpret_cast<LPBYTE>(&lf), sizeof(lf));
    pApp->WriteProfileInt(kSection, kLogoColor, (int)m_crLogo);
    pApp->WriteProfileInt(kSection, kBackColor, (int)m_crBackground);
    pApp->WriteProfileInt(kSection, kDispType, m_nDisplayType);
    pApp->WriteProfileInt(kSection, kBkBitmap, m_bBackgroundBitmap ? 1 : 0);
    pApp->WriteProfileString(kSection, kFileName, m_strBitmapFileName);
}

//////////////////////////////////////////////////////////////////////////////
// The Window menu and the children

LRESULT CMDIClientWnd::OnMDISetMenu(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    if (lParam != 0)
        m_hWindowMenu = reinterpret_cast<HMENU>(lParam);
    // In full screen the frame keeps no menu; the one it would show comes back later.
    if (m_bFullScreen && m_pMainFrame != NULL)
    {
        if (wParam != 0)
            m_hHiddenMenu = reinterpret_cast<HMENU>(wParam);
        ::SetMenu(m_pMainFrame->m_hWnd, NULL);
    }
    SendMessage(WM_MDIREFRESHMENU);
    return lResult;
}

LRESULT CMDIClientWnd::OnMDIRefreshMenu(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    PlaceWindowListItem();
    return lResult;
}

void CMDIClientWnd::PlaceWindowListItem()
{
    if (m_hWindowMenu == NULL || !::IsMenu(m_hWindowMenu))
        return;
    // The system's "more windows" item gives way to the window list, in its state.
    UINT nState = MF_ENABLED;
    const UINT nMoreState = ::GetMenuState(m_hWindowMenu, kMoreWindowsItem, MF_BYCOMMAND);
    if (nMoreState != (UINT)-1)
        nState = nMoreState & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    while (::DeleteMenu(m_hWindowMenu, kMoreWindowsItem, MF_BYCOMMAND))
    {
    }
    while (::DeleteMenu(m_hWindowMenu, ID_WINDOW_LIST, MF_BYCOMMAND))
    {
    }
    ::AppendMenuA(m_hWindowMenu, MF_STRING | nState, ID_WINDOW_LIST, m_strWindowListItem);
}

LRESULT CMDIClientWnd::OnMDICreate(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    HWND hWndChild = reinterpret_cast<HWND>(lResult);
    if (hWndChild == NULL)
        return lResult;
    if (GetTabCount() > 0)
    {
        HWND hWndActive = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
        if (hWndActive != NULL)
            m_bChildMaximized = (::GetWindowLongPtrA(hWndActive, GWL_STYLE) & WS_MAXIMIZE) != 0;
    }
    if (m_bChildMaximized)
        SendMessage(WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hWndChild));
    if (m_pViewManager != NULL)
        m_pViewManager->AddTab("", CWnd::FromHandle(hWndChild));
    PlaceWindowListItem();
    return lResult;
}

LRESULT CMDIClientWnd::OnMDIDestroy(WPARAM wParam, LPARAM)
{
    HWND hWndChild = reinterpret_cast<HWND>(wParam);
    if (GetTabCount() == 1 && hWndChild != NULL)
    {
        // The last child tells how the next first one shows.
        m_bChildMaximized = (::GetWindowLongPtrA(hWndChild, GWL_STYLE) & WS_MAXIMIZE) != 0;
        if (CanWriteSettings())
            AfxGetApp()->WriteProfileInt(kSection, kChildWinState, m_bChildMaximized ? 1 : 0);
    }
    if (m_pViewManager != NULL && hWndChild != NULL)
        m_pViewManager->RemoveTab(CWnd::FromHandle(hWndChild));
    const LRESULT lResult = Default();
    PlaceWindowListItem();
    return lResult;
}

//////////////////////////////////////////////////////////////////////////////
// Painting

BOOL CMDIClientWnd::OnEraseBkgnd(CDC*)
{
    // WM_PAINT covers the whole client.
    return TRUE;
}

void CMDIClientWnd::OnSize(UINT nType, int cx, int cy)
{
    Default();
    // The centred bitmap and the logo move with the size: all of it is painted again.
    if ((m_cxLast != 0 || m_cyLast != 0) && (cx != m_cxLast || cy != m_cyLast))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_ALLCHILDREN);
    m_cxLast = cx;
    m_cyLast = cy;
    (void)nType;
}

void CMDIClientWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}

void CMDIClientWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_bitmap.GetSafeHandle() == NULL)
    {
        dc.FillRect(&rcClient, &m_brushBackground);
        DrawLogo(dc, rcClient);
        return;
    }
    PaintBitmap(dc, rcClient);
}

void CMDIClientWnd::PaintBitmap(CDC& dc, const CRect& rcClient)
{
    if (m_nDisplayType == DISPLAY_TILE)
    {
        // Rows of the bitmap from the top left until the client is covered.
        for (int y = 0; y < rcClient.Height(); y += std::max(1L, m_sizeBitmap.cy))
            for (int x = 0; x < rcClient.Width(); x += std::max(1L, m_sizeBitmap.cx))
                dc.DrawState(CPoint(x, y), m_sizeBitmap, &m_bitmap, DST_BITMAP | DSS_NORMAL);
        DrawLogo(dc, rcClient);
        return;
    }

    CDC dcMemory;
    dcMemory.CreateCompatibleDC(&dc);
    CBitmap bmCanvas;
    const CSize sizeCanvas = m_nDisplayType == DISPLAY_STRETCH ? m_sizeBitmap : rcClient.Size();
    bmCanvas.CreateCompatibleBitmap(&dc, std::max(1L, sizeCanvas.cx), std::max(1L, sizeCanvas.cy));
    CBitmap* pOldCanvas = dcMemory.SelectObject(&bmCanvas);
    if (m_nDisplayType == DISPLAY_STRETCH)
    {
        dcMemory.DrawState(CPoint(0, 0), m_sizeBitmap, &m_bitmap, DST_BITMAP | DSS_NORMAL);
        dc.SetStretchBltMode(COLORONCOLOR);
        dc.StretchBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMemory, 0, 0, m_sizeBitmap.cx, m_sizeBitmap.cy,
                      SRCCOPY);
        DrawLogo(dc, rcClient);
    }
    else
    {
        dcMemory.FillRect(&rcClient, &m_brushBackground);
        const CPoint pt((rcClient.Width() - m_sizeBitmap.cx) / 2, (rcClient.Height() - m_sizeBitmap.cy) / 2);
        dcMemory.DrawState(pt, m_sizeBitmap, &m_bitmap, DST_BITMAP | DSS_NORMAL);
        DrawLogo(dcMemory, rcClient);
        dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMemory, 0, 0, SRCCOPY);
    }
    dcMemory.SelectObject(pOldCanvas);
}

void CMDIClientWnd::DrawLogo(CDC& dc, const CRect& rcClient)
{
    CString strLogo;
    strLogo.LoadString(IDR_MAINFRAME);
    CFont* pOldFont = m_fontLogo.GetSafeHandle() != NULL ? dc.SelectObject(&m_fontLogo) : NULL;
    TEXTMETRICA tm;
    dc.GetTextMetrics(&tm);
    const CSize sizeText = dc.GetTextExtent(strLogo);
    CRect rcText(rcClient.right - tm.tmAveCharWidth / 2 - sizeText.cx, rcClient.bottom - tm.tmHeight / 5 - sizeText.cy,
                 rcClient.right, rcClient.bottom);
    const int nShift = tm.tmAveCharWidth / 5;
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF crOld = dc.SetTextColor(RGB(0, 0, 0));
    // Engraved: a dark edge, a light edge, then the text in the logo colour.
    CRect rcShadow(rcText);
    rcShadow.OffsetRect(nShift, 0);
    dc.DrawText(strLogo, &rcShadow, nFormat);
    CRect rcLight(rcText);
    rcLight.OffsetRect(-nShift, 0);
    dc.SetTextColor(RGB(255, 255, 255));
    dc.DrawText(strLogo, &rcLight, nFormat);
    dc.SetTextColor(m_crLogo);
    dc.DrawText(strLogo, &rcText, nFormat);
    dc.SetTextColor(crOld);
    dc.SetBkMode(nOldMode);
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
}

void CMDIClientWnd::OnDestroy()
{
    // The frame leaves full screen before it closes; a window destroyed in it drops
    // what full screen put aside without laying out a frame that is going.
    m_bFullScreen = FALSE;
    m_savedBars.RemoveAll();
    DestroyFullScreenToolBar();
    Default();
    SaveOptions();
    m_fontLogo.DeleteObject();
    DestroyViewManager();
}

//////////////////////////////////////////////////////////////////////////////
// Window commands

void CMDIClientWnd::OnNextWindow()
{
    SendMessage(WM_MDINEXT, 0, 0);
}

void CMDIClientWnd::OnPreviousWindow()
{
    SendMessage(WM_MDINEXT, 0, 1);
}

void CMDIClientWnd::OnCloseActiveWindow()
{
    if (CMDIChildWnd* pChild = GetActiveChild())
        pChild->SendMessage(WM_CLOSE);
}

BOOL CMDIClientWnd::SaveModifiedDocuments(BOOL bStopAtFailure)
{
    BOOL bAllSaved = TRUE;
    CWinApp* pApp = AfxGetApp();
    for (POSITION posTemplate = pApp->GetFirstDocTemplatePosition(); posTemplate != NULL;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
        for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL;)
        {
            CDocument* pDoc = pTemplate->GetNextDoc(pos);
            if (!pDoc->IsModified() || pDoc->DoFileSave())
                continue;
            bAllSaved = FALSE;
            if (bStopAtFailure)
                return FALSE;
        }
    }
    return bAllSaved;
}

void CMDIClientWnd::OnCloseAll()
{
    // A document that was not saved (its Save As cancelled, or the save failed) ends
    // the command: nothing is closed, so no edit is lost.
    if (!SaveModifiedDocuments(TRUE))
        return;
    AfxGetApp()->CloseAllDocuments(FALSE);
}

void CMDIClientWnd::OnSaveAll()
{
    SaveModifiedDocuments(FALSE);
}

void CMDIClientWnd::OnWindowList()
{
    CWindowListDlg dialog(m_pMainFrame);
    dialog.DoModal();
}

void CMDIClientWnd::OnUpdateWindowCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetTabCount() > 0);
}

void CMDIClientWnd::OnToggleFullScreen()
{
    ToggleFullScreen();
}

void CMDIClientWnd::OnUpdateToggleFullScreen(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pMainFrame != NULL);
    pCmdUI->SetCheck(m_bFullScreen ? 1 : 0);
}

BOOL CMDIClientWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_bFullScreen && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        ToggleFullScreen();
    return CWnd::PreTranslateMessage(pMsg);
}

//////////////////////////////////////////////////////////////////////////////
// Full screen

void CMDIClientWnd::ToggleFullScreen()
{
    if (m_pMainFrame == NULL || m_hWnd == NULL)
        return;
    if (m_bFullScreen)
        LeaveFullScreen();
    else
        EnterFullScreen();
}

void CMDIClientWnd::FloatTabsForFullScreen()
{
    if (m_pViewManager == NULL || m_pViewManager->m_hWnd == NULL)
        return;
    m_nTabsDockBarID = m_pViewManager->GetDockBarID();
    m_nTabsDockLayer = m_pViewManager->GetDockLayer();
    m_bTabsWereVisible = m_pViewManager->IsVisible();
    if (m_nTabsDockBarID == AFX_IDW_DOCKBAR_FLOAT)
    {
        CRect rcFloating;
        m_pViewManager->GetParentFrame()->GetWindowRect(&rcFloating);
        m_ptTabsFloating = rcFloating.TopLeft();
    }
    // A hidden tabs bar stays where it is, hidden.
    if (!m_bTabsWereVisible)
        return;
    const CSize sizeBar = m_pViewManager->GetFloatingSize();
    m_pViewManager->FloatAt((::GetSystemMetrics(SM_CXSCREEN) - sizeBar.cx) / 2,
                            ::GetSystemMetrics(SM_CYSCREEN) - 3 * sizeBar.cy);
}

void CMDIClientWnd::RestoreTabsAfterFullScreen()
{
    if (m_pViewManager == NULL || m_pViewManager->m_hWnd == NULL || !m_bTabsWereVisible)
        return;
    // Back on the dock bar and in the row it came from.
    if (m_nTabsDockBarID == AFX_IDW_DOCKBAR_TOP || m_nTabsDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
        m_pViewManager->DockAtFrameSide(m_nTabsDockBarID, m_nTabsDockLayer, m_pMainFrame, false);
    else if (m_nTabsDockBarID == AFX_IDW_DOCKBAR_FLOAT)
        m_pViewManager->FloatAt(m_ptTabsFloating.x, m_ptTabsFloating.y);
    else
        m_pViewManager->DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, kDefaultTabsLayer, m_pMainFrame, false);
}

BOOL CMDIClientWnd::CreateFullScreenToolBar()
{
    m_pFullScreenBar = new CExtToolControlBar;
    if (!m_pFullScreenBar->Create("Full Screen", m_pMainFrame, kFullScreenBarID, kFullScreenBarStyle)
        || !m_pFullScreenBar->LoadToolbarResource(IDR_FULL_SCREEN))
    {
        DestroyFullScreenToolBar();
        return FALSE;
    }
    m_pFullScreenBar->EnableDocking(0);
    CRect rcButton(0, 0, 0, 0);
    m_pFullScreenBar->GetButtonRect(0, rcButton);
    CSize sizeButton = rcButton.Size();
    if (sizeButton.cx <= 0 || sizeButton.cy <= 0)
        sizeButton = m_pFullScreenBar->GetButtonDefaultSize();
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    m_pFullScreenBar->FloatAt(cxScreen - 3 * sizeButton.cx, 3 * sizeButton.cy);
    // A floating frame wider than three buttons (its caption) stays on the screen.
    CFrameWnd* pMiniFrame = m_pFullScreenBar->GetParentFrame();
    CRect rcMiniFrame;
    if (pMiniFrame != NULL && pMiniFrame != m_pMainFrame)
    {
        pMiniFrame->GetWindowRect(&rcMiniFrame);
        if (rcMiniFrame.right > cxScreen)
            m_pFullScreenBar->FloatAt(cxScreen - rcMiniFrame.Width(), rcMiniFrame.top);
    }
    return TRUE;
}

void CMDIClientWnd::DestroyFullScreenToolBar()
{
    if (m_pFullScreenBar == NULL)
        return;
    if (m_pFullScreenBar->m_hWnd != NULL && ::IsWindow(m_pFullScreenBar->m_hWnd))
    {
        // Its floating frame goes with it; the frame takes the bar's window along.
        CFrameWnd* pMiniFrame = m_pFullScreenBar->GetParentFrame();
        if (pMiniFrame != NULL && pMiniFrame != m_pMainFrame)
            pMiniFrame->DestroyWindow();
        else
            m_pFullScreenBar->DestroyWindow();
    }
    delete m_pFullScreenBar;
    m_pFullScreenBar = NULL;
}

void CMDIClientWnd::EnterFullScreen()
{
    CMDIChildWnd* pChild = GetActiveChild();
    m_bChildWasMaximized = pChild != NULL && (pChild->GetStyle() & WS_MAXIMIZE) != 0;
    m_pMainFrame->GetWindowRect(&m_rcSavedFrame);
    FloatTabsForFullScreen();

    m_savedBars.RemoveAll();
    for (UINT nID : kFullScreenHiddenBars)
    {
        CControlBar* pBar = m_pMainFrame->GetControlBar(nID);
        if (pBar == NULL)
            continue;
        CSavedBar saved = { nID, pBar->IsVisible() };
        m_savedBars.Add(saved);
        m_pMainFrame->ShowControlBar(pBar, FALSE, FALSE);
    }
    // The frame's own menu is its menu bar: it goes too.
    m_hHiddenMenu = ::GetMenu(m_pMainFrame->m_hWnd);
    m_bFullScreen = TRUE;
    ::SetMenu(m_pMainFrame->m_hWnd, NULL);

    if (pChild != NULL)
        pChild->ShowWindow(SW_HIDE);
    m_pMainFrame->ModifyStyle(WS_CAPTION, 0);
    // The frame's edges lie just off the screen.
    CRect rcScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    ::AdjustWindowRectEx(&rcScreen, m_pMainFrame->GetStyle(), FALSE, m_pMainFrame->GetExStyle());
    m_pMainFrame->SetWindowPos(NULL, rcScreen.left, rcScreen.top, rcScreen.Width(), rcScreen.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    CreateFullScreenToolBar();
    if (pChild != NULL)
    {
        m_pMainFrame->MDIMaximize(pChild);
        pChild->ShowWindow(SW_SHOW);
    }
    m_pMainFrame->RecalcLayout();
}

void CMDIClientWnd::LeaveFullScreen()
{
    if (!m_bFullScreen || m_pMainFrame == NULL)
        return;
    m_bFullScreen = FALSE;
    for (INT_PTR i = 0; i < m_savedBars.GetSize(); i++)
    {
        if (CControlBar* pBar = m_pMainFrame->GetControlBar(m_savedBars[i].nID))
            m_pMainFrame->ShowControlBar(pBar, m_savedBars[i].bVisible, FALSE);
    }
    m_savedBars.RemoveAll();
    if (m_hHiddenMenu != NULL && ::IsMenu(m_hHiddenMenu))
        ::SetMenu(m_pMainFrame->m_hWnd, m_hHiddenMenu);
    m_hHiddenMenu = NULL;
    RestoreTabsAfterFullScreen();
    DestroyFullScreenToolBar();

    CMDIChildWnd* pChild = GetActiveChild();
    if (pChild != NULL)
        pChild->ShowWindow(SW_HIDE);
    m_pMainFrame->ModifyStyle(0, WS_CAPTION);
    m_pMainFrame->SetWindowPos(NULL, m_rcSavedFrame.left, m_rcSavedFrame.top, m_rcSavedFrame.Width(),
                               m_rcSavedFrame.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_pMainFrame->RecalcLayout();
    // Only a child that exists has a state to restore.
    if (pChild != NULL)
    {
        if (m_bChildWasMaximized)
            m_pMainFrame->MDIMaximize(pChild);
        else
            m_pMainFrame->MDIRestore(pChild);
        pChild->ShowWindow(SW_SHOW);
    }
    m_pMainFrame->DrawMenuBar();
}
