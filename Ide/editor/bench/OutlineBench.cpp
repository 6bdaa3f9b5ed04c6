// Times the Lua outline engine on a generated source of 10,000 lines:
//   tokenize        LuaTokenizer over every line
//   parse           tokenize + first parse (mode 0) into a new outline file
//   reparse         re-parse (mode 1) of the unchanged text; no sweep needed
//   reparse+prune   re-parse after a one-line edit, with the sweep
// then a project's load of 300 files of about 250 lines each, parsed from memory and
// from the files on disk (as the project does), the files only read, and one file of 5 MB.
// Run: build/wine-run.sh build/bench/outline_bench.exe [runs]
#include "COutline.h"
#include "CTextLineSource.h"
#include "LuaBenchSupport.h"
#include "LuaTokenizer.h"

#include <stdlib.h>

// A folder of its own under the temporary folder, removed afterwards.
class CBenchFolder
{
public:
    CBenchFolder()
    {
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        m_strPath.Format("%svorn_outline_bench_%lu\\", szTemp, ::GetCurrentProcessId());
        ::CreateDirectoryA(m_strPath, NULL);
    }
    ~CBenchFolder()
    {
        for (const CString& strFile : m_files)
            ::DeleteFileA(strFile);
        ::RemoveDirectoryA(m_strPath);
    }
    CString Write(int nIndex, const std::string& text)
    {
        CString strFile;
        strFile.Format("%smodule%03d.lua", (LPCTSTR)m_strPath, nIndex);
        FILE* pOut = fopen(strFile, "wb");
        if (pOut != NULL)
        {
            fwrite(text.data(), 1, text.size(), pOut);
            fclose(pOut);
        }
        m_files.push_back(strFile);
        return strFile;
    }

private:
    CString m_strPath;
    std::vector<CString> m_files;
};

static double LinesPerSecond(int nLines, double dMs)
{
    return dMs > 0 ? nLines / (dMs / 1000.0) : 0;
}


static void ReadWholeFile(LPCTSTR pszPath, std::vector<char>& buffer)
{
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    const DWORD dwSize = ::GetFileSize(hFile, NULL);
    if (buffer.size() < dwSize + 1)
        buffer.resize(dwSize + 1);
    DWORD dwRead = 0;
    ::ReadFile(hFile, buffer.data(), dwSize, &dwRead, NULL);
    ::CloseHandle(hFile);
}

// A project's load: every file into a new outline file, from memory or from disk; the
// outline is emptied between runs.
static void TimeProjectLoad(int nRuns)
{
    const int nFiles = 300;
    CBenchFolder folder;
    std::vector<std::string> texts;
    std::vector<CString> paths;
    int nLines = 0;
    for (int i = 0; i < nFiles; i++)
    {
        std::string text;
        for (int n = 0; n < 5; n++)
            AppendModule(text, i * 5 + n);
        nLines += (int)std::count(text.begin(), text.end(), '\n');
        paths.push_back(folder.Write(i, text));
        texts.push_back(text);
    }

    CTiming memory = { "load (memory)", {} };
    CTiming disk = { "load (disk)", {} };
    CTiming read = { "read (disk)", {} };
    std::vector<char> buffer;
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        COutline outline;
        double t0 = NowMs();
        for (int i = 0; i < nFiles; i++)
        {
            CTextLineSource source(texts[(size_t)i].data(), (int)texts[(size_t)i].size());
            outline.ParseSource(outline.AddFile(paths[(size_t)i]), source);
        }
        memory.samples.push_back(NowMs() - t0);
        outline.RemoveAll();

        t0 = NowMs();
        for (int i = 0; i < nFiles; i++)
            outline.ParseFile(outline.AddFile(paths[(size_t)i]), paths[(size_t)i]);
        disk.samples.push_back(NowMs() - t0);
        outline.RemoveAll();

        // What the disk path cannot avoid: the system's open, size, read and close of
        // each file, into one buffer, nothing indexed or parsed.
        t0 = NowMs();
        for (int i = 0; i < nFiles; i++)
            ReadWholeFile(paths[(size_t)i], buffer);
        read.samples.push_back(NowMs() - t0);
    }
    printf("\nproject load: %d files, %d lines\n", nFiles, nLines);
    memory.Report();
    disk.Report();
    read.Report();
    const double dMemory = Median(memory.samples), dDisk = Median(disk.samples);
    printf("disk / memory    %.2f   (memory %.2f M lines/s, disk %.2f M lines/s)\n", dDisk / dMemory,
           LinesPerSecond(nLines, dMemory) / 1e6, LinesPerSecond(nLines, dDisk) / 1e6);
    printf("(memory + read) / memory %.2f: the least the disk path can be\n",
           (dMemory + Median(read.samples)) / dMemory);
}

// One file of 5 MB, tokenized and parsed from memory: a first parse into a new outline
// file (the first run also finds the memory of the shared token list untouched), then a
// re-parse of the unchanged text (the editor's timer on an open document).
static void TimeLargeFile(int nRuns)
{
    std::string text;
    int nModules = 0;
    while (text.size() < 5u * 1024 * 1024)
        AppendModule(text, nModules++);
    const int nLines = (int)std::count(text.begin(), text.end(), '\n');
    CTextLineSource source(text.data(), (int)text.size());
    CTiming tokenize = { "5 MB tokenize", {} };
    CTiming parse = { "5 MB parse", {} };
    CTiming reparse = { "5 MB reparse", {} };
    COutline outline;
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        // The tokenizer's share of a first parse, into a list of its own that starts empty.
        {
            LuaTokenList tokens;
            double t0 = NowMs();
            LuaTokenizer().Tokenize(tokens, source, 0, -1);
            tokenize.samples.push_back(NowMs() - t0);
        }
        COutlineFile* pFile = outline.AddFile("large.lua");
        double t0 = NowMs();
        outline.ParseSource(pFile, source);
        parse.samples.push_back(NowMs() - t0);
        // The first re-parse builds the file's own token list; the timer's later ones
        // reuse it.
        outline.ReparseFile(pFile, source);
        t0 = NowMs();
        outline.ReparseFile(pFile, source);
        reparse.samples.push_back(NowMs() - t0);
        outline.RemoveFile(pFile);
    }
    printf("\nlarge file: %d lines, %d bytes\n", nLines, (int)text.size());
    tokenize.Report();
    parse.Report();
    reparse.Report();
}

int main(int argc, char** argv)
{
    int nRuns = argc > 1 ? atoi(argv[1]) : 20;
    if (nRuns < 1)
        nRuns = 1;

    const std::string text = MakeLuaSource(10000);
    int nLines = (int)std::count(text.begin(), text.end(), '\n');
    CTextLineSource source(text.data(), (int)text.size());

    // An edit of one line, made and undone in turn, so that each re-parse changes.
    std::string edited = text;
    size_t nAt = edited.find("function Class7:Describe()");
    edited.replace(nAt, 26, "function Class7:Explain() ");
    CTextLineSource editedSource(edited.data(), (int)edited.size());

    CTiming tokenize = { "tokenize", {} };
    CTiming parse = { "parse", {} };
    CTiming reparse = { "reparse", {} };
    CTiming reparsePrune = { "reparse+prune", {} };

    COutline outline;
    LuaTokenList tokens;
    COutlineFile* pFile = NULL;
    int nEntry = 0;
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        double t0 = NowMs();
        LuaTokenizer().Tokenize(tokens, source, 0, -1);
        tokenize.samples.push_back(NowMs() - t0);

        if (pFile != NULL)
            outline.RemoveFile(pFile);
        pFile = outline.AddFile("bench.lua");
        pFile->m_pProjectEntry = reinterpret_cast<CProjectFileEntry*>(&nEntry);
        t0 = NowMs();
        outline.ParseSource(pFile, source);
        parse.samples.push_back(NowMs() - t0);
        outline.LinkConstructedTables();

        t0 = NowMs();
        int nChanged = outline.ReparseFile(pFile, source);
        if (nChanged)
            outline.PruneStaleNodes(pFile);
        reparse.samples.push_back(NowMs() - t0);
        if (nChanged)
            printf("unexpected change on an unchanged text\n");

        t0 = NowMs();
        if (outline.ReparseFile(pFile, editedSource))
            outline.PruneStaleNodes(pFile);
        if (outline.ReparseFile(pFile, source))
            outline.PruneStaleNodes(pFile);
        reparsePrune.samples.push_back((NowMs() - t0) / 2);
    }

    printf("%d lines, %d bytes, %d tokens; outline: %d tables, %d functions, %d variables; %d runs\n", nLines,
           (int)text.size(), tokens.GetCount(), pFile->GetTableCount(), pFile->GetFunctionCount(),
           pFile->GetVariableCount(), nRuns);
    tokenize.Report();
    parse.Report();
    reparse.Report();
    reparsePrune.Report();
    printf("parse %.2f M lines/s, reparse+prune %.2f M lines/s (medians)\n",
           LinesPerSecond(nLines, Median(parse.samples)) / 1e6,
           LinesPerSecond(nLines, Median(reparsePrune.samples)) / 1e6);
    outline.RemoveAll();

    TimeProjectLoad(nRuns < 5 ? nRuns : 5);
    TimeLargeFile(nRuns < 5 ? nRuns : 5);
    return 0;
}
