// The Lua outline parser: statement shapes, scopes, re-parsing with its sweep, the two
// searches, and hostile input.
#include "OutlineTestSupport.h"
#include "LuaParser.h"
#include "VornTestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class OutlineParser : public ::testing::Test
{
protected:
    COutline m_outline;

    COutlineFile* Parse(const char* pszText) { return ParseText(m_outline, "test.lua", pszText); }
};

TEST_F(OutlineParser, MethodNeedsItsTable)
{
    COutlineFile* pFile = Parse("Player = {}\n"
                                "function Player:Move(dx, dy) end\n"
                                "function Enemy:Move(dx) end\n");
    COutlineTable* pPlayer = m_outline.FindTable("Player", pFile);
    ASSERT_NE(pPlayer, nullptr);
    COutlineFunction* pMove = m_outline.FindMemberFunction("Move", pPlayer, pFile);
    ASSERT_NE(pMove, nullptr);
    EXPECT_EQ(pMove->m_nMethod, 1);
    EXPECT_STREQ(pMove->GetParameters(), "dx,dy");
    EXPECT_EQ(pMove->m_nLine, 1);
    EXPECT_EQ(pFile->GetFunctionCount(), 1); // Enemy is no table
}

TEST_F(OutlineParser, ATableMemberDoesNotHideAGlobalOrLocalOfItsName)
{
    const char* pszText = "Player = {}\n"                   // 0
                          "Player.x = 1\n"                  // 1
                          "function Player:update(dt)\n"    // 2
                          "end\n"                           // 3
                          "function update()\n"             // 4
                          "  Player.speed = 2\n"            // 5
                          "  local speed = self\n"          // 6
                          "end\n"                           // 7
                          "x = 2\n"                         // 8
                          "y = Player.x\n";                 // 9
    COutlineFile* pFile = Parse(pszText);
    COutlineTable* pPlayer = m_outline.FindTable("Player", pFile);
    ASSERT_NE(pPlayer, nullptr);
    COutlineFunction* pMember = m_outline.FindMemberFunction("update", pPlayer, pFile);
    ASSERT_NE(pMember, nullptr);
    COutlineFunction* pGlobal =
        static_cast<COutlineFunction*>(pFile->FindNodeOutsideTables(OUTLINE_FUNCTION, "update", NULL));
    ASSERT_NE(pGlobal, nullptr);
    EXPECT_EQ(pGlobal->m_nLine, 4);
    EXPECT_EQ(pFile->GetFunctionCount(), 2);
    // The local and the global variable beside the members of the same names.
    COutlineVariable* pLocal =
        static_cast<COutlineVariable*>(pFile->FindNodeOutsideTables(OUTLINE_VARIABLE, "speed", pGlobal));
    ASSERT_NE(pLocal, nullptr);
    EXPECT_EQ(pLocal->m_nFlag, 1);
    EXPECT_EQ(pLocal->m_nLine, 6);
    COutlineVariable* pX = static_cast<COutlineVariable*>(pFile->FindNodeOutsideTables(OUTLINE_VARIABLE, "x", NULL));
    ASSERT_NE(pX, nullptr);
    EXPECT_EQ(pX->m_nLine, 8);
    EXPECT_EQ(pFile->GetVariableCount(), 5); // Player.x, Player.speed, speed, x, y

    // The searches tell them apart as well: the global's body is its own scope, "self"
    // in it belongs to no method, and a plain name at file level is the global while a
    // name after a dot is the field.
    CTextLineSource source(pszText, (int)strlen(pszText));
    EXPECT_EQ(m_outline.FindScopeAt(6, 2, source, pFile), pGlobal);
    EXPECT_EQ(m_outline.FindSelfMethod(6, 30, source, pFile), nullptr);
    EXPECT_EQ(m_outline.FindScopeAt(8, 0, source, pFile), pX);
    EXPECT_EQ(m_outline.FindScopeAt(9, 11, source, pFile), m_outline.FindMemberVariable("x", pPlayer, pFile));

    // A re-parse of the same text keeps every node.
    EXPECT_EQ(m_outline.ReparseFile(pFile, source), 0);
    EXPECT_EQ(pFile->GetFunctionCount(), 2);
    EXPECT_EQ(pFile->GetVariableCount(), 5);
}

TEST_F(OutlineParser, LocalFunctionsAndLongChains)
{
    COutlineFile* pFile = Parse("local function tick() end\nfunction a.b.c() end\nfunction plain(x, ...) end\n");
    COutlineFunction* pTick = m_outline.FindFunction("tick", pFile);
    ASSERT_NE(pTick, nullptr);
    EXPECT_EQ(pTick->m_nFlag, 1);
    EXPECT_EQ(m_outline.FindFunction("c", pFile), nullptr);
    ASSERT_NE(m_outline.FindFunction("plain", pFile), nullptr);
    EXPECT_STREQ(m_outline.FindFunction("plain", pFile)->GetParameters(), "x,...");
    EXPECT_EQ(pFile->GetFunctionCount(), 2);
}

TEST_F(OutlineParser, AnonymousFunctions)
{
    COutlineFile* pFile = Parse("Handler = function(e) end\n"
                                "f(function() end)\n"
                                "if ready then end\n"
                                "count = 0\n");
    ASSERT_NE(m_outline.FindFunction("Handler", pFile), nullptr);
    EXPECT_EQ(pFile->GetFunctionCount(), 1);
    // The block depth stayed balanced: the global after it is still at file level.
    EXPECT_NE(m_outline.FindVariableInScope("count", NULL, pFile), nullptr);
}

TEST_F(OutlineParser, StatementsAfterAnyKindOfStatementEnd)
{
    COutlineFile* pFile = Parse("local name = \"x\"\nfunction AfterString() end\n"
                                "x = y\nfunction AfterName() end\n"
                                "print(x)\ncount = 0\n"
                                "local t = {}\ntotal = 1\n"
                                "if debug then function Logged() end end\n"
                                "v = f .. function() end\n"
                                "return function() end\n");
    EXPECT_NE(m_outline.FindFunction("AfterString", pFile), nullptr);
    EXPECT_NE(m_outline.FindFunction("AfterName", pFile), nullptr);
    EXPECT_NE(m_outline.FindFunction("Logged", pFile), nullptr);
    EXPECT_EQ(pFile->GetFunctionCount(), 3); // functions inside expressions have no name
    EXPECT_NE(m_outline.FindVariableInScope("count", NULL, pFile), nullptr);
    EXPECT_NE(m_outline.FindVariableInScope("total", NULL, pFile), nullptr);
    EXPECT_EQ(m_outline.FindVariableInScope("y", NULL, pFile), nullptr);
}

TEST_F(OutlineParser, VariablesByScope)
{
    COutlineFile* pFile = Parse("function f()\n"
                                "  local count = 0\n"
                                "  total = 0\n"
                                "  if ready then local inner = 1 end\n"
                                "end\n"
                                "count = 0\n"
                                "local hidden = 0\n");
    COutlineFunction* pF = m_outline.FindFunction("f", pFile);
    ASSERT_NE(pF, nullptr);
    COutlineVariable* pLocal = m_outline.FindVariableInScope("count", pF, pFile);
    ASSERT_NE(pLocal, nullptr);
    EXPECT_EQ(pLocal->m_nFlag, 1);
    EXPECT_EQ(pLocal->m_nLine, 1);
    EXPECT_EQ(pF->GetChildCount(), 1);
    EXPECT_EQ(m_outline.FindVariable("total", pFile), nullptr);
    EXPECT_EQ(m_outline.FindVariable("inner", pFile), nullptr);
    COutlineVariable* pGlobal = m_outline.FindVariableInScope("count", NULL, pFile);
    ASSERT_NE(pGlobal, nullptr);
    EXPECT_EQ(pGlobal->m_nFlag, 0);
    EXPECT_EQ(m_outline.FindVariable("hidden", pFile), nullptr);
}

TEST_F(OutlineParser, TableConstructorsWithFieldsStringKeysAndChildren)
{
    COutlineFile* pFile = Parse("T = { x = 1, sub = {}, [\"key name\"] = 2, fn = function() end }\n");
    COutlineTable* pT = m_outline.FindTable("T", pFile);
    ASSERT_NE(pT, nullptr);
    ASSERT_EQ(pT->GetFieldCount(), 2);
    EXPECT_EQ(pT->GetField(0)->m_strName, "x");
    EXPECT_EQ(pT->GetField(1)->m_strName, "key name");
    COutlineTable* pSub = m_outline.FindTableInScope("sub", pT, pFile);
    ASSERT_NE(pSub, nullptr);
    EXPECT_EQ(pT->GetChildCount(), 1);
    // A function value after "," becomes a member function of the table.
    COutlineFunction* pFn = m_outline.FindMemberFunction("fn", pT, pFile);
    ASSERT_NE(pFn, nullptr);
    EXPECT_EQ(pFn->m_nMethod, 0);
}

TEST_F(OutlineParser, ConstructedTablesDeriveFromTheFactoryResult)
{
    COutlineFile* pFile = Parse("function Factory()\n"
                                "  local t = {}\n"
                                "  function t:Speak() end\n"
                                "  return t\n"
                                "end\n"
                                "local obj = {}\n"
                                "obj = Factory()\n"
                                "local plain = Factory()\n");
    COutlineFunction* pFactory = m_outline.FindFunction("Factory", pFile);
    ASSERT_NE(pFactory, nullptr);
    COutlineTable* pT = m_outline.FindTableInScope("t", pFactory, pFile);
    ASSERT_NE(pT, nullptr);
    EXPECT_EQ(pFactory->m_pResultTable, pT);
    COutlineTable* pObj = m_outline.FindTable("obj", pFile);
    ASSERT_NE(pObj, nullptr);
    EXPECT_EQ(pObj->m_nFlag, 1);
    EXPECT_EQ(pObj->m_strConstructorName, "Factory");
    EXPECT_EQ(m_outline.FindTable("plain", pFile), nullptr);
    // The method defined inside the factory is recorded in it.
    COutlineFunction* pSpeak = m_outline.FindMemberFunction("Speak", pT, pFile);
    ASSERT_NE(pSpeak, nullptr);
    EXPECT_NE(pFactory->FindOwnerRecord(pSpeak), nullptr);

    m_outline.LinkConstructedTables();
    EXPECT_EQ(pObj->GetBaseTable(), pT);
    EXPECT_EQ(m_outline.FindMethod("Speak", pObj), pSpeak);
}

TEST_F(OutlineParser, BlocksInsideAFunctionDoNotEndIt)
{
    COutlineFile* pFile = Parse("function f(a)\n"
                                "  if a then\n"
                                "    for i = 1, 3 do print(i) end\n"
                                "  else\n"
                                "    while a do a = false end\n"
                                "  end\n"
                                "  local after = 1\n"
                                "end\n"
                                "g = 2\n");
    COutlineFunction* pF = m_outline.FindFunction("f", pFile);
    ASSERT_NE(pF, nullptr);
    EXPECT_NE(m_outline.FindVariableInScope("after", pF, pFile), nullptr);
    EXPECT_NE(m_outline.FindVariableInScope("g", NULL, pFile), nullptr);
}

TEST_F(OutlineParser, FieldAssignmentsInsideFunctions)
{
    COutlineFile* pFile = Parse("function Make()\n"
                                "  local obj = {}\n"
                                "  obj.speed = 3\n"
                                "  return obj\n"
                                "end\n"
                                "Config = {}\n"
                                "Config.debug = 1\n");
    COutlineFunction* pMake = m_outline.FindFunction("Make", pFile);
    COutlineTable* pObj = m_outline.FindTable("obj", pFile);
    ASSERT_NE(pObj, nullptr);
    COutlineVariable* pSpeed = m_outline.FindMemberVariable("speed", pObj, pFile);
    ASSERT_NE(pSpeed, nullptr);
    EXPECT_EQ(pSpeed->m_pOwner, pMake);
    EXPECT_NE(pMake->FindOwnerRecord(pSpeed), nullptr);
    COutlineTable* pConfig = m_outline.FindTable("Config", pFile);
    COutlineVariable* pDebug = m_outline.FindMemberVariable("debug", pConfig, pFile);
    ASSERT_NE(pDebug, nullptr);
    EXPECT_EQ(pDebug->m_nLine, 6);
}

// ---------------------------------------------------------------------------------------
// The fixture: a few hundred lines of everyday Lua

class OutlineFixture : public ::testing::Test
{
protected:
    COutline m_outline;
    COutlineFile* m_pFile = nullptr;

    void SetUp() override
    {
        std::string text = ReadFixture("inventory.lua");
        ASSERT_FALSE(text.empty());
        m_pFile = m_outline.AddFile("inventory.lua");
        CTextLineSource source(text.data(), (int)text.size());
        m_outline.ParseSource(m_pFile, source);
    }
    COutlineFunction* Member(const char* pszTable, const char* pszName)
    {
        COutlineTable* pTable = m_outline.FindTable(pszTable, m_pFile);
        return pTable ? m_outline.FindMemberFunction(pszName, pTable, m_pFile) : nullptr;
    }
};

TEST_F(OutlineFixture, ClassesAndTheirMethods)
{
    COutlineFunction* pNew = Member("Item", "new");
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(pNew->m_nMethod, 0);
    EXPECT_EQ(pNew->m_nLine, 55);
    EXPECT_EQ(pNew->GetQualifiedSignature(), "Item.new(name, kind, price)");
    const char* itemMethods[] = { "GetName", "GetValue", "CanStackWith", "Describe" };
    for (const char* pszName : itemMethods)
    {
        ASSERT_NE(Member("Item", pszName), nullptr) << pszName;
        EXPECT_EQ(Member("Item", pszName)->m_nMethod, 1) << pszName;
    }
    const char* bagMethods[] = { "Add", "Remove", "TotalValue", "Each", "Sort", "Merge" };
    for (const char* pszName : bagMethods)
        EXPECT_NE(Member("Bag", pszName), nullptr) << pszName;
    EXPECT_EQ(Member("Bag", "Merge")->m_nMethod, 0);
    EXPECT_EQ(Member("Crafting", "Craft")->GetQualifiedSignature(), "Crafting.Craft(bag, recipeName)");
    EXPECT_EQ(m_outline.FindTable("Crafting", m_pFile)->m_nFlag, 1);
}

TEST_F(OutlineFixture, FileLevelFunctionsAndGlobals)
{
    const char* globals[] = { "NewWallet", "NewMerchant", "log", "ShowHelp", "Tick", "Quit" };
    for (const char* pszName : globals)
    {
        COutlineFunction* pFunction = m_outline.FindFunctionInScope(pszName, NULL, m_pFile);
        ASSERT_NE(pFunction, nullptr) << pszName;
        EXPECT_EQ(pFunction->m_nFlag, 0) << pszName;
    }
    const char* locals[] = { "clamp", "formatCoins", "parseCommand" };
    for (const char* pszName : locals)
    {
        ASSERT_NE(m_outline.FindFunction(pszName, m_pFile), nullptr) << pszName;
        EXPECT_EQ(m_outline.FindFunction(pszName, m_pFile)->m_nFlag, 1) << pszName;
    }
    EXPECT_STREQ(m_outline.FindFunction("log", m_pFile)->GetParameters(), "fmt,...");
    EXPECT_NE(m_outline.FindVariableInScope("VERSION", NULL, m_pFile), nullptr);
    // Locals of the file are not globals; nothing in the long string or comments counts.
    EXPECT_EQ(m_outline.FindVariable("MAX_STACK", m_pFile), nullptr);
    EXPECT_EQ(m_outline.FindVariableInScope("greeting", NULL, m_pFile), nullptr);
    EXPECT_EQ(m_outline.FindFunction("buy", m_pFile), nullptr);
}

TEST_F(OutlineFixture, DataTables)
{
    COutlineTable* pKinds = m_outline.FindTable("ItemKind", m_pFile);
    ASSERT_NE(pKinds, nullptr);
    const char* kindFields[] = { "weapon", "armour", "potion", "scroll", "quest item" };
    for (const char* pszName : kindFields)
        EXPECT_NE(m_outline.FindMemberVariable(pszName, pKinds, m_pFile), nullptr) << pszName;
    EXPECT_NE(m_outline.FindTableInScope("names", pKinds, m_pFile), nullptr);
    COutlineTable* pPrices = m_outline.FindTable("Prices", m_pFile);
    EXPECT_EQ(pPrices->GetFieldCount(), 5);

    COutlineTable* pRecipes = m_outline.FindTable("Recipes", m_pFile);
    COutlineTable* pHealing = m_outline.FindTableInScope("healing", pRecipes, m_pFile);
    COutlineTable* pFire = m_outline.FindTableInScope("fire scroll", pRecipes, m_pFile);
    ASSERT_NE(pHealing, nullptr);
    ASSERT_NE(pFire, nullptr);
    EXPECT_NE(m_outline.FindTableInScope("needs", pHealing, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindTableInScope("needs", pFire, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindMemberVariable("time", pHealing, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindMemberVariable("gives", pFire, m_pFile), nullptr);
}

TEST_F(OutlineFixture, CallbacksInAConstructorAndAssignedFunctions)
{
    COutlineTable* pShop = m_outline.FindTable("Shop", m_pFile);
    ASSERT_NE(pShop, nullptr);
    EXPECT_NE(Member("Shop", "onLeave"), nullptr);
    EXPECT_NE(Member("Shop", "onBuy"), nullptr);
    EXPECT_NE(Member("Shop", "Greet"), nullptr);
    EXPECT_NE(Member("Shop", "IsOpen"), nullptr);
    EXPECT_NE(m_outline.FindMemberVariable("opening text", pShop, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindMemberVariable("onEnter", pShop, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindMemberVariable("visits", pShop, m_pFile), nullptr);
    COutlineTable* pHours = m_outline.FindTableInScope("hours", pShop, m_pFile);
    ASSERT_NE(pHours, nullptr);
    EXPECT_EQ(pHours->GetFieldCount(), 2);
}

TEST_F(OutlineFixture, FactoriesGiveTheirTablesABase)
{
    COutlineFunction* pWalletFactory = m_outline.FindFunction("NewWallet", m_pFile);
    COutlineFunction* pMerchantFactory = m_outline.FindFunction("NewMerchant", m_pFile);
    ASSERT_NE(pWalletFactory->m_pResultTable, nullptr);
    EXPECT_EQ(pWalletFactory->m_pResultTable->m_strName, "wallet");
    ASSERT_NE(pMerchantFactory->m_pResultTable, nullptr); // "return merchant;"
    EXPECT_EQ(pMerchantFactory->m_pResultTable->m_strName, "merchant");

    COutlineTable* pPlayer = m_outline.FindTable("player", m_pFile);
    COutlineTable* pShopkeeper = m_outline.FindTable("shopkeeper", m_pFile);
    EXPECT_EQ(pPlayer->m_strConstructorName, "NewWallet");
    EXPECT_EQ(pShopkeeper->m_strConstructorName, "NewMerchant");
    m_outline.LinkConstructedTables();
    EXPECT_EQ(pPlayer->GetBaseTable(), pWalletFactory->m_pResultTable);
    ASSERT_NE(m_outline.FindMethod("Pay", pPlayer), nullptr);
    EXPECT_EQ(m_outline.FindMethod("Sell", pShopkeeper)->GetQualifiedSignature(), "merchant:Sell(item, buyer)");
    EXPECT_EQ(m_outline.FindMethod("Sell", pPlayer), nullptr);
}

TEST_F(OutlineFixture, ScopeAndSelfMethodAtAPosition)
{
    std::string text = ReadFixture("inventory.lua");
    ASSERT_FALSE(text.empty());
    CTextLineSource source(text.data(), (int)text.size());
    // Line 98 (zero-based 97) is inside "for" in Bag:Add; line 60 in Item.new.
    COutlineNode* pScope = m_outline.FindScopeAt(97, 0, source, m_pFile);
    EXPECT_EQ(pScope, Member("Bag", "Add"));
    EXPECT_EQ(m_outline.FindScopeAt(59, 2, source, m_pFile), Member("Item", "new"));
    // Inside the nested constructor of Recipes.
    COutlineTable* pRecipes = m_outline.FindTable("Recipes", m_pFile);
    COutlineNode* pNeeds = m_outline.FindScopeAt(198, 14, source, m_pFile);
    ASSERT_NE(pNeeds, nullptr);
    EXPECT_EQ(pNeeds, m_outline.FindTableInScope("needs", m_outline.FindTableInScope("healing", pRecipes)));
    // At file level on a global: the variable.
    EXPECT_EQ(m_outline.FindScopeAt(10, 0, source, m_pFile), m_outline.FindVariable("VERSION", m_pFile));
    EXPECT_EQ(m_outline.FindScopeAt(13, 0, source, m_pFile), nullptr);

    // "self" in the call that takes the callback of Bag:Sort belongs to the method.
    EXPECT_EQ(m_outline.FindSelfMethod(278, 20, source, m_pFile), Member("Bag", "Sort"));
    EXPECT_EQ(m_outline.FindSelfMethod(80, 40, source, m_pFile), Member("Item", "Describe"));
    // In Item.new "self" is a local of a plain function: no method.
    EXPECT_EQ(m_outline.FindSelfMethod(58, 20, source, m_pFile), nullptr);
}

TEST_F(OutlineParser, SelfOnAnEarlierLineCountsWhateverItsColumn)
{
    const char* pszText = "T = {}\n"
                          "function T:Run()\n"
                          "                    local a = self\n"
                          "  return 1\n"
                          "end\n"
                          "function T.Plain() local s = self end\n";
    COutlineFile* pFile = Parse(pszText);
    COutlineFunction* pRun = m_outline.FindFunction("Run", pFile);
    ASSERT_NE(pRun, nullptr);
    CTextLineSource source(pszText);
    EXPECT_EQ(m_outline.FindSelfMethod(3, 2, source, pFile), pRun);
    EXPECT_EQ(m_outline.FindSelfMethod(2, 34, source, pFile), pRun);
    EXPECT_EQ(m_outline.FindSelfMethod(2, 30, source, pFile), nullptr); // the caret is before it
    EXPECT_EQ(m_outline.FindSelfMethod(5, 40, source, pFile), nullptr); // a plain function
    EXPECT_EQ(m_outline.FindScopeAt(3, 0, source, pFile), pRun);
    EXPECT_EQ(m_outline.FindScopeAt(5, 0, source, pFile), nullptr);
}

// ---------------------------------------------------------------------------------------
// Re-parsing: the outline after a re-parse and its sweep equals a first parse

class OutlineReparse : public ::testing::Test
{
protected:
    COutline m_outline;
    int m_nEntry = 0;

    COutlineFile* ParseAsProjectFile(const char* pszName, const std::string& text)
    {
        COutlineFile* pFile = ParseText(m_outline, pszName, text.c_str());
        pFile->m_pProjectEntry = reinterpret_cast<CProjectFileEntry*>(&m_nEntry);
        m_outline.LinkConstructedTables();
        return pFile;
    }

    // Re-parses the file with the new text; the result of ReparseFile.
    int Reparse(COutlineFile* pFile, const std::string& text)
    {
        CTextLineSource source(text.data(), (int)text.size());
        int nChanged = m_outline.ReparseFile(pFile, source);
        if (nChanged)
            m_outline.PruneStaleNodes(pFile);
        return nChanged;
    }

    std::string FreshDump(const std::string& text)
    {
        COutline fresh;
        int nEntry = 0;
        COutlineFile* pFile = ParseText(fresh, "fresh.lua", text.c_str());
        pFile->m_pProjectEntry = reinterpret_cast<CProjectFileEntry*>(&nEntry);
        fresh.LinkConstructedTables();
        return DumpOutline(pFile);
    }

    void RandomlyEdit(const char* pszFixture);
};

TEST_F(OutlineReparse, UnchangedTextReportsNoChange)
{
    std::string text = ReadFixture("inventory.lua");
    ASSERT_FALSE(text.empty());
    COutlineFile* pFile = ParseAsProjectFile("inventory.lua", text);
    std::string before = DumpOutline(pFile);
    EXPECT_EQ(Reparse(pFile, text), 0);
    EXPECT_EQ(DumpOutline(pFile), before);
    // Lines moved down: nodes keep their identity and take their new lines.
    COutlineFunction* pAdd = m_outline.FindMemberFunction("Add", m_outline.FindTable("Bag", pFile), pFile);
    EXPECT_EQ(Reparse(pFile, "\n\n" + text), 0);
    EXPECT_EQ(m_outline.FindMemberFunction("Add", m_outline.FindTable("Bag", pFile), pFile), pAdd);
    EXPECT_EQ(pAdd->m_nLine, 89 + 2);
}

TEST_F(OutlineReparse, EditsGiveWhatAFirstParseGives)
{
    std::string text = ReadFixture("inventory.lua");
    ASSERT_FALSE(text.empty());
    COutlineFile* pFile = ParseAsProjectFile("inventory.lua", text);

    struct CEdit
    {
        const char* pszFind;
        const char* pszReplace;
    } edits[] = {
        { "function Item:GetName()", "function Item:GetTitle()" },               // renamed method
        { "function Bag:Remove(name)", "function Bag:Remove(name, count)" },     // new parameter
        { "local function clamp(", "function clamp(" },                          // no longer local
        { "  return wallet\n", "  return nil\n" },                               // result table gone
        { "player = NewWallet(500)", "player = NewMerchant(\"Bob\")" },          // other constructor
        { "Prices = {", "Costs = {" },                                           // renamed table
        { "VERSION = \"1.4.2\"", "" },                                           // global gone
        { "Shop.visits = 0\n", "Shop.visits = 0\nShop.Close = function() end\n" }, // new member
        { "  local stock = {}\n", "" },                                          // local table gone
    };
    for (const CEdit& edit : edits)
    {
        size_t nAt = text.find(edit.pszFind);
        ASSERT_NE(nAt, std::string::npos) << edit.pszFind;
        text.replace(nAt, strlen(edit.pszFind), edit.pszReplace);
        EXPECT_EQ(Reparse(pFile, text), 1) << edit.pszFind;
        EXPECT_EQ(DumpDifference(DumpOutline(pFile), FreshDump(text)), "") << edit.pszFind;
    }
    EXPECT_EQ(Reparse(pFile, text), 0);
}

TEST_F(OutlineReparse, RandomEditsGiveWhatAFirstParseGives)
{
    // Lines are deleted, duplicated and swapped and characters deleted at random (a fixed
    // seed), as typing and pasting would; every state of the text must give a first
    // parse's outline. The second fixture brings names that start with "_", long
    // brackets with equals signs and functions as first constructor fields.
    for (const char* pszFixture : { "inventory.lua", "outpost.lua" })
    {
        SCOPED_TRACE(pszFixture);
        RandomlyEdit(pszFixture);
        if (HasFatalFailure())
            return;
    }
}

void OutlineReparse::RandomlyEdit(const char* pszFixture)
{
    std::string original = ReadFixture(pszFixture);
    ASSERT_FALSE(original.empty());
    std::vector<std::string> lines;
    for (size_t nStart = 0; nStart < original.size();)
    {
        size_t nEnd = original.find('\n', nStart);
        nEnd = nEnd == std::string::npos ? original.size() : nEnd + 1;
        lines.push_back(original.substr(nStart, nEnd - nStart));
        nStart = nEnd;
    }
    auto join = [&lines]() {
        std::string text;
        for (const std::string& line : lines)
            text += line;
        return text;
    };
    COutlineFile* pFile = ParseAsProjectFile(pszFixture, join());
    unsigned int nSeed = 12345;
    auto random = [&nSeed](size_t nLimit) {
        nSeed = nSeed * 1103515245u + 12345u;
        return (size_t)((nSeed >> 16) % nLimit);
    };
    for (int nStep = 0; nStep < 1500 && lines.size() > 2; nStep++)
    {
        size_t nLine = random(lines.size());
        switch (random(4))
        {
        case 0: lines.erase(lines.begin() + (ptrdiff_t)nLine); break;
        case 3:
            if (lines[nLine].size() > 1)
                lines[nLine].erase(random(lines[nLine].size() - 1), 1); // breaks a word, a string or a comment
            break;
        case 1: lines.insert(lines.begin() + (ptrdiff_t)random(lines.size()), lines[nLine]); break;
        default: std::swap(lines[nLine], lines[random(lines.size())]); break;
        }
        std::string text = join();
        Reparse(pFile, text);
        std::string difference = DumpDifference(DumpOutline(pFile), FreshDump(text));
        ASSERT_EQ(difference, "") << "step " << nStep << "\n" << text;
    }
}

TEST_F(OutlineReparse, TokenSoupGivesWhatAFirstParseGivesAndSearchesEnd)
{
    // Texts of random statement pieces (a fixed seed): every shape the parser knows, cut
    // and joined anyhow. A re-parse must give a first parse's outline, and the searches
    // must end, at every position.
    static const char* const kPieces[] = {
        "T = {", "local U = {", "}", "},", "function T:M(a, b) ", "function T.F() ", "function f(...) ",
        "local function g(x) ", "U.h = function(e) ", "end ", "end\n", "x = 1\n", "local y = nil\n",
        "T.k = 2\n", "self.v = 3\n", "[\"key\"] = 3, ", "n = 4, ", "obj = Make()\n", "return U\n",
        "if x then ", "do ", "while y do ", "repeat ", "until x ", "f(function() end)\n", ";", "\n", "\r\n",
        "-- note\n", "--[[ ", "]] ", "[[ ", "\"", "'", "#", "_G = 1\n", "local ",
        "_M = {", "local _x = _G\n", "function _M._f(_, _y) ", "_M._k = 1\n", "{ _f = function() ",
        "{ t = {", "[=[ ", "]=] ", "--[==[ ", "]==] ", "return T.k", "local a, b = ", "a, _b = "
    };
    unsigned int nSeed = 777;
    auto random = [&nSeed](size_t nLimit) {
        nSeed = nSeed * 1103515245u + 12345u;
        return (size_t)((nSeed >> 16) % nLimit);
    };
    auto soup = [&]() {
        std::string text;
        for (int i = 0; i < 250; i++)
            text += kPieces[random(sizeof(kPieces) / sizeof(kPieces[0]))];
        return text;
    };
    COutlineFile* pFile = ParseAsProjectFile("soup.lua", soup());
    int nNodes = 0;
    for (int nRound = 0; nRound < 150; nRound++)
    {
        const std::string text = soup();
        Reparse(pFile, text);
        nNodes += pFile->GetTableCount() + pFile->GetFunctionCount() + pFile->GetVariableCount();
        ASSERT_EQ(DumpDifference(DumpOutline(pFile), FreshDump(text)), "") << "round " << nRound << "\n" << text;

        COutline searched;
        COutlineFile* pSearched = ParseText(searched, "searched.lua", text.c_str());
        CTextLineSource source(text.c_str());
        for (int nLine = 0; nLine < source.GetLineCount(); nLine += 3)
        {
            searched.FindScopeAt(nLine, (int)random(12), source, pSearched);
            searched.FindSelfMethod(nLine, (int)random(12), source, pSearched);
        }
    }
    EXPECT_GT(nNodes, 150 * 3); // the pieces do build outlines
}

TEST_F(OutlineReparse, ChangesAreMarkedOnTheNodesAndTheirTables)
{
    std::string text = "T = {}\nfunction T:A(x) end\nfunction T:B() end\nfunction G() end\n";
    COutlineFile* pFile = ParseAsProjectFile("t.lua", text);
    COutlineTable* pT = m_outline.FindTable("T", pFile);
    COutlineFunction* pA = m_outline.FindMemberFunction("A", pT, pFile);
    COutlineFunction* pB = m_outline.FindMemberFunction("B", pT, pFile);

    std::string edited = "T = {}\nfunction T:A(x, y) end\nfunction T:B() end\nfunction H() end\n";
    CTextLineSource source(edited.c_str());
    ASSERT_EQ(m_outline.ReparseFile(pFile, source), 1);
    EXPECT_EQ(pA->m_nState, OUTLINE_CHANGED);
    EXPECT_EQ(pB->m_nState, OUTLINE_UNCHANGED);
    EXPECT_EQ(pT->m_nState, OUTLINE_CHANGED);
    EXPECT_EQ(m_outline.FindFunction("G", pFile)->m_nState, OUTLINE_STALE);
    EXPECT_EQ(m_outline.FindFunction("H", pFile)->m_nState, OUTLINE_NEW);
    m_outline.PruneStaleNodes(pFile);
    EXPECT_EQ(m_outline.FindFunction("G", pFile), nullptr);
    EXPECT_EQ(pA->m_nState, OUTLINE_UNCHANGED);
    EXPECT_STREQ(pA->GetParameters(), "x,y");
}

TEST_F(OutlineReparse, SweepRelinksConstructedTablesInOtherFiles)
{
    COutlineFile* pLib = ParseAsProjectFile("lib.lua", "function NewThing()\n  local t = {}\n  return t\nend\n");
    COutlineFile* pApp = ParseAsProjectFile("app.lua", "local obj = {}\nobj = NewThing()\n");
    COutlineTable* pObj = m_outline.FindTable("obj", pApp);
    ASSERT_NE(pObj->GetBaseTable(), nullptr);

    // The factory no longer returns its table: the base goes, in the other file too.
    EXPECT_EQ(Reparse(pLib, "function NewThing()\n  local t = {}\n  return 1\nend\n"), 1);
    EXPECT_EQ(pObj->GetBaseTable(), nullptr);
    EXPECT_EQ(pApp->m_nChanged, 1);

    // The table itself goes: nothing refers to it afterwards.
    pApp->m_nChanged = 0;
    EXPECT_EQ(Reparse(pLib, "function NewThing()\n  local u = {}\n  return u\nend\n"), 1);
    EXPECT_EQ(pObj->GetBaseTable(), m_outline.FindTable("u", pLib));
    EXPECT_EQ(Reparse(pLib, "function Other() end\n"), 1);
    EXPECT_EQ(pObj->GetBaseTable(), nullptr);
}

// ---------------------------------------------------------------------------------------
// Hostile input

TEST(OutlineParserLimits, DeeplyNestedConstructorsAndFunctionsDoNotExhaustTheStack)
{
    std::string text = "data = ";
    for (int i = 0; i < 50000; i++)
        text += "{ k = ";
    text += "1";
    for (int i = 0; i < 50000; i++)
        text += " }";
    text += "\nafter = 1\n";
    for (int i = 0; i < 20000; i++)
        text += "function f() ";
    for (int i = 0; i < 20000; i++)
        text += "end ";
    text += "\nlast = 2\n";

    COutline outline;
    COutlineFile* pFile = ParseText(outline, "deep.lua", text.c_str());
    EXPECT_LE(pFile->GetTableCount(), LuaParser::MAX_NESTING + 1);
    EXPECT_NE(outline.FindVariableInScope("after", NULL, pFile), nullptr);
    EXPECT_NE(outline.FindVariableInScope("last", NULL, pFile), nullptr);

    CTextLineSource source(text.c_str());
    EXPECT_EQ(outline.ReparseFile(pFile, source), 0);
    EXPECT_EQ(outline.FindScopeAt(0, 0, source, pFile), nullptr);
}

TEST(OutlineParserLimits, StrayEndsAndBracesKeepTheDepthsAtZero)
{
    COutline outline;
    COutlineFile* pFile = ParseText(outline, "stray.lua", "end end } }\nx = 1\nfunction f() end end\ny = 2\n");
    EXPECT_NE(outline.FindVariableInScope("x", NULL, pFile), nullptr);
    EXPECT_NE(outline.FindVariableInScope("y", NULL, pFile), nullptr);
    EXPECT_NE(outline.FindFunction("f", pFile), nullptr);
}

TEST(OutlineParserLimits, UnfinishedCodeAndEmptyText)
{
    COutline outline;
    const char* texts[] = { "", "function", "function f(", "function f(a,", "T = {", "x =", "local",
                            "T.x", "[\"k\"] =", "function T:", "return function(", "obj = Make(" };
    for (const char* pszText : texts)
    {
        COutlineFile* pFile = ParseText(outline, pszText[0] ? pszText : "empty", pszText);
        ASSERT_NE(pFile, nullptr) << pszText;
        CTextLineSource source(pszText);
        outline.ReparseFile(pFile, source);
        outline.PruneStaleNodes(pFile);
        outline.FindScopeAt(0, 0, source, pFile);
        outline.FindSelfMethod(0, 99, source, pFile);
    }
    EXPECT_NE(outline.FindTable("T", outline.FindFile("T = {")), nullptr);
}

// A file over the parser's size limit (a sparse file of nearly 2 GB here) is refused like
// an unreadable one, on either architecture: a project with such a file still loads.
TEST(OutlineParserLimits, FileTooLargeForMemoryIsRefused)
{
    CTestFolder folder;
    // Just over the limit, and near the 2 GB a 32-bit process could never hold.
    const LONGLONG sizes[] = { (LONGLONG)COutline::MAX_PARSE_FILE_SIZE + 1, 0x7FFF0000 };
    for (LONGLONG nSize : sizes)
    {
        const CString strPath = folder / "huge.lua";
        HANDLE hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
        DWORD dwReturned = 0;
        ::DeviceIoControl(hFile, FSCTL_SET_SPARSE, NULL, 0, NULL, 0, &dwReturned, NULL);
        LARGE_INTEGER size;
        size.QuadPart = nSize;
        EXPECT_TRUE(::SetFilePointerEx(hFile, size, NULL, FILE_BEGIN) && ::SetEndOfFile(hFile));
        ::CloseHandle(hFile);

        COutline outline;
        COutlineFile* pFile = outline.AddFile("huge.lua");
        EXPECT_FALSE(outline.ParseFile(pFile, strPath)) << nSize;
        EXPECT_EQ(pFile->GetTableCount() + pFile->GetFunctionCount() + pFile->GetVariableCount(), 0);
    }
}

namespace
{
// A text source that counts the lines read from it.
class CCountingLineSource : public CLineSource
{
public:
    explicit CCountingLineSource(const std::string& text) : m_source(text.c_str(), (int)text.size()) {}
    int GetLineCount() override { return m_source.GetLineCount(); }
    const char* GetLine(int nLine, int& nLength) override
    {
        m_nRead++;
        return m_source.GetLine(nLine, nLength);
    }
    int m_nRead = 0;

private:
    CTextLineSource m_source;
};

std::string Describe(const COutlineNode* pNode)
{
    return pNode == NULL ? "none" : std::string(pNode->m_strName) + "@" + std::to_string(pNode->m_nLine);
}
} // namespace

TEST(OutlineSearchCache, SearchesBetweenEditsAnswerAsSearchesOfTheWholeText)
{
    // Two outlines of the same text: one searched with the tokens and checkpoints kept
    // between edits, the other read whole for every search. Edits change, open and close
    // functions, strings and comments before and after the searched lines.
    static const char* const kLines[] = {
        "T = {}\n", "function T:M(a)\n", "  self.x = a\n", "end\n", "local U = {\n", "}\n", "x = 1\n",
        "function T.F() return self end\n", "--[[\n", "]]\n", "s = [[\n", "if x then\n", "y\n",
        "= function() end\n", "function T:N() local v = self.x end\n", "do\n", "\n", "'\n", "U.f = function(e)\n"
    };
    unsigned int nSeed = 4242;
    auto random = [&nSeed](size_t nLimit) {
        nSeed = nSeed * 1103515245u + 12345u;
        return (size_t)((nSeed >> 16) % nLimit);
    };
    std::vector<std::string> lines;
    for (int i = 0; i < 120; i++)
        lines.push_back(kLines[random(sizeof(kLines) / sizeof(kLines[0]))]);
    auto join = [&lines]() {
        std::string text;
        for (const std::string& line : lines)
            text += line;
        return text;
    };
    const std::string first = join();
    COutline kept, whole;
    COutlineFile* pKept = ParseText(kept, "kept.lua", first.c_str());
    COutlineFile* pWhole = ParseText(whole, "whole.lua", first.c_str());
    for (int nStep = 0; nStep < 300; nStep++)
    {
        const size_t nEdited = random(lines.size());
        lines[nEdited] = kLines[random(sizeof(kLines) / sizeof(kLines[0]))];
        pKept->m_tokenCache.ForgetFromLine((int)nEdited);
        const std::string text = join();
        CTextLineSource source(text.c_str(), (int)text.size());
        for (int nSearch = 0; nSearch < 4; nSearch++)
        {
            const int nLine = (int)random(lines.size());
            const int nColumn = (int)random(20);
            pWhole->m_tokenCache.Clear();
            const std::string strWholeScope = Describe(whole.FindScopeAt(nLine, nColumn, source, pWhole));
            pWhole->m_tokenCache.Clear();
            const std::string strWholeMethod = Describe(whole.FindSelfMethod(nLine, nColumn, source, pWhole));
            ASSERT_EQ(Describe(kept.FindScopeAt(nLine, nColumn, source, pKept)), strWholeScope)
                << "step " << nStep << " line " << nLine << "\n" << text;
            ASSERT_EQ(Describe(kept.FindSelfMethod(nLine, nColumn, source, pKept)), strWholeMethod)
                << "step " << nStep << " line " << nLine << "\n" << text;
            // The kept list holds the same tokens, nothing of an edited line twice.
            ASSERT_EQ(pKept->m_tokens.GetCount(), pWhole->m_tokens.GetCount()) << "step " << nStep;
        }
    }
}

TEST(OutlineSearchCache, ASearchAfterAnEditReadsOnlyTheEditedLines)
{
    std::string text = "T = {}\n";
    for (int i = 0; i < 2000; i++)
        text += "function T:M" + std::to_string(i) + "(a)\n  return self.x + a\nend\n";
    text += "function T:Last()\n  self";
    COutline outline;
    COutlineFile* pFile = ParseText(outline, "long.lua", text.c_str());
    CCountingLineSource source(text);
    const int nLast = source.GetLineCount() - 1;
    COutlineFunction* pLast = outline.FindSelfMethod(nLast, 6, source, pFile);
    ASSERT_NE(pLast, nullptr);
    EXPECT_STREQ(pLast->m_strName, "Last");

    // "." typed after "self", and taken back: the line is read again, nothing before it.
    text += ".";
    CCountingLineSource edited(text);
    pFile->m_tokenCache.ForgetFromLine(nLast);
    const int nTokens = pFile->m_tokens.GetCount();
    EXPECT_EQ(outline.FindSelfMethod(nLast, 7, edited, pFile), pLast);
    EXPECT_LE(edited.m_nRead, 1);
    EXPECT_EQ(pFile->m_tokens.GetCount(), nTokens + 1); // the "." and nothing twice
    EXPECT_EQ(outline.FindScopeAt(nLast, 0, edited, pFile), pLast);
    EXPECT_LE(edited.m_nRead, 1);
    // Another source of a different length is read whole.
    CCountingLineSource shorter("T = {}\nfunction T:Last()\n  self");
    EXPECT_EQ(outline.FindSelfMethod(2, 6, shorter, pFile), pLast);
    EXPECT_EQ(shorter.m_nRead, 3);
}
