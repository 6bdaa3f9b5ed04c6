#include "COutputView.h"

#include "CMainFrame.h"
#include "CompilerMessageLine.h"
#include "CVornApp.h"
#include "CVornView.h"

#include <vector>

IMPLEMENT_DYNCREATE(COutputView, CScintillaView)

COutputView::COutputView()
{
}

COutputView::~COutputView()
{
}

BOOL COutputView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    SCNotification* pNotify = reinterpret_cast<SCNotification*>(lParam);
    if (pNotify->nmhdr.hwndFrom == m_ctrl.m_hWnd && pNotify->nmhdr.code == SCN_DOUBLECLICK)
        OnDoubleClick(pNotify);
    return CScintillaView::OnNotify(wParam, lParam, pResult);
}

CString COutputView::GetLineText(int nLine)
{
    const int nLength = m_ctrl.LineLength(nLine);
    if (nLength <= 0)
        return CString();
    std::vector<char> buffer((size_t)nLength + 1, '\0');
    m_ctrl.GetLine(nLine, buffer.data());
    return CString(buffer.data(), nLength);
}

void COutputView::OnDoubleClick(SCNotification* pNotify)
{
    const int nLine = m_ctrl.LineFromPosition((int)pNotify->position);
    CString strPath;
    int nFileLine = 0;
    if (!ParseCompilerMessageLine(GetLineText(nLine), strPath, nFileLine))
        return;
    CMainFrame* pFrame = VornApp()->GetMainFrame();
    CProjectFileEntry* pEntry = pFrame != NULL ? pFrame->FindProjectFile(strPath) : NULL;
    if (pEntry == NULL)
        return;
    m_ctrl.SetSel(m_ctrl.PositionFromLine(nLine), m_ctrl.GetLineEndPosition(nLine));
    VornApp()->ClearJumpMarksInAllViews();
    CVornView* pView = VornApp()->OpenProjectFileAtLine(pEntry, nFileLine - 1);
    if (pView != NULL)
        pView->MarkJumpLine(nFileLine - 1);
}
