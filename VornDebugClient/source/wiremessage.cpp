#include "wiremessage.h"

#include "packetbuffer.h"

#include <cstring>

WireMessage::WireMessage(int id) : m_nFields(0), m_bOverflow(false)
{
    Int(id);
}

WireMessage& WireMessage::Push(const Field& field)
{
    if (m_nFields < MAX_FIELDS)
        m_Fields[m_nFields++] = field;
    else
        m_bOverflow = true;
    return *this;
}

WireMessage& WireMessage::Int(int value)
{
    return Push(Field{FIELD_INT, value, nullptr, 0});
}

WireMessage& WireMessage::Byte(int value)
{
    return Push(Field{FIELD_BYTE, value, nullptr, 0});
}

WireMessage& WireMessage::Str(const char* text)
{
    if (!text)
        text = "";
    return Push(Field{FIELD_STRING, 0, text, std::strlen(text)});
}

int WireMessage::FullSize() const
{
    int size = 0;
    for (int i = 0; i < m_nFields; ++i)
    {
        const Field& f = m_Fields[i];
        size += f.type == FIELD_INT ? 4 : f.type == FIELD_BYTE ? 1 : int(f.length) + 1;
    }
    return size;
}

// Shortens the longest strings first, so short fields such as a type name survive
// intact while a long value text gives up what the datagram cannot hold.
void WireMessage::CutToFit(size_t* lengths, int count, size_t excess)
{
    while (excess > 0)
    {
        int longest = -1;
        for (int i = 0; i < count; ++i)
            if (lengths[i] > 0 && (longest < 0 || lengths[i] > lengths[longest]))
                longest = i;
        if (longest < 0)
            return;
        size_t second = 0;
        for (int i = 0; i < count; ++i)
            if (i != longest && lengths[i] > second && lengths[i] <= lengths[longest])
                second = lengths[i];
        size_t room = lengths[longest] - second;
        size_t cut = room == 0 ? 1 : (room < excess ? room : excess);
        lengths[longest] -= cut;
        excess -= cut;
    }
}

bool WireMessage::WriteTo(PacketBuffer& buffer) const
{
    if (m_bOverflow)
        return false;

    size_t lengths[MAX_FIELDS];
    int strings = 0;
    for (int i = 0; i < m_nFields; ++i)
        if (m_Fields[i].type == FIELD_STRING)
            lengths[strings++] = m_Fields[i].length;

    int room = buffer.GetFree();
    int size = FullSize();
    if (size > room)
    {
        int fixedSize = size;
        for (int s = 0; s < strings; ++s)
            fixedSize -= int(lengths[s]);
        if (fixedSize > room)
            return false;
        CutToFit(lengths, strings, size_t(size - room));
    }

    int s = 0;
    for (int i = 0; i < m_nFields; ++i)
    {
        const Field& f = m_Fields[i];
        switch (f.type)
        {
        case FIELD_INT:
            buffer.WriteInt32(f.value);
            break;
        case FIELD_BYTE:
            buffer.WriteByte(f.value);
            break;
        case FIELD_STRING:
            buffer.WriteString(f.text, lengths[s++]);
            break;
        }
    }
    return true;
}
