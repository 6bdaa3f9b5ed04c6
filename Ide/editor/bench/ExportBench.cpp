// Times the four exporters on a generated Lua file of 100,000 lines and 5 MB in a
// hidden Scintilla control with the Lua lexer, each with the default settings and
// XHTML also with folding. Each export restyles the whole text (SCI_COLOURISE) as the
// command does; the plain restyle is timed first as the baseline. Memory is the
// process's private memory above what it used before the export, sampled while it runs.
// Run: build-x64/wine-run.sh build-x64/bench/export_bench.exe [runs]
#include <windows.h>
#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CAppSettings.h"
#include "ExportTestSupport.h"
#include "Exporters.h"

namespace
{
double Now()
{
    static LARGE_INTEGER frequency;
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The anonymous resident memory of a Linux process, from /proc/<pid>/status; 0 when
// there is no such file.
SIZE_T UnixAnonymousBytes(const char* pszPid)
{
    char szPath[64];
    snprintf(szPath, sizeof(szPath), "Z:\\proc\\%s\\status", pszPid);
    FILE* pFile = fopen(szPath, "r");
    if (pFile == NULL)
        return 0;
    char szLine[256];
    SIZE_T nKilobytes = 0;
    while (fgets(szLine, sizeof(szLine), pFile) != NULL)
        if (strncmp(szLine, "RssAnon:", 8) == 0)
            nKilobytes = static_cast<SIZE_T>(strtoull(szLine + 8, NULL, 10));
    fclose(pFile);
    return nKilobytes * 1024;
}

// Under Wine the system's memory counters stay at 0 and /proc/self is the Wine
// server's, so the Linux process that runs this program is found by its command
// line: the largest one that names it.
std::string FindUnixProcess()
{
    std::string best;
    SIZE_T nBest = 0;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA("Z:\\proc\\*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return best;
    do
    {
        if (fd.cFileName[0] < '0' || fd.cFileName[0] > '9')
            continue;
        char szPath[64], szCommand[512] = "";
        snprintf(szPath, sizeof(szPath), "Z:\\proc\\%s\\cmdline", fd.cFileName);
        FILE* pFile = fopen(szPath, "rb");
        if (pFile == NULL)
            continue;
        const size_t n = fread(szCommand, 1, sizeof(szCommand) - 1, pFile);
        fclose(pFile);
        for (size_t i = 0; i < n; i++)
            if (szCommand[i] == 0)
                szCommand[i] = ' ';
        szCommand[n] = 0;
        const SIZE_T nBytes = strstr(szCommand, "export_bench") != NULL ? UnixAnonymousBytes(fd.cFileName) : 0;
        if (nBytes > nBest)
        {
            nBest = nBytes;
            best = fd.cFileName;
        }
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return best;
}

// The process's private memory in use.
SIZE_T PrivateBytes()
{
    static const std::string unixPid = FindUnixProcess();
    if (!unixPid.empty())
        return UnixAnonymousBytes(unixPid.c_str());
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    return counters.PrivateUsage;
}

ULONGLONG FileSize(const char* pszPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The page tree's /Count.
int PdfPageCount(const char* pszPath)
{
    std::string pdf;
    if (FILE* pFile = fopen(pszPath, "rb"))
    {
        char buffer[65536];
        size_t n;
        while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
            pdf.append(buffer, n);
        fclose(pFile);
    }
    const size_t nPos = pdf.rfind("]/Count ");
    return nPos == std::string::npos ? 0 : atoi(pdf.c_str() + nPos + 8);
}

struct CMeasure
{
    double m_dSeconds;
    SIZE_T m_nExtraBytes;
};

// Runs the work while a second thread samples the private bytes.
CMeasure Measure(const std::function<int()>& work, int& nResult)
{
    const SIZE_T nBefore = PrivateBytes();
    std::atomic<bool> bDone(false);
    std::atomic<SIZE_T> nPeak(nBefore);
    std::thread sampler([&] {
        while (!bDone)
        {
            const SIZE_T n = PrivateBytes();
            if (n > nPeak)
                nPeak = n;
            Sleep(1);
        }
    });
    const double dStart = Now();
    nResult = work();
    const double dSeconds = Now() - dStart;
    bDone = true;
    sampler.join();
    return CMeasure{ dSeconds, nPeak - nBefore };
}
} // namespace

int main(int argc, char** argv)
{
    const int nRuns = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    CHiddenLuaEditor editor;
    if (!editor.IsReady())
    {
        fprintf(stderr, "export_bench: no Scintilla control with the Lua lexer\n");
        return 1;
    }
    const std::string text = LargeLuaDocument(100000, 5 * 1024 * 1024);
    editor.SetText(text);
    printf("document: %d lines, %u bytes; process private memory %.1f MB\n", (int)editor.Send(SCI_GETLINECOUNT),
           (unsigned)text.size(), PrivateBytes() / 1048576.0);

    char szFolder[MAX_PATH];
    GetTempPathA(MAX_PATH, szFolder);
    CAppSettings settings;
    CAppSettings folding;
    folding.m_nExportHTMLFolding = 1;
    struct CCase
    {
        const char* pszName;
        const char* pszFile;
        std::function<int(const char*)> run;
    };
    const CCase cases[] = {
        { "SCI_COLOURISE only", NULL, [&](const char*) { editor.Text().Colourise(); return 1; } },
        { "PDF", "bench.pdf", [&](const char* p) { return ExportPdf(p, editor.Text(), settings); } },
        { "RTF", "bench.rtf", [&](const char* p) { return ExportRtf(p, editor.Text(), settings); } },
        { "XHTML", "bench.html", [&](const char* p) { return ExportXhtml(p, editor.Text(), "bench.lua", settings); } },
        { "XHTML folding", "bench-fold.html",
          [&](const char* p) { return ExportXhtml(p, editor.Text(), "bench.lua", folding); } },
        { "XML", "bench.xml", [&](const char* p) { return ExportXml(p, editor.Text(), "bench.lua", settings); } },
    };
    printf("%-20s %10s %10s %12s %12s\n", "format", "best s", "median s", "output MB", "extra MB");
    for (const CCase& c : cases)
    {
        char szPath[MAX_PATH] = "";
        if (c.pszFile != NULL)
            snprintf(szPath, sizeof(szPath), "%s%s", szFolder, c.pszFile);
        std::vector<double> seconds;
        SIZE_T nExtra = 0;
        for (int i = 0; i < nRuns; i++)
        {
            int nResult = 0;
            const CMeasure m = Measure([&] { return c.run(szPath); }, nResult);
            if (nResult != 1)
            {
                fprintf(stderr, "export_bench: %s failed\n", c.pszName);
                return 1;
            }
            seconds.push_back(m.m_dSeconds);
            nExtra = std::max(nExtra, m.m_nExtraBytes);
        }
        std::sort(seconds.begin(), seconds.end());
        const double dOutput = c.pszFile != NULL ? FileSize(szPath) / 1048576.0 : 0.0;
        printf("%-20s %10.3f %10.3f %12.1f %12.2f\n", c.pszName, seconds.front(), seconds[seconds.size() / 2],
               dOutput, nExtra / 1048576.0);
        if (c.pszFile != NULL && strcmp(c.pszName, "PDF") == 0)
            printf("%-20s %d pages\n", "", PdfPageCount(szPath));
        if (c.pszFile != NULL)
            DeleteFileA(szPath);
    }
    return 0;
}
