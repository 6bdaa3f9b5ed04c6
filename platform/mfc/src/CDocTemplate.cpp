// CDocTemplate: what documents of one kind are called and how they get frames.
#include "afxpriv.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

namespace
{
// Whether the path ends with one of the ';'-separated extensions (".lua;.txt").
// The extension of a path's file name ("" when it has none), stepping by characters
// so a trail byte never passes for a dot or a separator.
LPCTSTR FindExtension(LPCTSTR lpszPathName)
{
    LPCTSTR lpszDot = NULL;
    for (LPCTSTR p = lpszPathName; *p != '\0'; p = ::CharNextA(p))
    {
        if (*p == '.')
            lpszDot = p;
        else if (*p == '\\' || *p == '/')
            lpszDot = NULL;
    }
    return lpszDot != NULL ? lpszDot : "";
}

BOOL HasExtensionIn(LPCTSTR lpszPathName, const CString& strExtensions)
{
    LPCTSTR lpszDot = FindExtension(lpszPathName);
    if (*lpszDot == '\0')
        return FALSE;
    CString strExt;
    for (int i = 0; AfxExtractSubString(strExt, strExtensions, i, ';'); i++)
    {
        strExt.TrimLeft();
        strExt.TrimRight();
        if (strExt.Left(1) == "*")
            strExt = strExt.Mid(1);
        if (!strExt.IsEmpty() && lstrcmpiA(lpszDot, strExt) == 0)
            return TRUE;
    }
    return FALSE;
}
}

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass),
      m_bAutoDelete(TRUE)
{
    LoadTemplate();
}

CDocTemplate::~CDocTemplate()
{
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = NULL;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == NULL)
        return NULL;
    CObject* pObject = m_pDocClass->CreateObject();
    CDocument* pDocument = DYNAMIC_DOWNCAST(CDocument, pObject);
    if (pDocument == NULL)
    {
        delete pObject;
        return NULL;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (m_pFrameClass == NULL)
        return NULL;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    CObject* pObject = m_pFrameClass->CreateObject();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
    if (pFrame == NULL)
    {
        delete pObject;
        return NULL;
    }
    // A frame whose window came and went has deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL /*bEndSession*/)
{
    // A copy: closing removes documents from the list (and deletes them).
    std::vector<CDocument*> docs;
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
        docs.push_back(GetNextDoc(pos));
    for (CDocument* pDoc : docs)
    {
        BOOL bStillOpen = FALSE;
        for (POSITION pos = GetFirstDocPosition(); pos != NULL && !bStillOpen;)
            bStillOpen = GetNextDoc(pos) == pDoc;
        if (bStillOpen)
            pDoc->OnCloseDocument();
    }
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && lstrcmpiA(pDoc->GetPathName(), lpszPathName) == 0)
        {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty() && HasExtensionIn(lpszPathName, strFilterExt))
        return yesAttemptNative;
    return yesAttemptForeign;
}

void CDocTemplate::OnIdle()
{
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
        GetNextDoc(pos)->OnIdle();
}

BOOL CDocTemplate::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
