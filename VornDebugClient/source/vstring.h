// The library's own heap string: one pointer to a private copy, null meaning empty.
#ifndef VORN_DEBUGCLIENT_VSTRING_H
#define VORN_DEBUGCLIENT_VSTRING_H

#include <cstddef>

class String
{
public:
    enum { FORMAT_BUFFER_SIZE = 4096 };

    String() : m_pText(nullptr) {}
    String(const char* text);
    String(const String& other);
    ~String();

    String& operator=(const String& other) { Assign(other); return *this; }
    String& operator=(const char* text) { Assign(text); return *this; }

    bool Assign(const char* text);
    bool Assign(const char* text, size_t length);
    bool Assign(const String& other) { return &other == this ? true : Assign(other.GetText()); }

    const char* GetText() const { return m_pText ? m_pText : ""; }
    size_t Length() const;
    bool IsEmpty() const { return Length() == 0; }

    int Compare(const char* text) const;
    int CompareNoCase(const String& other) const;
    void ToLower();

    bool Append(const char* text);
    bool Append(const String& other) { return Append(other.GetText()); }

    // Text longer than the 4095 characters of the format buffer is cut.
    bool Format(const char* format, ...);

private:
    char* m_pText;
};

#endif
