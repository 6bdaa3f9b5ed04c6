// The project's outlines as Code Navigator items, recorded without a window: which
// nodes show where and in which order, what each item carries, and which items must be
// filled again when a file loses nodes.
#include "ProjectTestFakes.h"

#include "COutline.h"
#include "CProjectOutline.h"
#include "CPtrArrayHolder.h"

#include <algorithm>
#include <map>

namespace
{
// A tree of its own: each item is a number; every insert is kept with its parent,
// image, text and data.
class CRecordingNavigator : public INavigatorItems
{
public:
    struct CItem
    {
        int nParent;
        int nImage;
        std::string text;
        const void* pData;
    };
    std::map<int, CItem> m_items;
    int m_nNext = 1000;
    int m_nRefuseImage = -1; // inserts of this image make no item

    HTREEITEM Insert(HTREEITEM hParent, int nImage, const std::string& text, const void* pData)
    {
        if (nImage == m_nRefuseImage)
            return NULL;
        const int nItem = m_nNext++;
        m_items[nItem] = { (int)(INT_PTR)hParent, nImage, text, pData };
        return reinterpret_cast<HTREEITEM>((INT_PTR)nItem);
    }
    virtual HTREEITEM InsertNavigatorGlobals(HTREEITEM h) { return Insert(h, 6, "Global Variables", NULL); }
    virtual HTREEITEM InsertNavigatorLocals(HTREEITEM h, COutlineNode* p) { return Insert(h, 7, "Local Variables", p); }
    virtual HTREEITEM InsertNavigatorAliases(HTREEITEM h) { return Insert(h, 8, "Alias Functions and Variables", NULL); }
    virtual HTREEITEM InsertNavigatorItemImage2(LPCTSTR s, HTREEITEM h, COutlineNode* p) { return Insert(h, 2, s, p); }
    virtual HTREEITEM InsertNavigatorItemImage3(LPCTSTR s, HTREEITEM h, COutlineNode* p) { return Insert(h, 3, s, p); }
    virtual HTREEITEM InsertNavigatorItemImage4(LPCTSTR s, HTREEITEM h, COutlineNode* p) { return Insert(h, 4, s, p); }
    virtual HTREEITEM InsertNavigatorItemImage5(LPCTSTR s, HTREEITEM h, COutlineNode* p) { return Insert(h, 5, s, p); }
    virtual HTREEITEM InsertNavigatorItemImage9(LPCTSTR s, HTREEITEM h, CPtrArrayHolder* p) { return Insert(h, 9, s, p); }
    virtual HTREEITEM InsertNavigatorItemImage10(LPCTSTR s, HTREEITEM h, CPtrArrayHolder* p)
    {
        return Insert(h, 10, s, p);
    }

    // The items under the parent, indented, as "text/image".
    std::string Dump(int nParent, int nDepth = 0) const
    {
        std::string text;
        for (const auto& item : m_items)
        {
            if (item.second.nParent != nParent)
                continue;
            text += std::string(2 * nDepth, ' ') + item.second.text + "/" + std::to_string(item.second.nImage) + "\n";
            text += Dump(item.first, nDepth + 1);
        }
        return text;
    }
    std::vector<const void*> DataOf(const std::string& text) const
    {
        std::vector<const void*> data;
        for (const auto& item : m_items)
        {
            if (item.second.text == text)
                data.push_back(item.second.pData);
        }
        return data;
    }
};

const HTREEITEM kFileItem = reinterpret_cast<HTREEITEM>((INT_PTR)7);
} // namespace

class ProjectNavigator : public ProjectFixture
{
protected:
    COutline m_outline;
    CProjectOutline m_outlineService{ m_outline };
    CRecordingNavigator m_navigator;

    void SetUp() override
    {
        ProjectFixture::SetUp();
        m_services.m_pOutline = &m_outlineService;
        m_services.m_pNavigator = &m_navigator;
        m_project.SetServices(m_services);
    }
    CProjectFileEntry* AddParsed(LPCTSTR pszName, const std::string& text)
    {
        CProjectFileEntry* pEntry = AddDiskFile(pszName, text);
        EXPECT_TRUE(m_project.ParseFileOutline(pEntry) != NULL);
        return pEntry;
    }
    std::string Fill(CProjectFileEntry* pEntry)
    {
        m_navigator.m_items.clear();
        m_project.AddFileOutlineToNavigator(pEntry, kFileItem);
        return m_navigator.Dump(7);
    }
};

TEST_F(ProjectNavigator, GroupsComeInOrderEachSortedWithoutRegardToCase)
{
    CProjectFileEntry* pEntry = AddParsed("a.lua", "function Beta() end\n"
                                                   "function alpha()\n"
                                                   "  local function inner() end\n"
                                                   "end\n"
                                                   "zeta = 1\n"
                                                   "Alpha = 2\n"
                                                   "T = {}\n");
    EXPECT_EQ(Fill(pEntry), "Global Variables/6\n"
                            "  Alpha/4\n"
                            "  zeta/4\n"
                            "T/2\n"
                            "alpha()/3\n"
                            "  inner()/3\n"
                            "Beta()/3\n");

    // No globals: the tables come straight under the file's item.
    CProjectFileEntry* pTables = AddParsed("b.lua", "B = {}\nfunction B.f() end\n");
    EXPECT_EQ(Fill(pTables), "B/2\n"
                             "  f()/3\n");
}

TEST_F(ProjectNavigator, EveryNodeShowsAsItselfNeverAsAnotherOfItsName)
{
    CProjectFileEntry* pEntry = AddParsed("a.lua", "function one()\n"
                                                   "  local t = {}\n"
                                                   "  return t\n"
                                                   "end\n"
                                                   "function two()\n"
                                                   "  local t = {}\n"
                                                   "  return t\n"
                                                   "end\n");
    Fill(pEntry);
    const std::vector<const void*> tables = m_navigator.DataOf("t");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_NE(tables[0], tables[1]);
    EXPECT_EQ(static_cast<const COutlineNode*>(tables[0])->m_nLine, 1);
    EXPECT_EQ(static_cast<const COutlineNode*>(tables[1])->m_nLine, 5);

    // A method and a plain function of one name: each under its own parent.
    CProjectFileEntry* pMethods = AddParsed("b.lua", "function tick() end\n"
                                                     "P = {}\n"
                                                     "function P:tick(dt) end\n");
    EXPECT_EQ(Fill(pMethods), "P/2\n"
                              "  tick(dt)/3\n"
                              "tick()/3\n");
    const std::vector<const void*> ticks = m_navigator.DataOf("tick()");
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_TRUE(static_cast<const COutlineNode*>(ticks[0])->m_pParentTable == NULL);

    // The method first: the plain function and the global after it still show.
    CProjectFileEntry* pMethodFirst = AddParsed("c.lua", "P = {}\n"
                                                         "P.speed = 1\n"
                                                         "function P:tick(dt) end\n"
                                                         "function tick() end\n"
                                                         "speed = 2\n");
    EXPECT_EQ(Fill(pMethodFirst), "Global Variables/6\n"
                                  "  speed/4\n"
                                  "P/2\n"
                                  "  tick(dt)/3\n"
                                  "  speed/4\n"
                                  "tick()/3\n");
}

TEST_F(ProjectNavigator, AliasesCarryTheirRecordsAndLocalsTheirFunction)
{
    CProjectFileEntry* pEntry = AddParsed("a.lua", "function Make()\n"
                                                   "  local obj = {}\n"
                                                   "  local n = 0\n"
                                                   "  function obj.run() end\n"
                                                   "  obj.size = 1\n"
                                                   "  return obj\n"
                                                   "end\n");
    EXPECT_EQ(Fill(pEntry), "obj/2\n"
                            "  run()/3\n"
                            "  size/4\n"
                            "Make()/3\n"
                            "  Alias Functions and Variables/8\n"
                            "    obj.run()/9\n"
                            "    obj.size/10\n"
                            "  Local Variables/7\n"
                            "    n/4\n");
    const COutlineFunction* pMake = m_outline.FindFunction("Make");
    ASSERT_TRUE(pMake != NULL);
    EXPECT_EQ(m_navigator.DataOf("Local Variables"), (std::vector<const void*>{ pMake }));
    const CPtrArrayHolder* pRun = static_cast<const CPtrArrayHolder*>(m_navigator.DataOf("obj.run()")[0]);
    EXPECT_EQ(pRun, pMake->FindOwnerRecord(m_outline.FindFunction("run")));

    // An item that could not be made gets no children (they would land at the root).
    m_navigator.m_nRefuseImage = 3;
    EXPECT_EQ(Fill(pEntry), "obj/2\n"
                            "  size/4\n");
}

TEST_F(ProjectNavigator, ItemsShowingAnotherFilesNodesAreRefilledWhenThatFileGoes)
{
    CProjectFileEntry* pMaker = AddParsed("maker.lua", "function NewBase()\n"
                                                       "  local base = {}\n"
                                                       "  function base.go() end\n"
                                                       "  return base\n"
                                                       "end\n");
    CProjectFileEntry* pUser = AddParsed("user.lua", "local thing = {}\n"
                                                     "thing = NewBase()\n");
    CProjectFileEntry* pAlone = AddParsed("alone.lua", "x = 1\n");
    m_outline.LinkConstructedTables();
    EXPECT_EQ(Fill(pUser), "Global Variables/6\n"
                           "  thing/4\n"
                           "thing/2\n"
                           "  base/5\n"
                           "    go()/3\n");
    Fill(pAlone);
    Fill(pMaker);
    EXPECT_EQ(m_project.GetNavigatorEntriesShowing(pMaker->GetOutlineFile()),
              (std::vector<CProjectFileEntry*>{ pUser }));
    EXPECT_TRUE(m_project.GetNavigatorEntriesShowing(pUser->GetOutlineFile()).empty());

    // maker.lua goes: user.lua's item is filled again once its nodes are gone.
    m_host.m_events.clear();
    m_project.RemoveFile(pMaker, TRUE);
    EXPECT_EQ(m_host.m_events, (std::vector<std::string>{ "delete item maker.lua", "refill user.lua" }));
    EXPECT_EQ(Fill(pUser), "Global Variables/6\n"
                           "  thing/4\n"
                           "thing/2\n");

    // A refill forgets what the item showed before.
    CProjectFileEntry* pMaker2 = AddParsed("maker2.lua", "function NewBase()\n"
                                                         "  local base = {}\n"
                                                         "  return base\n"
                                                         "end\n");
    m_outline.LinkConstructedTables();
    Fill(pUser);
    EXPECT_EQ(m_project.GetNavigatorEntriesShowing(pMaker2->GetOutlineFile()),
              (std::vector<CProjectFileEntry*>{ pUser }));
    pUser->GetOutlineFile()->GetTable(0)->SetBaseTable(NULL);
    Fill(pUser);
    EXPECT_TRUE(m_project.GetNavigatorEntriesShowing(pMaker2->GetOutlineFile()).empty());
}
