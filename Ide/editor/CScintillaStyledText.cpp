#include "CScintillaStyledText.h"

namespace
{
// Positions fetched per SCI_GETSTYLEDTEXT: large enough that the messages cost nothing
// next to the writing, small enough to stay in the cache.
const int kBlockLength = 32768;
}

CScintillaStyledText::CScintillaStyledText(HWND hScintilla)
    : m_hWnd(hScintilla), m_pfnDirect(NULL), m_pDirect(0), m_nLength(-1), m_nBlockStart(0), m_nBlockLength(0)
{
    m_pfnDirect = reinterpret_cast<SciFnDirect>(::SendMessageA(m_hWnd, SCI_GETDIRECTFUNCTION, 0, 0));
    m_pDirect = static_cast<sptr_t>(::SendMessageA(m_hWnd, SCI_GETDIRECTPOINTER, 0, 0));
    if (m_pDirect == 0)
        m_pfnDirect = NULL;
}

LRESULT CScintillaStyledText::Call(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnDirect != NULL)
        return static_cast<LRESULT>(m_pfnDirect(m_pDirect, nMessage, wParam, lParam));
    return ::SendMessageA(m_hWnd, nMessage, wParam, lParam);
}

void CScintillaStyledText::Colourise()
{
    Call(SCI_COLOURISE, 0, -1);
    m_nLength = -1;
    m_nBlockLength = 0;
}

int CScintillaStyledText::GetLength()
{
    if (m_nLength < 0)
        m_nLength = static_cast<int>(Call(SCI_GETLENGTH));
    return m_nLength;
}

void CScintillaStyledText::LoadBlockAt(int nPos)
{
    const int nEnd = nPos + kBlockLength < GetLength() ? nPos + kBlockLength : GetLength();
    m_block.resize(static_cast<size_t>(kBlockLength) * 2 + 2);
    Sci_TextRange range;
    range.chrg.cpMin = nPos;
    range.chrg.cpMax = nEnd;
    range.lpstrText = &m_block[0];
    Call(SCI_GETSTYLEDTEXT, 0, reinterpret_cast<LPARAM>(&range));
    m_nBlockStart = nPos;
    m_nBlockLength = nEnd - nPos;
}

int CScintillaStyledText::BlockIndexOf(int nPos)
{
    if (nPos < 0 || nPos >= GetLength())
        return -1;
    if (nPos < m_nBlockStart || nPos >= m_nBlockStart + m_nBlockLength)
        LoadBlockAt(nPos);
    return (nPos - m_nBlockStart) * 2;
}

int CScintillaStyledText::GetCharAt(int nPos)
{
    const int nIndex = BlockIndexOf(nPos);
    return nIndex < 0 ? 0 : static_cast<unsigned char>(m_block[nIndex]);
}

int CScintillaStyledText::GetStyleAt(int nPos)
{
    const int nIndex = BlockIndexOf(nPos);
    return nIndex < 0 ? 0 : static_cast<unsigned char>(m_block[nIndex + 1]);
}

int CScintillaStyledText::GetFoldLevel(int nLine)
{
    return static_cast<int>(Call(SCI_GETFOLDLEVEL, static_cast<WPARAM>(nLine)));
}
