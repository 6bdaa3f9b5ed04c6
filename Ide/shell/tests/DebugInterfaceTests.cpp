// Loading the debug-interface libraries: two stand-ins built beside the tests, one
// with all five entry points and one without ExecuteFile.
#include "DebugInterface.h"

#include <gtest/gtest.h>

namespace
{
const char kComplete[] = "fake_debug_interface.dll";
const char kIncomplete[] = "fake_debug_interface_partial.dll";

int CallsOf(HMODULE hModule)
{
    typedef int(__cdecl * PFN_CALLS)();
    PFN_CALLS pfn = reinterpret_cast<PFN_CALLS>(::GetProcAddress(hModule, "FakeDebugInterfaceCalls"));
    return pfn != NULL ? pfn() : -1;
}

bool NoEntryPoints()
{
    return g_pfnVornDebugIntInitialize == NULL && g_pfnVornDebugIntShutdown == NULL
           && g_pfnVornDebugIntConnect == NULL && g_pfnVornDebugIntDisconnect == NULL
           && g_pfnVornDebugIntExecuteFile == NULL;
}
} // namespace

TEST(DebugInterface, ACompleteLibraryIsBoundAndFreed)
{
    HMODULE hModule = NULL;
    ASSERT_TRUE(LoadDebugInterfaceLibrary(kComplete, hModule));
    ASSERT_TRUE(hModule != NULL);
    g_pfnVornDebugIntInitialize();
    g_pfnVornDebugIntConnect(NULL, 7550);
    g_pfnVornDebugIntExecuteFile("C:\\main.lua");
    g_pfnVornDebugIntDisconnect();
    g_pfnVornDebugIntShutdown();
    EXPECT_EQ(CallsOf(hModule), 7554); // the calls reached the library's own functions

    FreeDebugInterfaceLibrary(hModule);
    EXPECT_TRUE(hModule == NULL);
    EXPECT_TRUE(NoEntryPoints());
    EXPECT_TRUE(::GetModuleHandleA(kComplete) == NULL);
    FreeDebugInterfaceLibrary(hModule); // freeing twice does nothing
}

TEST(DebugInterface, ALibraryWithoutAnEntryPointIsRefusedAndFreed)
{
    HMODULE hModule = NULL;
    EXPECT_FALSE(LoadDebugInterfaceLibrary(kIncomplete, hModule));
    EXPECT_TRUE(hModule == NULL);
    EXPECT_TRUE(NoEntryPoints());
    EXPECT_TRUE(::GetModuleHandleA(kIncomplete) == NULL);
}

TEST(DebugInterface, AMissingLibraryIsRefused)
{
    HMODULE hModule = NULL;
    EXPECT_FALSE(LoadDebugInterfaceLibrary("no_such_debug_interface.dll", hModule));
    EXPECT_TRUE(hModule == NULL);
    EXPECT_TRUE(NoEntryPoints());
}
