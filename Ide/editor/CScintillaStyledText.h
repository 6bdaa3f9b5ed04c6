// CScintillaStyledText: the styled text of a Scintilla control, read in blocks through
// the control's direct function, so an export of megabytes sends few messages.
#pragma once

#include <windows.h>

#include <Scintilla.h>

#include <vector>

#include "IStyledText.h"

class CScintillaStyledText : public IStyledText
{
public:
    // The control must outlive the reader and be used from the thread that made it.
    explicit CScintillaStyledText(HWND hScintilla);

    void Colourise() override;
    int GetLength() override;
    int GetCharAt(int nPos) override;
    int GetStyleAt(int nPos) override;
    int GetFoldLevel(int nLine) override;

private:
    HWND m_hWnd;
    SciFnDirect m_pfnDirect;       // NULL: messages go through SendMessage
    sptr_t m_pDirect;
    int m_nLength;                 // -1 until asked after the last Colourise
    int m_nBlockStart;             // first position held in m_block
    int m_nBlockLength;            // number of positions held
    std::vector<char> m_block;     // byte, style, byte, style ... as the control gives them

    LRESULT Call(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0);
    // The index in m_block of the position's byte; -1 outside the text.
    int BlockIndexOf(int nPos);
    void LoadBlockAt(int nPos);
};
