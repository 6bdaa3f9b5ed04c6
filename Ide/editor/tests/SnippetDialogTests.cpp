// The code snippets in the real IDE under Xvfb: the manager and the dialogs it opens,
// driven by a test timer while they run modally (commands posted to the frame, buttons
// pressed, list boxes and edits read back); Insert... and Create From Selection... of
// an editor; the snippets' start-up and exit steps of the application.
#include "AppTestSupport.h"

#include "CCodeSnippet.h"
#include "CCodeSnippetList.h"
#include "ScreenPicture.h"
#include "resource.h"

#include <SciLexer.h>

#include <algorithm>
#include <deque>

namespace
{
const char kManager[] = "Code Snippet Manager";
const char kNew[] = "Create new Code Snippet";
const char kRename[] = "Rename Code Snippet";
const char kMacro[] = "Insert Macro";
const char kInsert[] = "Insert Code Snippet";

CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

CCodeSnippetList& Snippets()
{
    return theApp.m_codeSnippets;
}

// One act on the dialog of the caption, once it shows and takes input (a dialog that
// opened another waits under it). Acts may open further dialogs; their acts follow.
typedef std::function<void(HWND)> Act;
struct SStep
{
    std::string caption;
    Act act;
};

class CStepDriver
{
public:
    static void Run(std::vector<SStep> steps)
    {
        s_steps.assign(steps.begin(), steps.end());
        s_nRan = 0;
        s_nTimer = ::SetTimer(NULL, 0, 30, Tick);
    }
    static int Ran() { return s_nRan; }

private:
    static std::deque<SStep> s_steps;
    static int s_nRan;
    static UINT_PTR s_nTimer;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_steps.empty())
            return;
        HWND hDialog = ::FindWindowA("#32770", s_steps.front().caption.c_str());
        if (hDialog == NULL || !::IsWindowVisible(hDialog) || !::IsWindowEnabled(hDialog))
            return;
        SStep step = s_steps.front();
        s_steps.pop_front();
        if (s_steps.empty())
            ::KillTimer(NULL, s_nTimer);
        s_nRan++;
        step.act(hDialog);
    }
};
std::deque<SStep> CStepDriver::s_steps;
int CStepDriver::s_nRan = 0;
UINT_PTR CStepDriver::s_nTimer = 0;

SStep On(const char* pszCaption, Act act)
{
    return SStep{ pszCaption, act };
}

Act Type(int nID, std::string text)
{
    return [=](HWND h) { ::SetDlgItemTextA(h, nID, text.c_str()); };
}

Act Click(int nID)
{
    return [=](HWND h) { ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(h, nID)); };
}

// The user types over the whole text of an edit (a multi-line edit reports no change
// for a text set as a whole).
Act TypeOver(int nID, std::string text)
{
    return [=](HWND h) {
        ::SendDlgItemMessageA(h, nID, EM_SETSEL, 0, -1);
        ::SendDlgItemMessageA(h, nID, EM_REPLACESEL, TRUE, (LPARAM)text.c_str());
    };
}

// The user picks a line of a list box: the list notifies its dialog.
Act Pick(int nID, std::string text)
{
    return [=](HWND h) {
        HWND hList = ::GetDlgItem(h, nID);
        const int nIndex = (int)::SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.c_str());
        ASSERT_GE(nIndex, 0) << text;
        ::SendMessageA(hList, LB_SETCURSEL, nIndex, 0);
        ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(nID, LBN_SELCHANGE), (LPARAM)hList);
    };
}

std::string ItemText(HWND h, int nID)
{
    HWND hItem = ::GetDlgItem(h, nID);
    std::string text((size_t)::GetWindowTextLengthA(hItem) + 1, '\0');
    ::GetWindowTextA(hItem, &text[0], (int)text.size());
    text.resize(strlen(text.c_str()));
    return text;
}

std::string Selected(HWND h, int nID)
{
    const int nSel = (int)::SendDlgItemMessageA(h, nID, LB_GETCURSEL, 0, 0);
    if (nSel < 0)
        return "<none>";
    char szText[512] = "";
    ::SendDlgItemMessageA(h, nID, LB_GETTEXT, nSel, (LPARAM)szText);
    return szText;
}

// "1" or "0" for each control, enabled or not.
std::string Enabled(HWND h, std::initializer_list<int> ids)
{
    std::string states;
    for (int nID : ids)
        states += ::IsWindowEnabled(::GetDlgItem(h, nID)) ? "1" : "0";
    return states;
}

std::string FavouriteButtons(HWND h)
{
    return Enabled(h, { IDC_SNIPPET_MOVE_UP, IDC_SNIPPET_MOVE_DOWN, IDC_SNIPPET_REMOVE_FAVOURITE });
}

std::vector<std::string> Favourites(HWND h)
{
    return ListBoxLines(h, IDC_SNIPPET_FAVOURITES);
}

std::vector<std::string> Slots()
{
    std::vector<std::string> slots;
    for (const CString& strSlot : theApp.m_settings.m_strFavCodeSnippet)
        slots.push_back(strSlot.GetString());
    while (!slots.empty() && slots.back().empty())
        slots.pop_back();
    return slots;
}

std::string ViewText(CVornView* pView)
{
    CScintillaCtrl& ctrl = pView->GetCtrl();
    const int nLength = ctrl.GetLength();
    std::string text(nLength + 1, '\0');
    ctrl.Call(SCI_GETTEXT, (WPARAM)nLength + 1, (LPARAM)&text[0]);
    text.resize(nLength);
    return text;
}

void SetClipboardText(const char* pszText)
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    const size_t nSize = strlen(pszText) + 1;
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
    memcpy(::GlobalLock(hData), pszText, nSize);
    ::GlobalUnlock(hData);
    ::SetClipboardData(CF_TEXT, hData);
    ::CloseClipboard();
}

std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(NULL))
        return "<no clipboard>";
    if (HANDLE hData = ::GetClipboardData(CF_TEXT))
    {
        text = static_cast<const char*>(::GlobalLock(hData));
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    return text;
}
} // namespace

// Snippets in a folder of the test's own, none at first, no favourite names; the
// message boxes answered by the test.
class SnippetDialogs : public ::testing::Test
{
protected:
    CTestFolder m_folder;

    void SetUp() override
    {
        ASSERT_TRUE(Frame() != NULL);
        theApp.m_strSnippetFolder = m_folder.Path();
        Snippets().RemoveAll();
        ClearSlots();
        theApp.m_prompts.clear();
        theApp.m_answers.clear();
    }
    void TearDown() override
    {
        theApp.CloseAllDocuments(FALSE);
        PumpPending();
        // Nothing of the tests is written at the program's exit.
        Snippets().RemoveAll();
        ClearSlots();
        theApp.m_strSnippetFolder.Empty();
    }
    static void ClearSlots()
    {
        for (CString& strSlot : theApp.m_settings.m_strFavCodeSnippet)
            strSlot.Empty();
    }
    CCodeSnippet* AddSnippet(LPCTSTR pszName, LPCTSTR pszText = "", int nFavourite = -1)
    {
        CCodeSnippet* pSnippet = Snippets().Add(pszName, CString(pszName) + ".vcs");
        EXPECT_TRUE(pSnippet != NULL) << pszName;
        pSnippet->SetText(pszText);
        pSnippet->m_nFavourite = nFavourite;
        return pSnippet;
    }
    // Runs the command with the steps acting on the dialogs it opens; every step must
    // have run when the command returns.
    void RunCommand(UINT nID, std::vector<SStep> steps)
    {
        const int nSteps = (int)steps.size();
        CStepDriver::Run(steps);
        Frame()->SendMessage(WM_COMMAND, nID);
        PumpPending();
        EXPECT_EQ(nSteps, CStepDriver::Ran());
    }
    void RunManager(std::vector<SStep> steps) { RunCommand(ID_SNIPPET_MANAGER, steps); }
    // A new document holding the text, active in the frame.
    CVornView* OpenDocument(const char* pszText)
    {
        theApp.OnFileNew();
        PumpPending();
        CVornView* pView = CMainFrame::GetActiveVornView();
        EXPECT_TRUE(pView != NULL);
        if (pView != NULL)
            pView->GetCtrl().Call(SCI_SETTEXT, 0, (LPARAM)pszText);
        return pView;
    }
};

TEST_F(SnippetDialogs, AManagerWithoutSnippetsOffersNewAndTheFirstSnippetEnablesTheRest)
{
    EXPECT_TRUE(QueryCommand(Frame(), ID_SNIPPET_MANAGER).bEnabled);
    const std::initializer_list<int> kSnippetButtons = { IDC_SNIPPET_RENAME, IDC_SNIPPET_MACROS, IDC_SNIPPET_SAVE };
    RunManager({ On(kManager,
                    [&](HWND h) {
                        EXPECT_TRUE(ListBoxLines(h, IDC_SNIPPET_LIST).empty());
                        EXPECT_EQ("000", Enabled(h, kSnippetButtons));
                        EXPECT_EQ("000", FavouriteButtons(h));
                    }),
                 On(kManager, Click(IDC_SNIPPET_NEW)), On(kNew, Type(IDC_NEW_SNIPPET_NAME, "first")),
                 On(kNew, Type(IDC_NEW_SNIPPET_FILE_NAME, "First File")), On(kNew, Click(IDOK)),
                 On(kManager,
                    [&](HWND h) {
                        EXPECT_EQ((std::vector<std::string>{ "first" }), ListBoxLines(h, IDC_SNIPPET_LIST));
                        EXPECT_EQ("first", Selected(h, IDC_SNIPPET_LIST));
                        EXPECT_EQ("111", Enabled(h, kSnippetButtons));
                        EXPECT_EQ("", ItemText(h, IDC_SNIPPET_TEXT));
                    }),
                 On(kManager, Click(IDOK)) });
    ASSERT_EQ(1, Snippets().GetCount());
    EXPECT_STREQ("First File.vcs", Snippets().GetAt(0)->GetFileName());
    EXPECT_EQ(1, Snippets().GetAt(0)->m_nModified);
    EXPECT_TRUE(theApp.m_prompts.empty());
}

TEST_F(SnippetDialogs, TheNewSnippetDialogChecksInOrderAndStaysOpenUntilAllIsWell)
{
    AddSnippet("taken");
    // A file that is there without a loaded snippet (one that failed to load).
    WriteTestFile(m_folder / "orphan.vcs", "not a snippet");
    std::vector<SStep> steps = { On(kManager, Click(IDC_SNIPPET_NEW)) };
    const char* const kTries[][2] = {
        { "", "" },         { "taken", "" },     { "fresh", "" },      { "fresh", "..\\up" }, { "fresh", "sub/x" },
        { "fresh", "CON" }, { "fresh", "lpt1" }, { "fresh", " lead" }, { "fresh", "dot." },   { "fresh", "a:b" },
        { "fresh", "TAKEN" }, { "fresh", "orphan" },
    };
    for (const auto& attempt : kTries)
    {
        steps.push_back(On(kNew, Type(IDC_NEW_SNIPPET_NAME, attempt[0])));
        steps.push_back(On(kNew, Type(IDC_NEW_SNIPPET_FILE_NAME, attempt[1])));
        steps.push_back(On(kNew, Click(IDOK)));
    }
    steps.push_back(On(kNew, Type(IDC_NEW_SNIPPET_FILE_NAME, "fresh")));
    steps.push_back(On(kNew, Click(IDOK)));
    steps.push_back(On(kManager, [](HWND h) { EXPECT_EQ("fresh", Selected(h, IDC_SNIPPET_LIST)); }));
    steps.push_back(On(kManager, Click(IDOK)));
    RunManager(steps);

    const std::string kInvalid = "The file name is not valid.";
    const std::string kSameFile = "Code Snippet with the same file name already exists.";
    EXPECT_EQ((std::vector<std::string>{ "You must enter a snippet name.",
                                         "Code Snippet with the same name already exists.",
                                         "You must enter a file name.", kInvalid, kInvalid, kInvalid, kInvalid,
                                         kInvalid, kInvalid, kInvalid, kSameFile, kSameFile }),
              theApp.m_prompts);
    ASSERT_TRUE(Snippets().FindByName("fresh") != NULL);
    EXPECT_STREQ("fresh.vcs", Snippets().FindByName("fresh")->GetFileName());
    EXPECT_EQ("not a snippet", ReadTestFile(m_folder / "orphan.vcs"));
}

TEST_F(SnippetDialogs, RenamingAFavouriteKeepsItsPlaceAndItsCommand)
{
    AddSnippet("alpha", "a()", 0);
    AddSnippet("beta", "b()", 1);
    theApp.RebuildFavouriteSnippetNames();
    RunManager({ On(kManager, Pick(IDC_SNIPPET_LIST, "beta")), On(kManager, Click(IDC_SNIPPET_RENAME)),
                 On(kRename, [](HWND h) { EXPECT_EQ("beta", ItemText(h, IDC_RENAME_SNIPPET_NAME)); }),
                 // Its own name and another's are taken; an empty one is none.
                 On(kRename, Click(IDOK)), On(kRename, Type(IDC_RENAME_SNIPPET_NAME, "alpha")),
                 On(kRename, Click(IDOK)), On(kRename, Type(IDC_RENAME_SNIPPET_NAME, "")), On(kRename, Click(IDOK)),
                 On(kRename, Type(IDC_RENAME_SNIPPET_NAME, "R&D")), On(kRename, Click(IDOK)),
                 On(kManager,
                    [](HWND h) {
                        EXPECT_EQ((std::vector<std::string>{ "alpha", "R&D" }), ListBoxLines(h, IDC_SNIPPET_LIST));
                        EXPECT_EQ("R&D", Selected(h, IDC_SNIPPET_LIST));
                        EXPECT_EQ((std::vector<std::string>{ "alpha", "R&D" }), Favourites(h));
                        EXPECT_EQ("b()", ItemText(h, IDC_SNIPPET_TEXT));
                    }),
                 On(kManager, Click(IDOK)) });
    EXPECT_EQ((std::vector<std::string>{ "Code Snippet with the same name already exists.",
                                         "Code Snippet with the same name already exists.", "You must enter a name." }),
              theApp.m_prompts);
    EXPECT_EQ((std::vector<std::string>{ "alpha", "R&D" }), Slots());
    EXPECT_EQ(1, Snippets().FindByName("R&D")->m_nModified);

    // Its favourite command inserts it, and its menu item shows the name as written.
    CVornView* pView = OpenDocument("");
    ASSERT_TRUE(pView != NULL);
    const CCommandState state = QueryCommand(pView, ID_SNIPPET_FAVOURITE2);
    EXPECT_TRUE(state.bEnabled);
    EXPECT_EQ("R&&D\tCtrl+Shift+2", state.text);
    Frame()->SendMessage(WM_COMMAND, ID_SNIPPET_FAVOURITE2);
    PumpPending();
    EXPECT_EQ("b()", ViewText(pView));
    EXPECT_FALSE(QueryCommand(pView, ID_SNIPPET_FAVOURITE3).bEnabled);
}

TEST_F(SnippetDialogs, FavouritesAreAddedOrderedAndRemovedDensely)
{
    for (const char* pszName : { "a", "b", "c", "d" })
        AddSnippet(pszName);
    RunManager({ On(kManager,
                    [](HWND h) {
                        EXPECT_TRUE(Favourites(h).empty());
                        EXPECT_EQ("000", FavouriteButtons(h));
                    }),
                 On(kManager, Pick(IDC_SNIPPET_LIST, "c")), On(kManager, Click(IDC_SNIPPET_ADD_TO_FAVOURITES)),
                 On(kManager, Pick(IDC_SNIPPET_LIST, "a")), On(kManager, Click(IDC_SNIPPET_ADD_TO_FAVOURITES)),
                 On(kManager, Pick(IDC_SNIPPET_LIST, "b")), On(kManager, Click(IDC_SNIPPET_ADD_TO_FAVOURITES)),
                 // A favourite is not added twice.
                 On(kManager, Click(IDC_SNIPPET_ADD_TO_FAVOURITES)),
                 On(kManager,
                    [](HWND h) {
                        EXPECT_EQ((std::vector<std::string>{ "c", "a", "b" }), Favourites(h));
                        EXPECT_EQ("b", Selected(h, IDC_SNIPPET_FAVOURITES));
                        EXPECT_EQ("101", FavouriteButtons(h));
                    }),
                 On(kManager, Pick(IDC_SNIPPET_FAVOURITES, "c")),
                 On(kManager, [](HWND h) { EXPECT_EQ("011", FavouriteButtons(h)); }),
                 On(kManager, Click(IDC_SNIPPET_MOVE_DOWN)),
                 On(kManager,
                    [](HWND h) {
                        EXPECT_EQ((std::vector<std::string>{ "a", "c", "b" }), Favourites(h));
                        EXPECT_EQ("c", Selected(h, IDC_SNIPPET_FAVOURITES));
                        EXPECT_EQ("111", FavouriteButtons(h));
                    }),
                 On(kManager, Click(IDC_SNIPPET_REMOVE_FAVOURITE)),
                 On(kManager,
                    [](HWND h) {
                        EXPECT_EQ((std::vector<std::string>{ "a", "b" }), Favourites(h));
                        EXPECT_EQ("a", Selected(h, IDC_SNIPPET_FAVOURITES));
                    }),
                 On(kManager, Pick(IDC_SNIPPET_FAVOURITES, "b")), On(kManager, Click(IDC_SNIPPET_MOVE_UP)),
                 On(kManager, Click(IDOK)) });
    EXPECT_EQ(0, Snippets().FindByName("b")->m_nFavourite);
    EXPECT_EQ(1, Snippets().FindByName("a")->m_nFavourite);
    EXPECT_EQ(-1, Snippets().FindByName("c")->m_nFavourite);
    EXPECT_EQ((std::vector<std::string>{ "b", "a" }), Slots());
    // Favourites live in the settings, not in the snippet files.
    EXPECT_EQ(0, Snippets().FindByName("a")->m_nModified);
}

TEST_F(SnippetDialogs, TenFavouritesAreTheMostAndEscapeClosesLikeClose)
{
    for (int i = 0; i < 11; i++)
        AddSnippet(CString("s") + std::to_string(10 + i).c_str(), "", i < 10 ? i : -1);
    RunManager({ On(kManager, Pick(IDC_SNIPPET_LIST, "s20")), On(kManager, Click(IDC_SNIPPET_ADD_TO_FAVOURITES)),
                 On(kManager,
                    [](HWND h) {
                        EXPECT_EQ(10u, Favourites(h).size());
                        EXPECT_EQ("s10", Selected(h, IDC_SNIPPET_FAVOURITES));
                    }),
                 On(kManager, Click(IDC_SNIPPET_MOVE_DOWN)),
                 On(kManager, [](HWND h) { ::SendMessageA(h, WM_COMMAND, IDCANCEL, 0); }) });
    EXPECT_EQ(-1, Snippets().FindByName("s20")->m_nFavourite);
    const std::vector<std::string> slots = Slots();
    ASSERT_EQ(10u, slots.size());
    EXPECT_EQ("s11", slots[0]);
    EXPECT_EQ("s10", slots[1]);
}

TEST_F(SnippetDialogs, AnUnsavedEditIsAskedAboutAndSavedWhole)
{
    AddSnippet("one", "1");
    AddSnippet("two", "2");
    const std::string longLine(1500, 'x');
    theApp.m_answers = { IDCANCEL, IDYES, IDNO };
    RunManager({ On(kManager, [](HWND h) { EXPECT_EQ("one", Selected(h, IDC_SNIPPET_LIST)); }),
                 On(kManager, TypeOver(IDC_SNIPPET_TEXT, "edited\r\n" + longLine)),
                 // Cancel: the selection and the edit stay.
                 On(kManager, Pick(IDC_SNIPPET_LIST, "two")),
                 On(kManager,
                    [&](HWND h) {
                        EXPECT_EQ("one", Selected(h, IDC_SNIPPET_LIST));
                        EXPECT_EQ("edited\r\n" + longLine, ItemText(h, IDC_SNIPPET_TEXT));
                    }),
                 // Yes: saved, then the other shows.
                 On(kManager, Pick(IDC_SNIPPET_LIST, "two")),
                 On(kManager, [](HWND h) { EXPECT_EQ("2", ItemText(h, IDC_SNIPPET_TEXT)); }),
                 // No at Escape: dropped, and the dialog ends.
                 On(kManager, TypeOver(IDC_SNIPPET_TEXT, "dropped")),
                 On(kManager, [](HWND h) { ::SendMessageA(h, WM_COMMAND, IDCANCEL, 0); }) });
    EXPECT_EQ((std::vector<std::string>{ "Save changes to Code Snippet 'one'?", "Save changes to Code Snippet 'one'?",
                                         "Save changes to Code Snippet 'two'?" }),
              theApp.m_prompts);
    EXPECT_EQ("edited\r\n" + longLine, std::string(Snippets().FindByName("one")->GetText()));
    EXPECT_EQ(1, Snippets().FindByName("one")->m_nModified);
    EXPECT_STREQ("2", Snippets().FindByName("two")->GetText());
    EXPECT_EQ(0, Snippets().FindByName("two")->m_nModified);

    // Save keeps what the edit holds; looking at a snippet asks nothing.
    theApp.m_prompts.clear();
    RunManager({ On(kManager, Pick(IDC_SNIPPET_LIST, "two")), On(kManager, TypeOver(IDC_SNIPPET_TEXT, "two\r\n")),
                 On(kManager, Click(IDC_SNIPPET_SAVE)), On(kManager, Pick(IDC_SNIPPET_LIST, "one")),
                 On(kManager, Click(IDOK)) });
    EXPECT_TRUE(theApp.m_prompts.empty());
    EXPECT_STREQ("two\r\n", Snippets().FindByName("two")->GetText());
}

TEST_F(SnippetDialogs, RenameAsksAboutAnUnsavedEditAndNoGivesTheSnippetsTextBack)
{
    AddSnippet("one", "kept");
    theApp.m_answers = { IDNO };
    RunManager({ On(kManager, TypeOver(IDC_SNIPPET_TEXT, "dropped")),
                 // Picking the snippet that is shown asks nothing and keeps the edit.
                 On(kManager, Pick(IDC_SNIPPET_LIST, "one")),
                 On(kManager, [](HWND h) { EXPECT_EQ("dropped", ItemText(h, IDC_SNIPPET_TEXT)); }),
                 On(kManager, Click(IDC_SNIPPET_RENAME)), On(kRename, Type(IDC_RENAME_SNIPPET_NAME, "two")),
                 On(kRename, Click(IDOK)),
                 On(kManager,
                    [](HWND h) {
                        EXPECT_EQ("two", Selected(h, IDC_SNIPPET_LIST));
                        EXPECT_EQ("kept", ItemText(h, IDC_SNIPPET_TEXT));
                    }),
                 On(kManager, Click(IDOK)) });
    EXPECT_EQ((std::vector<std::string>{ "Save changes to Code Snippet 'one'?" }), theApp.m_prompts);
    ASSERT_TRUE(Snippets().FindByName("two") != NULL);
    EXPECT_STREQ("kept", Snippets().FindByName("two")->GetText());
}

TEST_F(SnippetDialogs, SnippetTextsShowInAFixedPitchFont)
{
    AddSnippet("one", "x");
    auto expectFixedPitch = [](int nID) {
        return [=](HWND h) {
            LOGFONTA logFont = {};
            HFONT hFont = (HFONT)::SendDlgItemMessageA(h, nID, WM_GETFONT, 0, 0);
            ASSERT_TRUE(hFont != NULL);
            ASSERT_NE(0, ::GetObjectA(hFont, sizeof(logFont), &logFont));
            EXPECT_EQ(FIXED_PITCH, logFont.lfPitchAndFamily & 3) << logFont.lfFaceName;
            EXPECT_STREQ(theApp.m_settings.m_strFandCFont, logFont.lfFaceName);
        };
    };
    RunManager({ On(kManager, expectFixedPitch(IDC_SNIPPET_TEXT)), On(kManager, Click(IDOK)) });
    ASSERT_TRUE(OpenDocument("") != NULL);
    RunCommand(ID_SNIPPET_INSERT,
               { On(kInsert, expectFixedPitch(IDC_INSERT_SNIPPET_TEXT)), On(kInsert, Click(IDCANCEL)) });
}

TEST_F(SnippetDialogs, AMacroGoesIntoTheEditAtTheCaretAndTheClipboardStaysAsItWas)
{
    AddSnippet("dated", "-- ");
    SetClipboardText("the user's text");
    RunManager({ On(kManager, [](HWND h) { ::SendDlgItemMessageA(h, IDC_SNIPPET_TEXT, EM_SETSEL, 3, 3); }),
                 On(kManager, Click(IDC_SNIPPET_MACROS)),
                 On(kMacro,
                    [](HWND h) {
                        const std::vector<std::string> macros = ListBoxLines(h, IDC_SNIPPET_MACRO_LIST);
                        ASSERT_EQ(9u, macros.size());
                        EXPECT_EQ("$(Day)", macros[0]);
                        EXPECT_EQ("$(Day)", Selected(h, IDC_SNIPPET_MACRO_LIST));
                        EXPECT_EQ("Insert the current day (value from 01 to 31)",
                                  ItemText(h, IDC_SNIPPET_MACRO_DESCRIPTION));
                    }),
                 On(kMacro, Pick(IDC_SNIPPET_MACRO_LIST, "$(Month3)")),
                 On(kMacro,
                    [](HWND h) {
                        EXPECT_EQ("Insert the short current month name (Jan, Feb...)",
                                  ItemText(h, IDC_SNIPPET_MACRO_DESCRIPTION));
                    }),
                 On(kMacro, Click(IDOK)),
                 On(kManager, [](HWND h) { EXPECT_EQ("-- $(Month3)", ItemText(h, IDC_SNIPPET_TEXT)); }),
                 // Cancel inserts nothing.
                 On(kManager, Click(IDC_SNIPPET_MACROS)), On(kMacro, Click(IDCANCEL)),
                 On(kManager, [](HWND h) { EXPECT_EQ("-- $(Month3)", ItemText(h, IDC_SNIPPET_TEXT)); }),
                 On(kManager, Click(IDC_SNIPPET_SAVE)), On(kManager, Click(IDOK)) });
    EXPECT_EQ("the user's text", ClipboardText());
    EXPECT_STREQ("-- $(Month3)", Snippets().FindByName("dated")->GetText());
}

TEST_F(SnippetDialogs, InsertShowsTheSnippetsSortedAndInsertsTheChosenOne)
{
    CVornView* pView = OpenDocument("x");
    ASSERT_TRUE(pView != NULL);
    EXPECT_FALSE(QueryCommand(pView, ID_SNIPPET_INSERT).bEnabled);
    AddSnippet("zeta", "z()");
    AddSnippet("Alpha", "a(\r\n$(SetCaret))");
    EXPECT_TRUE(QueryCommand(pView, ID_SNIPPET_INSERT).bEnabled);
    pView->GetCtrl().GotoPos(1);
    RunCommand(ID_SNIPPET_INSERT,
               { On(kInsert,
                    [](HWND h) {
                        EXPECT_EQ((std::vector<std::string>{ "Alpha", "zeta" }),
                                  ListBoxLines(h, IDC_INSERT_SNIPPET_LIST));
                        EXPECT_EQ("Alpha", Selected(h, IDC_INSERT_SNIPPET_LIST));
                        EXPECT_EQ("a(\r\n$(SetCaret))", ItemText(h, IDC_INSERT_SNIPPET_TEXT));
                    }),
                 On(kInsert, Pick(IDC_INSERT_SNIPPET_LIST, "zeta")),
                 On(kInsert, [](HWND h) { EXPECT_EQ("z()", ItemText(h, IDC_INSERT_SNIPPET_TEXT)); }),
                 On(kInsert, Pick(IDC_INSERT_SNIPPET_LIST, "Alpha")), On(kInsert, Click(IDOK)) });
    EXPECT_EQ("xa(\r\n)", ViewText(pView));
    EXPECT_EQ(5, pView->GetCtrl().GetCurrentPos());
    EXPECT_EQ(pView->GetCtrl().m_hWnd, ::GetFocus());
}

TEST_F(SnippetDialogs, CreateFromSelectionTakesTheTextWithCrLfAndOpensTheManagerOnIt)
{
    AddSnippet("other", "o");
    CVornView* pView = OpenDocument("-- head\nlocal t = {}\nreturn t\n");
    ASSERT_TRUE(pView != NULL);
    EXPECT_FALSE(QueryCommand(pView, ID_SNIPPET_CREATE_FROM_SELECTION).bEnabled);
    pView->GetCtrl().SetSel(8, 29);
    EXPECT_TRUE(QueryCommand(pView, ID_SNIPPET_CREATE_FROM_SELECTION).bEnabled);
    RunCommand(ID_SNIPPET_CREATE_FROM_SELECTION,
               { On(kNew, Type(IDC_NEW_SNIPPET_NAME, "table")), On(kNew, Type(IDC_NEW_SNIPPET_FILE_NAME, "tbl")),
                 On(kNew, Click(IDOK)),
                 On(kManager,
                    [](HWND h) {
                        EXPECT_EQ("table", Selected(h, IDC_SNIPPET_LIST));
                        EXPECT_EQ("local t = {}\r\nreturn t", ItemText(h, IDC_SNIPPET_TEXT));
                    }),
                 On(kManager, Click(IDOK)) });
    CCodeSnippet* pSnippet = Snippets().FindByName("table");
    ASSERT_TRUE(pSnippet != NULL);
    // The file name is the one the dialog asked for.
    EXPECT_STREQ("tbl.vcs", pSnippet->GetFileName());
    EXPECT_STREQ("local t = {}\r\nreturn t", pSnippet->GetText());
    EXPECT_EQ(1, pSnippet->m_nModified);

    // Cancel creates nothing and opens no manager.
    RunCommand(ID_SNIPPET_CREATE_FROM_SELECTION, { On(kNew, Click(IDCANCEL)) });
    EXPECT_EQ(2, Snippets().GetCount());
}

TEST_F(SnippetDialogs, StartUpLoadsTheFolderAndTheFavouritesAndExitWritesTheChangedOnes)
{
    for (const char* pszName : { "a", "b", "c" })
    {
        CCodeSnippet snippet;
        snippet.SetName(pszName);
        snippet.SetFileName(CString(pszName) + ".vcs");
        snippet.SetText(CString("-- ") + pszName);
        ASSERT_TRUE(snippet.Save(m_folder.Path()));
    }
    theApp.m_settings.m_strFavCodeSnippet[0] = "c";
    theApp.m_settings.m_strFavCodeSnippet[1] = "gone";
    theApp.m_settings.m_strFavCodeSnippet[2] = "a";
    theApp.LoadCodeSnippets();
    theApp.LoadFavouriteSnippets();
    ASSERT_EQ(3, Snippets().GetCount());
    EXPECT_EQ((std::vector<std::string>{ "c", "a" }), Slots());
    EXPECT_EQ(0, Snippets().FindByName("c")->m_nFavourite);
    EXPECT_EQ(1, Snippets().FindByName("a")->m_nFavourite);

    // A second instance writes nothing.
    Snippets().FindByName("b")->SetText("changed");
    Snippets().FindByName("b")->m_nModified = 1;
    theApp.SetAlreadyRunning(TRUE);
    theApp.SaveCodeSnippets();
    theApp.SetAlreadyRunning(FALSE);
    EXPECT_NE(std::string::npos, ReadTestFile(m_folder / "b.vcs").find("-- b"));
    theApp.SaveCodeSnippets();
    EXPECT_NE(std::string::npos, ReadTestFile(m_folder / "b.vcs").find(">changed<"));
    EXPECT_TRUE(theApp.m_prompts.empty());

    // A file that cannot be written is named in the message at exit.
    ::SetFileAttributesA(m_folder / "c.vcs", FILE_ATTRIBUTE_READONLY);
    Snippets().FindByName("c")->m_nModified = 1;
    theApp.SaveCodeSnippets();
    ::SetFileAttributesA(m_folder / "c.vcs", FILE_ATTRIBUTE_NORMAL);
    const std::string kFailure = "Failed to save Code Snippet 'c' to " + std::string(m_folder / "c.vcs") + ".";
    EXPECT_EQ((std::vector<std::string>{ kFailure }), theApp.m_prompts);
    EXPECT_EQ(1, Snippets().FindByName("c")->m_nModified);
}

TEST_F(SnippetDialogs, ScreenshotsOfTheDialogs)
{
    // Each dialog's picture; where a list is named, it shows its picked line.
    auto shoot = [](const char* pszName, int nListID = 0) {
        return [=](HWND h) {
            const CScreenPicture picture(h);
            EXPECT_TRUE(picture.SaveIfWanted(pszName));
            if (nListID != 0)
            {
                EXPECT_TRUE(picture.ShowsListBoxSelection(::GetDlgItem(h, nListID))) << pszName;
            }
        };
    };
    AddSnippet("for loop", "for i = 1, 10 do\r\n\t$(SetCaret)\r\nend", 0);
    AddSnippet("if block", "if $(SetCaret) then\r\nend", 1);
    AddSnippet("header", "-- $(ProjectFileName), $(Day) $(Month3) $(Year)\r\n");
    AddSnippet("while loop", "while true do\r\nend");
    RunManager({ On(kManager, Pick(IDC_SNIPPET_LIST, "for loop")), On(kManager, shoot("code_snippet_manager", IDC_SNIPPET_LIST)),
                 On(kManager, Click(IDC_SNIPPET_NEW)), On(kNew, Type(IDC_NEW_SNIPPET_NAME, "repeat loop")),
                 On(kNew, shoot("new_code_snippet")), On(kNew, Click(IDCANCEL)),
                 On(kManager, Click(IDC_SNIPPET_RENAME)), On(kRename, shoot("rename_code_snippet")),
                 On(kRename, Click(IDCANCEL)), On(kManager, Click(IDC_SNIPPET_MACROS)),
                 On(kMacro, shoot("insert_macro")), On(kMacro, Click(IDCANCEL)), On(kManager, Click(IDOK)) });
    ASSERT_TRUE(OpenDocument("") != NULL);
    RunCommand(ID_SNIPPET_INSERT, { On(kInsert, shoot("insert_code_snippet")),
                                    On(kInsert, Click(IDCANCEL)) });
}
