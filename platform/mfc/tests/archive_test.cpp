#include "afxtest.h"

#include <afxcoll.h>

#include <string>
#include <vector>

namespace {

// The bytes of a memory file.
std::vector<BYTE> BytesOf(CMemFile& file)
{
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// Stores with f into a memory file and returns the bytes.
template<class F>
std::vector<BYTE> Store(F f)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        f(ar);
        ar.Close();
    }
    return BytesOf(file);
}

// Loads the bytes with f; returns the archive exception's cause or -1 on success.
template<class F>
int Load(const std::vector<BYTE>& bytes, F f)
{
    std::vector<BYTE> copy = bytes;
    CMemFile file(copy.empty() ? NULL : copy.data(), (UINT)copy.size());
    return CauseOf<CArchiveException>([&] {
        CArchive ar(&file, CArchive::load);
        f(ar);
        ar.Close();
    });
}

std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
    std::vector<BYTE> bytes;
    for (int v : values)
        bytes.push_back((BYTE)v);
    return bytes;
}

} // namespace

// A serializable record with a reference to another one.
class CNode : public CObject
{
    DECLARE_SERIAL(CNode)
public:
    CString m_strName;
    CNode* m_pLink = NULL;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_strName << m_pLink;
        else
        {
            ar >> m_strName;
            m_pLink = (CNode*)ar.ReadObject(RUNTIME_CLASS(CNode));
        }
    }
};
IMPLEMENT_SERIAL(CNode, CObject, 2)

TEST(CArchive, ValuesAreLittleEndianAndRoundTrip)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar << (BYTE)0x12 << (WORD)0x3456 << (DWORD)0x789ABCDE << (LONG)-2 << 7 << true << 1.5 << (LONGLONG)-1;
        ar << CPoint(1, 2) << CSize(3, 4) << CRect(5, 6, 7, 8);
    });
    ASSERT_EQ(1u + 2 + 4 + 4 + 4 + 1 + 8 + 8 + 8 + 8 + 16, bytes.size());
    EXPECT_EQ(Bytes({ 0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0xFE, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0, 1 }),
              std::vector<BYTE>(bytes.begin(), bytes.begin() + 16));

    EXPECT_EQ(-1, Load(bytes, [](CArchive& ar) {
        BYTE b; WORD w; DWORD dw; LONG l; int i; bool f; double d; LONGLONG ll;
        CPoint pt; CSize sz; CRect rc;
        ar >> b >> w >> dw >> l >> i >> f >> d >> ll >> pt >> sz >> rc;
        EXPECT_EQ(0x12, b);
        EXPECT_EQ(0x3456, w);
        EXPECT_EQ(0x789ABCDEu, dw);
        EXPECT_EQ(-2, l);
        EXPECT_EQ(7, i);
        EXPECT_TRUE(f);
        EXPECT_EQ(1.5, d);
        EXPECT_EQ(-1, ll);
        EXPECT_EQ(CPoint(1, 2), pt);
        EXPECT_EQ(CSize(3, 4), sz);
        EXPECT_EQ(CRect(5, 6, 7, 8), rc);
        EXPECT_TRUE(ar.IsBufferEmpty());
    }));
}

TEST(CArchive, StringLengthPrefixesInAllThreeForms)
{
    struct Case { int nLength; std::vector<BYTE> prefix; };
    const Case cases[] = {
        { 0, Bytes({ 0x00 }) },
        { 254, Bytes({ 0xFE }) },
        { 255, Bytes({ 0xFF, 0xFF, 0x00 }) },
        { 0xFFFD, Bytes({ 0xFF, 0xFD, 0xFF }) },
        { 0xFFFE, Bytes({ 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 }) },
        { 70000, Bytes({ 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00 }) },
    };
    for (const Case& c : cases)
    {
        CString text('s', c.nLength);
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << text << "tail"; });
        ASSERT_EQ(c.prefix.size() + c.nLength + 5, bytes.size()) << c.nLength;
        EXPECT_EQ(c.prefix, std::vector<BYTE>(bytes.begin(), bytes.begin() + c.prefix.size())) << c.nLength;
        EXPECT_EQ(-1, Load(bytes, [&](CArchive& ar) {
            CString back, tail;
            ar >> back >> tail;
            EXPECT_TRUE(back == text);
            EXPECT_EQ("tail", tail);
        }));
    }
}

TEST(CArchive, CountPrefixesAtTheirBoundaries)
{
    struct Case { DWORD nCount; std::vector<BYTE> prefix; };
    const Case cases[] = {
        { 0, Bytes({ 0x00, 0x00 }) },
        { 0xFFFE, Bytes({ 0xFE, 0xFF }) },
        { 0xFFFF, Bytes({ 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00 }) },
        { 0x12345, Bytes({ 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00 }) },
        { 0xFFFFFFFE, Bytes({ 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF }) },
    };
    for (const Case& c : cases)
    {
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar.WriteCount(c.nCount); });
        EXPECT_EQ(c.prefix, bytes) << c.nCount;
        EXPECT_EQ(-1, Load(bytes, [&](CArchive& ar) { EXPECT_EQ(c.nCount, ar.ReadCount()); }));
    }

    // Counts past 32 bits (only a 64-bit build has them) take the second escape, never
    // cut to their low DWORD; loading refuses them like every count over 2 GB.
    if (sizeof(DWORD_PTR) == 8)
    {
        const DWORD_PTR nHuge = (DWORD_PTR)((ULONGLONG)0x123456789ULL);
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar.WriteCount(nHuge); });
        EXPECT_EQ(Bytes({ 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x89, 0x67, 0x45, 0x23, 0x01, 0, 0, 0 }), bytes);
        EXPECT_NE(-1, Load(bytes, [&](CArchive& ar) { ar.ReadCount(); }));
    }

    // A collection of exactly 0xFFFF elements round-trips through the long form.
    CDWordArray big;
    big.SetSize(0xFFFF);
    big[0xFFFE] = 77;
    std::vector<BYTE> bytes = Store([&](CArchive& ar) { big.Serialize(ar); });
    EXPECT_EQ(6u + 0xFFFF * 4, bytes.size());
    EXPECT_EQ(-1, Load(bytes, [](CArchive& ar) {
        CDWordArray back;
        back.Serialize(ar);
        EXPECT_EQ(0xFFFF, back.GetSize());
        EXPECT_EQ(77u, back[0xFFFE]);
    }));
}

TEST(CArchive, UnicodeStringsLoadIntoTheCodePage)
{
    // Marker 0xFF 0xFFFE, then the length in UTF-16 units and the units.
    std::vector<BYTE> bytes = Bytes({ 0xFF, 0xFE, 0xFF, 0x02, 'h', 0, 'i', 0 });
    EXPECT_EQ(-1, Load(bytes, [](CArchive& ar) {
        CString s;
        ar >> s;
        EXPECT_EQ("hi", s);
    }));
}

TEST(CArchive, ObjectsKeepTheirIdentity)
{
    std::vector<BYTE> bytes;
    {
        CNode a, b;
        a.m_strName = "a";
        b.m_strName = "b";
        a.m_pLink = &b;
        b.m_pLink = &a; // a cycle
        bytes = Store([&](CArchive& ar) { ar << &a << &b << (CObject*)NULL; });
    }
    EXPECT_EQ(-1, Load(bytes, [](CArchive& ar) {
        CNode* pA = NULL;
        CNode* pB = NULL;
        CObject* pNull = (CObject*)1;
        ar >> pA >> pB >> pNull;
        ASSERT_NE(nullptr, pA);
        EXPECT_EQ("a", pA->m_strName);
        EXPECT_EQ(pB, pA->m_pLink);
        EXPECT_EQ(pA, pB->m_pLink);
        EXPECT_EQ(nullptr, pNull);
        delete pA;
        delete pB;
    }));

    // Unknown class names, wrong schemas and wrong kinds are refused.
    std::vector<BYTE> unknown = Bytes({ 0xFF, 0xFF, 2, 0, 5, 0, 'C', 'N', 'o', 'p', 'e' });
    EXPECT_EQ(CArchiveException::badClass, Load(unknown, [](CArchive& ar) { ar.ReadObject(NULL); }));
    std::vector<BYTE> schema = Bytes({ 0xFF, 0xFF, 9, 0, 5, 0, 'C', 'N', 'o', 'd', 'e' });
    EXPECT_EQ(CArchiveException::badSchema, Load(schema, [](CArchive& ar) { ar.ReadObject(NULL); }));
    std::vector<BYTE> badRef = Bytes({ 0x05, 0x00 });
    EXPECT_EQ(CArchiveException::badIndex, Load(badRef, [](CArchive& ar) { ar.ReadObject(NULL); }));
    std::vector<BYTE> strings = Store([](CArchive& ar) {
        CStringArray a;
        ar << &a;
    });
    EXPECT_EQ(CArchiveException::badClass, Load(strings, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CNode)); }));
}

TEST(CArchive, DeeplyNestedObjectsAreRefusedNotRecursedInto)
{
    // A chain of nodes each holding the next: the first carries the class name,
    // every further one refers to the class by its index (tag 0x8001).
    std::vector<BYTE> bytes = Bytes({ 0xFF, 0xFF, 2, 0, 5, 0, 'C', 'N', 'o', 'd', 'e', 0 });
    for (int i = 0; i < 100000; ++i)
    {
        bytes.push_back(0x01);
        bytes.push_back(0x80);
        bytes.push_back(0); // empty name
    }
    EXPECT_EQ(CArchiveException::genericException, Load(bytes, [](CArchive& ar) { ar.ReadObject(NULL); }));

    // Nesting within the limit still loads.
    std::vector<BYTE> shallow(bytes.begin(), bytes.begin() + 12 + 3 * 100);
    shallow.push_back(0);
    shallow.push_back(0); // the last node links to null
    EXPECT_EQ(-1, Load(shallow, [](CArchive& ar) {
        CNode* pNode = (CNode*)ar.ReadObject(RUNTIME_CLASS(CNode));
        int nDepth = 0;
        while (pNode != NULL)
        {
            CNode* pNext = pNode->m_pLink;
            delete pNode;
            pNode = pNext;
            ++nDepth;
        }
        EXPECT_EQ(101, nDepth);
    }));
}

TEST(CArchive, CollectionsRoundTrip)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        CStringArray strings;
        strings.Add("one");
        strings.Add("");
        CDWordArray dwords;
        for (DWORD i = 0; i < 70000; ++i)
            dwords.Add(i);
        CMap<DWORD, DWORD, CString, const CString&> map;
        map[1] = "x";
        map[17] = "y";
        strings.Serialize(ar);
        dwords.Serialize(ar);
        map.Serialize(ar);
    });
    EXPECT_EQ(-1, Load(bytes, [](CArchive& ar) {
        CStringArray strings;
        CDWordArray dwords;
        CMap<DWORD, DWORD, CString, const CString&> map;
        strings.Serialize(ar);
        dwords.Serialize(ar);
        map.Serialize(ar);
        ASSERT_EQ(2, strings.GetSize());
        EXPECT_EQ("one", strings[0]);
        ASSERT_EQ(70000, dwords.GetSize());
        EXPECT_EQ(69999u, dwords[69999]);
        CString s;
        EXPECT_TRUE(map.Lookup(17, s));
        EXPECT_EQ("y", s);
    }));
}

// One stream with every kind of field, and the code that reads it back.
static std::vector<BYTE> MixedStream()
{
    return Store([](CArchive& ar) {
        CNode node;
        node.m_strName = CString('n', 300);
        CStringArray strings;
        strings.Add("alpha");
        strings.Add(CString('b', 70000));
        ar << (DWORD)0x202 << CString("Ulvane command profile") << &node << (WORD)7;
        strings.Serialize(ar);
        ar.WriteCount(3);
        ar << 1.25;
    });
}

static void ReadMixedStream(CArchive& ar)
{
    DWORD dwVersion;
    CString header;
    CObject* pOb = NULL;
    WORD w;
    ar >> dwVersion >> header;
    try
    {
        ar >> pOb >> w;
        CStringArray strings;
        strings.Serialize(ar);
        ar.ReadCount();
        double d;
        ar >> d;
    }
    catch (...)
    {
        delete pOb;
        throw;
    }
    delete pOb;
}

TEST(CArchive, EveryTruncationRaisesEndOfFile)
{
    std::vector<BYTE> bytes = MixedStream();
    ASSERT_EQ(-1, Load(bytes, ReadMixedStream));
    for (size_t n = 0; n < bytes.size(); n += (n < 1000 ? 1 : 97))
    {
        std::vector<BYTE> cut(bytes.begin(), bytes.begin() + n);
        ASSERT_EQ(CArchiveException::endOfFile, Load(cut, ReadMixedStream)) << "cut at " << n;
    }
}

TEST(CArchive, HostileLengthsNeverOverread)
{
    // Lengths far beyond the bytes that follow, in each prefix form, and absurd counts.
    const std::vector<BYTE> streams[] = {
        Bytes({ 0x10, 'a', 'b' }),
        Bytes({ 0xFF, 0xFD, 0xFF, 'a' }),
        Bytes({ 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 'a' }),
        Bytes({ 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F }),
        Bytes({ 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 'a', 0 }),
    };
    for (const std::vector<BYTE>& stream : streams)
    {
        int nCause = Load(stream, [](CArchive& ar) { CString s; ar >> s; });
        EXPECT_TRUE(nCause == CArchiveException::endOfFile || nCause == CArchiveException::genericException);
    }
    std::vector<BYTE> hugeCount = Bytes({ 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 1, 'x' });
    EXPECT_EQ(CArchiveException::endOfFile, Load(hugeCount, [](CArchive& ar) { CStringArray a; a.Serialize(ar); }));
    EXPECT_EQ(CArchiveException::endOfFile, Load(hugeCount, [](CArchive& ar) { CDWordArray a; a.Serialize(ar); }));
    EXPECT_EQ(CArchiveException::endOfFile, Load(hugeCount, [](CArchive& ar) { CStringList l; l.Serialize(ar); }));
}

TEST(CArchive, RandomBytesRaiseOnlyArchiveExceptions)
{
    std::vector<BYTE> valid = MixedStream();
    UINT nSeed = 12345;
    auto next = [&nSeed] { nSeed = nSeed * 1103515245u + 12345u; return (nSeed >> 16) & 0x7FFF; };
    for (int round = 0; round < 3000; ++round)
    {
        std::vector<BYTE> bytes;
        if (round % 2 == 0)
        {
            bytes.resize(next() % 64);
            for (BYTE& b : bytes)
                b = (BYTE)next();
        }
        else
        {
            // A valid stream with a few bytes flipped.
            bytes = valid;
            for (int k = 0; k < 3; ++k)
                bytes[next() % bytes.size()] = (BYTE)next();
        }
        CException* e = NULL;
        CMemFile file(bytes.empty() ? NULL : bytes.data(), (UINT)bytes.size());
        try
        {
            CArchive ar(&file, CArchive::load);
            ReadMixedStream(ar);
        }
        catch (CException* pe)
        {
            e = pe;
        }
        if (e != NULL)
        {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException))) << e->GetRuntimeClass()->m_lpszClassName;
            e->Delete();
        }
    }
}

TEST(CArchive, TextLinesAndDirection)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) { ar.WriteString("line one\r\nline two"); });
    EXPECT_EQ(-1, Load(bytes, [](CArchive& ar) {
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ("line one", line);
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ("line two", line);
        EXPECT_FALSE(ar.ReadString(line));
    }));

    EXPECT_EQ(CArchiveException::readOnly, Load(bytes, [](CArchive& ar) { ar << (BYTE)1; }));
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(CArchiveException::writeOnly, CauseOf<CArchiveException>([&] { BYTE b; ar >> b; }));
}

TEST(CArchive, CloseGivesUnreadBytesBackToTheFile)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) { ar << (DWORD)1 << (DWORD)2 << (DWORD)3; });
    CMemFile file(bytes.data(), (UINT)bytes.size());
    {
        CArchive ar(&file, CArchive::load);
        DWORD dw;
        ar >> dw;
        ar.Close();
    }
    EXPECT_EQ(4u, file.GetPosition());

    // Without Close, the destructor flushes a storing archive.
    CMemFile out;
    {
        CArchive ar(&out, CArchive::store);
        ar << (WORD)5;
    }
    EXPECT_EQ(2u, out.GetLength());
}
