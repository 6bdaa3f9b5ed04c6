// Builds one outgoing message and writes it whole or not at all. When the strings
// do not fit the room left in the datagram, the longest ones are cut until the
// message fits, so no field is ever dropped or shifted.
#ifndef VORN_DEBUGCLIENT_WIREMESSAGE_H
#define VORN_DEBUGCLIENT_WIREMESSAGE_H

#include <cstddef>

class PacketBuffer;

class WireMessage
{
public:
    enum { MAX_FIELDS = 12 };

    explicit WireMessage(int id);

    WireMessage& Int(int value);
    WireMessage& Byte(int value);
    WireMessage& Str(const char* text);

    int FullSize() const;
    // False (and nothing written) when even the fields without any text do not fit.
    bool WriteTo(PacketBuffer& buffer) const;

private:
    enum FieldType { FIELD_INT, FIELD_BYTE, FIELD_STRING };
    struct Field
    {
        FieldType type;
        int value;
        const char* text;
        size_t length;
    };

    WireMessage& Push(const Field& field);
    static void CutToFit(size_t* lengths, int count, size_t excess);

    Field m_Fields[MAX_FIELDS];
    int m_nFields;
    bool m_bOverflow;
};

#endif
