// LuaToken: one token of Lua source, as the tokenizer gives it and the outline parser
// walks it. Character classes, keyword numbers and operator codes are fixed values that
// the parser and the editor rely on.
#pragma once

// Character classes of the line scanner; classes 1 and 3 never become tokens.
enum LuaCharClass
{
    LUA_CLASS_OTHER = 1,
    LUA_CLASS_IDENTIFIER = 2,
    LUA_CLASS_COMMENT = 3,
    LUA_CLASS_KEYWORD = 4,
    LUA_CLASS_NUMBER = 5,
    LUA_CLASS_STRING = 6,
    LUA_CLASS_OPERATOR = 7
};

// Keyword numbers (alphabetical order); -1 for any other text.
enum LuaKeyword
{
    LUA_KW_AND, LUA_KW_BREAK, LUA_KW_DO, LUA_KW_ELSE, LUA_KW_ELSEIF, LUA_KW_END,
    LUA_KW_FALSE, LUA_KW_FOR, LUA_KW_FUNCTION, LUA_KW_IF, LUA_KW_IN, LUA_KW_LOCAL,
    LUA_KW_NIL, LUA_KW_NOT, LUA_KW_OR, LUA_KW_REPEAT, LUA_KW_RETURN, LUA_KW_THEN,
    LUA_KW_TRUE, LUA_KW_UNTIL, LUA_KW_WHILE,
    LUA_KEYWORD_COUNT
};

// Operator codes of tokens of class LUA_CLASS_OPERATOR.
enum LuaOperator
{
    LUA_OP_PLUS, LUA_OP_MINUS, LUA_OP_STAR, LUA_OP_SLASH, LUA_OP_CARET, LUA_OP_ASSIGN,
    LUA_OP_EQ, LUA_OP_NE, LUA_OP_LE, LUA_OP_GE, LUA_OP_LT, LUA_OP_GT,
    LUA_OP_LPAREN, LUA_OP_RPAREN, LUA_OP_LBRACE, LUA_OP_RBRACE, LUA_OP_LBRACKET, LUA_OP_RBRACKET,
    LUA_OP_SEMICOLON, LUA_OP_COLON, LUA_OP_COMMA, LUA_OP_DOT, LUA_OP_CONCAT, LUA_OP_ELLIPSIS,
    LUA_OPERATOR_COUNT
};

// A large file holds a million tokens: the fields are laid out so that a token takes 24
// bytes on x64, not 32.
struct LuaToken
{
    const char* m_pszText; // names and strings (with their quotes or brackets); "" otherwise
    int m_nLength;       // bytes of m_pszText
    int m_nLine;         // zero-based line
    int m_nColumn;       // zero-based index in the line of the first character
    short m_nClass;      // 2, 4, 5, 6 or 7
    short m_nCode;       // keyword number (class 4), operator code (class 7), else -1

    bool IsIdentifier() const { return m_nClass == LUA_CLASS_IDENTIFIER; }
    // An identifier, or a name that starts with "_": the scanner gives those the keyword
    // class with no keyword number, yet they are names wherever Lua takes a name.
    bool IsName() const
    {
        return m_nClass == LUA_CLASS_IDENTIFIER || (m_nClass == LUA_CLASS_KEYWORD && m_nCode < 0);
    }
    bool IsString() const { return m_nClass == LUA_CLASS_STRING; }
    bool IsNumber() const { return m_nClass == LUA_CLASS_NUMBER; }
    bool IsKeyword() const { return m_nClass == LUA_CLASS_KEYWORD; }
    bool IsOperator() const { return m_nClass == LUA_CLASS_OPERATOR; }
    // One of the 21 keywords (not a name that starts with "_").
    bool IsReservedWord() const { return m_nClass == LUA_CLASS_KEYWORD && m_nCode >= 0; }
    bool IsKeyword(int nKeyword) const { return m_nClass == LUA_CLASS_KEYWORD && m_nCode == nKeyword; }
    bool IsOperator(int nOperator) const { return m_nClass == LUA_CLASS_OPERATOR && m_nCode == nOperator; }
};
