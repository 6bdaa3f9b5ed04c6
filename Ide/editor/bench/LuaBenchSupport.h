// Shared by the editor's benchmark programs: a generated Lua source of realistic
// modules, a millisecond clock and min/median/max reports.
#pragma once

#include <windows.h>
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

// One module of about fifty lines; each copy gets its own names.
inline void AppendModule(std::string& text, int n)
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

inline double NowMs()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

inline double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
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

inline double Median(const CTiming& timing)
{
    return Median(timing.samples);
}

// The benchmarks' command line: a number of runs, and "--screenshot <path>".
inline void ReadBenchArguments(int argc, char** argv, int& nRuns, const char*& pszScreenshot)
{
    for (int i = 1; i < argc; i++)
    {
        if (strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            pszScreenshot = argv[++i];
        else
            nRuns = std::max(1, atoi(argv[i]));
    }
}

// Whole modules until the text has at least nLines lines.
inline std::string MakeLuaSource(int nLines)
{
    std::string text;
    int nModules = 0;
    while (std::count(text.begin(), text.end(), '\n') < nLines)
        AppendModule(text, nModules++);
    return text;
}

// Lines widened with trailing comments until the text has about nBytes bytes.
inline std::string WidenLines(const std::string& text, size_t nBytes)
{
    const size_t nLines = (size_t)std::count(text.begin(), text.end(), '\n');
    const size_t nExtra = nBytes > text.size() ? (nBytes - text.size()) / nLines : 0;
    if (nExtra < 4)
        return text;
    const std::string comment = " -- " + std::string(nExtra - 4, 'n');
    std::string wide;
    wide.reserve(nBytes + nLines);
    size_t nStart = 0;
    for (size_t nEnd = text.find('\n'); nEnd != std::string::npos; nEnd = text.find('\n', nStart))
    {
        wide.append(text, nStart, nEnd - nStart);
        wide += comment;
        wide += '\n';
        nStart = nEnd + 1;
    }
    return wide;
}
