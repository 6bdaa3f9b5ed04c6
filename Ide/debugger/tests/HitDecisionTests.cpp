// The breakpoint hit decision: hit-count modes and conditions of both kinds.
#include "CBreakpoint.h"
#include "CDebugServer.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
// Verdicts of n hits in a row on a breakpoint without a condition.
std::vector<int> Verdicts(int nMode, int nValue, int nHits)
{
    CBreakpoint breakpoint;
    breakpoint.SetHitCountBreakWhen(nMode);
    breakpoint.SetHitCountBreak(nValue);
    std::vector<int> verdicts;
    for (int i = 0; i < nHits; i++)
        verdicts.push_back(CDebugServer::DecideUnconditionalHit(breakpoint));
    return verdicts;
}
}  // namespace

TEST(HitDecision, HitCountModes)
{
    EXPECT_EQ((std::vector<int>{ 1, 1, 1 }), Verdicts(0, 3, 3));
    EXPECT_EQ((std::vector<int>{ 0, 0, 1, 0, 0 }), Verdicts(1, 3, 5));
    EXPECT_EQ((std::vector<int>{ 0, 0, 1, 1, 1 }), Verdicts(2, 3, 5));
    EXPECT_EQ((std::vector<int>{ 0, 0 }), Verdicts(7, 1, 2));
    EXPECT_EQ((std::vector<int>{ 1, 1 }), Verdicts(2, 0, 2));
}

TEST(HitDecision, IsTrueByTypeName)
{
    struct Case
    {
        LPCTSTR pszValue;
        LPCTSTR pszType;
        BOOL bTrue;
    };
    const Case cases[] = {
        { "", "Nil", FALSE },          { "True", "Boolean", TRUE },     { "False", "Boolean", FALSE },
        { "true", "Boolean", FALSE },  { "0", "Number", FALSE },        { "0.5", "Number", TRUE },
        { "-3", "Number", TRUE },      { "", "String", FALSE },         { "0", "String", TRUE },
        { "", "Table", TRUE },         { "", "C Function", TRUE },      { "", "Lua Function", TRUE },
        { "", "User Data", TRUE },     { "", "Light User Data", TRUE }, { "", "Thread", TRUE },
        // A failed evaluation carries its error text with an unknown or "Nil" type.
        { "attempt to index", "", FALSE }, { "x", "Function", FALSE },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bTrue, CDebugServer::IsConditionTrue(c.pszValue, c.pszType)) << c.pszType << " " << c.pszValue;
}

TEST(HitDecision, IsTrueConditionCountsOnlyTrueHits)
{
    CBreakpoint breakpoint;
    breakpoint.SetConditionEnable(1);
    breakpoint.SetCondition("x > 1");
    breakpoint.SetHitCountBreakWhen(1);
    breakpoint.SetHitCountBreak(2);
    EXPECT_EQ(0, CDebugServer::DecideConditionalHit(breakpoint, "False", "Boolean"));
    EXPECT_EQ(0, breakpoint.GetHitCount());
    EXPECT_EQ(0, CDebugServer::DecideConditionalHit(breakpoint, "True", "Boolean"));
    EXPECT_EQ(1, CDebugServer::DecideConditionalHit(breakpoint, "True", "Boolean"));
    EXPECT_EQ(2, breakpoint.GetHitCount());
    EXPECT_STREQ("True", breakpoint.GetLastValue());
    EXPECT_EQ(1, breakpoint.GetLastValueState());
}

TEST(HitDecision, HasChangedRecordsFirstAndHitsOnADifferentText)
{
    CBreakpoint breakpoint;
    breakpoint.SetConditionEnable(1);
    breakpoint.SetCondition("n");
    breakpoint.SetConditionType(1);
    EXPECT_EQ(0, CDebugServer::DecideConditionalHit(breakpoint, "1", "Number"));  // only recorded
    EXPECT_EQ(0, CDebugServer::DecideConditionalHit(breakpoint, "1", "Number"));
    EXPECT_EQ(1, CDebugServer::DecideConditionalHit(breakpoint, "2", "Number"));
    EXPECT_EQ(0, CDebugServer::DecideConditionalHit(breakpoint, "2", "Number"));
    // A change to nil is a change too, whatever the text's truth.
    EXPECT_EQ(1, CDebugServer::DecideConditionalHit(breakpoint, "", "Nil"));
    EXPECT_EQ(2, breakpoint.GetHitCount());

    // Counters reset by a new session: the first value is only recorded again.
    breakpoint.ResetCounters();
    EXPECT_EQ(0, CDebugServer::DecideConditionalHit(breakpoint, "5", "Number"));
}

TEST(HitDecision, TypeNamesOfKinds)
{
    EXPECT_STREQ("Nil", CDebugServer::GetTypeName(0));
    EXPECT_STREQ("Function", CDebugServer::GetTypeName(6));
    EXPECT_STREQ("Thread", CDebugServer::GetTypeName(8));
    EXPECT_STREQ("", CDebugServer::GetTypeName(9));
    EXPECT_STREQ("", CDebugServer::GetTypeName(-1));
}
