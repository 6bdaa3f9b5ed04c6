// The outline model: lookups, adding, removing, qualified names, sorting and bases.
#include "COutline.h"

#include <gtest/gtest.h>

#include <vector>

class OutlineModel : public ::testing::Test
{
protected:
    COutline m_outline;
};

TEST_F(OutlineModel, LookupsFollowTheOrderOfAddingAndCompareExactly)
{
    COutlineFile* pFirst = m_outline.AddFile("Main.lua");
    COutlineFile* pSecond = m_outline.AddFile("util.lua");
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(m_outline.AddFile("main.LUA"), nullptr);
    EXPECT_EQ(m_outline.AddFile(""), nullptr);

    COutlineFunction* pLater = m_outline.AddFunction("Init", 0, NULL, pSecond);
    COutlineFunction* pEarlier = m_outline.AddFunction("Init", 0, NULL, pFirst);
    EXPECT_EQ(m_outline.FindFunction("Init"), pEarlier);
    EXPECT_EQ(m_outline.FindFunction("Init", pSecond), pLater);
    EXPECT_EQ(m_outline.FindFile("main.lua"), pFirst);

    COutlineTable* pPlayer = m_outline.AddTable("Player", NULL, pFirst);
    EXPECT_EQ(m_outline.FindTable("Player"), pPlayer);
    EXPECT_EQ(m_outline.FindTable("player"), nullptr);
    EXPECT_EQ(m_outline.FindTable("Player", pSecond), nullptr);
}

TEST_F(OutlineModel, DuplicatesAndEmptyNamesAreRefused)
{
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineFunction* pScope = m_outline.AddFunction("f", 0, NULL, pFile);
    COutlineTable* pTable = m_outline.AddTable("T", NULL, pFile);
    COutlineVariable* pLocal = m_outline.AddVariable("count", pScope, 1, pFile);
    ASSERT_NE(pLocal, nullptr);
    EXPECT_EQ(m_outline.AddVariable("count", pScope, 1, pFile), nullptr);
    EXPECT_EQ(m_outline.GetVariableCount(), 1);
    EXPECT_NE(m_outline.AddVariable("count", NULL, 0, pFile), nullptr); // another scope

    COutlineVariable* pField = m_outline.AddMemberVariable("x", pTable, NULL, pFile);
    EXPECT_EQ(m_outline.AddMemberVariable("x", pTable, NULL, pFile), nullptr);
    EXPECT_NE(m_outline.AddMemberVariable("x", pTable, pScope, pFile), nullptr); // assigned in f
    EXPECT_EQ(m_outline.FindMemberVariable("x", pTable), pField);
    EXPECT_EQ(pTable->GetFieldCount(), 2);

    EXPECT_EQ(m_outline.AddTable("", NULL, pFile), nullptr);
    EXPECT_EQ(m_outline.AddTable("T", NULL, pFile), nullptr);
    EXPECT_NE(m_outline.AddTable("T", pScope, pFile), nullptr);
    EXPECT_EQ(m_outline.AddMemberFunction("m", NULL, 0, 0, NULL, pFile), nullptr);
    EXPECT_EQ(m_outline.GetTableCount(), 2);
    EXPECT_EQ(m_outline.GetFunctionCount(), 1);
    EXPECT_EQ(m_outline.GetVariableCount(), 4);
}

TEST_F(OutlineModel, ScopedLookupsOfCommonNamesFindTheScopesOwnNode)
{
    // "self" and "new" in forty scopes (lookups search the scope's arrays), and one scope
    // with sixty children and a rare name (they search the nodes of the name).
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineFunction* pGlobalNew = m_outline.AddFunction("new", 0, NULL, pFile);
    std::vector<COutlineFunction*> scopes;
    std::vector<COutlineTable*> tables;
    for (int i = 0; i < 40; i++)
    {
        CString strName;
        strName.Format("Class%d", i);
        tables.push_back(m_outline.AddTable(strName, NULL, pFile));
        scopes.push_back(m_outline.AddMemberFunction("new", tables.back(), 0, 0, NULL, pFile));
        ASSERT_NE(m_outline.AddVariable("self", scopes.back(), 1, pFile), nullptr);
    }
    COutlineFunction* pBig = m_outline.AddFunction("big", 0, NULL, pFile);
    for (int i = 0; i < 60; i++)
    {
        CString strName;
        strName.Format("local%d", i);
        m_outline.AddVariable(strName, pBig, 1, pFile);
    }
    COutlineVariable* pRare = m_outline.AddVariable("self", pBig, 1, pFile);
    ASSERT_NE(pRare, nullptr);

    for (int i = 0; i < 40; i++)
    {
        COutlineVariable* pSelf = m_outline.FindVariableInScope("self", scopes[i], pFile);
        ASSERT_NE(pSelf, nullptr);
        EXPECT_EQ(pSelf->m_pOwner, scopes[i]);
        EXPECT_EQ(m_outline.FindMemberFunctionInScope("new", tables[i], NULL, pFile), scopes[i]);
        EXPECT_EQ(m_outline.AddVariable("self", scopes[i], 1, pFile), nullptr);
        EXPECT_EQ(m_outline.AddMemberFunction("new", tables[i], 0, 0, NULL, pFile), nullptr);
    }
    EXPECT_EQ(m_outline.FindVariableInScope("self", pBig, pFile), pRare);
    EXPECT_EQ(m_outline.FindVariableInScope("local7", pBig, pFile)->m_strName, "local7");
    EXPECT_EQ(m_outline.FindVariableInScope("self", NULL, pFile), nullptr);
    // At file level the plain function comes first, and a member counts in its scope.
    EXPECT_EQ(m_outline.FindFunctionInScope("new", NULL, pFile), pGlobalNew);
    EXPECT_EQ(m_outline.FindFunction("new", pFile), pGlobalNew);
    EXPECT_EQ(m_outline.AddFunction("new", 0, NULL, pFile), nullptr);

    // A scope that is removed leaves its children at file level, where lookups find them.
    m_outline.RemoveFunction(scopes[3], pFile);
    COutlineVariable* pOrphan = m_outline.FindVariableInScope("self", NULL, pFile);
    ASSERT_NE(pOrphan, nullptr);
    EXPECT_EQ(pOrphan->m_pOwner, nullptr);
    EXPECT_EQ(m_outline.FindMemberFunctionInScope("new", tables[3], NULL, pFile), nullptr);
}

TEST_F(OutlineModel, LinksOfChildrenAndMembers)
{
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineFunction* pScope = m_outline.AddFunction("build", 0, NULL, pFile);
    COutlineTable* pTable = m_outline.AddTable("obj", pScope, pFile);
    COutlineFunction* pMember = m_outline.AddMemberFunction("Run", pTable, 1, 0, pScope, pFile);

    EXPECT_EQ(pTable->m_pOwner, pScope);
    EXPECT_EQ(pScope->GetChildCount(), 1); // members are not children
    EXPECT_EQ(pMember->m_pParentTable, pTable);
    EXPECT_EQ(pMember->m_pOwner, pScope);
    EXPECT_EQ(m_outline.FindMemberFunctionInScope("Run", pTable, pScope), pMember);
    EXPECT_EQ(m_outline.FindMemberFunctionInScope("Run", pTable, NULL), nullptr);
    EXPECT_EQ(m_outline.FindTableInScope("obj", pScope), pTable);
    EXPECT_EQ(m_outline.FindTableInScope("obj", NULL), nullptr);
    EXPECT_EQ(COutlineNode::FindChild(pScope->m_children, "obj", OUTLINE_TABLE), pTable);
    EXPECT_EQ(COutlineNode::FindChild(pScope->m_children, "obj", OUTLINE_FUNCTION), nullptr);
    EXPECT_EQ(COutlineNode::FindChild(pScope->m_children, "obj", 0), pTable);
}

TEST_F(OutlineModel, QualifiedNamesAndSignatures)
{
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineTable* pPlayer = m_outline.AddTable("Player", NULL, pFile);
    COutlineFunction* pMove = m_outline.AddMemberFunction("Move", pPlayer, 1, 0, NULL, pFile);
    COutlineFunction* pNew = m_outline.AddMemberFunction("new", pPlayer, 0, 0, NULL, pFile);
    COutlineFunction* pLog = m_outline.AddFunction("log", 0, NULL, pFile);
    pMove->SetParameters("dx,dy");
    pLog->SetParameters("fmt,...");
    pNew->m_strPrefix = "Player";

    EXPECT_EQ(pMove->GetSignature(), "Move(dx, dy)");
    EXPECT_EQ(pMove->GetQualifiedSignature(), "Player:Move(dx, dy)");
    EXPECT_EQ(pMove->GetQualifiedName(), "Player:Move");
    EXPECT_EQ(static_cast<COutlineNode*>(pMove)->GetQualifiedName(), "Player:Move");
    EXPECT_EQ(pNew->GetQualifiedSignature(), "Player Player.new()");
    EXPECT_EQ(pLog->GetQualifiedSignature(), "log(fmt, ...)");
    EXPECT_STREQ(pLog->GetParameters(), "fmt,...");
    COutlineVariable* pField = m_outline.AddMemberVariable("hp", pPlayer, NULL, pFile);
    EXPECT_EQ(pField->GetQualifiedName(), "Player.hp");
    EXPECT_EQ(pPlayer->GetQualifiedName(), "Player");
}

TEST_F(OutlineModel, SortByNameIgnoresCaseThenOrdersByLine)
{
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineVariable* pB = m_outline.AddVariable("b", NULL, 0, pFile);
    COutlineVariable* pUpper = m_outline.AddVariable("A", NULL, 0, pFile);
    COutlineVariable* pLower = m_outline.AddVariable("a", NULL, 0, pFile);
    pB->m_nLine = 3;
    pUpper->m_nLine = 9;
    pLower->m_nLine = 1;
    CPtrArray nodes;
    nodes.Add(pB);
    nodes.Add(pUpper);
    nodes.Add(pLower);
    COutlineNode::SortByName(nodes);
    EXPECT_EQ(nodes[0], pLower);
    EXPECT_EQ(nodes[1], pUpper);
    EXPECT_EQ(nodes[2], pB);
}

TEST_F(OutlineModel, MethodsAreFoundUpTheBaseChain)
{
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineTable* pBase = m_outline.AddTable("Base", NULL, pFile);
    COutlineTable* pMiddle = m_outline.AddTable("Middle", NULL, pFile);
    COutlineTable* pLeaf = m_outline.AddTable("Leaf", NULL, pFile);
    COutlineFunction* pDraw = m_outline.AddMemberFunction("Draw", pBase, 1, 0, NULL, pFile);
    COutlineFunction* pOwnDraw = m_outline.AddMemberFunction("Draw", pMiddle, 1, 0, NULL, pFile);
    COutlineFunction* pSave = m_outline.AddMemberFunction("Save", pBase, 1, 0, NULL, pFile);
    EXPECT_TRUE(m_outline.SetTableBase("Leaf", "Middle", pFile));
    EXPECT_TRUE(m_outline.SetTableBase("Middle", "Base", pFile));
    EXPECT_FALSE(m_outline.SetTableBase("Leaf", "Nothing", pFile));

    EXPECT_EQ(m_outline.FindMethod("Save", pLeaf), pSave);
    EXPECT_EQ(m_outline.FindMethod("Draw", pLeaf), pOwnDraw);
    EXPECT_EQ(m_outline.FindMethod("Draw", pBase), pDraw);
    EXPECT_EQ(m_outline.FindMethod("Load", pLeaf), nullptr);
    EXPECT_EQ(m_outline.FindMethod("Save", NULL), pSave);
}

TEST_F(OutlineModel, BaseCyclesAreRefused)
{
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineTable* pA = m_outline.AddTable("A", NULL, pFile);
    COutlineTable* pB = m_outline.AddTable("B", NULL, pFile);
    COutlineTable* pC = m_outline.AddTable("C", NULL, pFile);
    EXPECT_TRUE(m_outline.SetTableBase("A", "B", pFile));
    EXPECT_FALSE(m_outline.SetTableBase("B", "A", pFile));
    EXPECT_TRUE(m_outline.SetTableBase("B", "C", pFile));
    EXPECT_FALSE(m_outline.SetTableBase("C", "A", pFile));
    EXPECT_FALSE(m_outline.SetTableBase("C", "C", pFile));
    EXPECT_EQ(pA->GetBaseTable(), pB);
    EXPECT_EQ(pB->GetBaseTable(), pC);
    EXPECT_EQ(pC->GetBaseTable(), nullptr);
    EXPECT_EQ(m_outline.FindMethod("Missing", pA), nullptr);

    // A chain longer than any walk follows is refused as well.
    COutlineTable* pPrevious = pC;
    for (int i = 0; i < COutlineTable::MAX_BASE_CHAIN + 5; i++)
    {
        CString strName;
        strName.Format("T%d", i);
        COutlineTable* pNext = m_outline.AddTable(strName, NULL, pFile);
        pNext->SetBaseTable(pPrevious);
        pPrevious = pNext;
    }
    EXPECT_EQ(m_outline.FindMethod("Missing", pPrevious), nullptr);
}

TEST_F(OutlineModel, ConstructorNameKeepsThePreviousOne)
{
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineTable* pTable = m_outline.AddTable("obj", NULL, pFile);
    pTable->SetConstructorName("First");
    pTable->SetConstructorName("Second");
    EXPECT_EQ(pTable->m_strConstructorName, "Second");
    EXPECT_EQ(pTable->m_strPrevConstructorName, "First");
}

TEST_F(OutlineModel, RemovingNodesClearsEveryLinkToThem)
{
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineFunction* pFactory = m_outline.AddFunction("Factory", 0, NULL, pFile);
    COutlineTable* pProto = m_outline.AddTable("proto", pFactory, pFile);
    COutlineFunction* pMethod = m_outline.AddMemberFunction("Run", pProto, 1, 0, pFactory, pFile);
    COutlineVariable* pField = m_outline.AddMemberVariable("speed", pProto, pFactory, pFile);
    pFactory->AddOwnerRecord(pMethod);
    pFactory->AddOwnerRecord(pField);
    pFactory->m_pResultTable = pProto;
    COutlineTable* pObj = m_outline.AddTable("obj", NULL, pFile);
    ASSERT_TRUE(pObj->SetBaseTable(pProto));

    EXPECT_TRUE(m_outline.RemoveVariable(pField));
    EXPECT_EQ(pProto->GetFieldCount(), 0);
    EXPECT_EQ(pFactory->FindOwnerRecord(pField), nullptr);

    EXPECT_TRUE(m_outline.RemoveTable(pProto, pFile));
    EXPECT_EQ(pObj->GetBaseTable(), nullptr);
    EXPECT_EQ(pFactory->m_pResultTable, nullptr);
    EXPECT_EQ(pFactory->GetChildCount(), 0);
    EXPECT_EQ(pMethod->m_pParentTable, nullptr);

    EXPECT_TRUE(m_outline.RemoveFunction(pFactory));
    EXPECT_EQ(pMethod->m_pOwner, nullptr);
    EXPECT_TRUE(m_outline.RemoveFunction(pMethod));
    EXPECT_EQ(m_outline.GetFunctionCount(), 0);
    EXPECT_EQ(m_outline.FindTable("proto"), nullptr);
}

TEST_F(OutlineModel, RemovingAFileLeavesNoReferenceIntoIt)
{
    COutlineFile* pLib = m_outline.AddFile("lib.lua");
    COutlineFile* pApp = m_outline.AddFile("app.lua");
    COutlineTable* pLibTable = m_outline.AddTable("Widget", NULL, pLib);
    COutlineFunction* pLibFunction = m_outline.AddFunction("make", 0, NULL, pLib);

    // References from app.lua into lib.lua of every kind.
    COutlineTable* pAppTable = m_outline.AddTable("button", NULL, pApp);
    ASSERT_TRUE(pAppTable->SetBaseTable(pLibTable));
    COutlineFunction* pForeignMember = m_outline.AddMemberFunction("Click", pLibTable, 1, 0, NULL, pApp);
    COutlineVariable* pScoped = m_outline.AddVariable("tmp", pLibFunction, 1, pApp);
    COutlineFunction* pAppFunction = m_outline.AddFunction("main", 0, NULL, pApp);
    pAppFunction->AddOwnerRecord(pLibTable);
    pAppFunction->m_pResultTable = pLibTable;
    // And from lib.lua into app.lua.
    COutlineVariable* pLibField = m_outline.AddMemberVariable("label", pAppTable, pAppFunction, pLib);

    m_outline.RemoveFile(pLib);
    EXPECT_EQ(m_outline.GetFileCount(), 1);
    EXPECT_EQ(pAppTable->GetBaseTable(), nullptr);
    EXPECT_EQ(pForeignMember->m_pParentTable, nullptr);
    EXPECT_EQ(pScoped->m_pOwner, nullptr);
    EXPECT_EQ(pAppFunction->GetOwnerRecordCount(), 0);
    EXPECT_EQ(pAppFunction->m_pResultTable, nullptr);
    EXPECT_EQ(pAppTable->GetFieldCount(), 0);
    EXPECT_EQ(pAppFunction->m_scopedMembers.GetSize(), 0);
    (void)pLibField;

    // What is left can be removed one by one without touching freed memory.
    EXPECT_TRUE(m_outline.RemoveFunction(pForeignMember));
    m_outline.RemoveFile(pApp);
    EXPECT_EQ(m_outline.GetFileCount(), 0);
}

TEST_F(OutlineModel, LinkConstructedTablesUsesTheConstructorsResultTable)
{
    COutlineFile* pFile = m_outline.AddFile("a.lua");
    COutlineFile* pOther = m_outline.AddFile("b.lua");
    COutlineFunction* pFactory = m_outline.AddFunction("NewThing", 0, NULL, pOther);
    COutlineTable* pResult = m_outline.AddTable("t", pFactory, pOther);
    pFactory->m_pResultTable = pResult;
    COutlineTable* pLocal = m_outline.AddTable("obj", NULL, pFile);
    pLocal->m_nFlag = 1;
    pLocal->SetConstructorName("NewThing");
    COutlineTable* pGlobal = m_outline.AddTable("g", NULL, pFile);
    pGlobal->SetConstructorName("NewThing");
    COutlineTable* pUnknown = m_outline.AddTable("u", NULL, pFile);
    pUnknown->m_nFlag = 1;
    pUnknown->SetConstructorName("Nobody");

    m_outline.LinkConstructedTables();
    EXPECT_EQ(pLocal->GetBaseTable(), pResult);
    EXPECT_EQ(pGlobal->GetBaseTable(), nullptr);
    EXPECT_EQ(pUnknown->GetBaseTable(), nullptr);

    // A constructor that returns the table itself would close a cycle: no base.
    pFactory->m_pResultTable = pLocal;
    m_outline.LinkConstructedTables();
    EXPECT_EQ(pLocal->GetBaseTable(), nullptr);
}

// Thousands of names, several nodes of each, removed in a scattered order: the file's
// name index grows, and after every removal each name still finds its first remaining
// node, and each scope its own.
TEST_F(OutlineModel, ManyNamesStayFindableWhileNodesAreRemoved)
{
    COutlineFile* pFile = m_outline.AddFile("big.lua");
    const int nScopes = 4, nNames = 3000;
    std::vector<COutlineFunction*> scopes;
    for (int s = 0; s < nScopes; s++)
    {
        CString strScope;
        strScope.Format("scope%d", s);
        scopes.push_back(m_outline.AddFunction(strScope, 0, NULL, pFile));
    }
    std::vector<std::vector<COutlineVariable*>> byName(nNames);
    for (int s = 0; s < nScopes; s++)
    {
        for (int n = 0; n < nNames; n++)
        {
            CString strName;
            strName.Format("name%d", n);
            COutlineVariable* pVariable = m_outline.AddVariable(strName, scopes[(size_t)s], 1, pFile);
            ASSERT_NE(pVariable, nullptr);
            byName[(size_t)n].push_back(pVariable);
        }
    }

    int nLeft = nScopes * nNames;
    for (int n = 0; n < nNames; n++)
    {
        std::vector<COutlineVariable*>& nodes = byName[(size_t)n];
        if (n % 5 == 0)
        {
            for (COutlineVariable* pVariable : nodes)
                EXPECT_TRUE(m_outline.RemoveVariable(pVariable, pFile));
            nLeft -= (int)nodes.size();
            nodes.clear();
        }
        else if (n % 3 != 0)
        {
            auto it = nodes.begin() + (n * 7) % nScopes;
            EXPECT_TRUE(m_outline.RemoveVariable(*it, pFile));
            nodes.erase(it);
            nLeft--;
        }
    }

    EXPECT_EQ(pFile->GetVariableCount(), nLeft);
    for (int n = 0; n < nNames; n++)
    {
        CString strName;
        strName.Format("name%d", n);
        const std::vector<COutlineVariable*>& nodes = byName[(size_t)n];
        EXPECT_EQ(pFile->FindVariable(strName), nodes.empty() ? NULL : nodes.front()) << n;
        for (COutlineVariable* pVariable : nodes)
            EXPECT_EQ(pFile->FindVariableInScope(strName, pVariable->m_pOwner), pVariable) << n;
    }
    EXPECT_EQ(pFile->FindVariable("name"), nullptr);
}
