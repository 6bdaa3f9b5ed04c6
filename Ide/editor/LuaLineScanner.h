// LuaLineScanner: gives every character of one line of Lua source a character class
// (LuaCharClass) and tells the next line, through a carry value, whether it starts inside
// a block comment, a quoted string or a long string.
//
// Long brackets: "[[" opens a long string and "--[[" a block comment; both end at the
// "]]" that brings their nesting depth back to 0 (every "[[" inside nests). A bracket
// with n equals signs between, "[==[" for n = 2, ends only at "]==]" and nests nothing.
//
// Carry value: the state in bits 0-7 (0 normal text, 1 block comment, 2 single-quoted
// string, 3 double-quoted string, 4 long string, 5 block comment opened with equals
// signs, 6 long string opened with equals signs) and, from bit 8 up, the nesting depth
// of double brackets in states 1 and 4, the number of equals signs in states 5 and 6.
// The first line of a run starts with carry 0.
#pragma once

#include <stddef.h>
#include <vector>

class LuaLineScanner
{
public:
    enum State
    {
        STATE_NORMAL = 0,
        STATE_BLOCK_COMMENT = 1,
        STATE_SINGLE_QUOTED = 2,
        STATE_DOUBLE_QUOTED = 3,
        STATE_LONG_STRING = 4,
        STATE_LEVEL_COMMENT = 5,
        STATE_LEVEL_STRING = 6
    };
    enum { MAX_OPERATOR_LENGTH = 3 };

    LuaLineScanner();

    // Classifies nLength bytes, starting in the state the carry encodes; returns the
    // carry for the next line. Bytes of 0x80 and above are never letters or digits.
    int ScanLine(const char* pChars, int nLength, int nCarry);

    // Class of character nIndex of the last line scanned; only while classes are kept.
    int GetClass(int nIndex) const { return m_classes[nIndex]; }
    // The tokenizer reads only the runs: without the classes of every character a line
    // is scanned in fewer steps. Kept by default.
    void SetKeepClasses(bool bKeep) { m_bKeepClasses = bKeep; }

    // The tokens of the last line scanned, as the scanner marked them: each run of one
    // class that makes a token (names, keywords, numbers, strings), and each operator on
    // its own, with the keyword number or operator code (else -1).
    struct CRun
    {
        int nStart;
        int nLength;
        int nClass;
        int nCode;
    };
    int GetRunCount() const { return (int)m_runs.size(); }
    const CRun& GetRun(int nIndex) const { return m_runs[(size_t)nIndex]; }

    // The operator that the first bytes of p[0..nAvailable) spell, longest first:
    // its code, with its length in nLength; -1 when none does.
    static int MatchOperator(const unsigned char* p, int nAvailable, int& nLength);
    // Keyword number of the n bytes at p (case-sensitive), or -1.
    static int KeywordNumber(const char* p, int n);

private:
    // The largest depth or level a carry holds: a bracket with more equals signs opens
    // nothing, and deeper nesting counts no further.
    enum { MAX_CARRIED = 0x7FFFFF };

    const unsigned char* m_pLine;
    int m_nLength;
    int m_nState;
    int m_nDepth;   // nesting depth of double brackets (states 1 and 4)
    int m_nLevel;   // equals signs of the open bracket (states 5 and 6)
    int m_nPos;
    bool m_bKeepClasses;
    std::vector<unsigned char> m_classes; // grows with the longest line, never shrinks
    std::vector<CRun> m_runs;             // likewise

    void Mark(int nCount, int nClass, int nCode = -1);
    bool At(const char* pszText) const;

    void ScanNormal();
    void ScanName();
    void ScanNumber();
    void ScanOperator();
    int LongBracketLevel(int nAt) const;
    void OpenLongBracket(int nLevel, int nPrefix, bool bComment);
    void ScanLongBracket(int nClass);
    void ScanLevelBracket(int nClass);
    void ScanQuoted(unsigned char chQuote);
};
