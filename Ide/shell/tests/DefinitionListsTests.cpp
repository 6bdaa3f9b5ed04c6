// Reading user word lists and function-definition lists from a folder.
#include "DefinitionLists.h"
#include "COutline.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>
#include <string>

class DefinitionLists : public ::testing::Test
{
protected:
    std::string m_folder;

    void SetUp() override
    {
        m_folder = std::string("lists_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(m_folder.c_str(), NULL);
        WIN32_FIND_DATAA data;
        HANDLE hFind = FindFirstFileA((m_folder + "\\*").c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
                DeleteFileA((m_folder + "\\" + data.cFileName).c_str());
            while (FindNextFileA(hFind, &data));
            FindClose(hFind);
        }
    }
    void Write(const char* pszName, const std::string& text)
    {
        FILE* pFile = fopen((m_folder + "\\" + pszName).c_str(), "wb");
        ASSERT_NE(pFile, nullptr);
        fwrite(text.data(), 1, text.size(), pFile);
        fclose(pFile);
    }
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
