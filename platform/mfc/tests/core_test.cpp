#include "afxtest.h"

// A small class tree with every kind of run-time class information.
class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape
{
    DECLARE_DYNCREATE(CCircle)
public:
    int m_nRadius = 7;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CSquare : public CShape
{
    DECLARE_SERIAL(CSquare)
};
IMPLEMENT_SERIAL(CSquare, CShape, 3)

TEST(RuntimeClass, NamesAndHierarchy)
{
    CCircle circle;
    EXPECT_STREQ("CCircle", circle.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_TRUE(RUNTIME_CLASS(CSquare)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CCircle)));
    EXPECT_FALSE(circle.IsSerializable());
    EXPECT_EQ(3u, RUNTIME_CLASS(CSquare)->m_wSchema);
}

TEST(RuntimeClass, DynamicCreation)
{
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
    CObject* pOb = RUNTIME_CLASS(CCircle)->CreateObject();
    ASSERT_NE(nullptr, pOb);
    EXPECT_TRUE(pOb->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(7, static_cast<CCircle*>(pOb)->m_nRadius);
    delete pOb;

    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName("CSquare"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
    pOb = CRuntimeClass::CreateObject("CCircle");
    ASSERT_NE(nullptr, pOb);
    EXPECT_EQ(RUNTIME_CLASS(CCircle), pOb->GetRuntimeClass());

    EXPECT_EQ(pOb, DYNAMIC_DOWNCAST(CShape, pOb));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquare, pOb));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquare, (CObject*)NULL));
    delete pOb;
}

TEST(Exceptions, ThrownByPointerAndCaughtAsBase)
{
    EXPECT_AFX_THROW(AfxThrowInvalidArgException(), CInvalidArgException);
    EXPECT_AFX_THROW(AfxThrowNotSupportedException(), CNotSupportedException);
    EXPECT_AFX_THROW(AfxThrowResourceException(), CResourceException);
    EXPECT_AFX_THROW(AfxThrowMemoryException(), CMemoryException);
    EXPECT_EQ(CFileException::diskFull,
              CauseOf<CFileException>([] { AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, "x"); }));
    EXPECT_EQ(CArchiveException::badSchema,
              CauseOf<CArchiveException>([] { AfxThrowArchiveException(CArchiveException::badSchema); }));
}

TEST(Exceptions, MemoryExceptionIsStaticAndSurvivesDelete)
{
    CException* e1 = CatchAfx([] { AfxThrowMemoryException(); });
    CException* e2 = CatchAfx([] { AfxThrowMemoryException(); });
    ASSERT_NE(nullptr, e1);
    EXPECT_EQ(e1, e2);
    EXPECT_FALSE(e1->m_bAutoDelete);
    e1->Delete();
    e2->Delete();
    char sz[64];
    EXPECT_TRUE(e1->GetErrorMessage(sz, sizeof(sz)));
    EXPECT_STREQ("Out of memory.", sz);
}

TEST(Exceptions, MessagesNameTheFileAndFitTheBuffer)
{
    CFileException e(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "C:\\data\\a.vpr");
    char sz[256];
    UINT nHelp = 99;
    ASSERT_TRUE(e.GetErrorMessage(sz, sizeof(sz), &nHelp));
    EXPECT_STREQ("C:\\data\\a.vpr was not found.", sz);
    EXPECT_EQ(0u, nHelp);
    char szSmall[5];
    ASSERT_TRUE(e.GetErrorMessage(szSmall, sizeof(szSmall)));
    EXPECT_STREQ("C:\\d", szSmall);

    EXPECT_EQ(CFileException::fileNotFound, CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CFileException::genericException, CFileException::OsErrorToException(12345));
}

TEST(Geometry, PointSizeRectOperators)
{
    CPoint pt(3, 4);
    CSize sz(10, 20);
    EXPECT_EQ(CPoint(13, 24), pt + sz);
    EXPECT_EQ(CSize(-7, -16), pt - CPoint(10, 20));
    EXPECT_EQ(CPoint(-3, -4), -pt);
    pt += CSize(1, 1);
    EXPECT_EQ(CPoint(4, 5), pt);
    EXPECT_EQ(CPoint(-5, 7), CPoint((LPARAM)MAKELONG(-5, 7)));

    CRect rc(10, 20, 110, 70);
    EXPECT_EQ(100, rc.Width());
    EXPECT_EQ(50, rc.Height());
    EXPECT_EQ(CSize(100, 50), rc.Size());
    EXPECT_EQ(CPoint(60, 45), rc.CenterPoint());
    EXPECT_TRUE(rc.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rc.PtInRect(CPoint(110, 70)));
    rc.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(CRect(0, 0, 110, 70), rc);

    CRect moved = rc + CPoint(5, 5);
    EXPECT_EQ(CRect(5, 5, 115, 75), moved);
    EXPECT_EQ(CRect(5, 5, 110, 70), rc & moved);
    EXPECT_EQ(CRect(0, 0, 115, 75), rc | moved);
    CRect grown = rc;
    grown.InflateRect(1, 2);
    EXPECT_EQ(CRect(-1, -2, 111, 72), grown);
    grown.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(0, 0, 108, 68), grown);
    CRect flipped(10, 10, 0, 0);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 10, 10), flipped);
    flipped.MoveToXY(100, 200);
    EXPECT_EQ(CRect(100, 200, 110, 210), flipped);
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_EQ(CRect(0, 0, 20, 20), CRect(0, 0, 10, 10).MulDiv(2, 1));

    // Geometry passes wherever the system wants its plain structures.
    RECT raw;
    ::CopyRect(&raw, CRect(1, 2, 3, 4));
    EXPECT_EQ(3, raw.right);
}

TEST(Helpers, ExtractSubString)
{
    CString s;
    EXPECT_TRUE(AfxExtractSubString(s, "File\nOpen a file\nOpen", 1));
    EXPECT_EQ("Open a file", s);
    EXPECT_TRUE(AfxExtractSubString(s, "a,,c", 1, ','));
    EXPECT_EQ("", s);
    EXPECT_TRUE(AfxExtractSubString(s, "a,,c", 2, ','));
    EXPECT_EQ("c", s);
    EXPECT_FALSE(AfxExtractSubString(s, "a,,c", 3, ','));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_FALSE(AfxExtractSubString(s, NULL, 0));
}

TEST(Helpers, FormatStringsAndResourceHandles)
{
    CString s;
    LPCSTR args[] = { "x.lua", "12" };
    AfxFormatStrings(s, "%1 has %2 lines (100%)", args, 2);
    EXPECT_EQ("x.lua has 12 lines (100%)", s);
    // Until an application says otherwise, the program itself holds the resources.
    EXPECT_EQ(::GetModuleHandleA(NULL), AfxGetResourceHandle());
    EXPECT_EQ(::GetModuleHandleA(NULL), AfxGetInstanceHandle());
    EXPECT_EQ(nullptr, AfxGetApp());
}
