// Lua values as the IDE shows them: a type name and a value text.
#ifndef VORN_DEBUGCLIENT_VALUEFORMATTER_H
#define VORN_DEBUGCLIENT_VALUEFORMATTER_H

#include "luacompat.h"

#include <cstddef>

class ValueFormatter
{
public:
    enum { TEXT_SIZE = 256, HOVER_TEXT_SIZE = 1024 };

    // Type name of the value at index ("Nil", "Number", "C Function", ...).
    static const char* TypeName(lua_State* L, int index);
    // Type name of a kind without the C/Lua function distinction.
    static const char* KindName(int kind);

    // The value text of the value at index, cut to fit text.
    static void ValueText(lua_State* L, int index, char* text, size_t capacity);
    // The text a table key gives as a member name (a thread key gives "").
    static void KeyText(lua_State* L, int index, char* text, size_t capacity);
    // "type name : value text", the value text cut after 64 characters.
    static void Describe(lua_State* L, int index, char* text, size_t capacity);

    // Number text: whole numbers in the 32-bit range without a fraction, else "%g".
    static void NumberText(double value, char* text, size_t capacity);
    static void PointerText(const void* pointer, char* text, size_t capacity);
};

#endif
