// The stripper against chunks the real Lua 5.0 core dumps and loads again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

extern "C" {
#include <lua.h>
#include <lualib.h>
#include <lauxlib.h>
}

#include "CChunkStripper.h"

namespace {

const char SOURCE[] =
    "local up = 10\n"
    "local function add(a, b) local s = a + b return s + up end\n"
    "local t = {name = 'chunk', 1.5, n = nil}\n"
    "function t.nested(x) return function(y) return add(x, y) .. t.name end end\n"
    "return t.nested(1)(2), t[1]\n";

int Append(lua_State*, const void* p, size_t size, void* ud)
{
    static_cast<std::string*>(ud)->append(static_cast<const char*>(p), size);
    return 0;
}

class ChunkStripper : public ::testing::Test
{
protected:
    lua_State* L = nullptr;

    void SetUp() override
    {
        L = lua_open();
        ASSERT_NE(L, nullptr);
        luaopen_base(L);
        lua_settop(L, 0);
    }
    void TearDown() override
    {
        if (L)
            lua_close(L);
    }

    std::string Compile(const char* source, const char* name)
    {
        EXPECT_EQ(luaL_loadbuffer(L, source, std::strlen(source), name), 0);
        std::string chunk;
        lua_dump(L, Append, &chunk);
        lua_settop(L, 0);
        return chunk;
    }

    // Loads and runs a chunk; the two results joined, or the error.
    std::string Run(const std::string& chunk)
    {
        if (luaL_loadbuffer(L, chunk.data(), chunk.size(), "=chunk") != 0 || lua_pcall(L, 0, 2, 0) != 0)
        {
            std::string error = std::string("error: ") + (lua_tostring(L, -1) ? lua_tostring(L, -1) : "?");
            lua_settop(L, 0);
            return error;
        }
        std::string result = std::string(lua_tostring(L, 1)) + "|" + lua_tostring(L, 2);
        lua_settop(L, 0);
        return result;
    }
};

TEST_F(ChunkStripper, StrippedChunkKeepsItsBehaviourAndLosesNames)
{
    const std::string chunk = Compile(SOURCE, "@named_source.lua");
    std::string stripped;
    ASSERT_TRUE(CChunkStripper::Strip(chunk, stripped));
    EXPECT_LT(stripped.size(), chunk.size());
    EXPECT_NE(chunk.find("named_source"), std::string::npos);
    EXPECT_EQ(stripped.find("named_source"), std::string::npos);
    EXPECT_EQ(stripped.find("up"), std::string::npos);  // upvalue and local names
    EXPECT_EQ(Run(chunk), "13chunk|1.5");
    EXPECT_EQ(Run(stripped), "13chunk|1.5");

    // Stripping twice changes nothing more.
    std::string again;
    ASSERT_TRUE(CChunkStripper::Strip(stripped, again));
    EXPECT_EQ(again, stripped);
}

TEST_F(ChunkStripper, ErrorsOfAStrippedChunkStillHaveASource)
{
    std::string stripped;
    ASSERT_TRUE(CChunkStripper::Strip(Compile("local a = nil\nreturn a.field, 1\n", "@e.lua"), stripped));
    const std::string result = Run(stripped);
    EXPECT_EQ(result.rfind("error: ", 0), 0u) << result;
    EXPECT_NE(result.find("attempt to index"), std::string::npos) << result;
}

// Every cut of a chunk, and a chunk with a corrupt count, is refused, never read past.
TEST_F(ChunkStripper, RefusesTruncatedAndCorruptChunks)
{
    const std::string chunk = Compile(SOURCE, "=s");
    std::string out;
    for (size_t n = 0; n < chunk.size(); ++n)
        EXPECT_FALSE(CChunkStripper::Strip(chunk.substr(0, n), out)) << "cut at " << n;
    EXPECT_FALSE(CChunkStripper::Strip(chunk + "x", out));

    std::string notLua = chunk;
    notLua[1] = 'X';
    EXPECT_FALSE(CChunkStripper::Strip(notLua, out));

    // A huge line count right after the main function's fixed fields.
    std::string corrupt = chunk;
    const size_t header = 4 + 10 + sizeof(lua_Number);
    const size_t lines = header + sizeof(size_t) + 3 /* "=s" */ + sizeof(int) + 4;
    for (size_t i = 0; i < sizeof(int); ++i)
        corrupt[lines + i] = char(0x7f);
    EXPECT_FALSE(CChunkStripper::Strip(corrupt, out));
}

} // namespace
