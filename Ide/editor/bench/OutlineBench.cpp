// Times the Lua outline engine on a generated source of 10,000 lines:
//   tokenize        LuaTokenizer over every line
//   parse           tokenize + first parse (mode 0) into a new outline file
//   reparse         re-parse (mode 1) of the unchanged text; no sweep needed
//   reparse+prune   re-parse after a one-line edit, with the sweep
// Run: build/wine-run.sh build/bench/outline_bench.exe [runs]
#include "COutline.h"
#include "CTextLineSource.h"
#include "LuaBenchSupport.h"
#include "LuaTokenizer.h"

#include <stdlib.h>

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
    return 0;
}
