// The MDI frame with documents: creation from resources, two document types,
// saving through real files, the save prompt, closing order and recent files.
#include "frametest.h"
#include "frame_fixture.h"
#include <afxdlgs.h>
#include <shlobj.h>

namespace {

CDocTemplate* TemplateOf(LPCTSTR lpszDocName)
{
    for (POSITION pos = theApp.GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = theApp.GetNextDocTemplate(pos);
        CString strName;
        pTemplate->GetDocString(strName, CDocTemplate::docName);
        if (strName == lpszDocName)
            return pTemplate;
    }
    return NULL;
}

CFrameWnd* FrameOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    return pos != NULL ? pDoc->GetNextView(pos)->GetParentFrame() : NULL;
}

CString WindowTextOf(CWnd* pWnd)
{
    CString strText;
    pWnd->GetWindowText(strText);
    return strText;
}

int IndexOfEvent(const std::string& strEvent)
{
    for (size_t i = 0; i < g_events.size(); i++)
    {
        if (g_events[i] == strEvent)
            return (int)i;
    }
    return -1;
}

} // namespace

TEST_F(FrameTest, LoadFrameTakesTitleMenuAndKeysFromOneResource)
{
    EXPECT_STREQ("FrameTest", m_pFrame->GetTitle());
    EXPECT_STREQ("FrameTest", WindowTextOf(m_pFrame));
    CMenu* pMenu = m_pFrame->GetMenu();
    ASSERT_TRUE(pMenu != NULL);
    CString strFirst;
    pMenu->GetMenuString(0, strFirst, MF_BYPOSITION);
    EXPECT_STREQ("&File", strFirst);
    EXPECT_EQ(m_pFrame->m_hMenuDefault, pMenu->m_hMenu);
    ASSERT_TRUE(m_pFrame->m_hWndMDIClient != NULL);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(m_pFrame->m_hWndMDIClient));

    // Ctrl+N is the frame's accelerator for the handled test command.
    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG msg = {m_pFrame->m_hWndMDIClient, WM_KEYDOWN, 'N', 0x00310001, 0, {0, 0}};
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&msg));
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    EXPECT_EQ(1, m_pFrame->m_nHandled);
}

TEST_F(FrameTest, TwoDocumentTypesOpenInTheirOwnFrames)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "alpha");
    WriteWholeFile(dir.Path("b.vnote"), "note");

    CDocument* pText = theApp.OpenDocumentFile(dir.Path("a.txt"));
    CDocument* pNote = theApp.OpenDocumentFile(dir.Path("b.vnote"));
    ASSERT_TRUE(pText != NULL && pNote != NULL);
    EXPECT_TRUE(pText->IsKindOf(RUNTIME_CLASS(CTextDoc)));
    EXPECT_FALSE(pText->IsKindOf(RUNTIME_CLASS(CNoteDoc)));
    EXPECT_TRUE(pNote->IsKindOf(RUNTIME_CLASS(CNoteDoc)));
    EXPECT_STREQ("alpha", ((CTextDoc*)pText)->m_strText);
    EXPECT_STREQ("note", ((CTextDoc*)pNote)->m_strText);
    EXPECT_STREQ("a.txt", pText->GetTitle());
    EXPECT_EQ(2, theApp.GetOpenDocumentCount());

    CFrameWnd* pNoteFrame = FrameOf(pNote);
    ASSERT_TRUE(pNoteFrame != NULL);
    EXPECT_TRUE(pNoteFrame->IsKindOf(RUNTIME_CLASS(CChildFrame)));
    EXPECT_EQ(pNoteFrame, m_pFrame->MDIGetActive());
    CTextView* pView = (CTextView*)pNoteFrame->GetActiveView();
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(1, pView->m_nInitialUpdates);
    EXPECT_STREQ("b.vnote", WindowTextOf(pNoteFrame));
    PumpPending();
    EXPECT_STREQ("FrameTest - b.vnote", WindowTextOf(m_pFrame));
    // The active document's type brings its menu.
    EXPECT_EQ(((CMultiDocTemplate*)TemplateOf("Note"))->m_hMenuShared, ::GetMenu(m_pFrame->m_hWnd));

    // The same file again (another spelling) activates the open document.
    CString strOther = dir.Path("A.TXT");
    EXPECT_EQ(pText, theApp.OpenDocumentFile(strOther));
    EXPECT_EQ(2, theApp.GetOpenDocumentCount());
    EXPECT_EQ(FrameOf(pText), m_pFrame->MDIGetActive());
    EXPECT_EQ(((CMultiDocTemplate*)TemplateOf("Text"))->m_hMenuShared, ::GetMenu(m_pFrame->m_hWnd));

    theApp.CloseAllDocuments(FALSE);
    EXPECT_EQ(0, theApp.GetOpenDocumentCount());
    EXPECT_EQ(0, CTextDoc::s_nLive);
    EXPECT_EQ(m_pFrame->m_hMenuDefault, ::GetMenu(m_pFrame->m_hWnd)) << "the frame's own menu is back";
    EXPECT_STREQ("FrameTest", WindowTextOf(m_pFrame));
}

TEST_F(FrameTest, NewDocumentsAreNumberedByType)
{
    CDocTemplate* pTemplate = TemplateOf("Text");
    CDocument* pFirst = pTemplate->OpenDocumentFile(NULL);
    CDocument* pSecond = pTemplate->OpenDocumentFile(NULL);
    ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
    EXPECT_STREQ("Text1", pFirst->GetTitle());
    EXPECT_STREQ("Text2", pSecond->GetTitle());
    EXPECT_TRUE(pFirst->GetPathName().IsEmpty());
    EXPECT_FALSE(pFirst->IsModified());
}

TEST_F(FrameTest, SavingWritesThroughARealFile)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "alpha");
    CTextDoc* pDoc = (CTextDoc*)theApp.OpenDocumentFile(dir.Path("a.txt"));
    ASSERT_TRUE(pDoc != NULL);

    pDoc->m_strText = "beta";
    pDoc->SetModifiedFlag();
    EXPECT_TRUE(pDoc->DoFileSave());
    EXPECT_STREQ("beta", ReadWholeFile(dir.Path("a.txt")));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(1, dir.CountFiles()) << "no temporary file is left behind";

    // Save As: the new name becomes the document's and the most recent file.
    theApp.m_fileNames.push_back(dir.Path("c.txt"));
    EXPECT_TRUE(pDoc->DoSave(NULL));
    EXPECT_STREQ(dir.Path("c.txt"), pDoc->GetPathName());
    EXPECT_STREQ("c.txt", pDoc->GetTitle());
    EXPECT_STREQ("beta", ReadWholeFile(dir.Path("c.txt")));
    ASSERT_TRUE(theApp.m_pRecentFileList != NULL);
    EXPECT_STREQ(dir.Path("c.txt"), (*theApp.m_pRecentFileList)[0]);

    // A never-saved document proposes its title with the type's extension.
    CDocument* pNew = TemplateOf("Text")->OpenDocumentFile(NULL);
    theApp.m_prompts.clear();
    EXPECT_FALSE(pNew->DoSave(NULL)) << "the file dialog was cancelled";
    ASSERT_EQ(1u, theApp.m_prompts.size());
    EXPECT_EQ("file dialog: " + std::string((LPCTSTR)pNew->GetTitle()) + ".txt", theApp.m_prompts[0]);

    pDoc->OnCloseDocument();
    CTextDoc* pAgain = (CTextDoc*)theApp.OpenDocumentFile(dir.Path("c.txt"));
    ASSERT_TRUE(pAgain != NULL);
    EXPECT_STREQ("beta", pAgain->m_strText);
}

TEST_F(FrameTest, FailedSaveLeavesTheOldFileAsItWas)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "original content");
    WriteWholeFile(dir.Path("d.txt"), "keep me");
    CTextDoc* pDoc = (CTextDoc*)theApp.OpenDocumentFile(dir.Path("a.txt"));
    ASSERT_TRUE(pDoc != NULL);

    pDoc->m_strText = "replacement text";
    pDoc->SetModifiedFlag();
    pDoc->m_bFailWhileSaving = TRUE;
    theApp.m_prompts.clear();
    EXPECT_FALSE(pDoc->DoFileSave());
    EXPECT_STREQ("original content", ReadWholeFile(dir.Path("a.txt")));
    EXPECT_EQ(2, dir.CountFiles()) << "the half-written temporary file is gone";
    EXPECT_EQ(1u, theApp.m_prompts.size()) << "the failure is reported";
    EXPECT_TRUE(pDoc->IsModified());

    // Save As onto an existing file that fails keeps that file too.
    theApp.m_fileNames.push_back(dir.Path("d.txt"));
    EXPECT_FALSE(pDoc->DoSave(NULL));
    EXPECT_STREQ("keep me", ReadWholeFile(dir.Path("d.txt")));
    EXPECT_STREQ(dir.Path("a.txt"), pDoc->GetPathName());
}

TEST_F(FrameTest, ModifiedDocumentAsksBeforeItCloses)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "alpha");
    CTextDoc* pDoc = (CTextDoc*)theApp.OpenDocumentFile(dir.Path("a.txt"));
    ASSERT_TRUE(pDoc != NULL);
    pDoc->m_strText = "changed";
    pDoc->SetModifiedFlag();
    CFrameWnd* pFrame = FrameOf(pDoc);
    HWND hWndFrame = pFrame->m_hWnd;

    theApp.m_prompts.clear();
    theApp.m_answers = {IDCANCEL};
    pFrame->SendMessage(WM_CLOSE);
    ASSERT_EQ(1u, theApp.m_prompts.size());
    EXPECT_EQ("Save changes to a.txt?", theApp.m_prompts[0]);
    EXPECT_TRUE(::IsWindow(hWndFrame)) << "Cancel keeps the document open";
    EXPECT_EQ(1, CTextDoc::s_nLive);

    theApp.m_answers = {IDNO};
    pFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWndFrame));
    EXPECT_EQ(0, CTextDoc::s_nLive);
    EXPECT_STREQ("alpha", ReadWholeFile(dir.Path("a.txt"))) << "No discards the changes";

    pDoc = (CTextDoc*)theApp.OpenDocumentFile(dir.Path("a.txt"));
    ASSERT_TRUE(pDoc != NULL);
    pDoc->m_strText = "saved";
    pDoc->SetModifiedFlag();
    theApp.m_answers = {IDYES};
    FrameOf(pDoc)->SendMessage(WM_CLOSE);
    EXPECT_EQ(0, CTextDoc::s_nLive);
    EXPECT_STREQ("saved", ReadWholeFile(dir.Path("a.txt"))) << "Yes saves first";
}

TEST_F(FrameTest, ClosingADocumentRemovesFramesAndViewsBeforeEmptyingIt)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "alpha");
    CTextDoc* pDoc = (CTextDoc*)theApp.OpenDocumentFile(dir.Path("a.txt"));
    ASSERT_TRUE(pDoc != NULL);

    // A second window on the document numbers both frames.
    m_pFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    ASSERT_EQ(2, pDoc->m_viewList.GetCount());
    POSITION pos = pDoc->GetFirstViewPosition();
    CFrameWnd* pFirst = pDoc->GetNextView(pos)->GetParentFrame();
    CFrameWnd* pSecond = pDoc->GetNextView(pos)->GetParentFrame();
    EXPECT_STREQ("a.txt:1", WindowTextOf(pFirst));
    EXPECT_STREQ("a.txt:2", WindowTextOf(pSecond));

    // Closing one of two frames asks nothing and keeps the document.
    pDoc->SetModifiedFlag();
    theApp.m_prompts.clear();
    pSecond->SendMessage(WM_CLOSE);
    EXPECT_TRUE(theApp.m_prompts.empty());
    EXPECT_EQ(1, pDoc->m_viewList.GetCount());
    EXPECT_STREQ("a.txt", WindowTextOf(pFirst));

    g_events.clear();
    pDoc->OnCloseDocument();
    int nView = IndexOfEvent("view destroyed");
    int nFrame = IndexOfEvent("frame destroyed");
    int nContents = IndexOfEvent("DeleteContents views=0");
    int nDeleted = IndexOfEvent("~doc");
    EXPECT_GE(nView, 0);
    EXPECT_GE(nFrame, 0);
    EXPECT_GT(nContents, nView);
    EXPECT_GT(nContents, nFrame);
    EXPECT_GT(nDeleted, nContents);
    EXPECT_EQ(0, CTextView::s_nLive) << "views made by their frames go with them";
}

TEST_F(FrameTest, ClosingTheMainFrameAsksForEveryModifiedDocument)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "alpha");
    WriteWholeFile(dir.Path("b.vnote"), "note");
    CTextDoc* pText = (CTextDoc*)theApp.OpenDocumentFile(dir.Path("a.txt"));
    CTextDoc* pNote = (CTextDoc*)theApp.OpenDocumentFile(dir.Path("b.vnote"));
    ASSERT_TRUE(pText != NULL && pNote != NULL);
    pText->SetModifiedFlag();
    pNote->SetModifiedFlag();

    theApp.m_prompts.clear();
    theApp.m_answers = {IDNO, IDCANCEL};
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(2u, theApp.m_prompts.size());
    EXPECT_TRUE(::IsWindow(m_hWndFrame)) << "Cancel on the second keeps everything open";
    EXPECT_EQ(2, theApp.GetOpenDocumentCount());

    theApp.m_answers = {IDNO, IDNO};
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(m_hWndFrame));
    EXPECT_EQ(0, theApp.GetOpenDocumentCount());
    EXPECT_EQ(0, CTextDoc::s_nLive);
}

TEST_F(FrameTest, FailedOpenLeavesNoDocumentOrFrame)
{
    CScratchDir dir;
    int nViews = CTextView::s_nLive;
    theApp.m_prompts.clear();
    EXPECT_TRUE(theApp.OpenDocumentFile(dir.Path("missing.txt")) == NULL);
    EXPECT_EQ(1u, theApp.m_prompts.size());
    EXPECT_EQ(0, theApp.GetOpenDocumentCount());
    EXPECT_EQ(0, CTextDoc::s_nLive);
    EXPECT_EQ(nViews, CTextView::s_nLive);
    EXPECT_TRUE(m_pFrame->MDIGetActive() == NULL);
}

namespace {

// A document that cannot be made new, and one that its program keeps (no self-delete).
class CRefusingDoc : public CTextDoc
{
    DECLARE_DYNCREATE(CRefusingDoc)
public:
    virtual BOOL OnNewDocument() { return FALSE; }
};

class CKeptDoc : public CTextDoc
{
    DECLARE_DYNCREATE(CKeptDoc)
public:
    CKeptDoc() { m_bAutoDelete = FALSE; }
};

IMPLEMENT_DYNCREATE(CRefusingDoc, CTextDoc)
IMPLEMENT_DYNCREATE(CKeptDoc, CTextDoc)

} // namespace

TEST_F(FrameTest, DocumentsThatFailToOpenDoNotStayInTheirTemplate)
{
    CScratchDir dir;
    int nViews = CTextView::s_nLive;
    // Frames without a view: closing the frame does not close the document.
    CMultiDocTemplate viewless(IDR_TEXTTYPE, RUNTIME_CLASS(CRefusingDoc), RUNTIME_CLASS(CChildFrame), NULL);
    viewless.m_bAutoDelete = FALSE;
    EXPECT_TRUE(viewless.OpenDocumentFile(dir.Path("missing.txt")) == NULL);
    EXPECT_TRUE(viewless.OpenDocumentFile(NULL) == NULL);
    EXPECT_TRUE(viewless.GetFirstDocPosition() == NULL);
    EXPECT_EQ(0, CTextDoc::s_nLive);

    // A document that does not delete itself outlives its views.
    CMultiDocTemplate kept(IDR_TEXTTYPE, RUNTIME_CLASS(CKeptDoc), RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CTextView));
    kept.m_bAutoDelete = FALSE;
    EXPECT_TRUE(kept.OpenDocumentFile(dir.Path("missing.txt")) == NULL);
    EXPECT_TRUE(kept.GetFirstDocPosition() == NULL);
    EXPECT_EQ(0, CTextDoc::s_nLive);
    EXPECT_EQ(nViews, CTextView::s_nLive);
    EXPECT_TRUE(m_pFrame->MDIGetActive() == NULL);
}

TEST_F(FrameTest, ViewDeletedWithItsWindowAliveLeavesItsFrameAndDocument)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "alpha");
    CDocument* pDoc = theApp.OpenDocumentFile(dir.Path("a.txt"));
    ASSERT_TRUE(pDoc != NULL);
    int nViews = CTextView::s_nLive;
    m_pFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    ASSERT_EQ(nViews + 1, CTextView::s_nLive);

    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pDoc->GetNextView(pos);
    CFrameWnd* pViewFrame = pView->GetParentFrame();
    pViewFrame->SetActiveView(pView, FALSE);
    HWND hWndView = pView->m_hWnd;
    delete pView;
    EXPECT_FALSE(::IsWindow(hWndView));
    EXPECT_EQ(nViews, CTextView::s_nLive) << "deleted once";
    EXPECT_TRUE(pViewFrame->GetActiveView() == NULL) << "its frame does not keep the deleted view";
    pos = pDoc->GetFirstViewPosition();
    ASSERT_TRUE(pos != NULL);
    EXPECT_TRUE(pDoc->GetNextView(pos) != pView);
    EXPECT_TRUE(pos == NULL);
    pViewFrame->SendMessage(WM_SETFOCUS);
}

TEST_F(FrameTest, ViewOutsideAFrameBelongsToItsOwner)
{
    int nViews = CTextView::s_nLive;
    {
        CWnd host;
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 200), NULL, 0));
        CTextView view;
        ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &host, 1));
        EXPECT_EQ(nViews + 1, CTextView::s_nLive);
        host.DestroyWindow();
        EXPECT_TRUE(view.m_hWnd == NULL);
        EXPECT_EQ(nViews + 1, CTextView::s_nLive) << "the window going does not delete the member";
    }
    EXPECT_EQ(nViews, CTextView::s_nLive);
}

TEST_F(FrameTest, MenuItemsAskTheCommandRouting)
{
    CMenu* pTest = m_pFrame->GetMenu()->GetSubMenu(2);
    ASSERT_TRUE(pTest != NULL);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)pTest->m_hMenu, 2);
    EXPECT_EQ(0u, pTest->GetMenuState(ID_TEST_HANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_NE(0u, pTest->GetMenuState(ID_TEST_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED)
        << "no handler: disabled";
    EXPECT_NE(0u, pTest->GetMenuState(ID_TEST_CHECKED, MF_BYCOMMAND) & MF_CHECKED);

    m_pFrame->m_bAutoMenuEnable = FALSE;
    pTest->EnableMenuItem(ID_TEST_UNHANDLED, MF_ENABLED);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)pTest->m_hMenu, 2);
    EXPECT_EQ(0u, pTest->GetMenuState(ID_TEST_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(FrameTest, WindowPopupIsFoundByItsCommandsOrByName)
{
    HMENU hText = ((CMultiDocTemplate*)TemplateOf("Text"))->m_hMenuShared;
    HMENU hNote = ((CMultiDocTemplate*)TemplateOf("Note"))->m_hMenuShared;
    EXPECT_EQ(::GetSubMenu(hText, 1), m_pFrame->GetWindowMenuPopup(hText));
    EXPECT_EQ(::GetSubMenu(hNote, 1), m_pFrame->GetWindowMenuPopup(hNote))
        << "no standard window command: the popup named Window";
    EXPECT_TRUE(m_pFrame->GetWindowMenuPopup(m_pFrame->m_hMenuDefault) == NULL);
}

TEST_F(FrameTest, RecentFileListKeepsTheLatestFirst)
{
    CRecentFileList list(ID_FILE_MRU_FILE1, "Recent Test", "File%d", 4, 20);
    list.Add("C:\\work\\one.lua");
    list.Add("C:\\work\\two.lua");
    list.Add("C:\\work\\three.lua");
    list.Add("C:\\WORK\\ONE.LUA");
    EXPECT_STREQ("C:\\WORK\\ONE.LUA", list[0]) << "the same file moves to the top";
    EXPECT_STREQ("C:\\work\\three.lua", list[1]);
    EXPECT_STREQ("C:\\work\\two.lua", list[2]);
    EXPECT_TRUE(list[3].IsEmpty());
    list.Add("C:\\work\\four.lua");
    list.Add("C:\\work\\five.lua");
    EXPECT_EQ(4, list.GetSize());
    EXPECT_STREQ("C:\\work\\three.lua", list[3]) << "the oldest dropped off";

    CString strName;
    EXPECT_TRUE(list.GetDisplayName(strName, 0, "C:\\work", 7));
    EXPECT_STREQ("five.lua", strName) << "a file in the current directory shows by name";
    list.Add("C:\\Projects\\Lua\\Demo\\src\\main.lua");
    EXPECT_TRUE(list.GetDisplayName(strName, 0, "C:\\work\\", 8));
    EXPECT_STREQ("C:\\...\\src\\main.lua", strName);
    list.Remove(0);
    EXPECT_STREQ("C:\\work\\five.lua", list[0]);
    EXPECT_FALSE(list.GetDisplayName(strName, 3, NULL, 0)) << "an empty entry has no name";

    // The list survives in the program's profile.
    list.WriteList();
    CRecentFileList copy(ID_FILE_MRU_FILE1, "Recent Test", "File%d", 4);
    copy.ReadList();
    for (int i = 0; i < 4; i++)
        EXPECT_STREQ(list[i], copy[i]) << i;
    for (int i = 0; i < 4; i++)
        list.Remove(0);
    list.WriteList();
    copy.ReadList();
    EXPECT_TRUE(copy[0].IsEmpty());
}

TEST_F(FrameTest, RecentFileMenuListsOpenedFiles)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a&b.txt"), "alpha");
    ASSERT_TRUE(theApp.OpenDocumentFile(dir.Path("a&b.txt")) != NULL);
    char szOldDir[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szOldDir);
    ::SetCurrentDirectoryA(dir.Dir());
    theApp.CloseAllDocuments(FALSE);

    CMenu* pFile = CMenu::FromHandle(::GetSubMenu(m_pFrame->m_hMenuDefault, 0));
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)pFile->m_hMenu, 0);
    CString strItem;
    pFile->GetMenuString(ID_FILE_MRU_FILE1, strItem, MF_BYCOMMAND);
    EXPECT_STREQ("&1 a&&b.txt", strItem);
    EXPECT_EQ(0u, pFile->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    ::SetCurrentDirectoryA(szOldDir);

    // Choosing the entry opens the file again.
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    EXPECT_EQ(1, theApp.GetOpenDocumentCount());
}

namespace {

// A view that prints onto a metafile instead of asking for a printer, and logs the steps.
class CPrintingView : public CTextView
{
public:
    std::vector<std::string> m_steps;
    UINT m_nPages = 3;

    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo)
    {
        m_steps.push_back("prepare");
        pInfo->m_pPD->m_pd.hDC = ::CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
        return pInfo->m_pPD->m_pd.hDC != NULL;
    }
    virtual void OnBeginPrinting(CDC*, CPrintInfo* pInfo)
    {
        m_steps.push_back("begin");
        pInfo->SetMaxPage(m_nPages);
    }
    virtual void OnPrint(CDC*, CPrintInfo* pInfo)
    {
        m_steps.push_back("page " + std::to_string(pInfo->m_nCurPage));
    }
    virtual void OnEndPrinting(CDC*, CPrintInfo*)
    {
        m_steps.push_back("end");
    }
    std::string Steps() const
    {
        std::string strSteps;
        for (const std::string& step : m_steps)
            strSteps += (strSteps.empty() ? "" : ", ") + step;
        return strSteps;
    }
};

} // namespace

TEST_F(FrameTest, PrintJobThatCannotStartStillEnds)
{
    // A metafile takes no print job: the job fails to start, is reported, and the
    // view still undoes what it prepared for it.
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, CRect(0, 0, 200, 200), NULL, 0));
    CPrintingView view;
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 100, 100), &host, 1));

    theApp.m_prompts.clear();
    view.SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ("prepare, begin, end", view.Steps());
    ASSERT_EQ(1u, theApp.m_prompts.size());
    EXPECT_EQ("Could not start print job.", theApp.m_prompts[0]);
    host.DestroyWindow();
}

TEST_F(FrameTest, PrintJobWhosePreparationThrowsStillEnds)
{
    // The view hides its frame while printing; a failing step must not leave it hidden.
    class CThrowingPrintView : public CPrintingView
    {
    public:
        virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
        {
            CPrintingView::OnBeginPrinting(pDC, pInfo);
            AfxThrowUserException();
        }
    };
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, CRect(0, 0, 200, 200), NULL, 0));
    CThrowingPrintView view;
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 100, 100), &host, 1));

    view.SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ("prepare, begin, end", view.Steps());
    EXPECT_EQ(1, theApp.m_nExceptions) << "the exception still reaches the window procedure's handler";
    theApp.m_nExceptions = 0;
    host.DestroyWindow();
}

TEST_F(FrameTest, MaximizedChildrenCycleAndShareTheTitle)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "alpha");
    WriteWholeFile(dir.Path("b.txt"), "beta");
    WriteWholeFile(dir.Path("c.txt"), "gamma");
    CDocument* pA = theApp.OpenDocumentFile(dir.Path("a.txt"));
    CDocument* pB = theApp.OpenDocumentFile(dir.Path("b.txt"));
    ASSERT_TRUE(pA != NULL && pB != NULL);
    CMDIChildWnd* pChildB = (CMDIChildWnd*)FrameOf(pB);

    pChildB->MDIMaximize();
    BOOL bMaximized = FALSE;
    EXPECT_EQ(pChildB, m_pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    // The system shows a maximized child's name itself; the frame does not repeat it.
    m_pFrame->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(-1, WindowTextOf(m_pFrame).Find(" - b.txt"));

    // A document opened now opens maximized too.
    CDocument* pC = theApp.OpenDocumentFile(dir.Path("c.txt"));
    ASSERT_TRUE(pC != NULL);
    EXPECT_TRUE(FrameOf(pC)->IsZoomed());

    m_pFrame->MDINext();
    EXPECT_NE(FrameOf(pC), m_pFrame->MDIGetActive());
    m_pFrame->MDIPrev();
    EXPECT_EQ(FrameOf(pC), m_pFrame->MDIGetActive());

    m_pFrame->MDIRestore(FrameOf(pC));
    m_pFrame->MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);
    m_pFrame->OnUpdateFrameTitle(TRUE);
    EXPECT_STREQ("FrameTest - c.txt", WindowTextOf(m_pFrame));
}

TEST_F(FrameTest, DroppedFilesOpenAsDocuments)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "alpha");
    WriteWholeFile(dir.Path("b.vnote"), "note");

    // A drop of two files, as the shell hands it over.
    std::string strFiles = std::string((LPCTSTR)dir.Path("a.txt")) + '\0' + (LPCTSTR)dir.Path("b.vnote") + '\0' + '\0';
    HGLOBAL hDrop = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + strFiles.size());
    DROPFILES* pDrop = (DROPFILES*)::GlobalLock(hDrop);
    pDrop->pFiles = sizeof(DROPFILES);
    memcpy((BYTE*)pDrop + sizeof(DROPFILES), strFiles.data(), strFiles.size());
    ::GlobalUnlock(hDrop);
    m_pFrame->SendMessage(WM_DROPFILES, (WPARAM)hDrop);

    EXPECT_EQ(2, theApp.GetOpenDocumentCount());
}

TEST_F(FrameTest, IdleTimeUpdatesBarsAndAppliesDelayedLayout)
{
    m_pFrame->m_strLine = "Ln 7";
    m_pFrame->ShowControlBar(&m_pFrame->m_wndToolBar, FALSE, TRUE);
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());
    theApp.OnIdle(0);
    EXPECT_STREQ("Ln 7", m_pFrame->m_wndStatusBar.GetPaneText(1));
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(0, ClientArea().top) << "the layout followed at idle time";
}

TEST_F(FrameTest, ChildFramePromptsShowOnTheMainStatusLine)
{
    CScratchDir dir;
    WriteWholeFile(dir.Path("a.txt"), "alpha");
    CDocument* pDoc = theApp.OpenDocumentFile(dir.Path("a.txt"));
    ASSERT_TRUE(pDoc != NULL);
    FrameOf(pDoc)->SetMessageText(ID_TEST_HANDLED);
    EXPECT_STREQ("Runs the handled command", m_pFrame->m_wndStatusBar.GetPaneText(0));
}

namespace {

// Picks the second document type in the File New dialog once it is up.
void CALLBACK ChooseSecondTypeWhenAsked(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hDlg = ::FindWindowA("#32770", "New");
    if (hDlg == NULL)
        return;
    ::KillTimer(hWnd, nIDEvent);
    HWND hList = ::GetDlgItem(hDlg, 100);
    char szName[64] = "";
    ::SendMessageA(hList, LB_GETTEXT, 1, (LPARAM)szName);
    g_events.push_back(std::string("offered ") + szName);
    ::SendMessage(hList, LB_SETCURSEL, 1, 0);
    ::SendMessage(hDlg, WM_COMMAND, IDOK, 0);
}

} // namespace

TEST_F(FrameTest, FileNewLetsTheUserChooseTheDocumentType)
{
    g_events.clear();
    m_pFrame->SetTimer(1, 20, ChooseSecondTypeWhenAsked);
    theApp.OnFileNew();
    ASSERT_EQ(1, theApp.GetOpenDocumentCount());
    ASSERT_FALSE(g_events.empty());
    EXPECT_EQ("offered Note Document", g_events[0]);
    CMDIChildWnd* pChild = m_pFrame->MDIGetActive();
    ASSERT_TRUE(pChild != NULL);
    CDocument* pDoc = pChild->GetActiveDocument();
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_TRUE(pDoc->IsKindOf(RUNTIME_CLASS(CNoteDoc)));
    EXPECT_EQ(0, pDoc->GetTitle().Find("Note"));
}

TEST_F(FrameTest, AMaximizedChildGivesTheFrameItsButtonsAndItsDocumentsName)
{
    CDocument* pDoc = TemplateOf("Text")->OpenDocumentFile(NULL);
    ASSERT_TRUE(pDoc != NULL);
    CMDIChildWnd* pChild = (CMDIChildWnd*)FrameOf(pDoc);
    PumpPending();
    HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
    const int nItemsBefore = ::GetMenuItemCount(hMenu);
    EXPECT_EQ(-1, WindowTextOf(m_pFrame).Find('['));

    pChild->MDIMaximize();
    PumpPending();
    EXPECT_TRUE(pChild->GetStyle() & WS_MAXIMIZE);
    EXPECT_GT(::GetMenuItemCount(::GetMenu(m_pFrame->m_hWnd)), nItemsBefore) << "the child's system menu and buttons";
    EXPECT_NE(-1, WindowTextOf(m_pFrame).Find("[" + pDoc->GetTitle() + "]")) << (LPCTSTR)WindowTextOf(m_pFrame);

    pChild->MDIRestore();
    PumpPending();
    EXPECT_EQ(nItemsBefore, ::GetMenuItemCount(::GetMenu(m_pFrame->m_hWnd)));
    EXPECT_EQ(-1, WindowTextOf(m_pFrame).Find('['));
}

TEST_F(FrameTest, IdleTimeReachesTheOpenDocuments)
{
    CTextDoc* pDoc = (CTextDoc*)TemplateOf("Text")->OpenDocumentFile(NULL);
    ASSERT_TRUE(pDoc != NULL);
    const int nBefore = pDoc->m_nIdle;
    theApp.OnIdle(0);
    EXPECT_EQ(nBefore + 1, pDoc->m_nIdle);
    theApp.OnIdle(1);
    EXPECT_EQ(nBefore + 1, pDoc->m_nIdle) << "only with the user-interface update";
}
