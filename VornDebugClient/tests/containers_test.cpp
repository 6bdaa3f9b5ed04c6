// Containers, string class, breakpoint table and the hook's records of chunks and
// functions.
#include "breakpointfile.h"
#include "breakpointtable.h"
#include "chunkpathcache.h"
#include "dynarray.h"
#include "prototypetable.h"
#include "vstring.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DynArray, GrowsByAnEighthBetweenFourAnd1024)
{
    struct Case { int count; int expectedCapacity; };
    const Case cases[] = {{80, 90}, {8, 12}, {16000, 17024}};
    for (const Case& c : cases)
    {
        DynArray array;
        ASSERT_TRUE(array.Resize(c.count));
        EXPECT_EQ(array.GetCapacity(), c.count);
        ASSERT_GE(array.Add(&array), 0);
        EXPECT_EQ(array.GetCount(), c.count + 1);
        EXPECT_EQ(array.GetCapacity(), c.expectedCapacity) << "count " << c.count;
    }
}

TEST(DynArray, NewSlotsAreZeroedAndFixedStepIsUsed)
{
    DynArray array;
    int a = 1, b = 2;
    array.Resize(2, 10);
    array.SetAt(0, &a);
    array.SetAt(5, &b);   // grows past the end
    EXPECT_EQ(array.GetCount(), 6);
    EXPECT_EQ(array.GetCapacity(), 12);
    EXPECT_EQ(array.Get(0), &a);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(array.Get(i), nullptr);
    EXPECT_EQ(array.Get(5), &b);
    array.RemoveAll();
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetCapacity(), 0);
}

TEST(SimpleArray, DoublesAndRemovesBySwapOrShift)
{
    SimpleArray<int> array;
    int capacities[4];
    for (int i = 0; i < 4; ++i)
    {
        array.Push(i);
        capacities[i] = array.Capacity();
    }
    EXPECT_EQ(capacities[0], 2);
    EXPECT_EQ(capacities[1], 2);
    EXPECT_EQ(capacities[2], 4);
    array.Push(4);
    EXPECT_EQ(array.Capacity(), 8);

    SimpleArray<int> swap;
    swap.Push(5);
    swap.Push(6);
    swap.Push(7);
    EXPECT_TRUE(swap.RemoveSwap(0));
    ASSERT_EQ(swap.Count(), 2);
    EXPECT_EQ(swap.Get(0), 7);
    EXPECT_EQ(swap.Get(1), 6);

    SimpleArray<int> shift;
    for (int v : {5, 6, 7})
        shift.Push(v);
    EXPECT_TRUE(shift.RemoveAt(0));
    EXPECT_EQ(shift.Get(0), 6);
    EXPECT_EQ(shift.Get(1), 7);
    EXPECT_FALSE(shift.RemoveAt(2));
    EXPECT_FALSE(shift.RemoveSwap(-1));
    shift.Clear();
    EXPECT_EQ(shift.Count(), 0);
    EXPECT_EQ(shift.Capacity(), 0);
}

TEST(String, EmptyNullAndComparisons)
{
    String empty(nullptr);
    EXPECT_STREQ(empty.GetText(), "");
    EXPECT_TRUE(empty.IsEmpty());

    String s("Scripts\\A.lua");
    EXPECT_EQ(s.Compare(nullptr), 0);   // a null C string compares equal
    EXPECT_NE(s.Compare("scripts\\a.lua"), 0);
    EXPECT_EQ(s.CompareNoCase(String("SCRIPTS\\a.LUA")), 0);
    EXPECT_EQ(s.CompareNoCase(String()), 0);   // an empty other compares equal
    s.ToLower();
    EXPECT_STREQ(s.GetText(), "scripts\\a.lua");

    String copy(s);
    copy.Append("x");
    copy.Append(String("y"));
    EXPECT_STREQ(copy.GetText(), "scripts\\a.luaxy");
    EXPECT_STREQ(s.GetText(), "scripts\\a.lua");
    copy = copy;   // self-assignment keeps the text
    EXPECT_STREQ(copy.GetText(), "scripts\\a.luaxy");
    EXPECT_EQ(copy.Length(), 15u);
}

TEST(String, FormatIsCutToItsBuffer)
{
    String s;
    s.Format("%d-%s", 42, "x");
    EXPECT_STREQ(s.GetText(), "42-x");
    std::string longText(6000, 'a');
    s.Format("%s", longText.c_str());
    EXPECT_EQ(s.Length(), size_t(String::FORMAT_BUFFER_SIZE - 1));
}

TEST(BreakpointTable, LinesByFileWithoutRegardToCase)
{
    BreakpointTable table;
    EXPECT_TRUE(table.IsEmpty());
    table.Add("C:\\Proj\\A.lua", 10);
    table.Add("c:\\proj\\a.lua", 10);   // same file, same line twice
    table.Add("C:\\proj\\b.lua", 70000);
    EXPECT_EQ(table.GetFileCount(), 2);
    EXPECT_STREQ(table.GetFile(0)->GetName().GetText(), "c:\\proj\\a.lua");

    EXPECT_TRUE(table.MayHoldLine(10));
    EXPECT_FALSE(table.MayHoldLine(11));
    EXPECT_TRUE(table.MayHoldLine(70000));   // beyond the bit set: always checked

    table.Remove("C:\\PROJ\\A.LUA", 10);
    EXPECT_TRUE(table.Has("c:\\proj\\a.lua", 10)) << "one of two equal breakpoints is left";
    table.Remove("C:\\PROJ\\A.LUA", 10);
    EXPECT_FALSE(table.Has("c:\\proj\\a.lua", 10));
    EXPECT_FALSE(table.MayHoldLine(10));

    LONG generation = table.GetGeneration();
    EXPECT_FALSE(table.Remove("c:\\never\\added.lua", 1));
    EXPECT_EQ(table.GetGeneration(), generation);

    table.ClearLines();
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_EQ(table.GetFileCount(), 2) << "clearing keeps the file entries";
}

// A chunk's entry stays where it is: the records of its functions point at it,
// and a new base directory forms its path again in place.
TEST(ChunkPathCache, EntriesStayAndTheirPathsFollowTheBaseDirectory)
{
    ChunkPathCache cache;
    ChunkPathCache::Entry* entry = cache.Get("scripts/a.lua");
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(ChunkPathCache::HasPath(entry, 1));
    ChunkPathCache::SetPath(entry, "c:\\one", 1);
    EXPECT_STREQ(entry->path, "c:\\one\\scripts\\a.lua");
    for (int i = 0; i < 300; ++i)   // more chunks than buckets
        cache.Get(("other" + std::to_string(i) + ".lua").c_str());
    EXPECT_EQ(cache.Get("scripts/a.lua"), entry) << "found by its name's text, at the same address";
    ChunkPathCache::SetPath(entry, "d:\\two", 2);
    EXPECT_TRUE(ChunkPathCache::HasPath(entry, 2));
    EXPECT_STREQ(entry->path, "d:\\two\\scripts\\a.lua");
    EXPECT_EQ(cache.GetCount(), 301);
}

// The lines a function's record stops on: breakpoint lines and the run-to-cursor
// target among the lines of its code, never a line of another function; when
// Lua cannot list the code, every line is taken to hold it.
TEST(PrototypeTable, StopsOnlyOnItsOwnCodeLinesAndEveryLineWhenTheyAreUnknown)
{
    ChunkPathCache chunks;
    ChunkPathCache::Entry* chunk = chunks.Get("t.lua");
    PrototypeTable table;
    PrototypeTable::Prototype* f = table.Get(chunk, 10, 20);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(table.Get(chunk, 10, 20), f) << "one record for every closure";
    EXPECT_NE(table.Get(chunk, 10, 21), f);
    EXPECT_FALSE(f->IsCurrent()) << "its lines are still to be asked for";

    const int code[] = {11, 12, 15, 20};
    ASSERT_TRUE(f->SetCode(code, 4, chunk->loadSerial));
    EXPECT_TRUE(f->IsCurrent());
    BreakpointFile file("t.lua");
    file.AddLine(13);   // a line of a nested function
    f->Decide(&file, PrototypeTable::NO_LINE, 1);
    EXPECT_FALSE(f->WantsLines());
    file.AddLine(15);
    f->Decide(&file, 12, 2);
    EXPECT_TRUE(f->WantsLines());
    EXPECT_TRUE(f->MayStopAt(15));
    EXPECT_TRUE(f->MayStopAt(12)) << "the target";
    EXPECT_FALSE(f->MayStopAt(13));
    EXPECT_FALSE(f->MayStopAt(9999));
    EXPECT_EQ(f->GetDecidedGeneration(), 2);

    ++chunk->loadSerial;   // the chunk was loaded again
    EXPECT_FALSE(f->IsCurrent());
    f->SetUnknownCode(chunk->loadSerial);
    f->Decide(&file, PrototypeTable::NO_LINE, 3);
    EXPECT_TRUE(f->WantsLines());
    EXPECT_TRUE(f->MayStopAt(13)) << "unknown lines: any may stop it";
    f->Decide(nullptr, PrototypeTable::NO_LINE, 4);
    EXPECT_FALSE(f->WantsLines()) << "but only while the file holds a breakpoint";

    PrototypeTable::Prototype* none = PrototypeTable::NotInAFile();
    none->Decide(&file, 13, 5);
    EXPECT_FALSE(none->IsFile());
    EXPECT_FALSE(none->WantsLines());
    EXPECT_FALSE(none->MayStopAt(13));
}

} // namespace
