#include "CVornView.h"

#include "CAppSettings.h"
#include "CChildFrame.h"
#include "COutline.h"
#include "CProjectFileEntry.h"
#include "CScintillaLineSource.h"
#include "CVornDoc.h"
#include "CodeTextFont.h"
#include "IDebugSession.h"
#include "IEditorHost.h"
#include "LuaEditorSetup.h"
#include "resource.h"

#include <SciLexer.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CVornView, CView)

BEGIN_MESSAGE_MAP(CVornView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_COMMAND_RANGE(ID_EXPORT_XML, ID_EXPORT_RTF, OnExport)
    // Printing (CVornViewPrint.cpp)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
    ON_UPDATE_COMMAND_UI_RANGE(ID_EXPORT_XML, ID_EXPORT_RTF, OnUpdateExport)
    // Completion and tips (CVornViewCompletion.cpp)
    ON_COMMAND(ID_EDIT_LIST_MEMBERS, OnListMembers)
    ON_COMMAND(ID_EDIT_PARAMETER_INFO, OnParameterInfo)
    ON_COMMAND(ID_EDIT_COMPLETE_WORD, OnCompleteWord)
    ON_COMMAND(ID_EDIT_LIST_PROJECT_FUNCTIONS, OnListProjectFunctions)
    ON_COMMAND(ID_EDIT_LIST_PROJECT_TABLES, OnListProjectTables)
    ON_COMMAND(ID_EDIT_LIST_EXTERNAL_FUNCTIONS, OnListExternalFunctions)
    ON_COMMAND(ID_EDIT_LIST_EXTERNAL_TABLES, OnListExternalTables)
    ON_UPDATE_COMMAND_UI(ID_EDIT_LIST_MEMBERS, OnUpdateListMembers)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PARAMETER_INFO, OnUpdateParameterInfo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COMPLETE_WORD, OnUpdateParameterInfo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_LIST_PROJECT_FUNCTIONS, OnUpdateListOutline)
    ON_UPDATE_COMMAND_UI(ID_EDIT_LIST_PROJECT_TABLES, OnUpdateListOutline)
    ON_UPDATE_COMMAND_UI(ID_EDIT_LIST_EXTERNAL_FUNCTIONS, OnUpdateListOutline)
    ON_UPDATE_COMMAND_UI(ID_EDIT_LIST_EXTERNAL_TABLES, OnUpdateListOutline)
    ON_MESSAGE(WM_LIST_CHOSEN_TABLE_MEMBERS, OnListChosenTableMembers)
    ON_WM_CONTEXTMENU()
    // Edit, Go To and bookmark commands (CVornViewCommands.cpp)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_COMMAND(ID_EDIT_UPPERCASE, OnEditUppercase)
    ON_COMMAND(ID_EDIT_LOWERCASE, OnEditLowercase)
    ON_COMMAND(ID_EDIT_COMMENT_LINES, OnEditCommentLines)
    ON_COMMAND(ID_EDIT_UNCOMMENT_LINES, OnEditUncommentLines)
    ON_COMMAND(ID_EDIT_BOX_COMMENT, OnEditBoxComment)
    ON_COMMAND(ID_EDIT_BOX_UNCOMMENT, OnEditBoxUncomment)
    ON_COMMAND(ID_EDIT_INCREASE_INDENT, OnEditIncreaseIndent)
    ON_COMMAND(ID_EDIT_DECREASE_INDENT, OnEditDecreaseIndent)
    ON_COMMAND(ID_GOTO_LINE, OnGoToLine)
    ON_COMMAND(ID_GOTO_JUMP_TO_CARET, OnJumpToCaret)
    ON_COMMAND(ID_EDIT_TOGGLE_BOOKMARK, OnToggleBookmark)
    ON_COMMAND(ID_EDIT_NEXT_BOOKMARK, OnNextBookmark)
    ON_COMMAND(ID_EDIT_PREVIOUS_BOOKMARK, OnPreviousBookmark)
    ON_COMMAND(ID_EDIT_CLEAR_BOOKMARKS, OnClearBookmarks)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UPPERCASE, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_LOWERCASE, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_BOX_COMMENT, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateNeedText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COMMENT_LINES, OnUpdateNeedText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNCOMMENT_LINES, OnUpdateNeedText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_BOX_UNCOMMENT, OnUpdateBoxUncomment)
    ON_UPDATE_COMMAND_UI(ID_EDIT_INCREASE_INDENT, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_EDIT_DECREASE_INDENT, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_GOTO_LINE, OnUpdateNeedLines)
    ON_UPDATE_COMMAND_UI(ID_GOTO_JUMP_TO_CARET, OnUpdateNeedLines)
    ON_UPDATE_COMMAND_UI(ID_EDIT_TOGGLE_BOOKMARK, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_EDIT_NEXT_BOOKMARK, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PREVIOUS_BOOKMARK, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR_BOOKMARKS, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CARET, OnUpdateCaretPane)
    // Previous/Next Function, named bookmarks, breakpoints (CVornViewNavigation.cpp)
    ON_COMMAND(ID_GOTO_PREVIOUS_FUNCTION, OnPreviousFunction)
    ON_COMMAND(ID_GOTO_NEXT_FUNCTION, OnNextFunction)
    ON_COMMAND(ID_EDIT_NAMED_BOOKMARK, OnNamedBookmark)
    ON_COMMAND(ID_DEBUG_TOGGLE_BREAKPOINT, OnToggleBreakpoint)
    ON_COMMAND(ID_DEBUG_RUN_TO_CURSOR, OnRunToCursor)
    ON_COMMAND(ID_DEBUG_NEW_BREAKPOINT, OnNewBreakpoint)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_NEW_BREAKPOINT, OnUpdateNeedProjectFile)
    ON_UPDATE_COMMAND_UI(ID_GOTO_PREVIOUS_FUNCTION, OnUpdateNeedProjectLines)
    ON_UPDATE_COMMAND_UI(ID_GOTO_NEXT_FUNCTION, OnUpdateNeedProjectLines)
    ON_UPDATE_COMMAND_UI(ID_EDIT_NAMED_BOOKMARK, OnUpdateNamedBookmark)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_TOGGLE_BREAKPOINT, OnUpdateNeedProjectFile)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_RUN_TO_CURSOR, OnUpdateRunToCursor)
    // Synchronize Code Navigator (CVornViewNavigator.cpp)
    ON_COMMAND(ID_GOTO_SYNC_NAVIGATOR, OnSyncNavigator)
    ON_UPDATE_COMMAND_UI(ID_GOTO_SYNC_NAVIGATOR, OnUpdateSyncNavigator)

    // Edit > Code Snippet (CVornViewSnippets.cpp)
    ON_COMMAND(ID_SNIPPET_INSERT, OnSnippetInsert)
    ON_COMMAND(ID_SNIPPET_CREATE_FROM_SELECTION, OnSnippetCreateFromSelection)
    ON_COMMAND_RANGE(ID_SNIPPET_FAVOURITE1, ID_SNIPPET_FAVOURITE10, OnSnippetFavourite)
    ON_UPDATE_COMMAND_UI(ID_SNIPPET_INSERT, OnUpdateSnippetInsert)
    ON_UPDATE_COMMAND_UI(ID_SNIPPET_CREATE_FROM_SELECTION, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SNIPPET_FAVOURITE1, ID_SNIPPET_FAVOURITE10, OnUpdateSnippetFavourite)
END_MESSAGE_MAP()

namespace
{
const UINT kBlockSize = 4096;
const int kWriteRange = kBlockSize - 1; // a text range leaves room for its terminator

// Modifications that can change the document's modified state.
const int kModifyingChanges =
    SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT | SC_PERFORMED_UNDO | SC_PERFORMED_REDO | SC_LASTSTEPINUNDOREDO;

// The colours of the lexer's styles, by settings group.
struct CLuaStyleColours
{
    int nStyle;
    int nGroup;
};

const CLuaStyleColours kLuaStyles[] = {
    {SCE_LUA_DEFAULT, CAppSettings::FandCDefault},
    {SCE_LUA_COMMENT, CAppSettings::FandCComment},
    {SCE_LUA_COMMENTLINE, CAppSettings::FandCComment},
    {SCE_LUA_COMMENTDOC, CAppSettings::FandCComment},
    {SCE_LUA_NUMBER, CAppSettings::FandCNumber},
    {SCE_LUA_STRING, CAppSettings::FandCString},
    {SCE_LUA_IDENTIFIER, CAppSettings::FandCIdentifier},
    {SCE_LUA_OPERATOR, CAppSettings::FandCOperator},
    {SCE_LUA_WORD, CAppSettings::FandCKeyword},
    {SCE_LUA_WORD2, CAppSettings::FandCWord2},
    {SCE_LUA_WORD3, CAppSettings::FandCWord3},
    {SCE_LUA_WORD4, CAppSettings::FandCWord4},
    {SCE_LUA_WORD5, CAppSettings::FandCWord5},
    {SCE_LUA_WORD6, CAppSettings::FandCWord6},
    {SCE_LUA_WORD7, CAppSettings::FandCWord7},
    {SCE_LUA_WORD8, CAppSettings::FandCWord8},
};

// Keyword sets 1 to 7 hold the user word lists 0 to 6.
const int kUserWordSets = 7;

BOOL IsBrace(int ch)
{
    return ch == '(' || ch == ')' || ch == '[' || ch == ']' || ch == '{' || ch == '}';
}

void ActivateFrame(CFrameWnd* pFrame)
{
    if (pFrame->IsIconic())
        pFrame->ActivateFrame(SW_RESTORE);
    pFrame->ActivateFrame(-1);
}

// The loading flag and undo collection come back however a load ends.
class CLoadingScope
{
public:
    CLoadingScope(CVornView& view) : m_view(view)
    {
        m_view.m_ctrl.SetUndoCollection(FALSE);
        m_view.m_nLoading = 1;
    }
    ~CLoadingScope()
    {
        m_view.m_ctrl.SetUndoCollection(TRUE);
        m_view.m_ctrl.EmptyUndoBuffer();
        m_view.m_nLoading = 0;
    }

private:
    CVornView& m_view;
};
} // namespace

CVornView::CVornView()
    : m_nTimerRunning(0), m_nTextChanged(0), m_nBraceCheckAfterCaret(1), m_nHighlightBraceGuide(1), m_nLoading(0),
      m_hPrintHiddenFrame(NULL),
      m_nCallTipParenDepth(0), m_nCallTipStartColumn(0), m_nListShownByCommand(0), m_nWordCompletionRequested(0),
      m_nTableListShown(0), m_nInsertedNameStart(0), m_nInsertedNameEnd(0), m_nValueTipPos(0), m_nValueTipShown(0),
      m_nLastHighlightStart(0), m_nLastHighlightEnd(0)
{
}

CVornView::~CVornView()
{
}

CVornDoc* CVornView::GetDocument() const
{
    return static_cast<CVornDoc*>(m_pDocument);
}

CProjectFileEntry* CVornView::GetProjectFile() const
{
    CVornDoc* pDoc = GetDocument();
    return pDoc != NULL ? pDoc->GetProjectFile() : NULL;
}

void CVornView::OnDraw(CDC* /*pDC*/)
{
    // The control covers the whole client area.
}

/////////////////////////////////////////////////////////////////////////////
// Creation and set-up

int CVornView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    return m_ctrl.CreateFilling(this) ? 0 : -1;
}

void CVornView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    m_ctrl.FitToParent();
}

void CVornView::OnPaint()
{
    CPaintDC dc(this);
}

void CVornView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    IEditorHost& host = IEditorHost::Get();

    LuaEditorSetup::SelectLuaLexer(m_ctrl);
    for (int i = 0; i < kUserWordSets; i++)
        m_ctrl.SetKeyWords(i + 1, host.GetUserWords(i));

    m_ctrl.CallTipSetBack(0xD2FFFF);
    m_ctrl.CallTipSetFore(0);
    m_ctrl.CallTipSetForeHlt(0x0000B4);

    ApplyEditorOptions();

    LuaEditorSetup::SetupFoldMargin(m_ctrl);
    LuaEditorSetup::DefineFoldMarkers(m_ctrl);
    LuaEditorSetup::DefineLineMarkers(m_ctrl);

    StartOutlineTimer();

    m_ctrl.SetMouseDwellTime(100);
    m_ctrl.UsePopUp(SC_POPUP_NEVER); // the view shows its own context menu
}

void CVornView::ApplyEditorOptions()
{
    const CAppSettings& settings = IEditorHost::Get().GetSettings();

    m_ctrl.SetMarginWidthN(MARGIN_LINE_NUMBERS, settings.m_nEDDisplayLineNumbers ? 45 : 0);
    m_ctrl.SetMarginWidthN(MARGIN_MARKERS, settings.m_nEDDisplayMarkersMargin ? 16 : 0);
    m_ctrl.SetMarginWidthN(MARGIN_FOLDING, settings.m_nEDDisplayFoldingMargin ? 16 : 0);

    m_ctrl.SetTabWidth(settings.m_nEDTabSize);
    m_ctrl.SetIndent(settings.m_nEDIndentSize);
    m_ctrl.SetIndentationGuides(settings.m_nEDDisplayIndentationGuides);
    m_ctrl.SetUseTabs(settings.m_nEDKeepTabs);

    // Every style starts from the default one.
    const CAppSettings::CStyleSetting& base = settings.m_FandC[CAppSettings::FandCDefault];
    m_ctrl.StyleSetFore(STYLE_DEFAULT, (COLORREF)base.m_nForeClr);
    m_ctrl.StyleSetBack(STYLE_DEFAULT, (COLORREF)base.m_nBackClr);
    if (settings.m_nFandCSize > 0)
        m_ctrl.StyleSetSize(STYLE_DEFAULT, settings.m_nFandCSize);
    // The setting stays as it is; a face this machine lacks is drawn in a fixed-pitch one.
    m_ctrl.StyleSetFont(STYLE_DEFAULT, GetInstalledCodeFace(settings.m_strFandCFont));
    m_ctrl.StyleSetBold(STYLE_DEFAULT, base.m_nBold != 0);
    m_ctrl.StyleClearAll();

    for (const CLuaStyleColours& style : kLuaStyles)
    {
        const CAppSettings::CStyleSetting& colours = settings.m_FandC[style.nGroup];
        m_ctrl.StyleSetFore(style.nStyle, (COLORREF)colours.m_nForeClr);
        m_ctrl.StyleSetBack(style.nStyle, (COLORREF)colours.m_nBackClr);
        m_ctrl.StyleSetBold(style.nStyle, colours.m_nBold != 0);
    }

    m_ctrl.StyleSetFore(STYLE_BRACELIGHT, 0);
    m_ctrl.StyleSetBack(STYLE_BRACELIGHT, 0xFFFFFF);
    m_ctrl.StyleSetBold(STYLE_BRACELIGHT, TRUE);
    m_ctrl.StyleSetFore(STYLE_BRACEBAD, 0x0000FF);
    m_ctrl.StyleSetBack(STYLE_BRACEBAD, 0xFFFFFF);
    m_ctrl.StyleSetBold(STYLE_BRACEBAD, TRUE);

    m_ctrl.SetViewWS(settings.m_nViewWhiteSpace ? SCWS_VISIBLEALWAYS : SCWS_INVISIBLE);
    m_ctrl.SetViewEOL(settings.m_nViewEndOfLine != 0);
}

UINT CVornView::GetOutlineTimerPeriod(const CAppSettings& settings)
{
    // Below a second the parser would run all the time; the product must stay a
    // valid timer period.
    const LONGLONG nSeconds = std::max(1, settings.m_nEDClassesUpdateInterval);
    return (UINT)std::min<LONGLONG>(nSeconds * 1000, USER_TIMER_MAXIMUM);
}

void CVornView::StartOutlineTimer()
{
    if (SetTimer(OUTLINE_TIMER, GetOutlineTimerPeriod(IEditorHost::Get().GetSettings()), NULL) != 0)
        m_nTimerRunning = 1;
}

void CVornView::StopOutlineTimer()
{
    if (m_nTimerRunning && m_hWnd != NULL)
        KillTimer(OUTLINE_TIMER);
    m_nTimerRunning = 0;
}

/////////////////////////////////////////////////////////////////////////////
// Loading and saving

void CVornView::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        StoreText(ar);
    else
        LoadText(ar);
}

void CVornView::LoadText(CArchive& ar)
{
    m_ctrl.Cancel();
    {
        CLoadingScope loading(*this);
        char buffer[kBlockSize];
        UINT nRead;
        while ((nRead = ar.Read(buffer, kBlockSize)) > 0)
            m_ctrl.AddText((int)nRead, buffer);
    }
    m_ctrl.SetSavePoint();
    m_ctrl.GotoPos(0);
}

void CVornView::StoreText(CArchive& ar)
{
    int nEolMode = IEditorHost::Get().GetSettings().m_nAdvSaveLineEndings;
    if (nEolMode != SC_EOL_CR && nEolMode != SC_EOL_LF)
        nEolMode = SC_EOL_CRLF;
    // The editor keeps the converted text, as one step the user can undo.
    m_ctrl.BeginUndoAction();
    m_ctrl.ConvertEOLs(nEolMode);
    m_ctrl.EndUndoAction();

    const int nLength = m_ctrl.GetLength();
    char buffer[kBlockSize];
    for (int nStart = 0; nStart < nLength; nStart += kWriteRange)
    {
        Sci_TextRange range;
        range.chrg.cpMin = nStart;
        range.chrg.cpMax = std::min(nStart + kWriteRange, nLength);
        range.lpstrText = buffer;
        const int nGot = m_ctrl.GetTextRange(&range);
        ar.Write(buffer, (UINT)nGot);
    }
    // The save point is the document's to set, once the file has really replaced the
    // old one: a save that fails later must leave the text modified.
}

void CVornView::ClearText()
{
    // Emptying the control is no edit of the file: its line records stay.
    const int nWasLoading = m_nLoading;
    m_nLoading = 1;
    m_ctrl.ClearAll();
    m_ctrl.EmptyUndoBuffer();
    m_nLoading = nWasLoading;
}

/////////////////////////////////////////////////////////////////////////////
// Markers

void CVornView::MarkJumpLine(int nLine)
{
    m_ctrl.MarkerAdd(nLine, MARKER_JUMP_LINE);
}

void CVornView::ClearJumpMarks()
{
    m_ctrl.MarkerDeleteAll(MARKER_JUMP_LINE);
}

void CVornView::MarkExecutionLine(int nLine)
{
    m_ctrl.MarkerAdd(nLine, MARKER_EXECUTION_LINE);
}

void CVornView::ClearExecutionMarks()
{
    m_ctrl.MarkerDeleteAll(MARKER_EXECUTION_LINE);
}

void CVornView::ClearBreakpointMarks()
{
    m_ctrl.MarkerDeleteAll(MARKER_BREAKPOINT);
}

void CVornView::ShowBookmarks(CProjectFileEntry* pEntry)
{
    m_ctrl.MarkerDeleteAll(MARKER_BOOKMARK);
    for (int i = 0; pEntry != NULL && i < pEntry->GetBookmarkCount(); i++)
        m_ctrl.MarkerAdd((int)pEntry->GetBookmarkAt(i) - 1, MARKER_BOOKMARK);
}

void CVornView::ShowNamedBookmarks(CProjectFileEntry* pEntry)
{
    m_ctrl.MarkerDeleteAll(MARKER_NAMED_BOOKMARK);
    for (int i = 0; pEntry != NULL && i < pEntry->GetNamedBookmarkCount(); i++)
        m_ctrl.MarkerAdd(pEntry->GetNamedBookmarkAt(i)->GetLine() - 1, MARKER_NAMED_BOOKMARK);
}

void CVornView::ShowBreakpoints(CProjectFileEntry* pEntry)
{
    m_ctrl.MarkerDeleteAll(MARKER_BREAKPOINT);
    for (int i = 0; pEntry != NULL && i < pEntry->GetBreakpointCount(); i++)
        m_ctrl.MarkerAdd(pEntry->GetBreakpointAt(i)->GetLine() - 1, MARKER_BREAKPOINT);
}

void CVornView::StoreBookmarks(CProjectFileEntry* pEntry)
{
    if (pEntry == NULL)
        return;
    CDWordArray lines;
    for (int nLine = m_ctrl.MarkerNext(0, 1 << MARKER_BOOKMARK); nLine >= 0;
         nLine = m_ctrl.MarkerNext(nLine + 1, 1 << MARKER_BOOKMARK))
    {
        lines.Add((DWORD)nLine + 1);
    }
    pEntry->ReplaceBookmarks(lines);
}

/////////////////////////////////////////////////////////////////////////////
// Navigation

void CVornView::ClearJumpMarksOfEveryView()
{
    ClearJumpMarks();
    IEditorHost::Get().ClearJumpMarksInAllViews();
}

// A jump ends the mark of the jump before it: the callers mark the new line afterwards.
void CVornView::GoToLineClamped(int nLine)
{
    ClearJumpMarksOfEveryView();
    m_ctrl.GotoLine(std::max(0, std::min(nLine, m_ctrl.GetLineCount())));
    m_ctrl.GrabFocus();
}

void CVornView::GoToPosClamped(int nPos)
{
    ClearJumpMarksOfEveryView();
    m_ctrl.GotoPos(std::max(0, std::min(nPos, m_ctrl.GetLength())));
    m_ctrl.GrabFocus();
}

void CVornView::FitFrameIntoItsParent()
{
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pRoom = pFrame != NULL && (pFrame->GetStyle() & WS_CHILD) != 0 ? pFrame->GetParent() : NULL;
    if (pRoom == NULL || pFrame->IsZoomed() || pFrame->IsIconic())
        return;
    CRect rcRoom;
    pRoom->GetClientRect(&rcRoom);
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    pRoom->ScreenToClient(&rcFrame);
    if (rcRoom.IsRectEmpty() || (rcFrame & rcRoom) == rcFrame)
        return;
    const int cx = std::min((int)rcFrame.Width(), (int)rcRoom.Width());
    const int cy = std::min((int)rcFrame.Height(), (int)rcRoom.Height());
    const int x = std::max((int)rcRoom.left, std::min((int)rcFrame.left, (int)rcRoom.right - cx));
    const int y = std::max((int)rcRoom.top, std::min((int)rcFrame.top, (int)rcRoom.bottom - cy));
    pFrame->MoveWindow(x, y, cx, cy);
}

void CVornView::BringLineIntoView(int nLine)
{
    FitFrameIntoItsParent();
    m_ctrl.Call(SCI_ENSUREVISIBLEENFORCEPOLICY, nLine);
}

void CVornView::Activate()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        ActivateFrame(pFrame);
    CFrameWnd* pMainFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pMainFrame != NULL && pMainFrame != pFrame)
        ActivateFrame(pMainFrame);
    m_ctrl.GrabFocus();
}

void CVornView::CloseFrame()
{
    IEditorHost::Get().ForgetView(this);
    ClearJumpMarks();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->PostMessage(WM_CLOSE);
}

/////////////////////////////////////////////////////////////////////////////
// Notifications

BOOL CVornView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader != NULL && m_ctrl.m_hWnd != NULL && pHeader->hwndFrom == m_ctrl.m_hWnd)
        DispatchNotification(reinterpret_cast<SCNotification*>(lParam));
    return CView::OnNotify(wParam, lParam, pResult);
}

void CVornView::DispatchNotification(SCNotification* pNotify)
{
    switch (pNotify->nmhdr.code)
    {
    case SCN_STYLENEEDED: OnStyleNeeded(pNotify); break;
    case SCN_CHARADDED: OnCharAdded(pNotify); break;
    case SCN_SAVEPOINTREACHED: OnSavePointReached(pNotify); break;
    case SCN_SAVEPOINTLEFT: OnSavePointLeft(pNotify); break;
    case SCN_MODIFYATTEMPTRO: OnModifyAttemptRO(pNotify); break;
    case SCN_DOUBLECLICK: OnDoubleClick(pNotify); break;
    case SCN_UPDATEUI: OnUpdateUI(pNotify); break;
    case SCN_MODIFIED: OnModified(pNotify); break;
    case SCN_MACRORECORD: OnMacroRecord(pNotify); break;
    case SCN_MARGINCLICK: OnMarginClick(pNotify); break;
    case SCN_NEEDSHOWN: OnNeedShown(pNotify); break;
    case SCN_PAINTED: OnPainted(pNotify); break;
    case SCN_USERLISTSELECTION: OnUserListSelection(pNotify); break;
    case SCN_DWELLSTART: OnDwellStart(pNotify); break;
    case SCN_DWELLEND: OnDwellEnd(pNotify); break;
    case SCN_ZOOM: OnZoom(pNotify); break;
    case SCN_HOTSPOTCLICK: OnHotSpotClick(pNotify); break;
    case SCN_HOTSPOTDOUBLECLICK: OnHotSpotDoubleClick(pNotify); break;
    case SCN_CALLTIPCLICK: OnCallTipClick(pNotify); break;
    // A table list closed without a choice: what is inserted next is no choice of it.
    case SCN_AUTOCCANCELLED: m_nTableListShown = 0; break;
    default: break;
    }
}

BOOL CVornView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_ctrl.m_hWnd == NULL || reinterpret_cast<HWND>(lParam) != m_ctrl.m_hWnd)
        return CView::OnCommand(wParam, lParam);
    switch (HIWORD(wParam))
    {
    case SCEN_CHANGE: OnScChange(); break;
    case SCEN_SETFOCUS: OnScSetFocus(); break;
    case SCEN_KILLFOCUS: OnScKillFocus(); break;
    default: break;
    }
    return TRUE;
}

void CVornView::OnStyleNeeded(SCNotification*) {}
void CVornView::OnSavePointReached(SCNotification*) {}
void CVornView::OnSavePointLeft(SCNotification*) {}
void CVornView::OnModifyAttemptRO(SCNotification*) {}
void CVornView::OnDoubleClick(SCNotification*) {}
void CVornView::OnMacroRecord(SCNotification*) {}
void CVornView::OnNeedShown(SCNotification*) {}
void CVornView::OnPainted(SCNotification*) {}
void CVornView::OnUserListSelection(SCNotification*) {}
void CVornView::OnZoom(SCNotification*) {}
void CVornView::OnHotSpotClick(SCNotification*) {}
void CVornView::OnHotSpotDoubleClick(SCNotification*) {}
void CVornView::OnCallTipClick(SCNotification*) {}
void CVornView::OnScSetFocus() {}
void CVornView::OnScKillFocus() {}
void CVornView::OnScChange() {}

void CVornView::OnUpdateUI(SCNotification* pNotify)
{
    // Scrolling moves no brace. Matching scans the text up to the other brace, which
    // for an unmatched one in a large file takes longer than a keystroke may: it runs
    // when the caret rests (a timer comes only once no input waits).
    if (IEditorHost::Get().GetSettings().m_nEDCheckBraces &&
        (pNotify->updated & (SC_UPDATE_CONTENT | SC_UPDATE_SELECTION)) != 0)
    {
        SetTimer(BRACE_TIMER, USER_TIMER_MINIMUM, NULL);
    }
}

BOOL CVornView::IsOperatorBraceAt(int nPos)
{
    return IsBrace(m_ctrl.GetCharAt(nPos)) && (m_ctrl.GetStyleAt(nPos) & 0x1F) == SCE_LUA_OPERATOR;
}

int CVornView::FindBraceAtCaret()
{
    const int nCaret = m_ctrl.GetCurrentPos();
    const int nLength = m_ctrl.GetLength();
    if (nLength <= 0)
        return -1;
    // Only single-byte characters can be braces.
    if (nCaret > 0 && m_ctrl.PositionBefore(nCaret) == nCaret - 1 && IsOperatorBraceAt(nCaret - 1))
        return nCaret - 1;
    if (m_nBraceCheckAfterCaret && nCaret < nLength && m_ctrl.PositionAfter(nCaret) == nCaret + 1 &&
        IsOperatorBraceAt(nCaret))
    {
        return nCaret;
    }
    return -1;
}

void CVornView::MatchBraces()
{
    const int nBrace = FindBraceAtCaret();
    const int nOpposite = nBrace >= 0 ? m_ctrl.BraceMatch(nBrace) : -1;
    if (nBrace >= 0 && nOpposite < 0)
    {
        m_ctrl.BraceBadLight(nBrace);
        m_ctrl.SetHighlightGuide(0);
        return;
    }
    // With no brace this takes the highlight away.
    m_ctrl.BraceHighlight(nBrace, nOpposite);
    if (m_nHighlightBraceGuide)
    {
        const int nColumn = nBrace >= 0 ? std::min(m_ctrl.GetColumn(nBrace), m_ctrl.GetColumn(nOpposite)) : 0;
        m_ctrl.SetHighlightGuide(nColumn);
    }
}

void CVornView::OnMarginClick(SCNotification* pNotify)
{
    m_ctrl.ToggleFold(m_ctrl.LineFromPosition((int)pNotify->position));
}

void CVornView::OnModified(SCNotification* pNotify)
{
    const int nType = pNotify->modificationType;
    const BOOL bTextChange = (nType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) != 0;
    if (bTextChange)
    {
        m_nTextChanged = 1;
        // The searches around the caret keep the tokens of the lines before the change.
        if (COutlineFile* pFile = GetOutlineFile())
            pFile->m_tokenCache.ForgetFromLine(m_ctrl.LineFromPosition((int)pNotify->position));
    }
    if (m_nLoading)
        return;
    if (nType & SC_MOD_INSERTTEXT)
        NoteChosenTable(pNotify);
    if (nType & kModifyingChanges)
    {
        RefreshTitles();
    }
    // The marked line was where a jump went; once edited it marks nothing any more.
    if (bTextChange)
        ClearJumpMarks();
    if (bTextChange && pNotify->linesAdded != 0)
        ShiftLineRecords(pNotify);
}

void CVornView::RefreshTitles()
{
    CVornDoc* pDoc = GetDocument();
    const int nModified = (pDoc != NULL && pDoc->IsModified()) ? 1 : 0;
    if (nModified == m_nTitleModified)
        return;
    m_nTitleModified = nModified;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->OnUpdateFrameTitle(TRUE);
    IEditorHost::Get().RefreshMainTitle();
}

void CVornView::ShiftLineRecords(SCNotification* pNotify)
{
    CProjectFileEntry* pEntry = GetProjectFile();
    if (pEntry == NULL)
        return;
    const int nLine = m_ctrl.LineFromPosition((int)pNotify->position) + 1;
    const int nShifted = pEntry->ShiftLines(nLine, (int)pNotify->linesAdded);
    // Bookmark markers move with their lines by themselves; the other two are marked
    // again from their records.
    if (nShifted & CProjectFileEntry::SHIFTED_BREAKPOINTS)
    {
        ShowBreakpoints(pEntry);
        IEditorHost::Get().RefreshBreakpointsWindow();
    }
    if (nShifted & CProjectFileEntry::SHIFTED_NAMED_BOOKMARKS)
        ShowNamedBookmarks(pEntry);
}

/////////////////////////////////////////////////////////////////////////////
// Outline refresh

void CVornView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == OUTLINE_TIMER)
    {
        RefreshOutline();
    }
    else if (nIDEvent == BRACE_TIMER)
    {
        KillTimer(BRACE_TIMER);
        MatchBraces();
    }
    CView::OnTimer(nIDEvent);
}

void CVornView::RefreshOutline()
{
    if (!m_nTextChanged)
        return;
    CProjectFileEntry* pEntry = GetProjectFile();
    COutlineFile* pFile = pEntry != NULL ? pEntry->GetOutlineFile() : NULL;
    if (pFile != NULL)
    {
        IEditorHost& host = IEditorHost::Get();
        COutline& outline = host.GetOutline();
        CScintillaLineSource source(m_ctrl);
        if (outline.ReparseFile(pFile, source))
        {
            pFile->m_nChanged = 1;
            outline.PruneStaleNodes(pFile);
            // Tables of other files can follow a changed constructor: every file whose
            // outline changed is shown again.
            for (int i = 0; i < outline.GetFileCount(); i++)
            {
                COutlineFile* pChanged = outline.GetFile(i);
                if (!pChanged->m_nChanged)
                    continue;
                if (pChanged->m_pProjectEntry != NULL)
                    host.RefreshNavigatorFile(pChanged->m_pProjectEntry);
                pChanged->m_nChanged = 0;
            }
            PostRebuildNavigation(pEntry);
        }
    }
    m_nTextChanged = 0;
}

void CVornView::PostRebuildNavigation(CProjectFileEntry* pEntry)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pEntry != NULL)
        pFrame->PostMessage(WM_REBUILD_NAVIGATION, reinterpret_cast<WPARAM>(pEntry->GetOutlineFile()), 0);
}

/////////////////////////////////////////////////////////////////////////////
// Focus and closing

void CVornView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    m_ctrl.SetFocus();
    m_ctrl.GrabFocus();
    PostRebuildNavigation(GetProjectFile());
}

void CVornView::OnClose()
{
    StopOutlineTimer();
    m_ctrl.DestroyWindow();
    CView::OnClose();
}

void CVornView::OnDestroy()
{
    // An evaluation still under way must not answer a view that is gone, and the
    // search must not run in it, however its window went.
    IEditorHost::Get().GetDebugSession().ForgetView(this);
    IEditorHost::Get().ForgetView(this);
    StopOutlineTimer();
    KillTimer(BRACE_TIMER);
    CView::OnDestroy();
}
