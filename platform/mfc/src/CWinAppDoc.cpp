// CWinApp: the document commands, the document manager and the recent-file list.
#include "afxpriv.h"
#include "afxadv.h"

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == NULL)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != NULL ? m_pDocManager->GetFirstDocTemplatePosition() : NULL;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return m_pDocManager->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager == NULL || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != NULL)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount()
{
    return m_pDocManager != NULL ? m_pDocManager->GetOpenDocumentCount() : 0;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    if (m_pDocManager == NULL)
        m_pDocManager = new CDocManager;
    return m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

void CWinApp::HideApplication()
{
    if (m_pMainWnd != NULL && m_pMainWnd->m_hWnd != NULL)
        m_pMainWnd->ShowWindow(SW_HIDE);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileOpen();
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (m_pRecentFileList == NULL || nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() ||
        (*m_pRecentFileList)[nIndex].IsEmpty())
    {
        return FALSE;
    }
    // Opening moves the entry; a file that cannot be opened leaves the list.
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strPath) == NULL)
    {
        for (int i = 0; i < m_pRecentFileList->GetSize(); i++)
        {
            if ((*m_pRecentFileList)[i].CompareNoCase(strPath) == 0)
            {
                m_pRecentFileList->Remove(i);
                break;
            }
        }
    }
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}
