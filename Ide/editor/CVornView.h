// CVornView: the editor of one Lua source file, the view of a CVornDoc in a CChildFrame.
// Its whole client area is a Scintilla control set up for Lua: keyword lists, colours
// from the settings, margins, folding and the editor's markers. It loads and saves the
// document's text, keeps the project's breakpoints and named bookmarks on their lines
// while the text changes, and re-parses its file's outline on a timer. It offers
// completion lists and call tips from that outline and, while a debugged script is
// stopped, the values of the words under the mouse.
#pragma once

#include <afxwin.h>

#include "CPrintPageEngine.h"
#include "CScintillaCtrl.h"

// Posted by the view to itself after a table was chosen from a table list: the inserted
// name gives way to that table's member list. wParam and lParam are 0.
#define WM_LIST_CHOSEN_TABLE_MEMBERS (WM_USER + 100)

class CAppSettings;
class IClock;
class COutlineFile;
class COutlineNode;
class COutlineTable;
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
    // This view's marks and, through the host, those of every other open editor.
    void ClearJumpMarksOfEveryView();
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
    // Scrolls the line into view where the user sees it: a frame that reaches out of
    // the MDI client's room (the debugger's panes take most of it) is moved and shrunk
    // into the room first.
    void BringLineIntoView(int nLine);
    // Moves to the node's definition line and selects its name there.
    void GoToOutlineNode(const COutlineNode* pNode);
    // Selects the node's name where its definition line names it (a whole word, case
    // and all); the caret stays where it was when the line does not.
    void SelectNodeName(const COutlineNode* pNode);
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
    // Print Setup belongs to the program; it is offered where a document can print.
    afx_msg void OnFilePrintSetup();
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

    // The child frame's and the main window's titles follow the document's modified
    // state; an edit sets them again only when that state is not the one they show, so
    // typing costs no title updates.
    void RefreshTitles();
    int m_nTitleModified = -1;    // the modified state the titles show; -1 not known

    // The brace that brace matching works on: the operator brace before the caret, else
    // (when looking after the caret) the one after it; -1 when the caret touches none.
    int FindBraceAtCaret();

    // The outline timer's work: when the text changed since the last run, the file's
    // outline is re-parsed from the control and the navigators follow. Also run by the
    // timer itself; public for callers that need the outline current now.
    void RefreshOutline();
    // The period of the outline timer: EDClassesUpdateInterval seconds, at least one.
    static UINT GetOutlineTimerPeriod(const CAppSettings& settings);

    // Completion lists and call tips (CVornViewCompletion.cpp).
    // The member list of the table named before a "." or ":" at the caret (or of the
    // given table; for "self" the table of the enclosing colon method).
    void ListMembers(COutlineTable* pTable = NULL);
    // The words of the document that complete the word before the caret.
    void CompleteWord();
    // The functions (not nested in another node) or the tables of the project's files
    // (bProject) or of the function-definition lists.
    void ListFunctions(BOOL bProject);
    void ListTables(BOOL bProject);
    // The signature of the function whose call the caret is in, its current parameter
    // marked.
    void ShowCallTip();
    void UpdateCallTipHighlight();
    // The debug session's answer for the value-tip word: shown at the word's start,
    // or, empty, the tip goes.
    void ShowDebugValueTip(LPCTSTR pszText);
    // What the view last gave Scintilla: the list, the tip and the tip's marked range.
    const CString& GetLastListText() const { return m_strLastList; }
    const CString& GetLastTipText() const { return m_strLastTip; }
    int GetLastTipHighlightStart() const { return m_nLastHighlightStart; }
    int GetLastTipHighlightEnd() const { return m_nLastHighlightEnd; }
    const CString& GetValueTipWord() const { return m_strValueTipWord; }

    // The search in progress: what the find and replace commands copied from their
    // settings, or what Previous/Next Function set. The ints are 0 or 1.
    struct CFindState
    {
        CString m_strFind;
        CString m_strReplace;
        int m_nMatchCase = 0;
        int m_nSearchDown = 1;
        int m_nWholeWord = 0;
        int m_nWrapAround = 0;
        int m_nRegularExpression = 0;
    };
    CFindState m_find;

    // Search operations (CVornViewSearch.cpp). Each returns the position of the match
    // or -1 when there is none; a miss leaves the selection and the bookmarks alone.
    // The next match of the find state after (down) or before (up) the selection,
    // wrapping around once when the state says so.
    virtual int FindNextCore(BOOL bSelect, BOOL bMark);
    // FindNextCore under the wait cursor.
    virtual int FindNextWaiting(BOOL bSelect, BOOL bMark);
    // One SCI_FINDTEXT over the range (nMin > nMax searches backwards); a match is
    // selected, and its line's bookmark toggled, as asked.
    virtual int FindAndSelect(int nMin, int nMax, int nFlags, BOOL bSelect, BOOL bMark);
    // The Scintilla search flags of the find state.
    int GetFindFlags() const;

    // The find and replace operations of the Find and Replace dialogs and of Find Next
    // (CVornViewFind.cpp). Each takes the find state from the settings first; an empty
    // find text does nothing. A hit of Find Next and Replace moves the Find dialog off
    // the selection; a miss moves the search on to the next document when the options
    // say so.
    virtual void FindNext();
    virtual void SearchNextDocument();
    // Replaces the selection when it is the find text, then finds the next match.
    virtual void Replace();
    // Every match as one undo step; each match of the text as it was is replaced once.
    virtual void ReplaceAll();
    // Toggles the bookmark of each match's line, from the selection to the end.
    virtual void MarkAll();
    // The selection is the text (a match of exactly the selection with a regular
    // expression).
    virtual BOOL SelectionMatches(const CString& strText);
    void CopyFindOptions();
    // Code snippets (CVornViewSnippets.cpp). Inserts the snippet of that name at the
    // caret with its macros expanded, as one undo step; the date macros read the clock
    // once. The caret goes to "$(SetCaret)", else after the inserted text. A name
    // that is no snippet's inserts nothing.
    void ExpandSnippetMacros(LPCTSTR pszName);
    void ExpandSnippetMacros(LPCTSTR pszName, IClock& clock);

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

    // Completion and tips.
    int m_nCallTipParenDepth;     // parentheses open since the call tip's "("
    int m_nCallTipStartColumn;    // byte column of the "(" whose call the tip shows
    CString m_strCallTipText;     // the signature the tip shows
    int m_nListShownByCommand;    // the list came from a list command, not from typing
    int m_nWordCompletionRequested; // Complete Word asked; typing keeps completing
    int m_nTableListShown;        // the list shows tables: a choice lists its members
    CString m_strChosenTable;     // the table chosen from a table list
    int m_nInsertedNameStart;     // where the chosen table's name was inserted
    int m_nInsertedNameEnd;
    CString m_strValueTipWord;    // the word a value tip was asked for; empty: none
    int m_nValueTipPos;           // the start of that word, where its tip shows
    int m_nValueTipShown;         // the call tip showing is that word's value

protected:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    void LoadText(CArchive& ar);
    void StoreText(CArchive& ar);
    // A frame that is neither maximized nor minimized is moved and shrunk into its
    // parent's client area where it reaches out of it.
    void FitFrameIntoItsParent();
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

    // Completion and tips (CVornViewCompletion.cpp).
    // The list in the custom order it is given in, with the ignore-case setting.
    void ShowList(int nTyped, const CString& strList);
    void ShowTip(int nPos, const CString& strText);
    void SetTipHighlight(int nStart, int nEnd);
    // The caret's line, the caret's byte column in it, and the line's text before it.
    int GetCaretLine(int& nColumn);
    CString GetTextBeforeCaret(int nLine, int nColumn);
    COutlineFile* GetOutlineFile() const;
    // The typed-character test of the commands and of OnCharAdded: no selection, the
    // caret after the first character, and that character not in a block comment.
    BOOL CanCompleteAtCaret();
    // Cancels the call tip, whichever it is.
    void CancelCallTip();
    void OnCharAddedWithCallTip(int ch);
    void OnCharAddedWithList(int ch);
    void OnCharAddedPlain(int ch);
    void AutoIndentCaretLine();
    // A table list's choice was inserted: remembered, and its member list asked for.
    void NoteChosenTable(SCNotification* pNotify);
    // Value tips (CVornViewValueTips.cpp).
    // The word of the text at the position, or empty; its start in nStart.
    CString GetWordAt(int nPos, int& nStart);
    void RequestValueTip(const CString& strWord, int nStart);
    // Cancels the call tip only when it shows this view's value tip; the word is
    // forgotten in any case.
    void CancelValueTip();
    BOOL IsValueTipShowing();
    BOOL IsDebuggerStopped();
    void OnControlMouseMove(CPoint point);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The context menu's point: the message's, or below the caret from the keyboard.
    CPoint GetContextMenuPoint(CPoint point);

    CString m_strLastList;
    CString m_strLastTip;
    int m_nLastHighlightStart;
    int m_nLastHighlightEnd;

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
    // Edit > AutoComplete.
    afx_msg void OnListMembers();
    afx_msg void OnParameterInfo();
    afx_msg void OnCompleteWord();
    afx_msg void OnListProjectFunctions();
    afx_msg void OnListProjectTables();
    afx_msg void OnListExternalFunctions();
    afx_msg void OnListExternalTables();
    afx_msg void OnUpdateListMembers(CCmdUI* pCmdUI);
    afx_msg void OnUpdateParameterInfo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateListOutline(CCmdUI* pCmdUI);
    afx_msg LRESULT OnListChosenTableMembers(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);

    // Edit, Go To and bookmark commands and their update rules (CVornViewCommands.cpp).
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnEditPaste();
    afx_msg void OnEditClear();
    afx_msg void OnEditSelectAll();
    afx_msg void OnEditUppercase();
    afx_msg void OnEditLowercase();
    afx_msg void OnEditCommentLines();
    afx_msg void OnEditUncommentLines();
    afx_msg void OnEditBoxComment();
    afx_msg void OnEditBoxUncomment();
    afx_msg void OnEditIncreaseIndent();
    afx_msg void OnEditDecreaseIndent();
    afx_msg void OnGoToLine();
    afx_msg void OnJumpToCaret();
    afx_msg void OnToggleBookmark();
    afx_msg void OnNextBookmark();
    afx_msg void OnPreviousBookmark();
    afx_msg void OnClearBookmarks();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedText(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedLines(CCmdUI* pCmdUI);
    afx_msg void OnUpdateBoxUncomment(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCaretPane(CCmdUI* pCmdUI);
    // Previous/Next Function, named bookmarks, breakpoints and Run To Cursor
    // (CVornViewNavigation.cpp).
    afx_msg void OnPreviousFunction();
    afx_msg void OnNextFunction();
    afx_msg void OnNamedBookmark();
    afx_msg void OnToggleBreakpoint();
    afx_msg void OnNewBreakpoint();
    afx_msg void OnRunToCursor();
    afx_msg void OnUpdateNeedProjectLines(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNamedBookmark(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedProjectFile(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRunToCursor(CCmdUI* pCmdUI);
    // Go To > Synchronize Code Navigator (CVornViewNavigator.cpp).
    afx_msg void OnSyncNavigator();
    afx_msg void OnUpdateSyncNavigator(CCmdUI* pCmdUI);
    // Edit > Code Snippet (CVornViewSnippets.cpp).
    afx_msg void OnSnippetInsert();
    afx_msg void OnSnippetCreateFromSelection();
    afx_msg void OnSnippetFavourite(UINT nID);
    afx_msg void OnUpdateSnippetInsert(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSnippetFavourite(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

public:
    // The 0-based line Go To Line moves to for the typed 1-based number.
    static int GetGoToTargetLine(int nTyped, int nLineCount);
    // The caret pane's text: line, column and position, all 0-based.
    CString GetCaretPositionText();

protected:
    BOOL HasSelection();
    // A line's length without its line end.
    int GetLineTextLength(int nLine);
    CString GetRangeText(int nStart, int nEnd);
    // The lines the line comment commands work on for the selection.
    void GetCommentedLines(int nStart, int nEnd, int& nFirst, int& nLast);
    // Start and end selected again, the caret at the start when it was there before.
    void RestoreSelection(int nStart, int nEnd, BOOL bBackwards);
    // Every character of the range is styled as a block comment.
    BOOL IsBlockCommentAt(int nPos, int nLength);
    int FindBlockCloser(int nFrom);
    int FindBlockOpener(int nFrom);
    // The bookmark marker of the line on or off, and the entry's list with it when the
    // file has an entry.
    void ToggleBookmarkOnLine(int nLine);
    // Previous/Next Function: the next whole word "function" up or down, no wrap.
    void FindFunctionKeyword(BOOL bDown);
    // The caret's 0-based line.
    int GetCurrentLine();
    // Adds the named bookmark on the line after asking its name; refuses a name the
    // file has already (without regard to case).
    void AddNamedBookmarkAt(CProjectFileEntry* pEntry, int nLine);
    // The search (CVornViewFind.cpp).
    // A position one character on in the direction, or the same at the text's end.
    int StepPosition(int nPos, BOOL bForward);
    // FindNextWaiting with selection that steps past an empty match at the caret.
    int FindNextSelecting();
    void FinishFind(int nFound);
    // The first match within the range (nFrom > nTo: backwards), or -1; its end too.
    int FindMatchInRange(int nFrom, int nTo, int& nMatchEnd);
    // Replaces the range with the replacement text; the end of the inserted text.
    int ReplaceMatch(int nStart, int nEnd);
    // Replace All from the first match on; where the caret ends.
    int ReplaceEveryMatch(int nStart, int nEnd);
    // Every selected line's indentation by one indent step in or out (+1, -1).
    void ShiftIndentation(int nDirection);
};
