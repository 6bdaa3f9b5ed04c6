// CVornView: Synchronize Code Navigator, which shows where the caret is in the project's
// outline tree.
#include "CVornView.h"

#include "COutline.h"
#include "CProjectFileEntry.h"
#include "CScintillaLineSource.h"
#include "IEditorHost.h"

void CVornView::OnSyncNavigator()
{
    CProjectFileEntry* pEntry = GetProjectFile();
    if (pEntry == NULL)
        return;
    IEditorHost& host = IEditorHost::Get();
    COutlineNode* pNode = NULL;
    if (COutlineFile* pFile = pEntry->GetOutlineFile())
    {
        // The scope is looked for from the line after the caret's, so that the caret on
        // a function's first line finds that function.
        int nColumn = 0;
        const int nCaretLine = GetCaretLine(nColumn);
        const int nLine = nCaretLine + 1 < m_ctrl.GetLineCount() ? nCaretLine + 1 : nCaretLine;
        CScintillaLineSource source(m_ctrl);
        pNode = host.GetOutline().FindScopeAt(nLine, nColumn, source, pFile);
    }
    host.SynchronizeNavigator(pEntry, pNode);
}

void CVornView::OnUpdateSyncNavigator(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetProjectFile() != NULL);
}
