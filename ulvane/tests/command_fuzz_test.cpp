// Hostile bytes for the command profile stream and the registry archive: cut, random
// and bit-flipped streams, and a damaged registry layout. Seeded; the seed is printed
// with every failure (VORN_FUZZ_SEED repeats a run).
#include "ulvanetest.h"

#include "CExtCommandProfile.h"
#include "CExtRegistryArchive.h"

#include <stdlib.h>

#include <random>
#include <string>
#include <vector>

namespace
{
const char szRegistryKey[] = "Vorn Tests";
const char szProduct[] = "Fuzz";
const UINT arrIDs[] = {ID_TEST_ALPHA, ID_TEST_BETA, ID_TEST_GAMMA, ID_TEST_HOTLIST, ID_VIEW_OUTPUT};

unsigned FuzzSeed()
{
    static const unsigned s_nSeed = [] {
        const char* pszSeed = getenv("VORN_FUZZ_SEED");
        return pszSeed != NULL ? (unsigned)strtoul(pszSeed, NULL, 10) : (unsigned)::GetTickCount();
    }();
    return s_nSeed;
}

class ProfileFuzzTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (UINT nID : arrIDs)
            m_profile.AllocateCommand(nID)->m_nUsageCount = nID % 97 + 1;
        m_profile.GetCommand(ID_VIEW_OUTPUT)->StateSetBasic(true);
        m_profile.m_nTotalUsage = 1000;
    }
    std::string Stored()
    {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(m_profile.Serialize(ar));
        ar.Close();
        return Bytes(file);
    }
    static std::string Bytes(CMemFile& file)
    {
        std::string bytes((size_t)file.GetLength(), '\0');
        file.SeekToBegin();
        if (!bytes.empty())
            file.Read(&bytes[0], (UINT)bytes.size());
        return bytes;
    }
    bool LoadInMemory(const std::string& bytes)
    {
        CMemFile file((BYTE*)bytes.data(), (UINT)bytes.size());
        CArchive ar(&file, CArchive::load);
        const bool bLoaded = m_profile.Serialize(ar);
        ar.Abort();
        return bLoaded;
    }
    // The bytes stored as the profile's section with a valid checksum.
    void PutSection(const std::string& bytes)
    {
        CMemFile file;
        file.Write(bytes.data(), (UINT)bytes.size());
        ASSERT_TRUE(CExtRegistryArchive::SaveProfileSection(szRegistryKey, szProduct, m_profile.m_strName, file));
    }
    std::vector<UINT> Counts() const
    {
        std::vector<UINT> counts{m_profile.m_nTotalUsage};
        for (UINT nID : arrIDs)
            counts.push_back(const_cast<CExtCommandProfile&>(m_profile).GetCommand(nID)->m_nUsageCount);
        return counts;
    }
    // After a load that said true: no count above the total, the total within the limit.
    void ExpectConsistent() const
    {
        const std::vector<UINT> counts = Counts();
        ASSERT_LE(counts[0], 0xFFFFFFFEu);
        unsigned long long nSum = 0;
        for (size_t i = 1; i < counts.size(); i++)
        {
            ASSERT_LE(counts[i], counts[0]);
            nSum += counts[i];
        }
        ASSERT_LE(nSum, counts[0]);
    }
    std::string Mutated(const std::string& base, std::mt19937& rng)
    {
        std::string bytes = base;
        switch (rng() % 4)
        {
        case 0: // random bytes of a random length
            bytes.assign(rng() % 200, '\0');
            for (char& ch : bytes)
                ch = (char)rng();
            break;
        case 1: // a few flipped bits
            for (int n = 1 + rng() % 4; n > 0; n--)
                bytes[rng() % bytes.size()] ^= (char)(1 << (rng() % 8));
            break;
        case 2: // random pairs after a valid head
        {
            bytes.resize(41);
            for (int n = rng() % 12; n > 0; n--)
            {
                const DWORD arrPair[2] = {rng() % 3 == 0 ? (DWORD)rng() : arrIDs[rng() % 5], (DWORD)rng()};
                bytes.append((const char*)arrPair, sizeof(arrPair));
            }
            if (rng() % 4 != 0)
                bytes.append(4, '\0');
            break;
        }
        default: // cut somewhere
            bytes.resize(rng() % bytes.size());
            break;
        }
        return bytes;
    }

    CExtCommandProfile m_profile{"fuzzed profile"};
};
}

TEST_F(ProfileFuzzTest, EveryCutOfAStoredStreamFailsAndLeavesTheUsageAlone)
{
    const std::string bytes = Stored();
    const std::vector<UINT> before = Counts();
    for (size_t nCut = 0; nCut < bytes.size(); nCut++)
    {
        PutSection(bytes.substr(0, nCut));
        ASSERT_FALSE(m_profile.SerializeToRegistry(szRegistryKey, szProduct, false)) << "cut at " << nCut;
        ASSERT_EQ(before, Counts()) << "cut at " << nCut;
    }
    PutSection(bytes);
    EXPECT_TRUE(m_profile.SerializeToRegistry(szRegistryKey, szProduct, false));
    EXPECT_EQ(before, Counts());
}

TEST_F(ProfileFuzzTest, RandomAndFlippedStreamsFailCleanlyOrLoadConsistentCounts)
{
    const unsigned nSeed = FuzzSeed();
    SCOPED_TRACE(testing::Message() << "seed " << nSeed);
    std::mt19937 rng(nSeed);
    const std::string base = Stored();
    for (int i = 0; i < 5000; i++)
    {
        const std::string bytes = Mutated(base, rng);
        const std::vector<UINT> before = Counts();
        PutSection(bytes);
        if (m_profile.SerializeToRegistry(szRegistryKey, szProduct, false))
            ASSERT_NO_FATAL_FAILURE(ExpectConsistent()) << "iteration " << i;
        else
            ASSERT_EQ(before, Counts()) << "iteration " << i;
    }
    for (int i = 0; i < 100000; i++)
    {
        const std::string bytes = Mutated(base, rng);
        const std::vector<UINT> before = Counts();
        if (LoadInMemory(bytes))
            ASSERT_NO_FATAL_FAILURE(ExpectConsistent()) << "in memory " << i;
        else
            ASSERT_EQ(before, Counts()) << "in memory " << i;
    }
}

namespace
{
CString SectionPath()
{
    return CExtRegistryArchive::BuildProfilePath(szRegistryKey, szProduct, "fuzzed profile", "CommandManager");
}

void Damage(LPCTSTR lpszSubKey, LPCTSTR lpszValue, DWORD dwType, const void* pData, DWORD cbData)
{
    HKEY hKey;
    CString strKey = SectionPath() + (lpszSubKey[0] != '\0' ? "\\" : "") + lpszSubKey;
    if (::RegCreateKeyEx(HKEY_CURRENT_USER, strKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return;
    if (pData == NULL)
        ::RegDeleteValue(hKey, lpszValue);
    else
        ::RegSetValueEx(hKey, lpszValue, 0, dwType, (const BYTE*)pData, cbData);
    ::RegCloseKey(hKey);
}

void DeleteSubKey(LPCTSTR lpszSubKey)
{
    ::RegDeleteKey(HKEY_CURRENT_USER, SectionPath() + "\\" + lpszSubKey);
}
}

TEST_F(ProfileFuzzTest, ADamagedRegistryLayoutAppendsNothing)
{
    const unsigned nSeed = FuzzSeed();
    SCOPED_TRACE(testing::Message() << "seed " << nSeed);
    std::mt19937 rng(nSeed);
    // Enough pairs for three blocks of chunks.
    for (UINT nID = 1000; nID < 1600; nID++)
        m_profile.AllocateCommand(nID)->m_nUsageCount = 1;
    m_profile.m_nTotalUsage = 5000;
    const std::string bytes = Stored();
    ASSERT_GT(bytes.size(), 2u * 128 * 16);
    const UINT nChunks = (UINT)(bytes.size() + 15) / 16;
    auto chunkName = [](UINT n) {
        CString s;
        s.Format("data_0x%08lX", (unsigned long)n);
        return s;
    };
    auto blockName = [](UINT n) {
        CString s;
        s.Format("block_0x%08lX", (unsigned long)(n >> 7));
        return s;
    };
    for (int i = 0; i < 300; i++)
    {
        PutSection(bytes);
        const UINT nChunk = rng() % nChunks;
        const BYTE arrJunk[20] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
        const DWORD dwSize = (DWORD)bytes.size();
        DWORD dwValue = 0;
        const int nKind = rng() % 10;
        switch (nKind)
        {
        case 0:
            DeleteSubKey(blockName(nChunk));
            break;
        case 1:
            Damage(blockName(nChunk), chunkName(nChunk), 0, NULL, 0);
            break;
        case 2:
            Damage(blockName(nChunk), chunkName(nChunk), REG_SZ, "0123456789abcde", 16);
            break;
        case 3: // short
            Damage(blockName(nChunk), chunkName(nChunk), REG_BINARY, arrJunk, rng() % 15);
            break;
        case 4: // long
            Damage(blockName(nChunk), chunkName(nChunk), REG_BINARY, arrJunk, 17 + rng() % 4);
            break;
        case 5:
            dwValue = rng() % 2 ? 0xFFFFFFF0u + rng() % 16 : 4 * 1024 * 1024 + 1 + rng() % 1000;
            Damage("", "data_size", REG_DWORD, &dwValue, sizeof(dwValue));
            break;
        case 6:
            dwValue = rng() % 2 ? dwSize + 1 : dwSize - 1;
            Damage("", "data_size", REG_DWORD, &dwValue, sizeof(dwValue));
            break;
        case 7:
            Damage("", rng() % 2 ? "data_size" : "data_integrity", 0, NULL, 0);
            break;
        case 8:
            Damage("", "data_size", REG_BINARY, &dwSize, sizeof(dwSize));
            break;
        default:
            Damage("", "data_integrity", REG_SZ, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", 48);
            break;
        }
        CMemFile file;
        file.Write("kept", 4);
        ASSERT_FALSE(CExtRegistryArchive::LoadProfileSection(szRegistryKey, szProduct, "fuzzed profile", file))
            << "damage " << nKind << " at chunk " << nChunk;
        ASSERT_EQ(4u, (UINT)file.GetLength()) << "damage " << nKind;
        const std::vector<UINT> before = Counts();
        ASSERT_FALSE(m_profile.SerializeToRegistry(szRegistryKey, szProduct, false));
        ASSERT_EQ(before, Counts());
    }
}
