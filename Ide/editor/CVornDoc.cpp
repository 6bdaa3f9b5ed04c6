#include "CVornDoc.h"

#include "CProjectFileEntry.h"
#include "CVornView.h"
#include "IEditorHost.h"

#include <afxdlgs.h>

IMPLEMENT_DYNCREATE(CVornDoc, CDocument)

BEGIN_MESSAGE_MAP(CVornDoc, CDocument)
END_MESSAGE_MAP()

namespace
{
const char kSaveFilter[] = "Lua Source Files (*.lua)|*.lua||";
}

CVornDoc::CVornDoc()
{
}

CVornDoc::~CVornDoc()
{
}

CVornView* CVornDoc::GetView() const
{
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        CVornView* pView = DYNAMIC_DOWNCAST(CVornView, GetNextView(pos));
        if (pView != NULL)
            return pView;
    }
    return NULL;
}

CProjectFileEntry* CVornDoc::GetProjectFile() const
{
    if (GetPathName().IsEmpty())
        return NULL;
    return IEditorHost::Get().FindProjectFile(GetPathName());
}

void CVornDoc::RefreshNamedBookmarkMarks()
{
    CProjectFileEntry* pEntry = GetProjectFile();
    CVornView* pView = GetView();
    if (pEntry != NULL && pView != NULL)
        pView->ShowNamedBookmarks(pEntry);
}

void CVornDoc::RefreshBreakpointMarks()
{
    CProjectFileEntry* pEntry = GetProjectFile();
    CVornView* pView = GetView();
    if (pEntry != NULL && pView != NULL)
        pView->ShowBreakpoints(pEntry);
}

void CVornDoc::Serialize(CArchive& ar)
{
    CVornView* pView = GetView();
    if (pView != NULL)
        pView->Serialize(ar);
}

BOOL CVornDoc::IsModified()
{
    if (m_bModified)
        return TRUE;
    CVornView* pView = GetView();
    return pView != NULL && pView->GetCtrl().GetModify();
}

void CVornDoc::SetModifiedFlag(BOOL bModified)
{
    CVornView* pView = GetView();
    if (!bModified && pView != NULL)
        pView->GetCtrl().SetSavePoint();
    CDocument::SetModifiedFlag(bModified);
    // Whoever set the flag shows it in the titles; the view's next edit looks again.
    if (pView != NULL)
        pView->m_nTitleModified = -1;
}

void CVornDoc::DeleteContents()
{
    CDocument::DeleteContents();
    CVornView* pView = GetView();
    if (pView != NULL)
    {
        CWaitCursor wait;
        pView->ClearText();
    }
}

BOOL CVornDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

BOOL CVornDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    if (!CDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    IEditorHost& host = IEditorHost::Get();
    CProjectFileEntry* pEntry = host.FindProjectFile(lpszPathName);
    CVornView* pView = GetView();
    if (pEntry != NULL && pView != NULL)
    {
        pView->ShowBookmarks(pEntry);
        pView->ShowNamedBookmarks(pEntry);
        pView->ShowBreakpoints(pEntry);
    }
    host.AddRecentFile(lpszPathName);
    return TRUE;
}

void CVornDoc::OnCloseDocument()
{
    CProjectFileEntry* pEntry = GetProjectFile();
    CVornView* pView = GetView();
    if (pEntry != NULL && pView != NULL)
        pView->StoreBookmarks(pEntry);
    // The views go before the text is emptied, so closing is no edit that could move
    // or drop the file's breakpoints and bookmarks.
    CDocument::OnCloseDocument();
}

CString CVornDoc::GetProposedSaveName(BOOL bReplace) const
{
    CString strName = GetPathName();
    if (strName.IsEmpty() && bReplace)
    {
        strName = GetTitle();
        const int nCut = strName.FindOneOf(":/\\");
        if (nCut >= 0)
            strName = strName.Left(nCut);
        strName += ".lua";
    }
    return strName;
}

BOOL CVornDoc::PromptForSaveName(CString& strName)
{
    CFileDialog dialog(FALSE, NULL, strName, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                       kSaveFilter, AfxGetMainWnd());
    if (dialog.DoModal() != IDOK)
        return FALSE;
    strName = dialog.GetPathName();
    return TRUE;
}

BOOL CVornDoc::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName != NULL ? lpszPathName : "";
    if (strNewName.IsEmpty())
    {
        strNewName = GetProposedSaveName(bReplace);
        if (!PromptForSaveName(strNewName))
            return FALSE;
    }

    // The save writes a temporary file that replaces the target only when complete, so
    // a failure leaves whatever file had the name untouched: nothing to clean up.
    CWaitCursor wait;
    if (!OnSaveDocument(strNewName))
        return FALSE;
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}
