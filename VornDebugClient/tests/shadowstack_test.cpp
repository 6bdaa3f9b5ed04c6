// The hook's per-thread record of line decisions by call level, fed with the
// event sequences Lua gives for calls, returns, tail calls, errors and threads.
#include "shadowstack.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

void NoHook(lua_State*, lua_Debug*) {}

const int CALL_EVENTS = LUA_MASKCALL | LUA_MASKRET | LUA_MASKCOUNT;

class ShadowStackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        L = luaL_newstate();
        lua_sethook(L, NoHook, CALL_EVENTS, 1000);
    }
    void TearDown() override { lua_close(L); }

    ShadowStack::Thread& Enter(lua_State* state, bool readMask = false)
    {
        return shadow->Enter(state, generation, readMask);
    }

    lua_State* L = nullptr;
    LONG generation = 1;
    std::unique_ptr<ShadowStack> shadow{new ShadowStack};
};

TEST_F(ShadowStackTest, ReturnsGiveTheDecisionOfTheLevelReturnedTo)
{
    ShadowStack::Thread& thread = Enter(L);
    thread.Called(1, true);    // main chunk of a file with breakpoints
    thread.Called(2, false);   // a function of another file
    thread.Called(3, false);   // a C function
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES);
    thread.Called(3, true);    // a callback back in the first file
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES);
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES);
    EXPECT_EQ(thread.Returned(1), ShadowStack::UNKNOWN) << "back to the host: no call entered level 0";
}

TEST_F(ShadowStackTest, TailCalledFunctionsTakeTheirCallersLevel)
{
    ShadowStack::Thread& thread = Enter(L);
    thread.Called(1, true);    // main
    thread.Called(2, false);   // F, another file
    thread.Called(3, true);    // F tail-calls W, which runs at level 2
    thread.Called(3, false);   // W calls X: the second call at level 3 shows the tail call
    EXPECT_EQ(thread.Returned(3), ShadowStack::LINES) << "X returns into W";
    thread.Called(3, false);   // W calls again, normally
    EXPECT_EQ(thread.Returned(3), ShadowStack::LINES);
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES) << "W returns into main";

    // A chain: G (another file) tail-calls H (another file), which tail-calls W.
    thread.Called(2, false);
    thread.Called(3, false);
    thread.Called(3, true);
    thread.Called(3, false);   // W calls X
    EXPECT_EQ(thread.Returned(3), ShadowStack::LINES);
    // The other way round: W tail-calls G, which calls X.
    thread.Called(3, false);
    thread.Called(3, false);
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES);
}

TEST_F(ShadowStackTest, FramesAnErrorUnwoundAreOverwrittenByTheNextCalls)
{
    ShadowStack::Thread& thread = Enter(L);
    thread.Called(1, true);    // main
    thread.Called(2, false);   // pcall
    thread.Called(3, true);    // f
    thread.Called(4, false);   // g, another file
    thread.Called(5, false);   // error: unwinds to pcall without return events
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES) << "pcall returns into main";
    thread.Called(2, false);   // a function of another file at the level pcall had
    thread.Called(3, false);
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES);
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES);
}

TEST_F(ShadowStackTest, CountEventsCorrectTheRunningLevel)
{
    ShadowStack::Thread& thread = Enter(L);
    thread.Called(1, false);
    thread.Called(2, false);
    thread.Running(1, true);   // the function at level 1 is known to want its lines
    thread.Called(2, false);   // a normal call after it, not a tail call
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES);
}

TEST_F(ShadowStackTest, LevelsBeyondTheRecordAreUnknown)
{
    ShadowStack::Thread& thread = Enter(L);
    thread.Called(ShadowStack::LEVELS - 1, true);
    thread.Called(ShadowStack::LEVELS, false);
    thread.Called(ShadowStack::LEVELS + 1, false);
    EXPECT_EQ(thread.Returned(ShadowStack::LEVELS + 1), ShadowStack::UNKNOWN);
    EXPECT_EQ(thread.Returned(ShadowStack::LEVELS), ShadowStack::LINES);
    // A tail call at the last level moves an unknown decision down.
    thread.Called(ShadowStack::LEVELS, true);
    thread.Called(ShadowStack::LEVELS, false);
    EXPECT_EQ(thread.Returned(ShadowStack::LEVELS), ShadowStack::UNKNOWN);
}

TEST_F(ShadowStackTest, ChangedDecisionsAndMissedCallEventsDropTheEntries)
{
    Enter(L).Called(1, true);
    Enter(L).Called(2, false);
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::LINES);
    ++generation;
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::UNKNOWN) << "breakpoints have changed";

    Enter(L).Called(1, true);
    lua_sethook(L, NoHook, LUA_MASKCOUNT, 1000);   // calls go unseen from here
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::LINES) << "a call event proves call events";
    ShadowStack::Thread& counted = Enter(L, true);
    EXPECT_EQ(counted.Get(1), ShadowStack::UNKNOWN) << "a count event finds the mask without calls";
    EXPECT_EQ(counted.GetMask(), LUA_MASKCOUNT);
}

TEST_F(ShadowStackTest, ThreadsKeepTheirOwnEntriesUntilForgotten)
{
    lua_State* co = lua_newthread(L);   // inherits the hook and its mask
    Enter(L).Called(1, true);
    Enter(co).Called(1, false);
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::LINES);
    EXPECT_EQ(Enter(co).Get(1), ShadowStack::NO_LINES);
    shadow->Forget(co);
    EXPECT_EQ(Enter(co).Get(1), ShadowStack::UNKNOWN);
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::LINES);

    // More threads than records: the oldest record is reused.
    for (int i = 0; i < ShadowStack::THREADS; ++i)
        Enter(lua_newthread(L)).Called(1, true);
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::UNKNOWN);
    lua_settop(L, 0);
}

TEST_F(ShadowStackTest, ClearForgetsEveryThread)
{
    Enter(L).Called(1, true);
    shadow->Clear();
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::UNKNOWN);
}

}  // namespace
