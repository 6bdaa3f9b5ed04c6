// The view's find and replace operations, which the main frame runs for the Find and
// Replace dialogs and for Find Next and Find Previous. They take the options from the
// settings and search with the view's search core.
#include "CVornView.h"

#include "CAppSettings.h"
#include "IEditorHost.h"

namespace
{
// Many selections or edits in a row: the control is painted once at the end, not
// scrolled and drawn at each step.
class CRedrawFreeze
{
public:
    explicit CRedrawFreeze(CScintillaCtrl& ctrl) : m_ctrl(ctrl) { m_ctrl.SetRedraw(FALSE); }
    ~CRedrawFreeze()
    {
        m_ctrl.SetRedraw(TRUE);
        m_ctrl.Invalidate();
        m_ctrl.Call(SCI_SCROLLCARET);
    }

private:
    CScintillaCtrl& m_ctrl;
};
} // namespace

void CVornView::CopyFindOptions()
{
    const CAppSettings& settings = IEditorHost::Get().GetSettings();
    m_find.m_strFind = settings.m_strFRFind;
    m_find.m_strReplace = settings.m_strFRReplace;
    m_find.m_nMatchCase = settings.m_nFRMatchCase != 0;
    m_find.m_nSearchDown = settings.m_nFRSearchUp == 0;
    m_find.m_nWholeWord = settings.m_nFRMatchWholeWord != 0;
    m_find.m_nWrapAround = settings.m_nFRWrapAround != 0;
    m_find.m_nRegularExpression = settings.m_nFRRegularExpression != 0;
}

int CVornView::StepPosition(int nPos, BOOL bForward)
{
    return (int)m_ctrl.Call(bForward ? SCI_POSITIONAFTER : SCI_POSITIONBEFORE, (WPARAM)nPos, 0);
}

int CVornView::FindNextSelecting()
{
    const int nCaret = m_ctrl.GetSelectionStart();
    const BOOL bWasEmpty = nCaret == m_ctrl.GetSelectionEnd();
    int nFound = FindNextWaiting(TRUE, FALSE);
    // An empty match where the caret stood is the one found last time (a pattern such
    // as "^"): the search goes on one character further.
    if (nFound >= 0 && bWasEmpty && nFound == nCaret && m_ctrl.GetSelectionEnd() == nCaret)
    {
        const int nStep = StepPosition(nCaret, m_find.m_nSearchDown);
        if (nStep == nCaret && !m_find.m_nWrapAround)
            return -1;
        if (nStep == nCaret)
        {
            // At the end of the text: wrapping goes on from the other end.
            const int nOtherEnd = m_find.m_nSearchDown ? 0 : m_ctrl.GetLength();
            m_ctrl.SetSel(nOtherEnd, nOtherEnd);
        }
        else if (m_find.m_nSearchDown)
            m_ctrl.SetSel(nCaret, nStep);
        else
            m_ctrl.SetSel(nStep, nCaret);
        nFound = FindNextWaiting(TRUE, FALSE);
        if (nFound < 0)
            m_ctrl.SetSel(nCaret, nCaret);
    }
    return nFound;
}

void CVornView::FinishFind(int nFound)
{
    if (nFound >= 0)
        IEditorHost::Get().MoveFindDialogFromCaret();
    else
        SearchNextDocument();
}

void CVornView::FindNext()
{
    CopyFindOptions();
    // An empty pattern would match everywhere: there is nothing to find.
    if (m_find.m_strFind.IsEmpty())
        return;
    FinishFind(FindNextSelecting());
}

void CVornView::SearchNextDocument()
{
    IEditorHost::Get().UpdateCachedActiveView();
}

BOOL CVornView::SelectionMatches(const CString& strText)
{
    const int nStart = m_ctrl.GetSelectionStart();
    const int nEnd = m_ctrl.GetSelectionEnd();
    if (m_find.m_nRegularExpression)
    {
        // Only a match that covers the selection exactly.
        int nMatchEnd = -1;
        return FindMatchInRange(nStart, nEnd, nMatchEnd) == nStart && nMatchEnd == nEnd;
    }
    if (nEnd - nStart != strText.GetLength())
        return FALSE;
    const CString strSelected = GetRangeText(nStart, nEnd);
    return m_find.m_nMatchCase ? strSelected == strText : strSelected.CompareNoCase(strText) == 0;
}

int CVornView::FindMatchInRange(int nFrom, int nTo, int& nMatchEnd)
{
    Sci_TextToFind find;
    find.chrg.cpMin = nFrom;
    find.chrg.cpMax = nTo;
    find.lpstrText = m_find.m_strFind;
    const int nFound = m_ctrl.FindText(GetFindFlags(), &find);
    nMatchEnd = nFound >= 0 ? (int)find.chrgText.cpMax : -1;
    return nFound >= 0 ? nFound : -1;
}

void CVornView::Replace()
{
    CopyFindOptions();
    if (m_find.m_strFind.IsEmpty())
        return;
    if (SelectionMatches(m_find.m_strFind))
        m_ctrl.ReplaceSel(m_find.m_strReplace);
    FinishFind(FindNextSelecting());
}

void CVornView::ReplaceAll()
{
    CWaitCursor wait;
    CopyFindOptions();
    if (m_find.m_strFind.IsEmpty())
        return;
    if (!SelectionMatches(m_find.m_strFind) && FindNextCore(TRUE, FALSE) < 0)
    {
        SearchNextDocument();
        return;
    }
    m_ctrl.Call(SCI_HIDESELECTION, 1);
    {
        CRedrawFreeze freeze(m_ctrl);
        // Only the changes the view follows are reported while the replacements run.
        const LPARAM nEventMask = (LPARAM)m_ctrl.Call(SCI_GETMODEVENTMASK);
        m_ctrl.Call(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
        m_ctrl.Call(SCI_BEGINUNDOACTION);
        const int nCaret = ReplaceEveryMatch(m_ctrl.GetSelectionStart(), m_ctrl.GetSelectionEnd());
        m_ctrl.Call(SCI_ENDUNDOACTION);
        m_ctrl.Call(SCI_SETMODEVENTMASK, (WPARAM)nEventMask);
        m_ctrl.SetSel(nCaret, nCaret);
    }
    SearchNextDocument();
    m_ctrl.Call(SCI_HIDESELECTION, 0);
    RefreshTitles();
}

int CVornView::ReplaceMatch(int nStart, int nEnd)
{
    m_ctrl.Call(SCI_SETTARGETRANGE, (WPARAM)nStart, (LPARAM)nEnd);
    const int nLength = (int)m_ctrl.Call(SCI_REPLACETARGET, (WPARAM)m_find.m_strReplace.GetLength(),
                                         (LPARAM)(LPCTSTR)m_find.m_strReplace);
    return nStart + nLength;
}

int CVornView::ReplaceEveryMatch(int nStart, int nEnd)
{
    // Each match of the text as it was is replaced once; the search goes on after the
    // inserted text, never into it, and after an empty match one character further.
    // With wrap around it goes on from the other end up to where it began.
    const BOOL bDown = m_find.m_nSearchDown;
    const BOOL bWrap = m_find.m_nWrapAround;
    int nBegin = bDown ? nStart : -1;   // searching down: where the first match began
    int nBeginEnd = -1;                 // searching up: where the first replacement ends
    BOOL bWrapped = FALSE;
    int nCaret = nStart;
    for (;;)
    {
        const BOOL bEmpty = nStart == nEnd;
        const int nInsertedEnd = ReplaceMatch(nStart, nEnd);
        nCaret = nInsertedEnd;
        // Where the first match was moves with the replacements before it.
        const int nShift = (nInsertedEnd - nStart) - (nEnd - nStart);
        if (bDown && nStart < nBegin)
            nBegin += nShift;
        if (!bDown && nBeginEnd >= 0 && nStart < nBeginEnd)
            nBeginEnd += nShift;
        if (!bDown && nBeginEnd < 0)
            nBeginEnd = nInsertedEnd;
        int nFrom = bDown ? nInsertedEnd : nStart;
        BOOL bAtEnd = FALSE;
        if (bEmpty)
        {
            const int nStep = StepPosition(nFrom, bDown);
            bAtEnd = nStep == nFrom;
            nFrom = nStep;
        }
        const int nLimit = bDown ? (bWrapped ? nBegin : m_ctrl.GetLength()) : (bWrapped ? nBeginEnd : 0);
        int nMatchEnd = -1;
        int nFound = -1;
        if (!bAtEnd && (bDown ? nFrom <= nLimit : nFrom >= nLimit))
            nFound = FindMatchInRange(nFrom, nLimit, nMatchEnd);
        if (nFound < 0 && bWrap && !bWrapped)
        {
            bWrapped = TRUE;
            nFound = bDown ? FindMatchInRange(0, nBegin, nMatchEnd)
                           : FindMatchInRange(m_ctrl.GetLength(), nBeginEnd, nMatchEnd);
        }
        // Past the wrap, a match must lie wholly in the text not yet searched; an empty
        // one where the first replacement was is that match again.
        if (nFound < 0)
            break;
        if (bWrapped && bDown && nFound >= nBegin)
            break;
        if (bWrapped && !bDown && (nFound < nBeginEnd || (nFound == nBeginEnd && nMatchEnd == nFound)))
            break;
        nStart = nFound;
        nEnd = nMatchEnd;
    }
    return nCaret;
}

void CVornView::MarkAll()
{
    CopyFindOptions();
    if (m_find.m_strFind.IsEmpty())
        return;
    m_find.m_nSearchDown = 1;
    m_find.m_nWrapAround = 0;
    CRedrawFreeze freeze(m_ctrl);
    // Each match toggles its line; the next search starts one character after the
    // match's start (so a line holding the text twice is toggled twice, and an empty
    // match is taken once). The last match ends up selected.
    const int nFlags = GetFindFlags();
    int nLast = -1;
    for (int nFound = FindNextCore(FALSE, TRUE); nFound >= 0;)
    {
        nLast = nFound;
        const int nFrom = StepPosition(nFound, TRUE);
        if (nFrom == nFound)
            break;
        nFound = FindAndSelect(nFrom, m_ctrl.GetLength(), nFlags, FALSE, TRUE);
    }
    int nLastEnd = -1;
    if (nLast >= 0 && FindMatchInRange(nLast, m_ctrl.GetLength(), nLastEnd) == nLast)
        m_ctrl.SetSel(nLast, nLastEnd);
}
