// CVornView: the editor of one Lua source file, the view of a CVornDoc in a CChildFrame.
// Its whole client area is a Scintilla control set up for Lua: keyword lists, colours
// from the settings, margins, folding and the editor's markers. It loads and saves the
// document's text, keeps the project's breakpoints and named bookmarks on their lines
// while the text changes, and re-parses its file's outline on a timer.
#pragma once

#include <afxwin.h>

#include "CPrintPageEngine.h"
#include "CScintillaCtrl.h"

class CAppSettings;
class COutlineNode;
class CProjectFileEntry;
class CVornDoc;

class CVornView : public CView
{
    DECLARE_DYNCREATE(CVornView)
protected:
    CVornView();

public:
    virtual ~CVornView();

    CVornDoc* GetDocument() const;
    CScintillaCtrl& GetCtrl() { return m_ctrl; }

    virtual void OnDraw(CDC* pDC);
    virtual void OnInitialUpdate();
    // Reads the whole file into the control, or writes the control's text with the
    // line ends of the settings; every other byte stays as it is.
    virtual void Serialize(CArchive& ar);

    // Markers. Lines are 0-based here; the project entry's lists are 1-based.
    void MarkJumpLine(int nLine);
    void ClearJumpMarks();
    void MarkExecutionLine(int nLine);
    void ClearExecutionMarks();
    void ClearBreakpointMarks();
    // Each marks the lines of one of the entry's lists, dropping the marks it had.
    void ShowBookmarks(CProjectFileEntry* pEntry);
    void ShowNamedBookmarks(CProjectFileEntry* pEntry);
    void ShowBreakpoints(CProjectFileEntry* pEntry);
    // The entry's bookmark list becomes the lines that carry the bookmark marker.
    void StoreBookmarks(CProjectFileEntry* pEntry);

    // Moves the caret to a line or position (clamped to the text) and takes the focus.
    void GoToLineClamped(int nLine);
    void GoToPosClamped(int nPos);
    // Moves to the node's definition line and selects its name there.
    void GoToOutlineNode(const COutlineNode* pNode);
    // Brings the view's frame (restored when minimised) and the main window to the front
    // and gives the control the focus.
    void Activate();
    // The main frame forgets the view, the jump marks go and the frame is asked to close.
    void CloseFrame();

    // Margins, tabs, fonts and colours from the settings; run again after the
    // Preferences change.
    void ApplyEditorOptions();

    // Printing (CVornViewPrint.cpp). The print dialog offers the selection when there
    // is one; while the job runs the frame is hidden and the text wraps.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // The page is the drawing rectangle when the caller set one (a preview, a test),
    // else the printer's printable area.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Each draws its band of the page and returns where the text may begin (header)
    // or must end (footer).
    virtual int PrintHeader(CDC* pDC, CPrintInfo* pInfo, Sci_RangeToFormat& range);
    virtual int PrintFooter(CDC* pDC, CPrintInfo* pInfo, Sci_RangeToFormat& range);

    // Empties the control and its undo history.
    virtual void ClearText();

    // Scintilla's notifications, one handler per code (WM_NOTIFY from the control).
    virtual void OnStyleNeeded(SCNotification* pNotify);
    virtual void OnCharAdded(SCNotification* pNotify);
    virtual void OnSavePointReached(SCNotification* pNotify);
    virtual void OnSavePointLeft(SCNotification* pNotify);
    virtual void OnModifyAttemptRO(SCNotification* pNotify);
    virtual void OnDoubleClick(SCNotification* pNotify);
    virtual void OnUpdateUI(SCNotification* pNotify);
    virtual void OnModified(SCNotification* pNotify);
    virtual void OnMacroRecord(SCNotification* pNotify);
    virtual void OnMarginClick(SCNotification* pNotify);
    virtual void OnNeedShown(SCNotification* pNotify);
    virtual void OnPainted(SCNotification* pNotify);
    virtual void OnUserListSelection(SCNotification* pNotify);
    virtual void OnDwellStart(SCNotification* pNotify);
    virtual void OnDwellEnd(SCNotification* pNotify);
    virtual void OnZoom(SCNotification* pNotify);
    virtual void OnHotSpotClick(SCNotification* pNotify);
    virtual void OnHotSpotDoubleClick(SCNotification* pNotify);
    virtual void OnCallTipClick(SCNotification* pNotify);
    // Its focus and change notices (WM_COMMAND from the control).
    virtual void OnScSetFocus();
    virtual void OnScKillFocus();
    virtual void OnScChange();

    // The brace that brace matching works on: the operator brace before the caret, else
    // (when looking after the caret) the one after it; -1 when the caret touches none.
    int FindBraceAtCaret();

    // The outline timer's work: when the text changed since the last run, the file's
    // outline is re-parsed from the control and the navigators follow. Also run by the
    // timer itself; public for callers that need the outline current now.
    void RefreshOutline();
    // The period of the outline timer: EDClassesUpdateInterval seconds, at least one.
    static UINT GetOutlineTimerPeriod(const CAppSettings& settings);

    enum
    {
        OUTLINE_TIMER = 1,
        BRACE_TIMER = 2   // brace matching once the caret rests
    };

    CScintillaCtrl m_ctrl;
    int m_nTimerRunning;          // 1 while the outline timer runs
    int m_nTextChanged;           // an insertion or deletion since the last outline refresh
    int m_nBraceCheckAfterCaret;  // brace matching also looks at the brace after the caret
    int m_nHighlightBraceGuide;   // a matched pair highlights its indentation guide
    int m_nLoading;               // 1 while the document's text is being loaded or cleared
    CPrintPageEngine m_printPages; // the page starts of the last print job
    HWND m_hPrintHiddenFrame;      // the frame a print job hid, until it ends

protected:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    void LoadText(CArchive& ar);
    void StoreText(CArchive& ar);
    void DispatchNotification(SCNotification* pNotify);
    void MatchBraces();
    // A brace at the position that is an operator of the Lua lexer, not one in a string
    // or a comment; a single-byte character (checked by the caller).
    BOOL IsOperatorBraceAt(int nPos);
    void ShiftLineRecords(SCNotification* pNotify);
    CProjectFileEntry* GetProjectFile() const;
    void PostRebuildNavigation(CProjectFileEntry* pEntry);
    void StartOutlineTimer();
    void StopOutlineTimer();
    // The characters a print job prints: the selection (in order, within the text)
    // when the user chose it, else the whole text.
    void GetPrintRange(CPrintInfo* pInfo, long& nStart, long& nEnd);
    void HideFrameForPrinting();
    void ShowFrameAfterPrinting();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // File > Export: asks for the file, runs the format's writer on the control and
    // says so when it failed.
    afx_msg void OnExport(UINT nID);
    afx_msg void OnUpdateExport(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
