// CScintillaCtrl: one Scintilla editing window ("scintilla", registered by SciLexer.dll),
// with one method per Scintilla message the IDE sends. Each method takes the message's
// arguments in the message's order and a last flag: TRUE calls Scintilla's direct
// function (no trip through the window procedure), FALSE sends the window message.
// Both paths do the same. Positions and lines are 0-based, as Scintilla counts them.
#pragma once

#include <afxwin.h>

#include <Scintilla.h>

class CScintillaCtrl : public CWnd
{
    DECLARE_DYNAMIC(CScintillaCtrl)
public:
    CScintillaCtrl();
    virtual ~CScintillaCtrl();

    // Creates the control as a child window (no text, extended style 0) and takes its
    // direct function. FALSE when the window class is missing (SciLexer.dll not loaded).
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The child that fills a view or host window: visible, a tab stop, id 0.
    BOOL CreateFilling(CWnd* pParentWnd);
    // Moves the control over the whole client area of its parent.
    void FitToParent();

    // Sends any message through the chosen path.
    LRESULT Call(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0, BOOL direct = TRUE);

    // A new instance of a lexer of SciLexer.dll by its name ("lua"), or NULL; the
    // control that receives it through SetILexer owns it.
    static void* CreateLexer(LPCSTR pszName);

    // Adds the text at the end of the document. When the caret was at the end it moves
    // behind the new text, so a pane the user has not clicked in keeps following its
    // output; a caret the user put elsewhere stays where it is. scrollToEnd moves the
    // caret to the new end in any case (the last line shows); update repaints at once.
    void AppendText(LPCTSTR pszText, BOOL scrollToEnd, BOOL update);
    // The selected bytes, as many as there are (a rectangular selection gives each of
    // its lines with a line end), without a terminator; empty without a selection.
    CString GetSelText();

    // Text in and out
    void AddText(int nLength, const char* pText, BOOL direct = TRUE) { Call(SCI_ADDTEXT, (WPARAM)nLength, (LPARAM)pText, direct); }
    void InsertText(int nPos, const char* pText, BOOL direct = TRUE) { Call(SCI_INSERTTEXT, (WPARAM)nPos, (LPARAM)pText, direct); }
    void ClearAll(BOOL direct = TRUE) { Call(SCI_CLEARALL, 0, 0, direct); }
    int GetLength(BOOL direct = TRUE) { return (int)Call(SCI_GETLENGTH, 0, 0, direct); }
    int GetTextLength(BOOL direct = TRUE) { return (int)Call(SCI_GETTEXTLENGTH, 0, 0, direct); }
    int GetCharAt(int nPos, BOOL direct = TRUE) { return (int)Call(SCI_GETCHARAT, (WPARAM)nPos, 0, direct); }
    int GetTextRange(Sci_TextRange* pRange, BOOL direct = TRUE) { return (int)Call(SCI_GETTEXTRANGE, 0, (LPARAM)pRange, direct); }
    int GetLine(int nLine, char* pText, BOOL direct = TRUE) { return (int)Call(SCI_GETLINE, (WPARAM)nLine, (LPARAM)pText, direct); }
    int LineLength(int nLine, BOOL direct = TRUE) { return (int)Call(SCI_LINELENGTH, (WPARAM)nLine, 0, direct); }
    int GetSelText(char* pText, BOOL direct = TRUE) { return (int)Call(SCI_GETSELTEXT, 0, (LPARAM)pText, direct); }
    void ReplaceSel(const char* pText, BOOL direct = TRUE) { Call(SCI_REPLACESEL, 0, (LPARAM)pText, direct); }

    // Undo and save point
    void BeginUndoAction(BOOL direct = TRUE) { Call(SCI_BEGINUNDOACTION, 0, 0, direct); }
    void EndUndoAction(BOOL direct = TRUE) { Call(SCI_ENDUNDOACTION, 0, 0, direct); }
    void SetUndoCollection(BOOL bCollect, BOOL direct = TRUE) { Call(SCI_SETUNDOCOLLECTION, (WPARAM)bCollect, 0, direct); }
    void EmptyUndoBuffer(BOOL direct = TRUE) { Call(SCI_EMPTYUNDOBUFFER, 0, 0, direct); }
    void SetSavePoint(BOOL direct = TRUE) { Call(SCI_SETSAVEPOINT, 0, 0, direct); }
    BOOL GetModify(BOOL direct = TRUE) { return Call(SCI_GETMODIFY, 0, 0, direct) != 0; }
    void Undo(BOOL direct = TRUE) { Call(SCI_UNDO, 0, 0, direct); }
    void Redo(BOOL direct = TRUE) { Call(SCI_REDO, 0, 0, direct); }
    BOOL CanUndo(BOOL direct = TRUE) { return Call(SCI_CANUNDO, 0, 0, direct) != 0; }
    BOOL CanRedo(BOOL direct = TRUE) { return Call(SCI_CANREDO, 0, 0, direct) != 0; }

    // Editing commands
    void Cut(BOOL direct = TRUE) { Call(SCI_CUT, 0, 0, direct); }
    void Copy(BOOL direct = TRUE) { Call(SCI_COPY, 0, 0, direct); }
    void Paste(BOOL direct = TRUE) { Call(SCI_PASTE, 0, 0, direct); }
    void Clear(BOOL direct = TRUE) { Call(SCI_CLEAR, 0, 0, direct); }
    BOOL CanPaste(BOOL direct = TRUE) { return Call(SCI_CANPASTE, 0, 0, direct) != 0; }
    void SelectAll(BOOL direct = TRUE) { Call(SCI_SELECTALL, 0, 0, direct); }
    void UpperCase(BOOL direct = TRUE) { Call(SCI_UPPERCASE, 0, 0, direct); }
    void LowerCase(BOOL direct = TRUE) { Call(SCI_LOWERCASE, 0, 0, direct); }
    void Cancel(BOOL direct = TRUE) { Call(SCI_CANCEL, 0, 0, direct); }
    void ConvertEOLs(int nEolMode, BOOL direct = TRUE) { Call(SCI_CONVERTEOLS, (WPARAM)nEolMode, 0, direct); }

    // Positions and lines
    int GetCurrentPos(BOOL direct = TRUE) { return (int)Call(SCI_GETCURRENTPOS, 0, 0, direct); }
    void SetCurrentPos(int nPos, BOOL direct = TRUE) { Call(SCI_SETCURRENTPOS, (WPARAM)nPos, 0, direct); }
    void GotoPos(int nPos, BOOL direct = TRUE) { Call(SCI_GOTOPOS, (WPARAM)nPos, 0, direct); }
    void GotoLine(int nLine, BOOL direct = TRUE) { Call(SCI_GOTOLINE, (WPARAM)nLine, 0, direct); }
    int LineFromPosition(int nPos, BOOL direct = TRUE) { return (int)Call(SCI_LINEFROMPOSITION, (WPARAM)nPos, 0, direct); }
    int PositionFromLine(int nLine, BOOL direct = TRUE) { return (int)Call(SCI_POSITIONFROMLINE, (WPARAM)nLine, 0, direct); }
    int GetLineEndPosition(int nLine, BOOL direct = TRUE) { return (int)Call(SCI_GETLINEENDPOSITION, (WPARAM)nLine, 0, direct); }
    int GetLineCount(BOOL direct = TRUE) { return (int)Call(SCI_GETLINECOUNT, 0, 0, direct); }
    int GetColumn(int nPos, BOOL direct = TRUE) { return (int)Call(SCI_GETCOLUMN, (WPARAM)nPos, 0, direct); }
    int PositionBefore(int nPos, BOOL direct = TRUE) { return (int)Call(SCI_POSITIONBEFORE, (WPARAM)nPos, 0, direct); }
    int PositionAfter(int nPos, BOOL direct = TRUE) { return (int)Call(SCI_POSITIONAFTER, (WPARAM)nPos, 0, direct); }
    int WordStartPosition(int nPos, BOOL bOnlyWordChars, BOOL direct = TRUE) { return (int)Call(SCI_WORDSTARTPOSITION, (WPARAM)nPos, (LPARAM)bOnlyWordChars, direct); }
    int WordEndPosition(int nPos, BOOL bOnlyWordChars, BOOL direct = TRUE) { return (int)Call(SCI_WORDENDPOSITION, (WPARAM)nPos, (LPARAM)bOnlyWordChars, direct); }
    int PositionFromPoint(int x, int y, BOOL direct = TRUE) { return (int)Call(SCI_POSITIONFROMPOINT, (WPARAM)x, (LPARAM)y, direct); }
    int PointXFromPosition(int nPos, BOOL direct = TRUE) { return (int)Call(SCI_POINTXFROMPOSITION, 0, (LPARAM)nPos, direct); }
    int PointYFromPosition(int nPos, BOOL direct = TRUE) { return (int)Call(SCI_POINTYFROMPOSITION, 0, (LPARAM)nPos, direct); }
    void ScrollCaret(BOOL direct = TRUE) { Call(SCI_SCROLLCARET, 0, 0, direct); }

    // Selection
    int GetSelectionStart(BOOL direct = TRUE) { return (int)Call(SCI_GETSELECTIONSTART, 0, 0, direct); }
    int GetSelectionEnd(BOOL direct = TRUE) { return (int)Call(SCI_GETSELECTIONEND, 0, 0, direct); }
    void SetSelectionStart(int nPos, BOOL direct = TRUE) { Call(SCI_SETSELECTIONSTART, (WPARAM)nPos, 0, direct); }
    void SetSelectionEnd(int nPos, BOOL direct = TRUE) { Call(SCI_SETSELECTIONEND, (WPARAM)nPos, 0, direct); }
    void SetSel(int nAnchor, int nCaret, BOOL direct = TRUE) { Call(SCI_SETSEL, (WPARAM)nAnchor, (LPARAM)nCaret, direct); }
    void HideSelection(BOOL bHide, BOOL direct = TRUE) { Call(SCI_HIDESELECTION, (WPARAM)bHide, 0, direct); }

    // Indentation
    void SetIndent(int nWidth, BOOL direct = TRUE) { Call(SCI_SETINDENT, (WPARAM)nWidth, 0, direct); }
    int GetIndent(BOOL direct = TRUE) { return (int)Call(SCI_GETINDENT, 0, 0, direct); }
    void SetUseTabs(BOOL bUseTabs, BOOL direct = TRUE) { Call(SCI_SETUSETABS, (WPARAM)bUseTabs, 0, direct); }
    void SetTabWidth(int nWidth, BOOL direct = TRUE) { Call(SCI_SETTABWIDTH, (WPARAM)nWidth, 0, direct); }
    void SetLineIndentation(int nLine, int nIndent, BOOL direct = TRUE) { Call(SCI_SETLINEINDENTATION, (WPARAM)nLine, (LPARAM)nIndent, direct); }
    int GetLineIndentation(int nLine, BOOL direct = TRUE) { return (int)Call(SCI_GETLINEINDENTATION, (WPARAM)nLine, 0, direct); }
    int GetLineIndentPosition(int nLine, BOOL direct = TRUE) { return (int)Call(SCI_GETLINEINDENTPOSITION, (WPARAM)nLine, 0, direct); }
    void SetIndentationGuides(int nMode, BOOL direct = TRUE) { Call(SCI_SETINDENTATIONGUIDES, (WPARAM)nMode, 0, direct); }
    void SetHighlightGuide(int nColumn, BOOL direct = TRUE) { Call(SCI_SETHIGHLIGHTGUIDE, (WPARAM)nColumn, 0, direct); }

    // Markers
    void MarkerDefine(int nMarker, int nSymbol, BOOL direct = TRUE) { Call(SCI_MARKERDEFINE, (WPARAM)nMarker, (LPARAM)nSymbol, direct); }
    void MarkerSetFore(int nMarker, COLORREF crFore, BOOL direct = TRUE) { Call(SCI_MARKERSETFORE, (WPARAM)nMarker, (LPARAM)crFore, direct); }
    void MarkerSetBack(int nMarker, COLORREF crBack, BOOL direct = TRUE) { Call(SCI_MARKERSETBACK, (WPARAM)nMarker, (LPARAM)crBack, direct); }
    int MarkerAdd(int nLine, int nMarker, BOOL direct = TRUE) { return (int)Call(SCI_MARKERADD, (WPARAM)nLine, (LPARAM)nMarker, direct); }
    void MarkerDelete(int nLine, int nMarker, BOOL direct = TRUE) { Call(SCI_MARKERDELETE, (WPARAM)nLine, (LPARAM)nMarker, direct); }
    void MarkerDeleteAll(int nMarker, BOOL direct = TRUE) { Call(SCI_MARKERDELETEALL, (WPARAM)nMarker, 0, direct); }
    int MarkerGet(int nLine, BOOL direct = TRUE) { return (int)Call(SCI_MARKERGET, (WPARAM)nLine, 0, direct); }
    int MarkerNext(int nLineStart, int nMarkerMask, BOOL direct = TRUE) { return (int)Call(SCI_MARKERNEXT, (WPARAM)nLineStart, (LPARAM)nMarkerMask, direct); }
    int MarkerPrevious(int nLineStart, int nMarkerMask, BOOL direct = TRUE) { return (int)Call(SCI_MARKERPREVIOUS, (WPARAM)nLineStart, (LPARAM)nMarkerMask, direct); }

    // Margins and folding
    void SetMarginTypeN(int nMargin, int nType, BOOL direct = TRUE) { Call(SCI_SETMARGINTYPEN, (WPARAM)nMargin, (LPARAM)nType, direct); }
    void SetMarginWidthN(int nMargin, int nWidth, BOOL direct = TRUE) { Call(SCI_SETMARGINWIDTHN, (WPARAM)nMargin, (LPARAM)nWidth, direct); }
    void SetMarginMaskN(int nMargin, int nMask, BOOL direct = TRUE) { Call(SCI_SETMARGINMASKN, (WPARAM)nMargin, (LPARAM)nMask, direct); }
    void SetMarginSensitiveN(int nMargin, BOOL bSensitive, BOOL direct = TRUE) { Call(SCI_SETMARGINSENSITIVEN, (WPARAM)nMargin, (LPARAM)bSensitive, direct); }
    int GetFoldLevel(int nLine, BOOL direct = TRUE) { return (int)Call(SCI_GETFOLDLEVEL, (WPARAM)nLine, 0, direct); }
    void ToggleFold(int nLine, BOOL direct = TRUE) { Call(SCI_TOGGLEFOLD, (WPARAM)nLine, 0, direct); }

    // Lexer and styles. The lexer is an object of the lexer library (CreateLexer); the
    // control keeps 8 style bits, so no style-bit count is set.
    void SetILexer(void* pLexer, BOOL direct = TRUE) { Call(SCI_SETILEXER, 0, (LPARAM)pLexer, direct); }
    void SetKeyWords(int nSet, const char* pWords, BOOL direct = TRUE) { Call(SCI_SETKEYWORDS, (WPARAM)nSet, (LPARAM)pWords, direct); }
    void SetProperty(const char* pKey, const char* pValue, BOOL direct = TRUE) { Call(SCI_SETPROPERTY, (WPARAM)pKey, (LPARAM)pValue, direct); }
    void Colourise(int nStart, int nEnd, BOOL direct = TRUE) { Call(SCI_COLOURISE, (WPARAM)nStart, (LPARAM)nEnd, direct); }
    int GetStyleAt(int nPos, BOOL direct = TRUE) { return (int)Call(SCI_GETSTYLEAT, (WPARAM)nPos, 0, direct); }
    void StyleClearAll(BOOL direct = TRUE) { Call(SCI_STYLECLEARALL, 0, 0, direct); }
    void StyleSetFore(int nStyle, COLORREF crFore, BOOL direct = TRUE) { Call(SCI_STYLESETFORE, (WPARAM)nStyle, (LPARAM)crFore, direct); }
    void StyleSetBack(int nStyle, COLORREF crBack, BOOL direct = TRUE) { Call(SCI_STYLESETBACK, (WPARAM)nStyle, (LPARAM)crBack, direct); }
    void StyleSetBold(int nStyle, BOOL bBold, BOOL direct = TRUE) { Call(SCI_STYLESETBOLD, (WPARAM)nStyle, (LPARAM)bBold, direct); }
    void StyleSetSize(int nStyle, int nPoints, BOOL direct = TRUE) { Call(SCI_STYLESETSIZE, (WPARAM)nStyle, (LPARAM)nPoints, direct); }
    void StyleSetFont(int nStyle, const char* pFontName, BOOL direct = TRUE) { Call(SCI_STYLESETFONT, (WPARAM)nStyle, (LPARAM)pFontName, direct); }

    // View
    void SetViewWS(int nMode, BOOL direct = TRUE) { Call(SCI_SETVIEWWS, (WPARAM)nMode, 0, direct); }
    void SetViewEOL(BOOL bVisible, BOOL direct = TRUE) { Call(SCI_SETVIEWEOL, (WPARAM)bVisible, 0, direct); }
    void SetWrapMode(int nMode, BOOL direct = TRUE) { Call(SCI_SETWRAPMODE, (WPARAM)nMode, 0, direct); }
    void UsePopUp(int nMode, BOOL direct = TRUE) { Call(SCI_USEPOPUP, (WPARAM)nMode, 0, direct); }
    void GrabFocus(BOOL direct = TRUE) { Call(SCI_GRABFOCUS, 0, 0, direct); }
    void SetMouseDwellTime(int nMilliseconds, BOOL direct = TRUE) { Call(SCI_SETMOUSEDWELLTIME, (WPARAM)nMilliseconds, 0, direct); }

    // Braces
    void BraceHighlight(int nPosA, int nPosB, BOOL direct = TRUE) { Call(SCI_BRACEHIGHLIGHT, (WPARAM)nPosA, (LPARAM)nPosB, direct); }
    void BraceBadLight(int nPos, BOOL direct = TRUE) { Call(SCI_BRACEBADLIGHT, (WPARAM)nPos, 0, direct); }
    int BraceMatch(int nPos, BOOL direct = TRUE) { return (int)Call(SCI_BRACEMATCH, (WPARAM)nPos, 0, direct); }

    // Completion lists
    void AutoCShow(int nLengthEntered, const char* pItemList, BOOL direct = TRUE) { Call(SCI_AUTOCSHOW, (WPARAM)nLengthEntered, (LPARAM)pItemList, direct); }
    void AutoCCancel(BOOL direct = TRUE) { Call(SCI_AUTOCCANCEL, 0, 0, direct); }
    BOOL AutoCActive(BOOL direct = TRUE) { return Call(SCI_AUTOCACTIVE, 0, 0, direct) != 0; }
    void AutoCSetIgnoreCase(BOOL bIgnoreCase, BOOL direct = TRUE) { Call(SCI_AUTOCSETIGNORECASE, (WPARAM)bIgnoreCase, 0, direct); }

    // Call tips
    void CallTipShow(int nPos, const char* pDefinition, BOOL direct = TRUE) { Call(SCI_CALLTIPSHOW, (WPARAM)nPos, (LPARAM)pDefinition, direct); }
    void CallTipCancel(BOOL direct = TRUE) { Call(SCI_CALLTIPCANCEL, 0, 0, direct); }
    BOOL CallTipActive(BOOL direct = TRUE) { return Call(SCI_CALLTIPACTIVE, 0, 0, direct) != 0; }
    void CallTipSetHlt(int nStart, int nEnd, BOOL direct = TRUE) { Call(SCI_CALLTIPSETHLT, (WPARAM)nStart, (LPARAM)nEnd, direct); }
    void CallTipSetBack(COLORREF crBack, BOOL direct = TRUE) { Call(SCI_CALLTIPSETBACK, (WPARAM)crBack, 0, direct); }
    void CallTipSetFore(COLORREF crFore, BOOL direct = TRUE) { Call(SCI_CALLTIPSETFORE, (WPARAM)crFore, 0, direct); }
    void CallTipSetForeHlt(COLORREF crFore, BOOL direct = TRUE) { Call(SCI_CALLTIPSETFOREHLT, (WPARAM)crFore, 0, direct); }

    // Search and print
    int FindText(int nFlags, Sci_TextToFind* pFind, BOOL direct = TRUE) { return (int)Call(SCI_FINDTEXT, (WPARAM)nFlags, (LPARAM)pFind, direct); }
    int FormatRange(BOOL bDraw, Sci_RangeToFormat* pRange, BOOL direct = TRUE) { return (int)Call(SCI_FORMATRANGE, (WPARAM)bDraw, (LPARAM)pRange, direct); }

    SciFnDirect m_directFunction;   // Scintilla's direct function; NULL until created
    sptr_t m_directPointer;         // the instance it works on; 0 until created

protected:
    afx_msg void OnNcDestroy();
    DECLARE_MESSAGE_MAP()
};
