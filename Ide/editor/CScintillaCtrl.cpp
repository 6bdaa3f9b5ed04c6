#include "CScintillaCtrl.h"

#include <ILexer.h>

#include <vector>

IMPLEMENT_DYNAMIC(CScintillaCtrl, CWnd)

BEGIN_MESSAGE_MAP(CScintillaCtrl, CWnd)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace
{
// Lexilla's factory, exported by SciLexer.dll under its plain name.
typedef Scintilla::ILexer5*(__stdcall* CreateLexerFn)(const char* name);

const char kScintillaModule[] = "SciLexer.dll";
const char kScintillaClass[] = "scintilla";
}

CScintillaCtrl::CScintillaCtrl()
    : m_directFunction(NULL), m_directPointer(0)
{
}

CScintillaCtrl::~CScintillaCtrl()
{
    DestroyWindow();
}

BOOL CScintillaCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::CreateEx(0, kScintillaClass, NULL, dwStyle | WS_CHILD, rect, pParentWnd, nID, NULL))
        return FALSE;
    m_directFunction = reinterpret_cast<SciFnDirect>(SendMessage(SCI_GETDIRECTFUNCTION, 0, 0));
    m_directPointer = static_cast<sptr_t>(SendMessage(SCI_GETDIRECTPOINTER, 0, 0));
    return TRUE;
}

BOOL CScintillaCtrl::CreateFilling(CWnd* pParentWnd)
{
    // The rectangle does not matter: the parent's WM_SIZE fits the control.
    return Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), pParentWnd, 0);
}

void CScintillaCtrl::FitToParent()
{
    CWnd* pParent = GetParent();
    if (m_hWnd == NULL || pParent == NULL)
        return;
    CRect rect;
    pParent->GetClientRect(&rect);
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

void CScintillaCtrl::OnNcDestroy()
{
    m_directFunction = NULL;
    m_directPointer = 0;
    CWnd::OnNcDestroy();
}

LRESULT CScintillaCtrl::Call(UINT nMessage, WPARAM wParam, LPARAM lParam, BOOL direct)
{
    if (direct && m_directFunction != NULL)
        return m_directFunction(m_directPointer, nMessage, wParam, lParam);
    if (m_hWnd == NULL)
        return 0;
    return ::SendMessage(m_hWnd, nMessage, wParam, lParam);
}

void* CScintillaCtrl::CreateLexer(LPCSTR pszName)
{
    HMODULE hModule = ::GetModuleHandleA(kScintillaModule);
    CreateLexerFn pfnCreate =
        hModule != NULL ? reinterpret_cast<CreateLexerFn>(::GetProcAddress(hModule, "CreateLexer")) : NULL;
    return pfnCreate != NULL ? pfnCreate(pszName) : NULL;
}

void CScintillaCtrl::AppendText(LPCTSTR pszText, BOOL scrollToEnd, BOOL update)
{
    const int nEnd = GetLength();
    const BOOL bCaretAtEnd = GetCurrentPos() == nEnd && GetSelectionStart() == nEnd;
    InsertText(nEnd, pszText);
    if (scrollToEnd || bCaretAtEnd)
        GotoPos(GetLength());
    if (update)
        UpdateWindow();
}

CString CScintillaCtrl::GetSelText()
{
    // Asked without a buffer, the control tells the length of the whole selection,
    // which for a rectangular one is more than its end minus its start.
    const int nLength = GetSelText(NULL);
    if (nLength <= 0)
        return CString();
    std::vector<char> buffer((size_t)nLength + 1);
    GetSelText(buffer.data());
    return CString(buffer.data(), nLength);
}
