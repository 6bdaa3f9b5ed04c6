// Resource ids of the editor window tests' own frame and document type.
#pragma once

#define IDR_TEST_MAINFRAME  128
#define IDR_TEST_LUATYPE    129
