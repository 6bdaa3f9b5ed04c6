// Times the Lua outline engine on a generated source of 10,000 lines:
//   tokenize        LuaTokenizer over every line
//   parse           tokenize + first parse (mode 0) into a new outline file
//   reparse         re-parse (mode 1) of the unchanged text; no sweep needed
//   reparse+prune   re-parse after a one-line edit, with the sweep
// Run: build/wine-run.sh build/bench/outline_bench.exe [runs]
#include "COutline.h"
#include "CTextLineSource.h"
#include "LuaTokenizer.h"

#include <windows.h>
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

// One module of about fifty lines; each copy gets its own names.
static void AppendModule(std::string& text, int n)
{
    char block[4096];
    snprintf(block, sizeof(block),
             "--[[ Module %d: a class, its methods, a factory and some data.\n"
             "   Nothing in here [[counts]] for the outline. ]]\n"
             "Class%d = { name = \"class %d\", count = 0, items = {} }\n"
             "Class%d.__index = Class%d\n"
             "Class%d.version = %d\n"
             "\n"
             "function Class%d.new(name, size)\n"
             "  local self = setmetatable({}, Class%d)\n"
             "  self.name = name or \"unnamed\" -- default name\n"
             "  self.size = size or %d\n"
             "  Class%d.count = Class%d.count + 1\n"
             "  return self\n"
             "end\n"
             "\n"
             "function Class%d:Grow(amount, ...)\n"
             "  local total = self.size + amount\n"
             "  for i = 1, select('#', ...) do\n"
             "    total = total + select(i, ...)\n"
             "  end\n"
             "  if total > 1000 then\n"
             "    total = 1000\n"
             "  elseif total < 0 then\n"
             "    total = 0\n"
             "  end\n"
             "  self.size = total\n"
             "  return total\n"
             "end\n"
             "\n"
             "function Class%d:Describe()\n"
             "  return string.format(\"%%s (%%d)\", self.name, self.size)\n"
             "end\n"
             "\n"
             "local function helper%d(list, visit)\n"
             "  local index = 0\n"
             "  while index < #list do\n"
             "    index = index + 1\n"
             "    visit(list[index])\n"
             "  end\n"
             "end\n"
             "\n"
             "function MakeWidget%d(kind)\n"
             "  local widget = { kind = kind, [\"label text\"] = \"widget\", size = { w = 10, h = 20 } }\n"
             "  widget.visible = true\n"
             "  function widget:Show() self.visible = true end\n"
             "  return widget\n"
             "end\n"
             "\n"
             "local widget%d = {}\n"
             "widget%d = MakeWidget%d(\"button\")\n"
             "setting%d = 1.5e3\n",
             n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n);
    text += block;
}

static double NowMs()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

struct CTiming
{
    const char* pszName;
    std::vector<double> samples;
    void Report() const
    {
        std::vector<double> sorted = samples;
        std::sort(sorted.begin(), sorted.end());
        printf("%-16s min %7.2f ms   median %7.2f ms   max %7.2f ms\n", pszName, sorted.front(),
               sorted[sorted.size() / 2], sorted.back());
    }
};

int main(int argc, char** argv)
{
    int nRuns = argc > 1 ? atoi(argv[1]) : 20;
    if (nRuns < 1)
        nRuns = 1;

    std::string text;
    int nModules = 0;
    while (std::count(text.begin(), text.end(), '\n') < 10000)
        AppendModule(text, nModules++);
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
    return 0;
}
