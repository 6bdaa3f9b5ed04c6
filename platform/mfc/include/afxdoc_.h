// Documents, views, document templates, the document manager and the printing
// protocol. Included by afxwin.h; do not include directly.
#pragma once

class CPrintDialog;
class CPreviewView;
struct CPrintPreviewState;
class CRecentFileList;

/////////////////////////////////////////////////////////////////////////////
// CDocument: the data of one file, shown by any number of views.

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    virtual ~CDocument();

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Makes the path absolute, takes its file name as the title and, with bAddToMRU,
    // puts it on the application's recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

    // overridables of the life cycle
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Destroys every frame showing the document (and its views) first, then empties
    // the document, then deletes it when it deletes itself.
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks whether to save a modified document: Yes saves (FALSE when that fails),
    // No discards, Cancel returns FALSE.
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame);

    // Saves under lpszPathName; with none, asks for a name first. bReplace makes the
    // new name the document's path (Save As) rather than saving a copy.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void UpdateFrameCounts();
    virtual void OnChangedViewList();
    virtual HMENU GetDefaultMenu();
    virtual HACCEL GetDefaultAccelerator();
    virtual void OnIdle();
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;
    BOOL m_bAutoDelete;        // deleted when its last view closes
    BOOL m_bEmbedded;

protected:
    // Writes through a temporary file beside the target, which replaces the target only
    // after everything was written, so a failed save leaves the old file as it was.
    BOOL SaveToFileSafely(LPCTSTR lpszPathName);
    // Reads or writes the document through the open file, then releases it.
    BOOL SerializeFile(CFile* pFile, BOOL bLoading, LPCTSTR lpszPathName);

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()

    friend class CDocTemplate;
};

/////////////////////////////////////////////////////////////////////////////
// Printing

struct CPrintInfo
{
    CPrintInfo();
    ~CPrintInfo();

    CPrintDialog* m_pPD;        // the print dialog and its settings
    BOOL m_bDocObject;
    BOOL m_bPreview;
    BOOL m_bDirect;             // print without the dialog (ID_FILE_PRINT_DIRECT)
    BOOL m_bContinuePrinting;   // cleared by OnPrepareDC to end the job early
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    CString m_strPageDesc;
    LPVOID m_lpUserData;
    CRect m_rectDraw;           // printable area of the current page (logical units)
    int m_nJobNumber;

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    UINT GetFromPage() const;
    UINT GetToPage() const;
    UINT GetOffsetPage() const { return 0; }

private:
    CPrintInfo(const CPrintInfo&) = delete;
    void operator=(const CPrintInfo&) = delete;
};

/////////////////////////////////////////////////////////////////////////////
// CView: a window that shows a document (or lives on its own as a child window).

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
protected:
    CView();

public:
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }
    virtual BOOL IsSelected(const CObject* pDocItem) const;

    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);

    // printing protocol
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Runs the print dialog (or takes the default printer for a direct print) and
    // leaves the printer DC in pInfo->m_pPD. FALSE when cancelled or no printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);

    // Print preview: the frame that holds the view shows its pages until the user
    // closes it. FALSE when the preview could not start.
    afx_msg void OnFilePrintPreview();
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);
    // The preview ends: runs the end step on the preview's DC.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual void PostNcDestroy();

    CDocument* m_pDocument;

protected:
    // Prints the pages of a prepared job on the printer DC; returns whether the job
    // ran to its end. OnEndPrinting always follows OnBeginPrinting.
    BOOL PrintPages(CDC* pDC, CPrintInfo* pInfo);
    // The print job itself: StartDoc, the pages, EndDoc or AbortDoc. bStarted is TRUE
    // while the job is open.
    BOOL PrintDocument(CDC* pDC, CPrintInfo* pInfo, const DOCINFOA& docInfo, BOOL& bStarted);
    BOOL IsActiveInTopParent() const;

    BOOL m_bDeleteOnDestroy;   // its frame or template made it: it goes with its window

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg);
    afx_msg void OnFilePrint();
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CDocument;
    friend class CFrameWnd;
};

/////////////////////////////////////////////////////////////////////////////
// CCtrlView: a view that is a standard control.

class CCtrlView : public CView
{
    DECLARE_DYNCREATE(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void OnDraw(CDC* pDC);

    CString m_strClass;
    DWORD m_dwDefaultStyle;

protected:
    CCtrlView();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CDocTemplate: how documents of one kind are made, shown and named.

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

public:
    virtual ~CDocTemplate();

    // Parts of the template's string resource, separated by "\n".
    enum DocStringIndex
    {
        windowTitle,       // main window title (single-document programs)
        docName,           // base of "Untitled" names ("Lua1")
        fileNewName,       // name in the File New list
        filterName,        // "Lua Files (*.lua)"
        filterExt,         // ".lua" (several: ".lua;.txt")
        regFileTypeId,
        regFileTypeName
    };
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual void LoadTemplate();
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };
    // yesAlreadyOpen (and the document) when one of its documents has this path,
    // yesAttemptNative when the extension is the template's, else yesAttemptForeign.
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
    virtual void OnIdle();
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    BOOL m_bAutoDelete;
};

class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    virtual ~CMultiDocTemplate();

    virtual void LoadTemplate();
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }
    virtual CDocument* GetNextDoc(POSITION& rPos) const { return (CDocument*)m_docList.GetNext(rPos); }
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);

    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;
    CPtrList m_docList;
    UINT m_nUntitledCount;     // numbers of "Untitled" documents handed out so far
};

/////////////////////////////////////////////////////////////////////////////
// CDocManager: the application's document templates and the file commands.

class CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    virtual ~CDocManager();

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const { return (CDocTemplate*)m_templateList.GetNext(pos); }
    // Activates the document when it is open already; otherwise opens it with the
    // template that suits it best.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual int GetOpenDocumentCount();
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    virtual void OnFileNew();
    virtual void OnFileOpen();

    CPtrList m_templateList;

protected:
    CDocTemplate* ChooseTemplateForNew();
};
