// SciLexer.dll loads, makes a "Scintilla" window, and its Lua lexer (selected with
// SCI_SETILEXER and CreateLexer) styles a keyword as a keyword, through both window
// messages and the direct-call function.
#include <gtest/gtest.h>
#include <windows.h>
#include <Scintilla.h>
#include <SciLexer.h>

namespace {

typedef void* (__stdcall *CreateLexerFn)(const char* name);

class ScintillaLexerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hModule = LoadLibraryA("SciLexer.dll");
        ASSERT_NE(m_hModule, nullptr) << "SciLexer.dll not found";
        m_hWnd = CreateWindowExA(0, "Scintilla", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                 NULL, NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_NE(m_hWnd, nullptr) << "no Scintilla window class";
    }
    void TearDown() override
    {
        if (m_hWnd)
            DestroyWindow(m_hWnd);
        if (m_hModule)
            FreeLibrary(m_hModule);
    }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(m_hWnd, msg, w, l); }

    void SelectLuaLexer()
    {
        CreateLexerFn create = reinterpret_cast<CreateLexerFn>(GetProcAddress(m_hModule, "CreateLexer"));
        ASSERT_NE(create, nullptr) << "CreateLexer is not exported under its plain name";
        void* lexer = create("lua");
        ASSERT_NE(lexer, nullptr);
        Send(SCI_SETILEXER, 0, reinterpret_cast<LPARAM>(lexer));
        Send(SCI_SETKEYWORDS, 0, reinterpret_cast<LPARAM>("and break do else elseif end false for "
             "function if in local nil not or repeat return then true until while"));
    }

    HMODULE m_hModule = NULL;
    HWND m_hWnd = NULL;
};

TEST_F(ScintillaLexerTest, LuaKeywordGetsKeywordStyle)
{
    SelectLuaLexer();
    Send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("local x = 1 -- note\n"));
    Send(SCI_COLOURISE, 0, -1);
    EXPECT_EQ(Send(SCI_GETSTYLEAT, 0), SCE_LUA_WORD);
    EXPECT_EQ(Send(SCI_GETSTYLEAT, 10), SCE_LUA_NUMBER);
    EXPECT_EQ(Send(SCI_GETSTYLEAT, 13), SCE_LUA_COMMENTLINE);
}

TEST_F(ScintillaLexerTest, WithoutLexerNothingIsStyled)
{
    Send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("local x = 1\n"));
    Send(SCI_COLOURISE, 0, -1);
    EXPECT_EQ(Send(SCI_GETSTYLEAT, 0), 0);
}

TEST_F(ScintillaLexerTest, DirectFunctionIsCdecl)
{
    SelectLuaLexer();
    SciFnDirect fn = reinterpret_cast<SciFnDirect>(Send(SCI_GETDIRECTFUNCTION));
    sptr_t ptr = static_cast<sptr_t>(Send(SCI_GETDIRECTPOINTER));
    ASSERT_NE(fn, nullptr);
    fn(ptr, SCI_SETTEXT, 0, reinterpret_cast<sptr_t>("while true do end"));
    EXPECT_EQ(fn(ptr, SCI_GETLENGTH, 0, 0), 17);
    fn(ptr, SCI_COLOURISE, 0, -1);
    EXPECT_EQ(fn(ptr, SCI_GETSTYLEAT, 0, 0), SCE_LUA_WORD);
}

} // namespace
