#include "CFindInFilesView.h"

#include "CVornView.h"
#include "FindResultLines.h"
#include "IEditorHost.h"

#include <vector>

IMPLEMENT_DYNCREATE(CFindInFilesView, CScintillaView)

CFindInFilesView::CFindInFilesView()
{
}

CFindInFilesView::~CFindInFilesView()
{
}

BOOL CFindInFilesView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    SCNotification* pNotify = reinterpret_cast<SCNotification*>(lParam);
    if (pNotify->nmhdr.hwndFrom == m_ctrl.m_hWnd && pNotify->nmhdr.code == SCN_DOUBLECLICK)
        JumpToResult(m_ctrl.LineFromPosition((int)pNotify->position));
    return CScintillaView::OnNotify(wParam, lParam, pResult);
}

CString CFindInFilesView::GetLineText(int nLine)
{
    const int nLength = m_ctrl.LineLength(nLine);
    if (nLength <= 0)
        return CString();
    std::vector<char> buffer((size_t)nLength + 1, '\0');
    m_ctrl.GetLine(nLine, buffer.data());
    return CString(buffer.data(), nLength);
}

void CFindInFilesView::JumpToResult(int nLine)
{
    CString strPath;
    int nFileLine = 0;
    if (!ParseFindResultLine(GetLineText(nLine), strPath, nFileLine) || nFileLine < 1)
        return;
    IEditorHost& host = IEditorHost::Get();
    CProjectFileEntry* pEntry = host.FindProjectFile(strPath);
    if (pEntry == NULL)
        return;
    m_ctrl.SetSel(m_ctrl.PositionFromLine(nLine), m_ctrl.GetLineEndPosition(nLine));
    host.ClearJumpMarksInAllViews();
    CVornView* pView = host.OpenProjectFileAtLine(pEntry, nFileLine - 1);
    if (pView != NULL)
        pView->MarkJumpLine(nFileLine - 1);
}
