// CMultiDocTemplate: any number of documents of one kind, each in its MDI child.
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

namespace
{
// A document that could not be opened or made: its frame goes, and the document
// with it. Its views take it along when it deletes itself; one without views, or
// one that does not delete itself, is still listed and nobody else holds it.
void DiscardFailedDocument(CMultiDocTemplate* pTemplate, CFrameWnd* pFrame, CDocument* pDocument)
{
    pFrame->DestroyWindow();
    if (pTemplate->m_docList.Find(pDocument) != NULL)
        delete pDocument;
}
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_hMenuShared(NULL), m_hAccelTable(NULL),
      m_nUntitledCount(0)
{
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open outlive the template only as orphans.
    while (!m_docList.IsEmpty())
    {
        CDocument* pDoc = (CDocument*)m_docList.RemoveHead();
        pDoc->m_pDocTemplate = NULL;
    }
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_hMenuShared == NULL && ::FindResource(hInst, MAKEINTRESOURCE(m_nIDResource), RT_MENU) != NULL)
        m_hMenuShared = ::LoadMenu(hInst, MAKEINTRESOURCE(m_nIDResource));
    if (m_hAccelTable == NULL)
        m_hAccelTable = ::LoadAccelerators(hInst, MAKEINTRESOURCE(m_nIDResource));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    if (m_docList.Find(pDoc) == NULL)
        m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL)
        m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    // "Name1", "Name2", ... from the template's document name; else "Untitled".
    CString strDocName;
    if (GetDocString(strDocName, docName) && !strDocName.IsEmpty())
    {
        CString strNumber;
        strNumber.Format("%u", m_nUntitledCount + 1);
        strDocName += strNumber;
    }
    else if (!strDocName.LoadString(AFX_IDS_UNTITLED))
    {
        strDocName = "Untitled";
    }
    pDocument->SetTitle(strDocName);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return NULL;
    }

    // The document must survive its frame's failure to be made.
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = NULL;
    try
    {
        pFrame = CreateNewFrame(pDocument, NULL);
    }
    catch (...)
    {
        delete pDocument;
        throw;
    }
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDocument;
        return NULL;
    }

    if (lpszPathName == NULL)
    {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument())
        {
            DiscardFailedDocument(this, pFrame, pDocument);
            return NULL;
        }
        m_nUntitledCount++;
    }
    else
    {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            DiscardFailedDocument(this, pFrame, pDocument);
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
