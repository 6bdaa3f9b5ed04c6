// The Lua command-line tools of the program folder run as child processes, the way
// the IDE starts them: lua51.exe runs a script, luac51.exe compiles one.
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

TEST(LuaTools, InterpreterRunsAScript)
{
    std::string lua = FindTool("lua51.exe");
    ASSERT_FALSE(lua.empty()) << "lua51.exe is not in the program folder";
    WriteText("tools_test_run.lua", "local t = {} for i = 1, 10 do t[#t + 1] = i * i end\n"
                                     "print(table.concat(t, ','), _VERSION)\n");
    std::string out;
    DWORD code = 99;
    ASSERT_TRUE(RunHidden("\"" + lua + "\" tools_test_run.lua", out, code));
    EXPECT_EQ(code, 0u);
    EXPECT_NE(out.find("1,4,9,16,25,36,49,64,81,100\tLua 5.1"), std::string::npos) << out;
}

TEST(LuaTools, CompilerWritesAChunkTheInterpreterRuns)
{
    std::string luac = FindTool("luac51.exe");
    std::string lua = FindTool("lua51.exe");
    ASSERT_FALSE(luac.empty()) << "luac51.exe is not in the program folder";
    WriteText("tools_test_compile.lua", "print('compiled ' .. (6 * 7))\n");
    DeleteFileA("tools_test_compile.luc");
    std::string out;
    DWORD code = 99;
    ASSERT_TRUE(RunHidden("\"" + luac + "\" -o tools_test_compile.luc tools_test_compile.lua", out, code));
    EXPECT_EQ(code, 0u) << out;
    ASSERT_NE(GetFileAttributesA("tools_test_compile.luc"), INVALID_FILE_ATTRIBUTES);

    out.clear();
    ASSERT_TRUE(RunHidden("\"" + lua + "\" tools_test_compile.luc", out, code));
    EXPECT_NE(out.find("compiled 42"), std::string::npos) << out;
}

TEST(LuaTools, CompilerReportsSyntaxErrors)
{
    std::string luac = FindTool("luac51.exe");
    WriteText("tools_test_bad.lua", "local x = = 1\n");
    std::string out;
    DWORD code = 0;
    ASSERT_TRUE(RunHidden("\"" + luac + "\" -p tools_test_bad.lua", out, code));
    EXPECT_NE(code, 0u);
    EXPECT_NE(out.find("tools_test_bad.lua:1:"), std::string::npos) << out;
}

} // namespace
