// CScintillaLineSource: the lines of a Scintilla control (an editor's or the hidden
// scanning control's) for the tokenizer and the outline parser. Each line is copied into
// a buffer of the source that grows with the longest line read.
#pragma once

#include "CLineSource.h"
#include "CScintillaCtrl.h"

#include <vector>

class CScintillaLineSource : public CLineSource
{
public:
    explicit CScintillaLineSource(CScintillaCtrl& ctrl) : m_ctrl(ctrl) {}

    int GetLineCount() override;
    const char* GetLine(int nLine, int& nLength) override;

private:
    CScintillaCtrl& m_ctrl;
    std::vector<char> m_buffer;
};
