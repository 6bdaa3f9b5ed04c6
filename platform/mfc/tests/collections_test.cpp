#include "afxtest.h"

#include <afxcoll.h>
#include <afxtempl.h>

#include <string>
#include <vector>

TEST(CArray, GrowInsertRemove)
{
    CArray<int, int> a;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(i, a.Add(i * 10));
    EXPECT_EQ(10, a.GetSize());
    EXPECT_EQ(9, a.GetUpperBound());
    a.InsertAt(2, -1, 3);
    EXPECT_EQ(13, a.GetSize());
    EXPECT_EQ(10, a[1]);
    EXPECT_EQ(-1, a[2]);
    EXPECT_EQ(-1, a[4]);
    EXPECT_EQ(20, a[5]);
    a.RemoveAt(2, 3);
    EXPECT_EQ(20, a[2]);
    a.SetAtGrow(15, 5);
    EXPECT_EQ(16, a.GetSize());
    EXPECT_EQ(0, a[12]); // new elements are zero
    EXPECT_EQ(5, a[15]);
    a.InsertAt(20, 7); // past the end: grows
    EXPECT_EQ(21, a.GetSize());
    a.SetSize(3);
    EXPECT_EQ(3, a.GetSize());
    a.FreeExtra();
    EXPECT_EQ(20, a.GetAt(2));
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(CArray, IndexOutOfRangeRaisesInvalidArgument)
{
    CArray<int, int> a;
    a.Add(1);
    EXPECT_AFX_THROW(a.GetAt(1), CInvalidArgException);
    EXPECT_AFX_THROW(a[-1], CInvalidArgException);
    EXPECT_AFX_THROW(a.SetAt(5, 1), CInvalidArgException);
    EXPECT_AFX_THROW(a.ElementAt(1), CInvalidArgException);
    EXPECT_AFX_THROW(a.RemoveAt(1), CInvalidArgException);
    EXPECT_AFX_THROW(a.RemoveAt(0, 2), CInvalidArgException);
    EXPECT_AFX_THROW(a.InsertAt(-1, 0), CInvalidArgException);
    EXPECT_AFX_THROW(a.SetAtGrow(-1, 0), CInvalidArgException);
    EXPECT_AFX_THROW(a.SetSize(-1), CInvalidArgException);
    EXPECT_EQ(1, a.GetSize()); // nothing changed

    CPtrArray ptrs;
    EXPECT_AFX_THROW(ptrs.GetAt(0), CInvalidArgException);
    CStringArray strings;
    EXPECT_AFX_THROW(strings[0], CInvalidArgException);
}

TEST(CArray, ElementsWithStateSurviveMoves)
{
    // std::string keeps a pointer into itself: relocation must move, not copy bytes.
    CArray<std::string, const std::string&> a;
    for (int i = 0; i < 200; ++i)
        a.Add(std::to_string(i));
    a.InsertAt(0, "first");
    a.RemoveAt(10, 50);
    EXPECT_EQ("first", a[0]);
    EXPECT_EQ("8", a[9]);
    EXPECT_EQ("59", a[10]);
    EXPECT_EQ(151, a.GetSize());
}

TEST(CArray, AddingAnElementOfItselfWhileGrowing)
{
    CStringArray a;
    a.Add("x");
    for (int i = 0; i < 100; ++i)
        a.Add(a[0]); // the argument refers into the array that reallocates
    EXPECT_EQ(101, a.GetSize());
    EXPECT_EQ("x", a[100]);
}

TEST(CTypedPtrArray, CastsOnTheWayOut)
{
    int values[3] = { 1, 2, 3 };
    CTypedPtrArray<CPtrArray, int*> a;
    for (int& v : values)
        a.Add(&v);
    int* p = a[1];
    EXPECT_EQ(2, *p);
    EXPECT_EQ(&values[2], a.GetAt(2));
    EXPECT_TRUE(a.IsKindOf(RUNTIME_CLASS(CPtrArray)));
}

TEST(CList, OrderAndPositions)
{
    CStringList list;
    list.AddTail("b");
    list.AddTail("c");
    POSITION posA = list.AddHead("a");
    list.InsertAfter(posA, "a2");
    list.InsertBefore(list.GetTailPosition(), "b2");
    std::vector<std::string> seen;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        seen.push_back((LPCSTR)list.GetNext(pos));
    EXPECT_EQ((std::vector<std::string>{ "a", "a2", "b", "b2", "c" }), seen);

    POSITION posB = list.Find("b");
    ASSERT_NE(nullptr, posB);
    EXPECT_EQ(nullptr, list.Find("b", posB));
    EXPECT_EQ(posB, list.FindIndex(2));
    EXPECT_EQ(nullptr, list.FindIndex(5));
    list.RemoveAt(posB);
    EXPECT_EQ("a", list.RemoveHead());
    EXPECT_EQ("c", list.RemoveTail());
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ("a2", list.GetHead());
    EXPECT_EQ("b2", list.GetTail());
    list.RemoveAll();
    EXPECT_AFX_THROW(list.GetHead(), CInvalidArgException);
    EXPECT_AFX_THROW(list.RemoveTail(), CInvalidArgException);

    CPtrList ptrs;
    int x = 0;
    ptrs.AddTail(&x);
    EXPECT_EQ(&x, ptrs.GetHead());
    EXPECT_EQ(ptrs.GetHeadPosition(), ptrs.Find(&x));
}

// Keys in the order the map hands them out.
template<class MAP, class KEY, class VALUE>
std::vector<KEY> KeysInOrder(const MAP& map)
{
    std::vector<KEY> keys;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        KEY key;
        VALUE value;
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key);
    }
    return keys;
}

TEST(CMap, HashAndIterationFollowThePlatformScheme)
{
    // 17 buckets, hash = key >> 4, newest key first inside a bucket.
    CMap<UINT, UINT, int, int> map;
    map.InitHashTable(17);
    UINT keys[] = { 0x10, 0x20, 0x120, 0x00, 0x110 };
    for (UINT k : keys)
        map[k] = (int)k;
    // 0x10 -> bucket 1, 0x20 -> 2, 0x120 -> 18 % 17 = 1, 0x00 -> 0, 0x110 -> 17 % 17 = 0
    std::vector<UINT> expected = { 0x110, 0x00, 0x120, 0x10, 0x20 };
    EXPECT_EQ(expected, (KeysInOrder<CMap<UINT, UINT, int, int>, UINT, int>(map)));

    // Replacing a value keeps the order; removing takes the key out of its chain only.
    map[0x00] = 5;
    EXPECT_TRUE(map.RemoveKey(0x120));
    EXPECT_FALSE(map.RemoveKey(0x120));
    expected = { 0x110, 0x00, 0x10, 0x20 };
    EXPECT_EQ(expected, (KeysInOrder<CMap<UINT, UINT, int, int>, UINT, int>(map)));
    int v = 0;
    EXPECT_TRUE(map.Lookup(0x00, v));
    EXPECT_EQ(5, v);
    EXPECT_FALSE(map.Lookup(0x120, v));
    EXPECT_EQ(17u, map.GetHashTableSize());
}

TEST(CMap, SameContentsSameOrder)
{
    CMap<HWND, HWND, int, int> first, second;
    for (int i = 1; i <= 300; ++i)
        first[(HWND)(INT_PTR)(i * 0x1234)] = i;
    for (int i = 1; i <= 300; ++i)
        second.SetAt((HWND)(INT_PTR)(i * 0x1234), i);
    EXPECT_EQ((KeysInOrder<CMap<HWND, HWND, int, int>, HWND, int>(first)),
              (KeysInOrder<CMap<HWND, HWND, int, int>, HWND, int>(second)));
    EXPECT_EQ(300, first.GetCount());
}

TEST(CMap, StringKeysAndPairs)
{
    CMapStringToPtr map;
    int a = 1, b = 2;
    map.SetAt("alpha", &a);
    map["beta"] = &b;
    void* p = NULL;
    EXPECT_TRUE(map.Lookup("alpha", p));
    EXPECT_EQ(&a, p);
    EXPECT_FALSE(map.Lookup("ALPHA", p)); // keys compare exactly
    LPCSTR pszKey = NULL;
    EXPECT_TRUE(map.LookupKey("beta", pszKey));
    EXPECT_STREQ("beta", pszKey);

    // The string hash is the platform's: bytes as signed chars, hash * 33 + c.
    EXPECT_EQ(((UINT)'a' * 33u + (UINT)'b'), HashKey<LPCSTR>("ab"));
    EXPECT_EQ((UINT)(int)(signed char)'\xE4', HashKey<LPCSTR>("\xE4"));

    int nPairs = 0;
    for (const CMapStringToPtr::CPair* pPair = map.PGetFirstAssoc(); pPair != NULL; pPair = map.PGetNextAssoc(pPair))
        ++nPairs;
    EXPECT_EQ(2, nPairs);
    EXPECT_TRUE(map.RemoveKey("alpha"));
    EXPECT_EQ(1, map.GetCount());

    CTypedPtrMap<CMapStringToPtr, CString, int*> typed;
    typed.SetAt("x", &a);
    int* pInt = NULL;
    EXPECT_TRUE(typed.Lookup("x", pInt));
    EXPECT_EQ(&a, pInt);

    CMapWordToPtr words;
    words[(WORD)7] = &a;
    EXPECT_TRUE(words.Lookup(7, p));
    CMapPtrToPtr ptrs;
    ptrs[&a] = &b;
    EXPECT_TRUE(ptrs.Lookup(&a, p));
    EXPECT_EQ(&b, p);
}

TEST(CMap, BadPositionsRaiseInvalidArgument)
{
    CMap<int, int, int, int> map;
    EXPECT_EQ(nullptr, map.GetStartPosition());
    POSITION pos = NULL;
    int k, v;
    EXPECT_AFX_THROW(map.GetNextAssoc(pos, k, v), CInvalidArgException);
    map[1] = 1;
    EXPECT_AFX_THROW(map.InitHashTable(31), CInvalidArgException);
}

TEST(Collections, RuntimeClasses)
{
    CStringArray strings;
    CDWordArray dwords;
    CMapStringToPtr map;
    EXPECT_STREQ("CStringArray", strings.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(dwords.IsSerializable());
    EXPECT_FALSE(map.IsSerializable());
}

TEST(CMap, RemovingTheCurrentKeyWhileIteratingVisitsEveryOtherKeyOnce)
{
    CMap<int, int, int, int> map;
    for (int i = 0; i < 100; ++i)
        map[i * 7] = i;
    std::vector<int> visited;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        visited.push_back(key);
        if (value % 2 == 0)
            map.RemoveKey(key);
    }
    EXPECT_EQ(100u, visited.size());
    EXPECT_EQ(50, map.GetCount());
    for (int i = 0; i < 100; ++i)
    {
        int value = -1;
        EXPECT_EQ(i % 2 != 0, map.Lookup(i * 7, value) != FALSE) << i;
    }
    map.RemoveAll();
    EXPECT_TRUE(map.GetStartPosition() == NULL);
    map[1] = 2;  // usable again after RemoveAll
    EXPECT_EQ(1, map.GetCount());
}
