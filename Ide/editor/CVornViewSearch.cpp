// The view's search core: the next match of the find state in the control, selected
// and bookmarked as the caller asks. The find and replace commands and Previous/Next
// Function run on it.
#include "CVornView.h"

#include "LuaEditorSetup.h"

#include <algorithm>

namespace
{
// SCI_FINDTEXT's flag for a regular expression.
const int kFindRegExp = 0x00200000;
} // namespace

int CVornView::GetFindFlags() const
{
    int nFlags = 0;
    if (m_find.m_nRegularExpression)
        nFlags |= kFindRegExp;
    if (m_find.m_nWholeWord)
        nFlags |= SCFIND_WHOLEWORD;
    if (m_find.m_nMatchCase)
        nFlags |= SCFIND_MATCHCASE;
    return nFlags;
}

int CVornView::FindNextCore(BOOL bSelect, BOOL bMark)
{
    int nStart = m_ctrl.GetSelectionStart();
    int nEnd = m_ctrl.GetSelectionEnd();
    const int nLength = m_ctrl.GetLength();
    if (nStart != nEnd)
    {
        if (m_find.m_nSearchDown)
        {
            // Past the selection's first character, so the selection is not found again.
            const CString strFirst = GetRangeText(nStart, nStart + 1);
            const BOOL bLeadByte = !strFirst.IsEmpty() && ::IsDBCSLeadByte((BYTE)strFirst[0]);
            nStart = std::min(nLength, nStart + (bLeadByte ? 2 : 1));
        }
        else
        {
            // Searching backwards Scintilla takes only matches that end at or before
            // the range's start: from the selection's start the current match is out
            // of reach while one that ends right where it begins is not.
            nEnd = nStart;
        }
    }
    const int nFlags = GetFindFlags();
    int nFound = m_find.m_nSearchDown ? FindAndSelect(nStart, nLength, nFlags, bSelect, bMark)
                                      : FindAndSelect(nEnd, 0, nFlags, bSelect, bMark);
    if (nFound < 0 && m_find.m_nWrapAround)
    {
        nFound = m_find.m_nSearchDown ? FindAndSelect(0, nLength, nFlags, bSelect, bMark)
                                      : FindAndSelect(nLength, 0, nFlags, bSelect, bMark);
    }
    return nFound;
}

int CVornView::FindNextWaiting(BOOL bSelect, BOOL bMark)
{
    CWaitCursor wait;
    return FindNextCore(bSelect, bMark);
}

int CVornView::FindAndSelect(int nMin, int nMax, int nFlags, BOOL bSelect, BOOL bMark)
{
    Sci_TextToFind find;
    find.chrg.cpMin = nMin;
    find.chrg.cpMax = nMax;
    find.lpstrText = m_find.m_strFind;
    // -1 is no match, -2 a regular expression Scintilla refused: both are misses.
    const int nFound = m_ctrl.FindText(nFlags, &find);
    if (nFound < 0)
        return -1;
    if (bSelect)
        m_ctrl.SetSel(find.chrgText.cpMin, find.chrgText.cpMax);
    if (bMark)
        ToggleBookmarkOnLine(m_ctrl.LineFromPosition(nFound));
    return nFound;
}
