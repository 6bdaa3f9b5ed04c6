// CLineSource: the lines of a text, as the tokenizer and the outline parser read them.
// An editor's Scintilla control, the hidden scanning control and a text in memory
// (CTextLineSource) each give their lines through it. Over a control, GetLineCount is
// SCI_GETLINECOUNT and GetLine is SCI_LINELENGTH then SCI_GETLINE into a buffer of the
// adapter that grows with the longest line.
#pragma once

#include <afx.h>

class CLineSource
{
public:
    virtual ~CLineSource() {}

    // Number of lines; a text that ends with a line end has one more, empty, line.
    virtual int GetLineCount() = 0;

    // The bytes of one zero-based line, with its line-end characters (CR LF, LF or CR),
    // and their number in nLength. The bytes stay valid until the next call; they need
    // not end with a zero byte. A line outside the text gives nLength 0.
    virtual const char* GetLine(int nLine, int& nLength) = 0;
};
