// The session's datagram codec: bounds of every read and write.
#include "CPacketBuffer.h"

#include <gtest/gtest.h>
#include <string.h>
#include <string>

namespace
{
void Receive(CPacketBuffer& buffer, const void* pBytes, int nCount)
{
    memcpy(buffer.GetData(), pBytes, nCount);
    buffer.SetLength(nCount);
    buffer.Rewind();
}
}  // namespace

TEST(PacketBuffer, IntsAreLittleEndianAndReadBackWhole)
{
    CPacketBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(CPacketBuffer::DATAGRAM_SIZE));
    EXPECT_TRUE(buffer.WriteInt(0x01020304));
    EXPECT_TRUE(buffer.WriteInt(-2));
    EXPECT_TRUE(buffer.WriteString("ab"));
    EXPECT_TRUE(buffer.WriteString(NULL));
    const BYTE expected[] = { 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b', 0, 0 };
    ASSERT_EQ((int)sizeof(expected), buffer.GetLength());
    EXPECT_EQ(0, memcmp(expected, buffer.GetData(), sizeof(expected)));

    buffer.Rewind();
    EXPECT_EQ(0x01020304, buffer.ReadInt());
    EXPECT_EQ(-2, buffer.ReadInt());
    EXPECT_STREQ("ab", buffer.ReadString());
    EXPECT_STREQ("", buffer.ReadString());
}

TEST(PacketBuffer, ReadsPastTheEndGiveMinusOneAndEmptyStrings)
{
    CPacketBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(CPacketBuffer::DATAGRAM_SIZE));
    // Stale bytes beyond the received length must never be read.
    memset(buffer.GetData(), 'x', CPacketBuffer::DATAGRAM_SIZE);
    const BYTE received[] = { 7, 0, 0 };
    Receive(buffer, received, sizeof(received));
    EXPECT_EQ(-1, buffer.ReadInt());  // three bytes only
    EXPECT_EQ(-1, buffer.ReadByte());
    EXPECT_EQ(-1, buffer.ReadInt());
    EXPECT_STREQ("", buffer.ReadString());

    Receive(buffer, received, sizeof(received));
    EXPECT_EQ(7, buffer.ReadByte());
    EXPECT_EQ(0, buffer.ReadByte());
    EXPECT_EQ(0, buffer.ReadByte());
    EXPECT_EQ(-1, buffer.ReadByte());

    // A string cut off by the end of the data ends there.
    const BYTE unterminated[] = { 'a', 'b', 'c' };
    Receive(buffer, unterminated, sizeof(unterminated));
    EXPECT_STREQ("abc", buffer.ReadString());
    EXPECT_EQ(-1, buffer.ReadInt());
}

TEST(PacketBuffer, AByte255EndsAStringAndTheNextFieldFollowsIt)
{
    CPacketBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(CPacketBuffer::DATAGRAM_SIZE));
    const BYTE received[] = { 'a', 'b', 0xFF, 5, 0, 0, 0, 'c', 0 };
    Receive(buffer, received, sizeof(received));
    EXPECT_STREQ("ab", buffer.ReadString());
    EXPECT_EQ(5, buffer.ReadInt());
    EXPECT_STREQ("c", buffer.ReadString());
}

TEST(PacketBuffer, StringsReadAtMost2047Bytes)
{
    CPacketBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(CPacketBuffer::DATAGRAM_SIZE));
    // A full datagram of letters and no terminator.
    std::string letters(CPacketBuffer::DATAGRAM_SIZE, 'q');
    Receive(buffer, letters.data(), (int)letters.size());
    const std::string first = buffer.ReadString();
    EXPECT_EQ((size_t)CPacketBuffer::MAX_STRING, first.size());
    // The 2048th byte is the next field.
    EXPECT_EQ('q', buffer.ReadByte());
    EXPECT_EQ(-1, buffer.ReadByte());
}

TEST(PacketBuffer, WritesThatDoNotFitWriteNothing)
{
    CPacketBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(10));
    EXPECT_TRUE(buffer.WriteInt(1));
    EXPECT_FALSE(buffer.WriteString("abcdef"));  // 7 bytes into 6
    EXPECT_EQ(4, buffer.GetLength());
    EXPECT_TRUE(buffer.WriteString("abcde"));    // exactly fills
    EXPECT_EQ(10, buffer.GetLength());
    EXPECT_FALSE(buffer.WriteInt(2));
    EXPECT_FALSE(buffer.WriteString(""));
    EXPECT_EQ(10, buffer.GetLength());

    CPacketBuffer none;  // never allocated
    EXPECT_FALSE(none.WriteInt(1));
    EXPECT_EQ(0, none.GetLength());
    EXPECT_EQ(-1, none.ReadInt());
}

TEST(PacketBuffer, AMessageWithARefusedFieldIsTakenBackWhole)
{
    CPacketBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(CPacketBuffer::DATAGRAM_SIZE));
    buffer.StartMessage();
    buffer.WriteInt(4);
    buffer.WriteString("a.lua");
    buffer.WriteInt(3);
    ASSERT_TRUE(buffer.EndMessage());
    const int nKept = buffer.GetLength();

    buffer.StartMessage();
    buffer.WriteInt(4);
    buffer.WriteString(std::string(3000, 'p').c_str());
    buffer.WriteInt(9);  // fits on its own, but the message is already broken
    EXPECT_FALSE(buffer.EndMessage());
    EXPECT_EQ(nKept, buffer.GetLength());

    buffer.Rewind();
    EXPECT_EQ(4, buffer.ReadInt());
    EXPECT_STREQ("a.lua", buffer.ReadString());
    EXPECT_EQ(3, buffer.ReadInt());
    EXPECT_EQ(-1, buffer.ReadInt());
}
