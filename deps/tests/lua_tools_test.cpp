// The Lua command-line tools of the program folder run as child processes, the way
// the IDE starts them: the interpreter runs a script, the compiler compiles one. The
// same cases run for Lua 5.1 (lua51.exe, luac51.exe) and Lua 5.0 (lua.exe, luac.exe).
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <fstream>

namespace {

std::string FindTool(const char* name)
{
    char path[MAX_PATH];
    DWORD n = SearchPathA(NULL, name, NULL, MAX_PATH, path, NULL);
    return (n > 0 && n < MAX_PATH) ? std::string(path) : std::string();
}

// Runs a command line hidden, collecting standard output and error together.
bool RunHidden(const std::string& commandLine, std::string& output, DWORD& exitCode)
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    HANDLE readEnd = NULL, writeEnd = NULL;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = NULL;
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    BOOL started = CreateProcessA(NULL, &cmd[0], NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return false;
    }
    char buf[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buf, sizeof(buf), &got, NULL) && got > 0)
        output.append(buf, got);
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(readEnd);
    return true;
}

void WriteText(const char* path, const char* text)
{
    std::ofstream(path, std::ios::binary) << text;
}

struct LuaToolSet
{
    const char* interpreter;
    const char* compiler;
    const char* version;   // _VERSION
    bool built;            // false: this build has no such Lua
};

std::string PrintTo(const LuaToolSet& tools)
{
    return tools.interpreter;
}

class LuaTools : public ::testing::TestWithParam<LuaToolSet>
{
protected:
    std::string m_lua, m_luac;

    void SetUp() override
    {
        const LuaToolSet& tools = GetParam();
        if (!tools.built)
            GTEST_SKIP() << "this build has no " << tools.version;
        m_lua = FindTool(tools.interpreter);
        m_luac = FindTool(tools.compiler);
        ASSERT_FALSE(m_lua.empty()) << tools.interpreter << " is not in the program folder";
        ASSERT_FALSE(m_luac.empty()) << tools.compiler << " is not in the program folder";
    }

    // Each version's cases write files of their own.
    std::string Name(const char* stem) const
    {
        return std::string(stem) + "_" + (GetParam().version + 4) + ".lua";
    }

    std::string Run(const std::string& program, const std::string& arguments, DWORD& code)
    {
        std::string out;
        code = 99;
        EXPECT_TRUE(RunHidden("\"" + program + "\" " + arguments, out, code));
        return out;
    }
};

TEST_P(LuaTools, InterpreterRunsAScript)
{
    const std::string script = Name("tools_test_run");
    WriteText(script.c_str(), "local t = {} for i = 1, 10 do table.insert(t, i * i) end\n"
                              "print(table.concat(t, ','), _VERSION)\n");
    DWORD code;
    std::string out = Run(m_lua, script, code);
    EXPECT_EQ(code, 0u);
    EXPECT_NE(out.find(std::string("1,4,9,16,25,36,49,64,81,100\t") + GetParam().version), std::string::npos) << out;
}

TEST_P(LuaTools, CompilerWritesAChunkTheInterpreterRuns)
{
    const std::string source = Name("tools_test_compile");
    const std::string chunk = source + "c";
    WriteText(source.c_str(), "local function f(n) return n * 7 end\nprint('compiled ' .. f(6))\n");
    DeleteFileA(chunk.c_str());
    DWORD code;
    std::string out = Run(m_luac, "-o " + chunk + " " + source, code);
    EXPECT_EQ(code, 0u) << out;
    ASSERT_NE(GetFileAttributesA(chunk.c_str()), INVALID_FILE_ATTRIBUTES);

    out = Run(m_lua, chunk, code);
    EXPECT_EQ(code, 0u) << out;
    EXPECT_NE(out.find("compiled 42"), std::string::npos) << out;
}

// A stripped chunk still runs, is smaller, and its errors no longer name the source.
TEST_P(LuaTools, StrippedChunkRunsWithoutDebugInformation)
{
    const std::string source = Name("tools_test_strip");
    WriteText(source.c_str(), "local function twice(x)\n  local y = x * 2\n  return y\nend\n"
                              "print('twice ' .. twice(21))\n"
                              "local t = {f = function(a) return a .. 'x' end}\n"
                              "print(t.f('y'))\nerror('stop here')\n");
    const std::string full = source + "c", stripped = source + "s";
    DWORD code;
    std::string out = Run(m_luac, "-o " + full + " " + source, code);
    ASSERT_EQ(code, 0u) << out;
    out = Run(m_luac, "-s -o " + stripped + " " + source, code);
    ASSERT_EQ(code, 0u) << out;

    WIN32_FILE_ATTRIBUTE_DATA fullData = {}, strippedData = {};
    ASSERT_TRUE(GetFileAttributesExA(full.c_str(), GetFileExInfoStandard, &fullData));
    ASSERT_TRUE(GetFileAttributesExA(stripped.c_str(), GetFileExInfoStandard, &strippedData));
    EXPECT_LT(strippedData.nFileSizeLow, fullData.nFileSizeLow);

    out = Run(m_lua, full, code);
    EXPECT_NE(out.find(source + ":8:"), std::string::npos) << out;
    out = Run(m_lua, stripped, code);
    EXPECT_NE(code, 0u);
    EXPECT_NE(out.find("twice 42"), std::string::npos) << out;
    EXPECT_NE(out.find("yx"), std::string::npos) << out;
    EXPECT_NE(out.find("stop here"), std::string::npos) << out;
    EXPECT_EQ(out.find(source), std::string::npos) << out;
}

// A syntax error is reported with the file and line, and the output is not touched.
TEST_P(LuaTools, CompilerReportsSyntaxErrors)
{
    const std::string source = Name("tools_test_bad");
    const std::string chunk = source + "c";
    WriteText(source.c_str(), "local x = = 1\n");
    WriteText(chunk.c_str(), "kept");
    DWORD code;
    std::string out = Run(m_luac, "-p " + source, code);
    EXPECT_NE(code, 0u);
    EXPECT_NE(out.find(source + ":1:"), std::string::npos) << out;

    out = Run(m_luac, "-o " + chunk + " " + source, code);
    EXPECT_NE(code, 0u);
    std::ifstream kept(chunk.c_str(), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "kept");
}

INSTANTIATE_TEST_SUITE_P(BothVersions, LuaTools,
                         ::testing::Values(LuaToolSet{"lua51.exe", "luac51.exe", "Lua 5.1", true},
                                           LuaToolSet{"lua.exe", "luac.exe", "Lua 5.0", VORN_HAVE_LUA50 != 0}),
                         [](const ::testing::TestParamInfo<LuaToolSet>& info) {
                             return std::string(info.param.version[6] == '1' ? "Lua51" : "Lua50");
                         });

} // namespace
