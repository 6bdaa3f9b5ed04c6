#include "vstring.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

String::String(const char* text) : m_pText(nullptr)
{
    Assign(text);
}

String::String(const String& other) : m_pText(nullptr)
{
    Assign(other.GetText());
}

String::~String()
{
    delete[] m_pText;
}

bool String::Assign(const char* text)
{
    return Assign(text, text ? std::strlen(text) : 0);
}

bool String::Assign(const char* text, size_t length)
{
    char* copy = nullptr;
    if (text && length > 0)
    {
        copy = new (std::nothrow) char[length + 1];
        if (!copy)
            return false;
        std::memcpy(copy, text, length);
        copy[length] = '\0';
    }
    delete[] m_pText;
    m_pText = copy;
    return true;
}

size_t String::Length() const
{
    return m_pText ? std::strlen(m_pText) : 0;
}

int String::Compare(const char* text) const
{
    if (!text)
        return 0;
    return std::strcmp(GetText(), text);
}

int String::CompareNoCase(const String& other) const
{
    if (other.IsEmpty())
        return 0;
    return _stricmp(GetText(), other.GetText());
}

void String::ToLower()
{
    if (!m_pText)
        return;
    for (char* p = m_pText; *p; ++p)
        *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
}

bool String::Append(const char* text)
{
    if (!text || !*text)
        return true;
    size_t oldLength = Length();
    size_t addLength = std::strlen(text);
    char* joined = new (std::nothrow) char[oldLength + addLength + 1];
    if (!joined)
        return false;
    std::memcpy(joined, GetText(), oldLength);
    std::memcpy(joined + oldLength, text, addLength + 1);
    delete[] m_pText;
    m_pText = joined;
    return true;
}

bool String::Format(const char* format, ...)
{
    char buffer[FORMAT_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (written < 0)
        buffer[0] = '\0';
    buffer[sizeof(buffer) - 1] = '\0';
    return Assign(buffer);
}
