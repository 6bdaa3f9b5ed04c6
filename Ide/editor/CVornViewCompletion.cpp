// CVornView: completion lists, call tips and the typed characters that start them.
#include "CVornView.h"

#include "CAppSettings.h"
#include "CCompletionEngine.h"
#include "COutline.h"
#include "CProjectFileEntry.h"
#include "CScintillaLineSource.h"
#include "CVornDoc.h"
#include "IEditorHost.h"
#include "resource.h"

#include <SciLexer.h>

namespace
{
const CAppSettings& Settings()
{
    return IEditorHost::Get().GetSettings();
}

COutline& Outline()
{
    return IEditorHost::Get().GetOutline();
}

BOOL IsLineEnd(int ch)
{
    return ch == '\r' || ch == '\n';
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Helpers

void CVornView::ShowList(int nTyped, const CString& strList)
{
    m_ctrl.AutoCSetIgnoreCase(Settings().m_nEDAutoCompleteIgnoreCase != 0);
    // The lists come sorted without case, or in document order: Scintilla's presorted
    // mode would search them with its own folding and miss the typed prefix.
    m_ctrl.Call(SCI_AUTOCSETORDER, SC_ORDER_CUSTOM);
    m_strLastList = strList;
    m_ctrl.AutoCShow(nTyped, strList);
}

void CVornView::ShowTip(int nPos, const CString& strText)
{
    m_strLastTip = strText;
    m_nLastHighlightStart = m_nLastHighlightEnd = 0;
    m_nValueTipShown = 0;
    m_ctrl.CallTipShow(nPos, strText);
}

void CVornView::SetTipHighlight(int nStart, int nEnd)
{
    m_nLastHighlightStart = nStart;
    m_nLastHighlightEnd = nEnd;
    m_ctrl.CallTipSetHlt(nStart, nEnd);
}

void CVornView::CancelCallTip()
{
    m_ctrl.CallTipCancel();
    m_nValueTipShown = 0;
}

int CVornView::GetCaretLine(int& nColumn)
{
    const int nCaret = m_ctrl.GetCurrentPos();
    const int nLine = m_ctrl.LineFromPosition(nCaret);
    nColumn = nCaret - m_ctrl.PositionFromLine(nLine);
    return nLine;
}

CString CVornView::GetTextBeforeCaret(int nLine, int nColumn)
{
    CScintillaLineSource source(m_ctrl);
    return COutline::GetTextBeforeCaret(source, nLine, nColumn);
}

COutlineFile* CVornView::GetOutlineFile() const
{
    CProjectFileEntry* pEntry = GetProjectFile();
    return pEntry != NULL ? pEntry->GetOutlineFile() : NULL;
}

BOOL CVornView::CanCompleteAtCaret()
{
    const int nCaret = m_ctrl.GetCurrentPos();
    if (nCaret <= 0 || m_ctrl.GetSelectionStart() != m_ctrl.GetSelectionEnd())
        return FALSE;
    // A character just typed has no style yet: the lexer styles up to it first. It
    // starts at the line's start, as the control's own styling does: started inside a
    // word it would never see the word whole, and keywords, comments and folds are lost.
    const int nEndStyled = (int)m_ctrl.Call(SCI_GETENDSTYLED);
    if (nEndStyled < nCaret)
        m_ctrl.Colourise(m_ctrl.PositionFromLine(m_ctrl.LineFromPosition(nEndStyled)), nCaret);
    return (m_ctrl.GetStyleAt(nCaret - 1) & 0x1F) != SCE_LUA_COMMENT;
}

/////////////////////////////////////////////////////////////////////////////
// Typed characters

void CVornView::OnCharAdded(SCNotification* pNotify)
{
    if (!CanCompleteAtCaret())
        return;
    // Typing ends a value tip; a Parameter Info tip stays with the call.
    if (IsValueTipShowing())
        CancelValueTip();
    const int ch = pNotify->ch;
    if (m_ctrl.CallTipActive())
        OnCharAddedWithCallTip(ch);
    else if (m_ctrl.AutoCActive())
        OnCharAddedWithList(ch);
    else
        OnCharAddedPlain(ch);
}

void CVornView::OnCharAddedWithCallTip(int ch)
{
    const BOOL bCallTips = Settings().m_nEDCallTipEnable != 0;
    if (ch == ')')
    {
        // The tip follows the call the caret is back in, and goes with the last ")".
        if (--m_nCallTipParenDepth >= 1)
        {
            if (bCallTips)
                ShowCallTip();
        }
        else
        {
            CancelCallTip();
        }
    }
    else if (ch == '(')
    {
        m_nCallTipParenDepth++;
        if (bCallTips)
            ShowCallTip();
    }
    else
    {
        UpdateCallTipHighlight();
    }
}

void CVornView::OnCharAddedWithList(int ch)
{
    if (ch == '(')
    {
        m_nCallTipParenDepth++;
        if (Settings().m_nEDCallTipEnable)
            ShowCallTip();
    }
    else if (ch == ')')
    {
        m_nCallTipParenDepth--;
    }
    else if (m_nListShownByCommand)
    {
        // Scintilla narrows a command's list itself.
        m_nWordCompletionRequested = 0;
    }
    else if (Settings().m_nEDAutoCompleteWord || m_nWordCompletionRequested)
    {
        CompleteWord();
    }
}

void CVornView::OnCharAddedPlain(int ch)
{
    const CAppSettings& settings = Settings();
    m_nListShownByCommand = 0;
    if (IsLineEnd(ch))
    {
        if (settings.m_nEDAutoIndent)
            AutoIndentCaretLine();
        m_nWordCompletionRequested = 0;
    }
    else if (ch == '(')
    {
        m_nCallTipParenDepth = 1;
        if (settings.m_nEDCallTipEnable)
            ShowCallTip();
    }
    else if (ch == '.' || ch == ':')
    {
        if (settings.m_nEDAutoCompleteListMembers)
            ListMembers();
    }
    else if (CCompletionEngine::IsWordChar(ch))
    {
        if (settings.m_nEDAutoCompleteWord)
            CompleteWord();
    }
}

void CVornView::AutoIndentCaretLine()
{
    int nColumn = 0;
    const int nLine = GetCaretLine(nColumn);
    int nIndent = 0;
    for (int nAbove = nLine - 1; nAbove >= 0; nAbove--)
    {
        if (m_ctrl.GetLineEndPosition(nAbove) > m_ctrl.PositionFromLine(nAbove))
        {
            nIndent = m_ctrl.GetLineIndentation(nAbove);
            break;
        }
    }
    if (nIndent <= 0)
        return;
    // The caret keeps its place in the line's text, after the new indentation.
    const int nLineStart = m_ctrl.PositionFromLine(nLine);
    const int nPastIndent = std::max(0, nColumn - (m_ctrl.GetLineIndentPosition(nLine) - nLineStart));
    m_ctrl.SetLineIndentation(nLine, nIndent);
    m_ctrl.GotoPos(m_ctrl.GetLineIndentPosition(nLine) + nPastIndent);
}

/////////////////////////////////////////////////////////////////////////////
// Lists

void CVornView::ListMembers(COutlineTable* pTable)
{
    int nColumn = 0;
    const int nLine = GetCaretLine(nColumn);
    CString strText = GetTextBeforeCaret(nLine, nColumn);
    const int nLength = strText.GetLength();
    if (nLength == 0 || (strText[nLength - 1] != '.' && strText[nLength - 1] != ':'))
        return;
    const BOOL bMethods = strText[nLength - 1] == ':';
    strText.Truncate(nLength - 1);

    if (pTable == NULL)
    {
        COutline& outline = Outline();
        if (COutline::IsSelfBeforeCaret(strText))
        {
            CScintillaLineSource source(m_ctrl);
            COutlineFunction* pMethod = outline.FindSelfMethod(nLine, nColumn, source, GetOutlineFile());
            pTable = pMethod != NULL ? pMethod->m_pParentTable : NULL;
        }
        else
        {
            pTable = outline.FindTableBeforeCaret(strText, GetOutlineFile());
        }
    }
    if (pTable == NULL)
        return;

    CString strList;
    {
        CStringArray names;
        CCompletionEngine::CollectMembers(pTable, bMethods, names);
        strList = CCompletionEngine::SortAndJoin(names);
    }
    if (strList.IsEmpty())
        return;
    ShowList(0, strList);
    m_nListShownByCommand = 1;
}

void CVornView::CompleteWord()
{
    const int nCaret = m_ctrl.GetCurrentPos();
    int nStart = nCaret;
    while (nStart > 0 && CCompletionEngine::IsWordChar(m_ctrl.GetCharAt(nStart - 1)))
        nStart--;
    if (nStart == nCaret)
        return;
    CString strTyped;
    Sci_TextRange range;
    range.chrg.cpMin = nStart;
    range.chrg.cpMax = nCaret;
    range.lpstrText = strTyped.GetBuffer(nCaret - nStart + 1);
    m_ctrl.GetTextRange(&range);
    strTyped.ReleaseBuffer(nCaret - nStart);
    if (CCompletionEngine::IsDigitsOnly(strTyped))
        return;

    // The document is read in place, not searched occurrence by occurrence, and the words
    // go straight into the list: this runs on every keystroke.
    const char* pText = reinterpret_cast<const char*>(m_ctrl.Call(SCI_GETCHARACTERPOINTER));
    CString strList;
    if (CCompletionEngine::CollectWords(pText, m_ctrl.GetLength(), strTyped,
                                        Settings().m_nEDAutoCompleteIgnoreCase == 0, nStart, strList) == 0)
    {
        m_ctrl.AutoCCancel();
        return;
    }
    ShowList(nCaret - nStart, strList);
}

void CVornView::ListFunctions(BOOL bProject)
{
    CString strList;
    {
        // The names go before the list shows: Scintilla builds its own copy of
        // thousands of items faster on a heap without them.
        CStringArray names;
        CCompletionEngine::CollectFunctions(Outline(), bProject, names);
        strList = CCompletionEngine::SortAndJoin(names);
    }
    if (strList.IsEmpty())
        return;
    ShowList(0, strList);
    m_nListShownByCommand = 1;
    m_nWordCompletionRequested = 0;
}

void CVornView::ListTables(BOOL bProject)
{
    CString strList;
    {
        CStringArray names;
        CCompletionEngine::CollectTables(Outline(), bProject, names);
        strList = CCompletionEngine::SortAndJoin(names);
    }
    if (strList.IsEmpty())
        return;
    ShowList(0, strList);
    m_nListShownByCommand = 1;
    m_nWordCompletionRequested = 0;
    m_nTableListShown = 1;
    m_strChosenTable.Empty();
}

void CVornView::NoteChosenTable(SCNotification* pNotify)
{
    // Scintilla closes the list before it inserts the chosen item.
    if (!m_nTableListShown || m_ctrl.AutoCActive())
        return;
    m_nTableListShown = 0;
    m_strChosenTable.Empty();
    if (pNotify->text == NULL || pNotify->length <= 0)
        return;
    const CString strName(pNotify->text, (int)pNotify->length);
    if (Outline().FindTable(strName) == NULL)
        return;
    m_strChosenTable = strName;
    const int nPos = (int)pNotify->position;
    const int chBefore = nPos > 0 ? m_ctrl.GetCharAt(nPos - 1) : 0;
    if (chBefore != '.' && chBefore != ':')
        return;
    // The text cannot change inside its own notification: the member list follows.
    m_nInsertedNameStart = nPos;
    m_nInsertedNameEnd = nPos + (int)pNotify->length;
    PostMessage(WM_LIST_CHOSEN_TABLE_MEMBERS);
}

LRESULT CVornView::OnListChosenTableMembers(WPARAM, LPARAM)
{
    // The outline may have been re-parsed since the post: the table is found again.
    COutlineTable* pTable = m_strChosenTable.IsEmpty() ? NULL : Outline().FindTable(m_strChosenTable);
    const int nStart = m_nInsertedNameStart;
    const int nEnd = m_nInsertedNameEnd;
    if (pTable == NULL || nStart < 0 || nEnd > m_ctrl.GetLength() || nEnd - nStart != m_strChosenTable.GetLength())
        return 0;
    // Only the name as inserted goes; text typed over it in the meantime stays.
    CString strHeld;
    Sci_TextRange range;
    range.chrg.cpMin = nStart;
    range.chrg.cpMax = nEnd;
    range.lpstrText = strHeld.GetBuffer(nEnd - nStart + 1);
    m_ctrl.GetTextRange(&range);
    strHeld.ReleaseBuffer(nEnd - nStart);
    if (strHeld != m_strChosenTable)
        return 0;
    m_ctrl.SetSel(nStart, nEnd);
    m_ctrl.ReplaceSel("");
    ListMembers(pTable);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Call tips

void CVornView::ShowCallTip()
{
    int nColumn = 0;
    const int nLine = GetCaretLine(nColumn);
    const CString strLine = GetTextBeforeCaret(nLine, nColumn);
    // The call is the one whose "(" the caret is after and that is still open; nested
    // and closed calls before the caret do not count.
    int nOpen = CCompletionEngine::FindOpenParen(strLine, nColumn);
    BOOL bParen = nOpen >= 0;
    if (!bParen)
        nOpen = nColumn - 1;
    if (nOpen < 0)
        return;
    const CString strHead = strLine.Left(nOpen);

    COutline& outline = Outline();
    COutlineFile* pFile = GetOutlineFile();
    COutlineFunction* pFunction = outline.FindFunctionForCallTip(bParen ? strLine.Left(nOpen + 1) : strHead, pFile, NULL);
    if (pFunction == NULL)
    {
        // "self:f(" or "self.f(": f of the table whose colon method encloses the caret.
        CString strTable, strMember;
        BOOL bMethod = FALSE;
        if (COutline::ParseMemberAccess(strHead, strTable, bMethod, strMember) != 1)
            return;
        CScintillaLineSource source(m_ctrl);
        COutlineFunction* pMethod = outline.FindSelfMethod(nLine, nColumn, source, pFile);
        if (pMethod == NULL || pMethod->m_pParentTable == NULL)
            return;
        pFunction = outline.FindMethod(strMember, pMethod->m_pParentTable);
        if (pFunction == NULL)
            return;
    }
    m_nCallTipStartColumn = nOpen;
    m_strCallTipText = pFunction->GetQualifiedSignature();
    ShowTip(m_ctrl.GetCurrentPos(), m_strCallTipText);
    UpdateCallTipHighlight();
}

void CVornView::UpdateCallTipHighlight()
{
    if (m_strCallTipText.IsEmpty())
        return;
    int nColumn = 0;
    const int nLine = GetCaretLine(nColumn);
    const CString strLine = GetTextBeforeCaret(nLine, nColumn);
    const int nParameter = CCompletionEngine::CountParameter(strLine, m_nCallTipStartColumn, nColumn);
    int nStart = 0, nEnd = 0;
    if (!CCompletionEngine::FindParameterRange(m_strCallTipText, nParameter, nStart, nEnd))
        nStart = nEnd = 0;
    SetTipHighlight(nStart, nEnd);
}

/////////////////////////////////////////////////////////////////////////////
// Edit > AutoComplete

void CVornView::OnListMembers()
{
    if (m_ctrl.CallTipActive())
        CancelCallTip();
    ListMembers();
}

void CVornView::OnParameterInfo()
{
    if (m_ctrl.AutoCActive())
        m_ctrl.AutoCCancel();
    // The tip opens at the caret's call: one ")" later it is done.
    m_nCallTipParenDepth = 1;
    ShowCallTip();
}

void CVornView::OnCompleteWord()
{
    m_nWordCompletionRequested = 1;
    CompleteWord();
}

void CVornView::OnListProjectFunctions()
{
    ListFunctions(TRUE);
}

void CVornView::OnListProjectTables()
{
    ListTables(TRUE);
}

void CVornView::OnListExternalFunctions()
{
    ListFunctions(FALSE);
}

void CVornView::OnListExternalTables()
{
    ListTables(FALSE);
}

void CVornView::OnUpdateListMembers(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCompleteAtCaret() && !m_ctrl.AutoCActive());
}

void CVornView::OnUpdateParameterInfo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCompleteAtCaret() && !m_ctrl.CallTipActive());
}

void CVornView::OnUpdateListOutline(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCompleteAtCaret() && !m_ctrl.CallTipActive() && !m_ctrl.AutoCActive());
}
