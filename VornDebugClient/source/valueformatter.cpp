#include "valueformatter.h"

#include "boundedtext.h"

#include <cstdio>

namespace
{
    // The number kept in the field "tag" of a full userdata's metatable, or 0.
    unsigned UserDataTag(lua_State* L, int index)
    {
        unsigned tag = 0;
        if (!lua_checkstack(L, 2) || !lua_getmetatable(L, index))
            return 0;
        lua_pushstring(L, "tag");
        lua_rawget(L, -2);
        if (lua_type(L, -1) == LUA_TNUMBER)
        {
            double value = lua_tonumber(L, -1);
            if (value >= 0.0 && value <= 4294967295.0)
                tag = unsigned(value);
        }
        lua_pop(L, 2);
        return tag;
    }
}

const char* ValueFormatter::KindName(int kind)
{
    switch (kind)
    {
    case LUA_TNIL: return "Nil";
    case LUA_TBOOLEAN: return "Boolean";
    case LUA_TLIGHTUSERDATA: return "Light User Data";
    case LUA_TNUMBER: return "Number";
    case LUA_TSTRING: return "String";
    case LUA_TTABLE: return "Table";
    case LUA_TFUNCTION: return "Lua Function";
    case LUA_TUSERDATA: return "User Data";
    case LUA_TTHREAD: return "Thread";
    default: return "Nil";
    }
}

const char* ValueFormatter::TypeName(lua_State* L, int index)
{
    int kind = lua_type(L, index);
    if (kind == LUA_TFUNCTION && lua_iscfunction(L, index))
        return "C Function";
    return KindName(kind);
}

void ValueFormatter::NumberText(double value, char* text, size_t capacity)
{
    // The range test comes first: converting a number outside it is undefined.
    if (value >= -2147483648.0 && value <= 2147483647.0 && value == double(long(value)))
    {
        long whole = long(value);
        if (whole < 0)
            std::snprintf(text, capacity, "%ld", whole);
        else
            std::snprintf(text, capacity, "%lu", static_cast<unsigned long>(whole));
    }
    else
    {
        std::snprintf(text, capacity, "%g", value);
    }
}

void ValueFormatter::PointerText(const void* pointer, char* text, size_t capacity)
{
    // The form the platform's "%p" gives on 32 bits: eight upper-case hex digits.
    std::snprintf(text, capacity, "%08lX", static_cast<unsigned long>(reinterpret_cast<size_t>(pointer)));
}

void ValueFormatter::ValueText(lua_State* L, int index, char* text, size_t capacity)
{
    if (!text || capacity == 0)
        return;
    char pointer[32];
    switch (lua_type(L, index))
    {
    case LUA_TBOOLEAN:
        CopyBounded(text, capacity, lua_toboolean(L, index) ? "True" : "False");
        break;
    case LUA_TNUMBER:
        NumberText(lua_tonumber(L, index), text, capacity);
        break;
    case LUA_TSTRING:
    {
        size_t length = 0;
        const char* value = LuaCompat::ToLString(L, index, &length);
        CopyBounded(text, capacity, value);
        break;
    }
    case LUA_TTABLE:
    {
        PointerText(lua_topointer(L, index), pointer, sizeof(pointer));
        size_t count = LuaCompat::TableLength(L, index);
        if (count == 0)
            CopyBounded(text, capacity, pointer);
        else
            std::snprintf(text, capacity, "%s approx %u items)", pointer, unsigned(count));
        break;
    }
    case LUA_TUSERDATA:
        PointerText(lua_topointer(L, index), pointer, sizeof(pointer));
        std::snprintf(text, capacity, "%s (%u)", pointer, UserDataTag(L, index));
        break;
    case LUA_TLIGHTUSERDATA:
        PointerText(lua_touserdata(L, index), text, capacity);
        break;
    case LUA_TFUNCTION:
    case LUA_TTHREAD:
        PointerText(lua_topointer(L, index), text, capacity);
        break;
    default:
        CopyBounded(text, capacity, "nil");
        break;
    }
}

void ValueFormatter::KeyText(lua_State* L, int index, char* text, size_t capacity)
{
    if (lua_type(L, index) == LUA_TTHREAD)
        CopyBounded(text, capacity, "");
    else
        ValueText(L, index, text, capacity);
}

void ValueFormatter::Describe(lua_State* L, int index, char* text, size_t capacity)
{
    char value[HOVER_TEXT_SIZE];
    ValueText(L, index, value, sizeof(value));
    std::snprintf(text, capacity, "%s : %.64s", TypeName(L, index), value);
}
