// Packet buffer, message encoding, path normalisation and the worker's queue rules.
#include "event.h"
#include "packetbuffer.h"
#include "pathutil.h"
#include "thread.h"
#include "wiremessage.h"
#include "wireprotocol.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PacketBuffer, WritesAreRefusedPastTheCapacity)
{
    PacketBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(Wire::DATAGRAM_SIZE));
    ASSERT_NE(buffer.Reserve(2000), nullptr);
    EXPECT_EQ(buffer.Reserve(49), nullptr);   // 2049 bytes
    EXPECT_EQ(buffer.GetLength(), 2000);
    EXPECT_NE(buffer.Reserve(48), nullptr);
    EXPECT_FALSE(buffer.WriteByte(1));
    EXPECT_FALSE(buffer.WriteString(""));
}

TEST(PacketBuffer, ReadsPastTheEndGiveMinusOneAndEmptyStrings)
{
    PacketBuffer buffer;
    buffer.Allocate(16);
    buffer.WriteInt32(0x11223344);
    buffer.WriteByte(0x80);
    buffer.WriteBytes("ab", 2);   // 3 bytes left for the next int32
    buffer.Rewind();
    EXPECT_EQ(buffer.ReadInt32(), 0x11223344);
    EXPECT_EQ(buffer.GetData()[0], 0x44);   // little-endian
    EXPECT_EQ(buffer.ReadInt32(), -1);
    EXPECT_EQ(buffer.GetReadPos(), 8);
    EXPECT_STREQ(buffer.ReadString(), "");
    EXPECT_EQ(buffer.ReadByte(), -1);

    buffer.Rewind();
    buffer.ReadInt32();
    EXPECT_EQ(buffer.ReadByte(), -128);   // bytes are signed
}

TEST(PacketBuffer, ByteFFEndsAStringOnReadAndIsReplacedOnWrite)
{
    PacketBuffer buffer;
    buffer.Allocate(64);
    const unsigned char raw[] = {'a', 'b', 0xFF, 7, 0, 0, 0};
    buffer.WriteBytes(raw, sizeof(raw));
    buffer.Rewind();
    EXPECT_STREQ(buffer.ReadString(), "ab");
    EXPECT_EQ(buffer.ReadInt32(), 7) << "the next field starts after the 0xFF";

    buffer.Clear();
    buffer.WriteString("x\xFFy");
    buffer.WriteInt32(9);
    buffer.Rewind();
    EXPECT_STREQ(buffer.ReadString(), "x?y");
    EXPECT_EQ(buffer.ReadInt32(), 9);
}

TEST(PacketBuffer, ReadStringStopsAfter2047Characters)
{
    PacketBuffer buffer;
    buffer.Allocate(Wire::DATAGRAM_SIZE);
    std::string text(2047, 'z');
    unsigned char* place = buffer.Reserve(Wire::DATAGRAM_SIZE);
    std::memset(place, 'z', Wire::DATAGRAM_SIZE);
    buffer.Rewind();
    EXPECT_EQ(std::string(buffer.ReadString()), text);
    EXPECT_EQ(buffer.GetReadPos(), 2047);
}

TEST(WireMessage, LongStringsAreCutSoTheWholeMessageFits)
{
    PacketBuffer buffer;
    buffer.Allocate(Wire::DATAGRAM_SIZE);
    std::string longText(3000, 'o');
    ASSERT_TRUE(WireMessage(Wire::CLT_OUTPUT).Str(longText.c_str()).WriteTo(buffer));
    EXPECT_EQ(buffer.GetLength(), Wire::DATAGRAM_SIZE);
    buffer.Rewind();
    EXPECT_EQ(buffer.ReadInt32(), Wire::CLT_OUTPUT);
    EXPECT_EQ(std::string(buffer.ReadString()).size(), size_t(Wire::MAX_OUTPUT_CHUNK));

    // A watch item: the long expression and value give way, the type name and ids stay.
    buffer.Clear();
    std::string expression(1500, 'e');
    std::string value(1500, 'v');
    ASSERT_TRUE(WireMessage(Wire::CLT_WATCH_ITEM)
                    .Str(expression.c_str())
                    .Str(value.c_str())
                    .Str("Number")
                    .Int(-2)
                    .Int(-2)
                    .WriteTo(buffer));
    EXPECT_LE(buffer.GetLength(), Wire::DATAGRAM_SIZE);
    buffer.Rewind();
    EXPECT_EQ(buffer.ReadInt32(), Wire::CLT_WATCH_ITEM);
    size_t e = std::string(buffer.ReadString()).size();
    size_t v = std::string(buffer.ReadString()).size();
    EXPECT_STREQ(buffer.ReadString(), "Number");
    EXPECT_EQ(buffer.ReadInt32(), -2);
    EXPECT_EQ(buffer.ReadInt32(), -2);
    EXPECT_EQ(buffer.GetReadPos(), buffer.GetLength());
    EXPECT_GT(e, 900u);
    EXPECT_GT(v, 900u);
}

TEST(WireMessage, NothingIsWrittenWhenTheFixedFieldsDoNotFit)
{
    PacketBuffer buffer;
    buffer.Allocate(Wire::DATAGRAM_SIZE);
    buffer.Reserve(Wire::DATAGRAM_SIZE - 10);
    EXPECT_FALSE(WireMessage(Wire::CLT_DATA).Int(1).Str("f").Int(3).Str("").Str("").Str("").WriteTo(buffer));
    EXPECT_EQ(buffer.GetLength(), Wire::DATAGRAM_SIZE - 10);
    EXPECT_TRUE(WireMessage(Wire::CLT_BREAK).Str("file.lua").Int(3).WriteTo(buffer));
    EXPECT_EQ(buffer.GetLength(), Wire::DATAGRAM_SIZE);   // cut to "f" + NUL
}

std::string Normalize(const char* base, const char* name)
{
    char out[PATH_BUFFER_SIZE];
    return NormalizePath(base, name, out, sizeof(out)) ? std::string(out) : std::string("<refused>");
}

TEST(NormalizePath, CombinesAndResolvesDots)
{
    EXPECT_EQ(Normalize("C:\\proj", "scripts/a.lua"), "C:\\proj\\scripts\\a.lua");
    EXPECT_EQ(Normalize("C:\\proj\\", "./scripts/../scripts/./a.lua"), "C:\\proj\\scripts\\a.lua");
    EXPECT_EQ(Normalize("C:/proj/sub", "../a.lua"), "C:\\proj\\a.lua");
    EXPECT_EQ(Normalize("C:\\proj", "D:\\other\\b.lua"), "D:\\other\\b.lua");
    EXPECT_EQ(Normalize("C:\\proj", "\\top.lua"), "C:\\top.lua");
    EXPECT_EQ(Normalize("C:\\proj", "..\\..\\..\\x.lua"), "C:\\x.lua");
    EXPECT_EQ(Normalize("\\\\server\\share\\dir", "..\\..\\y.lua"), "\\\\server\\share\\y.lua");
    EXPECT_EQ(Normalize("", "scripts//a.lua"), "scripts\\a.lua");
    EXPECT_EQ(Normalize("", "../a.lua"), "..\\a.lua");
    EXPECT_EQ(Normalize(nullptr, nullptr), "");
}

TEST(NormalizePath, ResultsLongerThanAWindowsPathAreRefused)
{
    std::string base = "C:\\" + std::string(240, 'd');
    EXPECT_EQ(Normalize(base.c_str(), "a.lua").size(), base.size() + 6);
    EXPECT_EQ(Normalize(base.c_str(), std::string(30, 'n').c_str()), "<refused>");
    // Too long only before ".." is resolved: what counts is the result.
    std::string climb = std::string(30, 'n') + "\\..\\a.lua";
    EXPECT_EQ(Normalize(base.c_str(), climb.c_str()).size(), base.size() + 6);
    std::string huge(5000, 'h');
    EXPECT_EQ(Normalize(huge.c_str(), "a.lua"), "<refused>");
}

// A thread that takes no commands until released, so the queue can be inspected.
class HeldThread : public Thread
{
public:
    HeldThread() { EnableCommandQueue(); }
    ~HeldThread() override { Release(); Stop(50); }
    int Run() override
    {
        m_release.Wait(INFINITE);
        for (;;)
        {
            int command = WaitCommand(1);
            if (command == COMMAND_EXIT)
                return 0;
            if (command != COMMAND_TIMEOUT)
                m_seen += std::to_string(command) + " ";
        }
    }
    void Release() { m_release.Set(); }
    std::string m_seen;

private:
    Event m_release;
};

TEST(ThreadQueue, EqualCommandsInARowAreQueuedOnce)
{
    HeldThread thread;
    EXPECT_FALSE(thread.PostCommand(24)) << "no thread: the post is dropped";
    ASSERT_TRUE(thread.Start());
    EXPECT_FALSE(thread.Start()) << "a running thread is not started again";
    EXPECT_EQ(thread.GetQueuedCount(), 1);   // the start command
    thread.PostCommand(24);
    thread.PostCommand(12);
    thread.PostCommand(24);
    thread.PostCommand(12);
    EXPECT_EQ(thread.GetQueuedCount(), 5);
    thread.PostCommand(21);
    thread.PostCommand(21);
    EXPECT_EQ(thread.GetQueuedCount(), 6);
    thread.PostCommands(13, 12);
    EXPECT_EQ(thread.GetQueuedCount(), 8);
    thread.Release();
    DWORD code = 0;
    EXPECT_EQ(thread.Stop(50, &code), 1);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(thread.m_seen, "2 24 12 24 12 21 13 12 ") << "first in, first out";
    EXPECT_EQ(thread.Stop(-1), 1) << "an ended thread stops at once";
}

} // namespace
