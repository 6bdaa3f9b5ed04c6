#include "ExportTestSupport.h"

#include <Scintilla.h>

namespace
{
typedef void*(__stdcall* CreateLexerFunction)(const char* pszName);

const char kLuaKeywords[] = "and break do else elseif end false for function if in local nil not or repeat "
                            "return then true until while";
} // namespace

const char CHiddenLuaEditor::kUserWords1[] = "print pairs ipairs";
const char CHiddenLuaEditor::kUserWords2[] = "string table";

CHiddenLuaEditor::CHiddenLuaEditor()
    : m_hModule(::LoadLibraryA("SciLexer.dll")), m_hWnd(NULL), m_bLexer(false), m_pText(NULL)
{
    if (m_hModule == NULL)
        return;
    m_hWnd = ::CreateWindowExA(0, "Scintilla", "", WS_POPUP, 0, 0, 600, 400, NULL, NULL,
                               ::GetModuleHandleA(NULL), NULL);
    if (m_hWnd == NULL)
        return;
    CreateLexerFunction pfnCreate =
        reinterpret_cast<CreateLexerFunction>(::GetProcAddress(m_hModule, "CreateLexer"));
    void* pLexer = pfnCreate != NULL ? pfnCreate("lua") : NULL;
    m_bLexer = pLexer != NULL;
    Send(SCI_SETILEXER, 0, reinterpret_cast<LPARAM>(pLexer));
    Send(SCI_SETKEYWORDS, 0, reinterpret_cast<LPARAM>(kLuaKeywords));
    Send(SCI_SETKEYWORDS, 1, reinterpret_cast<LPARAM>(kUserWords1));
    Send(SCI_SETKEYWORDS, 2, reinterpret_cast<LPARAM>(kUserWords2));
    Send(SCI_SETPROPERTY, reinterpret_cast<WPARAM>("fold"), reinterpret_cast<LPARAM>("1"));
    m_pText = new CScintillaStyledText(m_hWnd);
}

CHiddenLuaEditor::~CHiddenLuaEditor()
{
    delete m_pText;
    if (m_hWnd != NULL)
        ::DestroyWindow(m_hWnd);
    if (m_hModule != NULL)
        ::FreeLibrary(m_hModule);
}

void CHiddenLuaEditor::SetText(const std::string& text)
{
    Send(SCI_CLEARALL);
    Send(SCI_ADDTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
}

std::string SampleLuaDocument(int nRepeat)
{
    static const char kBody[] =
        "-- sample: keywords, strings & comments <tags> #1\n"
        "local t = { a = 1, b = 2.5e3, c = 0x1F }\r\n"
        "\n"
        "function f(x) if x > 1 then\n"
        "\tprint(\"back\\\\slash (paren) & <lt> > # \\\"q\\\"\")   \n"
        "\t\tlocal s = 'caf\xE9 \xFC" "ber \xA9 \x80' .. string.rep(\"-\", 3)\n"
        "    end\n"
        "end\n"
        "\n"
        "\n"
        "\n"
        "--[[ long\n"
        "comment (with) \\ and & ]]\n"
        "x = [[long\n"
        "  string]] -- trailing   \n"
        "bell = \"\x01\x07\x1B\" \x0C form feed\n"
        "for i, v in ipairs(table) do\n"
        "\ty = i*2 + (v or 0) % 3 ~= 4 and #t >= 1 < 2\n"
        "end\n"
        "   \n"
        "return f\n";
    std::string text;
    for (int i = 0; i < nRepeat; i++)
        text += kBody;
    return text;
}

std::string LargeLuaDocument(int nLines, int nBytes)
{
    // A function of ten lines, padded by a comment to the mean line length.
    const int nMeanLine = nBytes / nLines;
    std::string text;
    text.reserve(static_cast<size_t>(nBytes) + 4096);
    char szLine[512];
    for (int nLine = 0; nLine < nLines; nLine++)
    {
        int n = 0;
        switch (nLine % 10)
        {
        case 0:
            n = sprintf(szLine, "function handler_%d(event, data)", nLine);
            break;
        case 1:
            n = sprintf(szLine, "\tlocal count = #data + %d -- counts (the) items", nLine % 97);
            break;
        case 2:
            n = sprintf(szLine, "\tif event == \"update\" and count > 0 then");
            break;
        case 3:
            n = sprintf(szLine, "\t\tprint(string.format(\"%%d items & <more>\", count))");
            break;
        case 4:
            n = sprintf(szLine, "\t\tfor i = 1, count do data[i] = data[i] * 2.5 end");
            break;
        case 5:
            n = sprintf(szLine, "\telse");
            break;
        case 6:
            n = sprintf(szLine, "\t\treturn nil, 'no data for \\'%d\\''", nLine);
            break;
        case 7:
            n = sprintf(szLine, "\tend");
            break;
        case 8:
            n = sprintf(szLine, "\treturn count");
            break;
        default:
            n = sprintf(szLine, "end");
            break;
        }
        if (n < nMeanLine - 4)
        {
            n += sprintf(szLine + n, " --");
            for (; n < nMeanLine - 1 && n < static_cast<int>(sizeof(szLine)) - 2; n++)
                szLine[n] = static_cast<char>('a' + n % 26);
        }
        szLine[n++] = '\n';
        text.append(szLine, n);
    }
    return text;
}
