// Test helpers for code that throws the class library's exceptions by pointer.
#pragma once
#include <afx.h>
#include <gtest/gtest.h>

// Runs f; returns the exception it raised (caller deletes) or NULL.
template<class F>
CException* CatchAfx(F f)
{
    try
    {
        f();
    }
    catch (CException* e)
    {
        return e;
    }
    return NULL;
}

// Passes when the statement raises an exception of the given class.
#define EXPECT_AFX_THROW(statement, exception_class)                                        \
    do                                                                                      \
    {                                                                                       \
        CException* e_ = CatchAfx([&] { statement; });                                      \
        EXPECT_TRUE(e_ != NULL && e_->IsKindOf(RUNTIME_CLASS(exception_class)))             \
            << #statement " should raise " #exception_class;                                \
        if (e_ != NULL)                                                                     \
            e_->Delete();                                                                   \
    } while (0)

// The cause of an archive or file exception raised by f, or -1 when none was raised.
template<class E, class F>
int CauseOf(F f)
{
    CException* e = CatchAfx(f);
    if (e == NULL)
        return -1;
    E* pTyped = dynamic_cast<E*>(e);
    int nCause = pTyped != NULL ? pTyped->m_cause : -2;
    e->Delete();
    return nCause;
}
