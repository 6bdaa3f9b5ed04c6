// The editable field of a menu item, driven by real keys in the test frame: the
// validator's refusals put text and caret back, Enter stores only what it accepts,
// the field's own messages, its hook, and how the popup gets the field.
#include "frame_fixture.h"

#include "CExtPaintManagerHolder.h"
#include "CInPlaceEditWnd.h"
#include "SentInput.h"

namespace
{
// Refuses digits always, and everything while bRefuseAll.
struct CValidatorState
{
    bool bRefuseAll = false;
    int nCalls = 0;
    CString strLastOld, strLastNew;
};

bool RefuseDigits(CEdit* /*pEdit*/, LPVOID pCookie, CString& strOld, CString& strNew)
{
    CValidatorState& state = *(CValidatorState*)pCookie;
    state.nCalls++;
    state.strLastOld = strOld;
    state.strLastNew = strNew;
    return !state.bRefuseAll && strNew.FindOneOf("0123456789") < 0;
}

// Swallows the character 'q' and throws on WM_USER.
bool SwallowQ(LRESULT& lResult, UINT nMessage, WPARAM wParam, LPARAM /*lParam*/, CEdit& /*edit*/, LPVOID /*pCookie*/)
{
    if (nMessage == WM_USER)
        throw 1;
    lResult = 0;
    return nMessage == WM_CHAR && wParam == 'q';
}

// The popup the field lives in, as a child of the frame so the frame keeps the
// foreground while keys arrive.
class CTestPopupHost : public CExtPopupMenuWnd
{
public:
    bool CreateIn(CWnd* pFrame)
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)), "",
                        WS_CHILD | WS_VISIBLE, CRect(20, 80, 420, 130), pFrame, 0) != FALSE;
    }

protected:
    virtual void PostNcDestroy() {}
};

// A receiver that may offer a field of its own.
class CEditReceiver : public CWnd
{
public:
    CWnd* m_pOffered = NULL;
    int m_nAsked = 0;
    CExtPopupMenuWnd::CInPlaceEditWnd::CCreationRecord m_record = {};

    afx_msg LRESULT OnCreateInplaceEdit(WPARAM wParam, LPARAM /*lParam*/)
    {
        m_nAsked++;
        auto* pRecord = (CExtPopupMenuWnd::CInPlaceEditWnd::CCreationRecord*)wParam;
        m_record = *pRecord;
        pRecord->m_pEditWnd = m_pOffered;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditReceiver, CWnd)
    ON_REGISTERED_MESSAGE(CExtPopupMenuWnd::g_nMsgCreateInplaceEdit, OnCreateInplaceEdit)
END_MESSAGE_MAP()

// Keys are pressed at least 30 ms apart, each handled before the next.
void Press(const std::vector<WORD>& keys)
{
    CSentInput::PressKeys(keys);
    const DWORD dwStart = ::GetTickCount();
    do
    {
        PumpPending();
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < 50);
}

CString TextOf(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return str;
}

CPoint SelectionOf(CWnd* pWnd)
{
    int nStart = 0, nEnd = 0;
    ((CEdit*)pWnd)->GetSel(nStart, nEnd);
    return CPoint(nStart, nEnd);
}

bool PutOnClipboard(CWnd* pOwner, LPCTSTR lpszText)
{
    if (!::OpenClipboard(pOwner->m_hWnd))
        return false;
    ::EmptyClipboard();
    const size_t nBytes = lstrlen(lpszText) + 1;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
    memcpy(::GlobalLock(hMem), lpszText, nBytes);
    ::GlobalUnlock(hMem);
    const bool bSet = ::SetClipboardData(CF_TEXT, hMem) != NULL;
    ::CloseClipboard();
    return bSet;
}

class PopupEditTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(m_popup.CreateIn(m_pFrame));
        m_item.m_nCmdID = ID_TEST_ALPHA;
        m_item.SetInPlaceEdit(&m_strTarget, 200, RefuseDigits, &m_state, SwallowQ, NULL);
    }
    void TearDown() override
    {
        m_popup.DestroyWindow();
        FrameTest::TearDown();
    }
    // The popup's own field for the item, shown with the focus and the caret at nCaret.
    CWnd* OpenField(int nCaret)
    {
        CWnd* pEdit = CExtPopupMenuWnd::CInPlaceEditWnd::CreateForItem(NULL, &m_popup, m_item, CRect(150, 5, 350, 25));
        if (pEdit == NULL)
            return NULL;
        pEdit->ShowWindow(SW_SHOW);
        pEdit->SetFocus();
        ((CEdit*)pEdit)->SetSel(nCaret, nCaret);
        PumpPending();
        return pEdit;
    }
    bool HasTheKeyboard() const { return ::GetForegroundWindow() == m_pFrame->m_hWnd; }

    CTestPopupHost m_popup;
    CExtPopupMenuItem m_item;
    CString m_strTarget = "abc";
    CValidatorState m_state;
};
}

TEST_F(PopupEditTest, ARefusedKeyOrPasteLeavesTextAndCaretAsTheyWere)
{
    CWnd* pEdit = OpenField(1);
    ASSERT_NE(nullptr, pEdit);
    if (!HasTheKeyboard())
        GTEST_SKIP() << "the test frame is not in the foreground";
    ASSERT_EQ(pEdit->m_hWnd, ::GetFocus());

    Press({'5'});
    EXPECT_STREQ("abc", TextOf(pEdit));
    EXPECT_EQ(CPoint(1, 1), SelectionOf(pEdit));
    EXPECT_STREQ("a5bc", m_state.strLastNew) << "the validator saw the change it refused";
    Press({'X'});
    EXPECT_STREQ("axbc", TextOf(pEdit));
    EXPECT_EQ(CPoint(2, 2), SelectionOf(pEdit));

    // The hook sees the character first and keeps it from the field.
    Press({'Q'});
    EXPECT_STREQ("axbc", TextOf(pEdit));

    ASSERT_TRUE(PutOnClipboard(m_pFrame, "12"));
    Press({VK_CONTROL, 'V'});
    EXPECT_STREQ("axbc", TextOf(pEdit));
    EXPECT_EQ(CPoint(2, 2), SelectionOf(pEdit));
    pEdit->SendMessage(WM_PASTE);
    EXPECT_STREQ("axbc", TextOf(pEdit));
    ASSERT_TRUE(PutOnClipboard(m_pFrame, "zz"));
    pEdit->SendMessage(WM_PASTE);
    EXPECT_STREQ("axzzbc", TextOf(pEdit));

    // Cutting is a change like any other.
    m_state.bRefuseAll = true;
    ((CEdit*)pEdit)->SetSel(0, 2);
    pEdit->SendMessage(WM_CUT);
    EXPECT_STREQ("axzzbc", TextOf(pEdit));
    EXPECT_EQ(CPoint(0, 2), SelectionOf(pEdit));

    // Escape leaves without storing: the target's text comes back.
    Press({VK_ESCAPE});
    EXPECT_NE(pEdit->m_hWnd, ::GetFocus());
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_STREQ("abc", TextOf(pEdit));
    EXPECT_STREQ("abc", m_strTarget);
}

TEST_F(PopupEditTest, EnterStoresTheTextOnlyOnTheValidatorsYes)
{
    CWnd* pEdit = OpenField(3);
    ASSERT_NE(nullptr, pEdit);
    if (!HasTheKeyboard())
        GTEST_SKIP() << "the test frame is not in the foreground";
    Press({'D'});
    ASSERT_STREQ("abcd", TextOf(pEdit));

    m_state.bRefuseAll = true;
    Press({VK_RETURN});
    EXPECT_STREQ("abc", m_strTarget);
    EXPECT_EQ(pEdit->m_hWnd, ::GetFocus()) << "a refused Enter keeps the field open";
    EXPECT_TRUE(pEdit->IsWindowVisible());
    EXPECT_STREQ("abcd", TextOf(pEdit));

    m_state.bRefuseAll = false;
    Press({VK_RETURN});
    EXPECT_STREQ("abcd", m_strTarget);
    EXPECT_STREQ("abc", m_state.strLastOld);
    EXPECT_NE(pEdit->m_hWnd, ::GetFocus());
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_STREQ("abcd", TextOf(pEdit)) << "accepted text stays when the focus goes";
}

TEST_F(PopupEditTest, DeleteSelectionIsValidatedAndSelectAllSelectsEverything)
{
    m_strTarget = "abcdef";
    CWnd* pEdit = OpenField(0);
    ASSERT_NE(nullptr, pEdit);
    pEdit->SendMessage(CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll);
    EXPECT_EQ(CPoint(0, 6), SelectionOf(pEdit));

    ((CEdit*)pEdit)->SetSel(1, 3);
    pEdit->SendMessage(CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection);
    EXPECT_STREQ("adef", TextOf(pEdit));
    // Nothing selected: the character after the caret.
    ((CEdit*)pEdit)->SetSel(1, 1);
    pEdit->SendMessage(CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection);
    EXPECT_STREQ("aef", TextOf(pEdit));
    EXPECT_EQ(CPoint(1, 1), SelectionOf(pEdit));

    m_state.bRefuseAll = true;
    pEdit->SendMessage(CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection);
    EXPECT_STREQ("aef", TextOf(pEdit));
    EXPECT_EQ(CPoint(1, 1), SelectionOf(pEdit));

    // The field answers for every key, and no exception leaves it.
    EXPECT_EQ((LRESULT)(DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB), pEdit->SendMessage(WM_GETDLGCODE));
    const int nExceptions = theApp.m_nExceptions;
    EXPECT_EQ(0, pEdit->SendMessage(WM_USER));
    EXPECT_EQ(nExceptions, theApp.m_nExceptions);
    EXPECT_TRUE(::IsWindow(pEdit->m_hWnd));
}

TEST_F(PopupEditTest, TheReceiversFieldIsTakenElseThePopupMakesItsOwn)
{
    CEditReceiver receiver;
    ASSERT_TRUE(receiver.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0));
    CEdit offered;
    ASSERT_TRUE(offered.Create(WS_CHILD, CRect(0, 0, 10, 10), &m_popup, 77));
    receiver.m_pOffered = &offered;
    const CRect rcEdit(150, 5, 350, 25);
    EXPECT_EQ(&offered, CExtPopupMenuWnd::CInPlaceEditWnd::CreateForItem(receiver.m_hWnd, &m_popup, m_item, rcEdit));
    EXPECT_EQ(1, receiver.m_nAsked);
    EXPECT_EQ(&m_popup, receiver.m_record.m_pPopup);
    EXPECT_EQ(&m_item, receiver.m_record.m_pItem);
    EXPECT_EQ(&m_strTarget, receiver.m_record.m_pTarget);
    EXPECT_TRUE(receiver.m_record.m_pfnValidator == RefuseDigits);
    EXPECT_EQ(&m_state, receiver.m_record.m_pValidatorCookie);
    EXPECT_EQ(rcEdit, receiver.m_record.m_rcEdit);

    // The receiver declines: the popup's own field, its text the target's.
    receiver.m_pOffered = NULL;
    CWnd* pOwn = CExtPopupMenuWnd::CInPlaceEditWnd::CreateForItem(receiver.m_hWnd, &m_popup, m_item, rcEdit);
    ASSERT_NE(nullptr, pOwn);
    EXPECT_EQ(2, receiver.m_nAsked);
    EXPECT_EQ(&m_popup, pOwn->GetParent());
    EXPECT_EQ(ID_TEST_ALPHA, pOwn->GetDlgCtrlID());
    EXPECT_STREQ("abc", TextOf(pOwn));
    EXPECT_EQ(CPoint(0, 0), SelectionOf(pOwn));
    EXPECT_EQ(g_PaintManagerHolder->m_FontNormal.GetSafeHandle(), (HFONT)pOwn->SendMessage(WM_GETFONT));
    EXPECT_EQ(CRect(150, 5, 350, 25), RectIn(pOwn, &m_popup));
    EXPECT_EQ(0u, pOwn->GetStyle() & WS_VISIBLE);
    EXPECT_NE(0u, pOwn->GetStyle() & ES_AUTOHSCROLL);
    // Its client area sits inside the field's band.
    CRect rcClient;
    pOwn->GetClientRect(&rcClient);
    EXPECT_EQ(CSize(198, 16), rcClient.Size());

    CExtPopupMenuItem subMenu;
    subMenu.m_nCmdID = CExtPopupMenuItem::eSubMenu;
    subMenu.SetInPlaceEdit(NULL, 100);
    CWnd* pSubField = CExtPopupMenuWnd::CInPlaceEditWnd::CreateForItem(NULL, &m_popup, subMenu, rcEdit);
    ASSERT_NE(nullptr, pSubField);
    EXPECT_EQ(-1, pSubField->GetDlgCtrlID());

    // Without the popup's window there is nowhere to put it.
    CExtPopupMenuWnd noWindow;
    EXPECT_EQ(nullptr, CExtPopupMenuWnd::CInPlaceEditWnd::CreateForItem(NULL, &noWindow, m_item, rcEdit));
    receiver.DestroyWindow();
}
