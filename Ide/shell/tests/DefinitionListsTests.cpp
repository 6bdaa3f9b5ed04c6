// Reading user word lists and function-definition lists from a folder.
#include "DefinitionLists.h"
#include "COutline.h"
#include "VornTestFolder.h"

#include <gtest/gtest.h>

#include <string>

class DefinitionLists : public ::testing::Test
{
protected:
    CTestFolder m_dir;
    // The folder, without its trailing backslash.
    std::string m_folder{ m_dir.Path().Left(m_dir.Path().GetLength() - 1).GetString() };

    void Write(const char* pszName, const std::string& text) { WriteTestFile(m_dir / pszName, text); }
};

TEST_F(DefinitionLists, UserWordsFromSeveralFiles)
{
    Write("a.uwl", "# my words\r\n[UserWords1]\r\nalpha\r\nbeta gamma\r\n\r\n[UserWords2]\r\ndelta\r\n[End]\r\n");
    Write("b.uwl", "early\n[UserWords1]\nepsilon\n");
    Write("c.uwl", "[UserWords1]\nzeta\n[UserWords3]\nlost\n[UserWords2]\nlost too\n");
    Write("d.uwl", "[UserWords2]\nnever\n");
    CString words[USER_WORD_CLASSES];
    EXPECT_EQ(LoadUserWordLists(m_folder.c_str(), words), 4);
    EXPECT_EQ(words[0], "alpha beta gamma epsilon zeta");
    EXPECT_EQ(words[1], "delta");
    EXPECT_EQ(words[2], "");
    EXPECT_EQ(words[6], "");
}

TEST_F(DefinitionLists, UnreadableWordListIsSkipped)
{
    Write("a.uwl", "[UserWords1]\none\n");
    CreateDirectoryA((m_folder + "\\b.uwl").c_str(), NULL); // listed, but no file to read
    Write("c.uwl", "[UserWords1]\ntwo\n");
    CString words[USER_WORD_CLASSES];
    EXPECT_EQ(LoadUserWordLists(m_folder.c_str(), words), 2);
    EXPECT_EQ(words[0], "one two");
    RemoveDirectoryA((m_folder + "\\b.uwl").c_str());
    EXPECT_EQ(LoadUserWordLists("no_such_folder", words), 0);
}

TEST_F(DefinitionLists, FunctionDefinitions)
{
    Write("gamelib.fdl", "# Game library\r\n"
                         "\tnumber sin(x)  \r\n"
                         "function string.format(fmt, ...)\r\n"
                         "Entity:Update(dt)\r\n"
                         "Player:Jump(height)\r\n"
                         "Player base Entity\r\n"
                         "Ghost base Entity\r\n"
                         "#function Hidden()\r\n"
                         "not a definition at all()\r\n"
                         "Entity base Player\r\n");
    COutline outline;
    EXPECT_EQ(LoadFunctionDefinitions((m_folder + "\\").c_str(), outline), 1);
    COutlineFile* pFile = outline.FindFile("GAMELIB");
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(pFile->m_nFlag, 1);
    EXPECT_EQ(pFile->m_pProjectEntry, nullptr);

    COutlineFunction* pSin = outline.FindFunction("sin", pFile);
    ASSERT_NE(pSin, nullptr);
    EXPECT_EQ(pSin->GetSignature(), "number sin(x)");
    COutlineTable* pString = outline.FindTable("string", pFile);
    ASSERT_NE(pString, nullptr);
    COutlineFunction* pFormat = outline.FindMemberFunction("format", pString);
    EXPECT_EQ(CString(pFormat->GetParameters()), "fmt, ...");
    EXPECT_EQ(pFormat->GetQualifiedSignature(), "string.format(fmt, ...)");
    COutlineTable* pPlayer = outline.FindTable("Player", pFile);
    COutlineTable* pEntity = outline.FindTable("Entity", pFile);
    EXPECT_EQ(pPlayer->GetBaseTable(), pEntity);
    EXPECT_EQ(pEntity->GetBaseTable(), nullptr); // the cycle was refused
    EXPECT_EQ(outline.FindTable("Ghost", pFile), nullptr);
    EXPECT_EQ(outline.FindFunction("Hidden", pFile), nullptr);
    EXPECT_EQ(outline.FindMethod("Update", pPlayer)->GetQualifiedSignature(), "Entity:Update(dt)");
    EXPECT_EQ(outline.GetFunctionCount(), 4);
}

TEST_F(DefinitionLists, BadListsAreSkippedAndTheOthersLoad)
{
    Write("a.fdl", "alpha()\n");
    Write("A.fdl.fdl", "shadow()\n");          // named "A.fdl": a name of its own
    Write(".fdl", "nameless()\n");             // empty name
    Write("b.fdl", "beta()\n");
    COutline outline;
    outline.AddFile("b"); // taken already
    Write("c.fdl", "gamma()\n");
    EXPECT_EQ(LoadFunctionDefinitions(m_folder.c_str(), outline), 3);
    EXPECT_NE(outline.FindFunction("alpha"), nullptr);
    EXPECT_NE(outline.FindFunction("shadow"), nullptr);
    EXPECT_EQ(outline.FindFunction("nameless"), nullptr);
    EXPECT_EQ(outline.FindFunction("beta"), nullptr);
    EXPECT_NE(outline.FindFunction("gamma"), nullptr);

    // The same folder again: every name is taken now.
    EXPECT_EQ(LoadFunctionDefinitions(m_folder.c_str(), outline), 0);
}

// Lists of any bytes, made of the pieces the readers look for, load without a fault:
// nothing in a list can stop the IDE from starting.
TEST_F(DefinitionLists, CorruptListsLoadWithoutFault)
{
    const std::string kPieces[] = { "[UserWords1]", "[UserWords2]", "[End]", "#", "function ", "local ", "T",
                                    "x", ".", ":", "(", ")", " ", "\t", ",", "...", "base ", "\n", "\r", "\r\n",
                                    std::string(1, '\0'), "\xFF", "\x83\x5C" };
    unsigned nSeed = 12345;
    for (int nFile = 0; nFile < 40; nFile++)
    {
        std::string text;
        for (int i = 0; i < 400; i++)
        {
            nSeed = nSeed * 1103515245u + 12345u;
            const unsigned nPiece = (nSeed >> 16) % (sizeof(kPieces) / sizeof(kPieces[0]));
            text += kPieces[nPiece];
        }
        const std::string strName = "list" + std::to_string(nFile);
        Write((strName + ".fdl").c_str(), text);
        Write((strName + ".uwl").c_str(), text);
    }
    COutline outline;
    EXPECT_EQ(LoadFunctionDefinitions(m_folder.c_str(), outline), 40);
    CString words[USER_WORD_CLASSES];
    EXPECT_EQ(LoadUserWordLists(m_folder.c_str(), words), 40);
    EXPECT_GT(outline.GetFunctionCount(), 0);
    EXPECT_FALSE(words[0].IsEmpty());
}
