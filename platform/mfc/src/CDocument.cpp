// CDocument: the data of one file, its views, its path and title, and opening,
// saving and closing it.
#include "afxpriv.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace
{
// The path's directory with a trailing backslash ("" for a bare name).
CString DirectoryOf(const CString& strPath)
{
    int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
    return nSlash >= 0 ? strPath.Left(nSlash + 1) : CString();
}

CString FileNameOf(const CString& strPath)
{
    int nSep = std::max(std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/')), strPath.ReverseFind(':'));
    return strPath.Mid(nSep + 1);
}

CString FullPathOf(LPCTSTR lpszPath)
{
    char szFull[MAX_PATH * 2];
    LPSTR lpszFilePart = NULL;
    DWORD dwLength = ::GetFullPathNameA(lpszPath, (DWORD)sizeof(szFull), szFull, &lpszFilePart);
    if (dwLength == 0 || dwLength >= sizeof(szFull))
        return CString(lpszPath);
    return CString(szFull);
}

// Puts the written temporary file in the target's place, keeping the target's
// attributes when it exists.
BOOL ReplaceWithTempFile(LPCTSTR lpszTemp, LPCTSTR lpszTarget)
{
    if (::GetFileAttributesA(lpszTarget) != INVALID_FILE_ATTRIBUTES &&
        ::ReplaceFileA(lpszTarget, lpszTemp, NULL, REPLACEFILE_IGNORE_MERGE_ERRORS, NULL, NULL))
    {
        return TRUE;
    }
    return ::MoveFileExA(lpszTemp, lpszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
}
}

CDocument::CDocument()
    : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE)
{
}

CDocument::~CDocument()
{
    // Views left over (frameless ones) must not point at a deleted document.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
    {
        CView* pView = (CView*)m_viewList.GetNext(pos);
        if (pView->m_pDocument == this)
            pView->m_pDocument = NULL;
    }
    m_viewList.RemoveAll();
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

/////////////////////////////////////////////////////////////////////////////
// Title, path and views

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle != NULL ? lpszTitle : "";
    UpdateFrameCounts();   // the frames show the new name
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = FullPathOf(lpszPathName);
    // The title is the file name as it is, extension included.
    SetTitle(FileNameOf(m_strPathName));
    CWinApp* pApp = AfxGetApp();
    if (bAddToMRU && pApp != NULL)
        pApp->AddToRecentFileList(m_strPathName);
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return (CView*)m_viewList.GetNext(rPosition);
}

void CDocument::AddView(CView* pView)
{
    if (m_viewList.Find(pView) != NULL)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // The last view gone closes a document that deletes itself.
    if (m_bAutoDelete && m_viewList.IsEmpty())
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::UpdateFrameCounts()
{
    // Frames showing the document, in view order; numbered when there are several.
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd == NULL || !pView->IsWindowVisible())
            continue;
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    for (size_t i = 0; i < frames.size(); i++)
    {
        frames[i]->m_nWindow = frames.size() == 1 ? 0 : (int)i + 1;
        frames[i]->OnUpdateFrameTitle(TRUE);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Life cycle

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError))
    {
        delete pFile;
        return NULL;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (bAbort)
    {
        pFile->Abort();
        delete pFile;
        return;
    }
    // Closing writes what is buffered, which can fail; the object goes either way.
    try
    {
        pFile->Close();
    }
    catch (CException*)
    {
        delete pFile;
        throw;
    }
    delete pFile;
}

BOOL CDocument::SerializeFile(CFile* pFile, BOOL bLoading, LPCTSTR lpszPathName)
{
    // The file is released either way; a failure is reported to the user.
    try
    {
        CWaitCursor wait;
        if (!bLoading || pFile->GetLength() != 0)
        {
            CArchive ar(pFile, (bLoading ? CArchive::load : CArchive::store) | CArchive::bNoFlushOnDelete);
            ar.m_pDocument = this;
            ar.m_strFileName = pFile->GetFilePath();
            Serialize(ar);
            ar.Close();
        }
        CFile* pDone = pFile;
        pFile = NULL;
        ReleaseFile(pDone, FALSE);
    }
    catch (CException* e)
    {
        if (pFile != NULL)
            ReleaseFile(pFile, TRUE);
        ReportSaveLoadException(lpszPathName, e, !bLoading,
                                bLoading ? AFX_IDP_FAILED_TO_OPEN_DOC : AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == NULL)
    {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }

    DeleteContents();
    SetModifiedFlag();   // a half-read document is not clean
    if (!SerializeFile(pFile, TRUE, lpszPathName))
    {
        DeleteContents();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (!SaveToFileSafely(lpszPathName))
        return FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::SaveToFileSafely(LPCTSTR lpszPathName)
{
    CString strTarget = FullPathOf(lpszPathName);
    CString strDir = DirectoryOf(strTarget);
    char szTemp[MAX_PATH];
    // Without a temporary file beside the target there is no safe way: write in place.
    BOOL bViaTemp = ::GetTempFileNameA(strDir.IsEmpty() ? "." : (LPCTSTR)strDir, "~sv", 0, szTemp) != 0;
    LPCTSTR lpszWriteTo = bViaTemp ? szTemp : (LPCTSTR)strTarget;

    CFileException fe;
    CFile* pFile = GetFile(lpszWriteTo, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (pFile == NULL)
    {
        if (bViaTemp)
            ::DeleteFileA(szTemp);
        fe.m_strFileName = strTarget;
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }

    if (!SerializeFile(pFile, FALSE, lpszPathName))
    {
        if (bViaTemp)
            ::DeleteFileA(szTemp);
        return FALSE;
    }

    if (bViaTemp && !ReplaceWithTempFile(szTemp, strTarget))
    {
        LONG lError = (LONG)::GetLastError();
        ::DeleteFileA(szTemp);
        CFileException feReplace(CFileException::OsErrorToException(lError), lError, strTarget);
        ReportSaveLoadException(lpszPathName, &feReplace, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    UINT nIDP = nIDPDefault;
    CString strPrompt;
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CArchiveException)))
    {
        int nCause = ((CArchiveException*)e)->m_cause;
        if (nCause == CArchiveException::badSchema || nCause == CArchiveException::badClass ||
            nCause == CArchiveException::badIndex || nCause == CArchiveException::endOfFile)
        {
            nIDP = AFX_IDP_FAILED_INVALID_FORMAT;
        }
    }
    else if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CFileException)))
    {
        CFileException* pFE = (CFileException*)e;
        if (pFE->m_strFileName.IsEmpty())
            pFE->m_strFileName = lpszPathName;
        char szMessage[512];
        if (e->GetErrorMessage(szMessage, sizeof(szMessage)))
            strPrompt = szMessage;
    }

    CString strName = FileNameOf(CString(lpszPathName));
    if (strPrompt.IsEmpty())
        AfxFormatString1(strPrompt, nIDP, strName);
    if (strPrompt.IsEmpty())
        strPrompt = CString(bSaving ? "Failed to save document " : "Failed to open document ") + strName + ".";
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDP);
}

void CDocument::OnCloseDocument()
{
    // The views go first, frames and all, so nothing shows a half-emptied document;
    // the document must not delete itself while its views leave.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        CView* pView = (CView*)m_viewList.GetHead();
        CFrameWnd* pFrame = pView->m_hWnd != NULL ? pView->GetParentFrame() : NULL;
        if (pFrame != NULL)
        {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        else if (pView->m_hWnd != NULL)
        {
            pView->DestroyWindow();
        }
        // A view that is still listed (its window would not go) is let go anyway.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;

    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Another frame still shows the document: closing this one loses nothing.
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->m_hWnd != NULL ? pView->GetParentFrame() : NULL;
        if (pFrame != NULL && pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;

    CString strName = m_strPathName.IsEmpty() ? m_strTitle : FileNameOf(m_strPathName);
    if (strName.IsEmpty() && !strName.LoadString(AFX_IDS_UNTITLED))
        strName = "Untitled";
    CString strPrompt;
    AfxFormatString1(strPrompt, AFX_IDP_ASK_TO_SAVE, strName);
    if (strPrompt.IsEmpty())
        strPrompt = "Save changes to " + strName + "?";

    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

void CDocument::PreCloseFrame(CFrameWnd* /*pFrame*/)
{
}

BOOL CDocument::DoFileSave()
{
    // A document never saved, or whose file became read-only, asks for a name.
    DWORD dwAttributes = ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() || dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_READONLY))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName != NULL ? lpszPathName : "";
    if (strNewName.IsEmpty())
    {
        CDocTemplate* pTemplate = GetDocTemplate();
        strNewName = m_strPathName;
        if (bReplace && strNewName.IsEmpty())
        {
            // Propose the title, cut before anything that cannot be in a file name,
            // with the document type's extension.
            strNewName = m_strTitle;
            int nBad = strNewName.FindOneOf(":/\\");
            if (nBad >= 0)
                strNewName = strNewName.Left(nBad);
            CString strExt;
            if (pTemplate != NULL && pTemplate->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty())
            {
                int nSemicolon = strExt.Find(';');
                if (nSemicolon >= 0)
                    strExt = strExt.Left(nSemicolon);
                strNewName += strExt;
            }
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL ||
            !pApp->DoPromptFileName(strNewName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, pTemplate))
        {
            return FALSE;
        }
    }

    // A failed save leaves any file at the name as it was (the save goes through a
    // temporary file), so there is nothing to clean up here.
    CWaitCursor wait;
    if (!OnSaveDocument(strNewName))
        return FALSE;
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

HMENU CDocument::GetDefaultMenu()
{
    return NULL;
}

HACCEL CDocument::GetDefaultAccelerator()
{
    return NULL;
}

void CDocument::OnIdle()
{
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(NULL);
}
