// The view's code snippet commands: Insert..., Create From Selection..., the ten
// favourites, and the insertion of a snippet with its macros expanded.
#include "CVornView.h"

#include "CAppSettings.h"
#include "CCodeSnippet.h"
#include "CCodeSnippetList.h"
#include "CCodeSnippetManagerDlg.h"
#include "CInsertCodeSnippetDlg.h"
#include "CNewCodeSnippetDlg.h"
#include "CSystemClock.h"
#include "CUndoActionScope.h"
#include "IEditorHost.h"
#include "SnippetMacros.h"
#include "resource.h"

namespace
{
const char kFavouriteText[] = "Favorite Code Snippet";

CCodeSnippetList& Snippets()
{
    return IEditorHost::Get().GetCodeSnippets();
}

// A name as a menu shows it: "&" is shown, not taken as the access key.
CString MenuTextOfName(const CString& strName)
{
    CString strText = strName;
    strText.Replace("&", "&&");
    return strText;
}

// "Ctrl+Shift+1" for the first favourite up to "Ctrl+Shift+0" for the tenth.
CString FavouriteShortcut(int nSlot)
{
    CString strShortcut;
    strShortcut.Format("\tCtrl+Shift+%d", (nSlot + 1) % 10);
    return strShortcut;
}
} // namespace

void CVornView::ExpandSnippetMacros(LPCTSTR pszName)
{
    CSystemClock clock;
    ExpandSnippetMacros(pszName, clock);
}

void CVornView::ExpandSnippetMacros(LPCTSTR pszName, IClock& clock)
{
    const CCodeSnippet* pSnippet = Snippets().FindByName(pszName);
    if (pSnippet == NULL)
        return;
    IEditorHost& host = IEditorHost::Get();
    const BOOL bAutoIndent = host.GetSettings().m_nEDAutoIndent != 0;
    const int nPos = m_ctrl.GetCurrentPos();
    const int nBaseLine = m_ctrl.LineFromPosition(nPos);
    const CSnippetMacroValues values(clock.GetCurrentTime(), host.GetOpenProjectName());
    CStringArray pieces;
    SplitSnippetPieces(pSnippet->GetText(), pieces);

    CUndoActionScope undo(m_ctrl);
    int nTarget = -1;
    int nEnd = nPos;
    for (int k = 0; k < (int)pieces.GetSize(); k++)
    {
        CString strPiece = ExpandSnippetPieceMacros(pieces[k], values);
        const int nCaret = strPiece.Find(kSetCaretMacro);
        strPiece.Replace(kSetCaretMacro, "");
        const int nLine = nBaseLine + k;
        const int nAt = k == 0 ? nPos : m_ctrl.PositionFromLine(nLine);
        m_ctrl.InsertText(nAt, strPiece);
        int nShift = 0;
        if (k > 0 && bAutoIndent)
        {
            const int nBaseIndent = m_ctrl.GetLineIndentation(nBaseLine);
            if (nBaseIndent > 0)
            {
                // The caret target follows the line's text by however many bytes the
                // new indentation took: tabs or blanks, whatever the indent size.
                const int nBefore = m_ctrl.GetLineIndentPosition(nLine);
                m_ctrl.SetLineIndentation(nLine, nBaseIndent + m_ctrl.GetLineIndentation(nLine));
                nShift = m_ctrl.GetLineIndentPosition(nLine) - nBefore;
            }
        }
        if (nCaret >= 0)
            nTarget = nAt + nCaret + (k > 0 ? nShift : 0);
        nEnd = nAt + strPiece.GetLength() + nShift;
    }
    // Without "$(SetCaret)" the caret goes after the inserted text, ready to type on.
    const int nCaretPos = nTarget >= 0 ? nTarget : nEnd;
    m_ctrl.GotoPos(nCaretPos);
    m_ctrl.SetCurrentPos(nCaretPos);
}

void CVornView::OnSnippetInsert()
{
    CInsertCodeSnippetDlg dlg(Snippets(), this);
    if (dlg.DoModal() != IDOK)
        return;
    ExpandSnippetMacros(dlg.m_strName);
    m_ctrl.SetFocus();
}

void CVornView::OnSnippetCreateFromSelection()
{
    const CString strSelected = m_ctrl.GetSelText();
    IEditorHost& host = IEditorHost::Get();
    CCodeSnippet* pSnippet =
        CNewCodeSnippetDlg::CreateSnippet(host.GetCodeSnippets(), host.GetCodeSnippetFolder(), this);
    if (pSnippet == NULL)
        return;
    pSnippet->SetText(strSelected);
    CCodeSnippetManagerDlg manager(host, this);
    manager.m_strPreset = pSnippet->GetName();
    manager.DoModal();
}

void CVornView::OnSnippetFavourite(UINT nID)
{
    const int nSlot = (int)(nID - ID_SNIPPET_FAVOURITE1);
    ExpandSnippetMacros(IEditorHost::Get().GetSettings().m_strFavCodeSnippet[nSlot]);
    m_ctrl.SetFocus();
}

void CVornView::OnUpdateSnippetInsert(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(Snippets().GetCount() > 0);
}

void CVornView::OnUpdateSnippetFavourite(CCmdUI* pCmdUI)
{
    const int nSlot = (int)(pCmdUI->m_nID - ID_SNIPPET_FAVOURITE1);
    const CString& strName = IEditorHost::Get().GetSettings().m_strFavCodeSnippet[nSlot];
    pCmdUI->SetText((strName.IsEmpty() ? CString(kFavouriteText) : MenuTextOfName(strName)) + FavouriteShortcut(nSlot));
    pCmdUI->Enable(!strName.IsEmpty());
}
