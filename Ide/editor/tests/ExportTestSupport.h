// What the exporter tests share: a hidden Scintilla control set up for Lua as the
// editor sets it up (lexer, keywords, user words, folding), and the generated Lua
// documents the exports are checked on.
#pragma once

#include <windows.h>

#include <string>

#include "CScintillaStyledText.h"

class CHiddenLuaEditor
{
public:
    CHiddenLuaEditor();
    ~CHiddenLuaEditor();

    // FALSE when SciLexer.dll or its Lua lexer is missing.
    bool IsReady() const { return m_hWnd != NULL && m_bLexer; }
    void SetText(const std::string& text);
    HWND GetHwnd() const { return m_hWnd; }
    LRESULT Send(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, nMessage, wParam, lParam);
    }
    // A reader over the control, as the export commands make one.
    CScintillaStyledText& Text() { return *m_pText; }

    // The user words of the first two classes (styles 13 and 14).
    static const char kUserWords1[];
    static const char kUserWords2[];

private:
    HMODULE m_hModule;
    HWND m_hWnd;
    bool m_bLexer;
    CScintillaStyledText* m_pText;
};

// A Lua document of every kind of token the exporters treat apart: keywords, user
// words, strings with backslashes and markup characters, comments, long strings and
// long comments, numbers, operators, parentheses, tabs, trailing blanks, high bytes
// of the ANSI code page, control bytes, empty lines, CR LF and LF line ends, and
// folds that rise by two on one line. nRepeat copies of its body follow each other.
std::string SampleLuaDocument(int nRepeat = 1);

// A generated Lua file of about nLines lines and nBytes bytes for the benchmark.
std::string LargeLuaDocument(int nLines, int nBytes);
