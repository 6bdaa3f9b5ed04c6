// luac.exe: the Lua 5.0 compiler program of the program folder. It loads each source
// with the core's public interface and writes the loaded chunk with its dump, so it
// needs nothing of the core's internals:
//   luac [-o name] [-p] [-s] [-v] [--] file...   ("-" reads standard input)
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <lua.h>
#include <lauxlib.h>
}

#include "CChunkStripper.h"

namespace
{
    const char PROGRAM[] = "luac";
    const char DEFAULT_OUTPUT[] = "luac.out";

    struct COptions
    {
        std::string output = DEFAULT_OUTPUT;
        bool parseOnly = false;
        bool strip = false;
        bool version = false;
        std::vector<std::string> files;
    };

    int Fail(const char* pszMessage, const char* pszDetail = NULL)
    {
        if (pszDetail)
            std::fprintf(stderr, "%s: %s %s\n", PROGRAM, pszMessage, pszDetail);
        else
            std::fprintf(stderr, "%s: %s\n", PROGRAM, pszMessage);
        return 1;
    }

    int Usage(const char* pszMessage, const char* pszDetail = NULL)
    {
        if (pszMessage)
            Fail(pszMessage, pszDetail);
        std::fprintf(stderr,
                     "usage: %s [options] [filenames].\n"
                     "Available options are:\n"
                     "  -        process stdin\n"
                     "  -o name  output to file 'name' (default is \"%s\")\n"
                     "  -p       parse only\n"
                     "  -s       strip debug information\n"
                     "  -v       show version information\n"
                     "  --       stop handling options\n",
                     PROGRAM, DEFAULT_OUTPUT);
        return 1;
    }

    // Fills options; a nonzero result is the exit code of a command line in error.
    int ParseArguments(int argc, char** argv, COptions& options)
    {
        int i = 1;
        for (; i < argc; ++i)
        {
            const char* arg = argv[i];
            if (arg[0] != '-' || arg[1] == '\0')
                break;  // a file name, or "-" for standard input
            if (std::strcmp(arg, "--") == 0)
            {
                ++i;
                break;
            }
            if (std::strcmp(arg, "-o") == 0)
            {
                if (++i >= argc || argv[i][0] == '\0')
                    return Usage("'-o' needs argument");
                options.output = argv[i];
            }
            else if (std::strcmp(arg, "-p") == 0)
                options.parseOnly = true;
            else if (std::strcmp(arg, "-s") == 0)
                options.strip = true;
            else if (std::strcmp(arg, "-v") == 0)
                options.version = true;
            else
                return Usage("unrecognized option", arg);
        }
        for (; i < argc; ++i)
            options.files.push_back(argv[i]);
        if (options.files.empty() && !options.version)
            return Usage("no input files given");
        return 0;
    }

    int AppendToChunk(lua_State*, const void* p, size_t size, void* ud)
    {
        static_cast<std::string*>(ud)->append(static_cast<const char*>(p), size);
        return 0;
    }

    bool WriteFile(const std::string& path, const std::string& bytes)
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
            return false;
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return std::fclose(file) == 0 && written;
    }

    int Run(int argc, char** argv)
    {
        COptions options;
        if (int code = ParseArguments(argc, argv, options))
            return code;
        if (options.version)
            std::printf("%s  %s\n", LUA_VERSION, LUA_COPYRIGHT);
        if (options.files.empty())
            return 0;
        // The core's dump writes one function: without its internals, several sources
        // cannot be joined into one chunk.
        if (options.files.size() > 1 && !options.parseOnly)
            return Fail("cannot join several files into one chunk; compile one file at a time");

        lua_State* L = lua_open();
        if (!L)
            return Fail("not enough memory for state");
        int code = 0;
        for (const std::string& file : options.files)
        {
            if (luaL_loadfile(L, file == "-" ? NULL : file.c_str()) != 0)
            {
                code = Fail(lua_tostring(L, -1) ? lua_tostring(L, -1) : "cannot load the file");
                break;
            }
        }
        if (code == 0 && !options.parseOnly)
        {
            std::string chunk;
            lua_dump(L, AppendToChunk, &chunk);
            if (options.strip && !CChunkStripper::Strip(chunk, chunk))
                code = Fail("cannot strip the compiled chunk");
            else if (!WriteFile(options.output, chunk))
                code = Fail("cannot write", options.output.c_str());
        }
        lua_close(L);
        return code;
    }
}

int main(int argc, char** argv)
{
    try
    {
        return Run(argc, argv);
    }
    catch (...)
    {
        return Fail("out of memory");
    }
}
