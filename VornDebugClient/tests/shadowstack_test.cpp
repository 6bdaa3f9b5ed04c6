// The hook's per-thread record of line decisions by call level, fed with the
// event sequences Lua gives for calls, returns, tail calls, errors and threads.
#include "shadowstack.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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

    // Call events as the hook reports them: a Lua function whose lines are
    // watched needs returns from one level lower (it may have been tail called),
    // a C function from its own level.
    static void CallLua(ShadowStack::Thread& thread, int level, bool lines)
    {
        thread.Called(level, lines, lines ? level - 1 : int(ShadowStack::NO_RETURNS));
    }
    static void CallC(ShadowStack::Thread& thread, int level, bool mayYield = true)
    {
        thread.Called(level, false, mayYield ? level : int(ShadowStack::NO_RETURNS));
    }

    lua_State* L = nullptr;
    LONG generation = 1;
    std::unique_ptr<ShadowStack> shadow{new ShadowStack};
};

TEST_F(ShadowStackTest, ReturnsGiveTheDecisionOfTheLevelReturnedTo)
{
    ShadowStack::Thread& thread = Enter(L);
    CallLua(thread, 1, true);    // main chunk of a file with breakpoints
    CallLua(thread, 2, false);   // a function of another file
    CallC(thread, 3);            // a C function
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES);
    CallLua(thread, 3, true);    // a callback back in the first file
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES);
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES);
    EXPECT_EQ(thread.Returned(1), ShadowStack::UNKNOWN) << "back to the host: no call entered level 0";
}

TEST_F(ShadowStackTest, TailCalledFunctionsTakeTheirCallersLevel)
{
    ShadowStack::Thread& thread = Enter(L);
    CallLua(thread, 1, true);    // main
    CallLua(thread, 2, false);   // F, another file
    CallLua(thread, 3, true);    // F tail-calls W, which runs at level 2
    CallLua(thread, 3, false);   // W calls X: the second call at level 3 shows the tail call
    EXPECT_EQ(thread.Returned(3), ShadowStack::LINES) << "X returns into W";
    CallLua(thread, 3, false);   // W calls again, normally
    EXPECT_EQ(thread.Returned(3), ShadowStack::LINES);
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES) << "W returns into main";

    // A chain: G (another file) tail-calls H (another file), which tail-calls W.
    CallLua(thread, 2, false);
    CallLua(thread, 3, false);
    CallLua(thread, 3, true);
    CallLua(thread, 3, false);   // W calls X
    EXPECT_EQ(thread.Returned(3), ShadowStack::LINES);
    // The other way round: W tail-calls G, which calls X.
    CallLua(thread, 3, false);
    CallLua(thread, 3, false);
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES);
}

TEST_F(ShadowStackTest, FramesAnErrorUnwoundAreOverwrittenByTheNextCalls)
{
    ShadowStack::Thread& thread = Enter(L);
    CallLua(thread, 1, true);    // main
    CallC(thread, 2, false);     // pcall
    CallLua(thread, 3, true);    // f
    CallLua(thread, 4, false);   // g, another file
    CallC(thread, 5);            // error: unwinds to pcall without return events
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES) << "pcall returns into main";
    CallLua(thread, 2, false);   // a function of another file at the level pcall had
    CallLua(thread, 3, false);
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES);
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES);
}

TEST_F(ShadowStackTest, CountEventsCorrectTheRunningLevel)
{
    ShadowStack::Thread& thread = Enter(L);
    CallLua(thread, 1, false);
    CallLua(thread, 2, false);
    thread.Counted(1, true, true);   // the function at level 1 is known to want its lines
    CallLua(thread, 2, false);       // a normal call after it, not a tail call
    EXPECT_EQ(thread.Returned(2), ShadowStack::LINES);
}

TEST_F(ShadowStackTest, LevelsBeyondTheRecordAreUnknown)
{
    ShadowStack::Thread& thread = Enter(L);
    const int last = ShadowStack::LEVELS - 1;
    CallLua(thread, last, true);
    CallLua(thread, last + 1, false);
    CallLua(thread, last + 2, false);
    EXPECT_EQ(thread.Returned(last + 2), ShadowStack::UNKNOWN);
    EXPECT_EQ(thread.Returned(last + 1), ShadowStack::LINES);
    // A tail call at the first level beyond moves an unknown decision down.
    CallLua(thread, last + 1, true);
    CallLua(thread, last + 1, false);
    EXPECT_EQ(thread.Returned(last + 1), ShadowStack::UNKNOWN);
}

TEST_F(ShadowStackTest, ReturnsAreNeededOnlyWhileAFrameNeedsThem)
{
    ShadowStack::Thread& thread = Enter(L);
    CallLua(thread, 1, false);   // main, another file
    CallLua(thread, 2, false);
    EXPECT_FALSE(thread.NeedsReturns());
    CallLua(thread, 3, true);    // W: its lines are watched
    EXPECT_EQ(thread.GetReturnsFrom(), 2) << "W may run in its caller's place";
    CallLua(thread, 4, false);
    CallLua(thread, 5, false);
    EXPECT_EQ(thread.Returned(5), ShadowStack::NO_LINES);
    EXPECT_EQ(thread.Returned(4), ShadowStack::LINES);
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES) << "W returns";
    EXPECT_TRUE(thread.NeedsReturns()) << "W might have run at level 2";
    EXPECT_EQ(thread.Returned(2), ShadowStack::NO_LINES);
    EXPECT_FALSE(thread.NeedsReturns());

    // A C function needs them until it returns, its callbacks included.
    CallC(thread, 2);
    EXPECT_EQ(thread.GetReturnsFrom(), 2);
    CallLua(thread, 3, false);
    EXPECT_EQ(thread.Returned(3), ShadowStack::NO_LINES);
    EXPECT_TRUE(thread.NeedsReturns());
    EXPECT_EQ(thread.Returned(2), ShadowStack::NO_LINES);
    EXPECT_FALSE(thread.NeedsReturns());
    CallC(thread, 2, false);     // pcall never yields
    EXPECT_FALSE(thread.NeedsReturns());
    CallLua(thread, 3, true);    // called by pcall
    EXPECT_EQ(thread.GetReturnsFrom(), 2);
}

TEST_F(ShadowStackTest, CallsAndCountsBelowTheFramesThatNeedReturnsShowThemGone)
{
    ShadowStack::Thread& thread = Enter(L);
    CallLua(thread, 1, false);
    CallLua(thread, 2, false);
    CallLua(thread, 3, true);
    CallLua(thread, 4, false);
    // An error unwinds to the host's pcall; the next call enters level 1 again.
    CallLua(thread, 1, false);
    EXPECT_FALSE(thread.NeedsReturns());
    CallLua(thread, 2, false);
    CallC(thread, 3);
    CallLua(thread, 4, false);
    thread.Counted(2, false, false);   // running at level 2: the C function has gone
    EXPECT_FALSE(thread.NeedsReturns());
    thread.Counted(2, true, true);
    EXPECT_EQ(thread.GetReturnsFrom(), 2);
    CallLua(thread, 3, false);
    thread.Counted(3, false, false);   // above: the frame at 2 is still there
    EXPECT_EQ(thread.GetReturnsFrom(), 2);
}

TEST_F(ShadowStackTest, AStartedRecordLearnsTheStackBelow)
{
    ShadowStack::Thread& thread = Enter(L);
    EXPECT_TRUE(thread.TakeStart());
    EXPECT_FALSE(thread.TakeStart());
    thread.Known(3, false, false);   // read from the top down
    thread.Known(2, true, true);
    thread.Known(1, false, false);
    EXPECT_EQ(thread.GetReturnsFrom(), 2);
    CallLua(thread, 4, false);
    EXPECT_EQ(thread.Returned(4), ShadowStack::NO_LINES);
    EXPECT_EQ(thread.Returned(3), ShadowStack::LINES);
    EXPECT_EQ(thread.Returned(2), ShadowStack::NO_LINES);
    EXPECT_FALSE(thread.NeedsReturns());
}

TEST_F(ShadowStackTest, WithoutLevelsEveryReturnIsSeenAndAskedOfLua)
{
    ShadowStack::Thread& thread = Enter(L);
    thread.Called(ShadowStack::NO_LEVEL, false, ShadowStack::NO_RETURNS);
    EXPECT_TRUE(thread.NeedsReturns());
    EXPECT_EQ(thread.Returned(ShadowStack::NO_LEVEL), ShadowStack::UNKNOWN);
    EXPECT_TRUE(thread.NeedsReturns());
}

TEST_F(ShadowStackTest, ChangedDecisionsAndMissedCallEventsStartTheRecordAgain)
{
    CallLua(Enter(L), 1, true);
    CallLua(Enter(L), 2, false);
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::LINES);
    EXPECT_TRUE(Enter(L).TakeStart());
    ++generation;
    ShadowStack::Thread& changed = Enter(L);
    EXPECT_EQ(changed.Get(1), ShadowStack::UNKNOWN) << "breakpoints have changed";
    EXPECT_FALSE(changed.NeedsReturns());
    EXPECT_TRUE(changed.TakeStart());

    CallLua(Enter(L), 1, true);
    lua_sethook(L, NoHook, LUA_MASKCOUNT, 1000);   // calls go unseen from here
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::LINES) << "a call event proves call events";
    ShadowStack::Thread& counted = Enter(L, true);
    EXPECT_EQ(counted.Get(1), ShadowStack::UNKNOWN) << "a count event finds the mask without calls";
    EXPECT_EQ(counted.GetMask(), LUA_MASKCOUNT);
}

TEST_F(ShadowStackTest, ThreadsKeepTheirOwnEntriesUntilForgotten)
{
    lua_State* co = lua_newthread(L);   // inherits the hook and its mask
    CallLua(Enter(L), 1, true);
    CallLua(Enter(co), 1, false);
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::LINES);
    EXPECT_EQ(Enter(co).Get(1), ShadowStack::NO_LINES);
    shadow->Forget(co);
    EXPECT_EQ(Enter(co).Get(1), ShadowStack::UNKNOWN);
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::LINES);
    lua_settop(L, 0);
}

TEST_F(ShadowStackTest, MoreThreadsThanRecordsStartAgainButNeverShareEntries)
{
    const int count = 4 * ShadowStack::THREADS;
    ASSERT_TRUE(lua_checkstack(L, count));
    std::vector<lua_State*> threads;
    for (int i = 0; i < count; ++i)
    {
        threads.push_back(lua_newthread(L));
        CallLua(Enter(threads.back()), 1, i % 2 == 0);
    }
    int kept = 0;
    for (int i = 0; i < count; ++i)
    {
        ShadowStack::Decision decision = Enter(threads[i]).Get(1);
        if (decision != ShadowStack::UNKNOWN)
        {
            ++kept;
            EXPECT_EQ(decision, i % 2 == 0 ? ShadowStack::LINES : ShadowStack::NO_LINES) << i;
        }
    }
    EXPECT_LE(kept, int(ShadowStack::THREADS));
    EXPECT_GT(kept, 0);
    lua_settop(L, 0);
}

TEST_F(ShadowStackTest, ClearForgetsEveryThread)
{
    CallLua(Enter(L), 1, true);
    shadow->Clear();
    EXPECT_EQ(Enter(L).Get(1), ShadowStack::UNKNOWN);
}

}  // namespace
