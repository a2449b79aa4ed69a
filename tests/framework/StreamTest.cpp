#include "framework/Stream.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace vcl;

TEST(Stream, MemoryStreamReadsWritesAndSeeks) {
    TMemoryStream s;
    s.WriteValue<std::int32_t>(3);
    s.WriteValue<std::uint8_t>(1);
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(s.Memory()[0], 3);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadValue<std::int32_t>(), 3);
    EXPECT_EQ(s.Seek(-1, soEnd), 4);
    unsigned char two[2];
    EXPECT_EQ(s.Read(two, 2), 1); // short read returns what there is
    EXPECT_EQ(s.Seek(-100, soCurrent), 0);
    s.SetPosition(8);
    s.WriteValue<std::uint8_t>(9); // writing past the end fills the gap with zeros
    EXPECT_EQ(s.Size(), 9);
    EXPECT_EQ(s.Memory()[6], 0);
    s.SetPosition(-5);
    EXPECT_EQ(s.Position(), 0);
}

TEST(Stream, ShortReadBufferRaisesStreamReadError) {
    TMemoryStream s;
    s.WriteValue<std::uint16_t>(7);
    s.SetPosition(0);
    try {
        s.ReadValue<std::int32_t>();
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    s.SetPosition(0);
    unsigned char none = 0;
    s.ReadBuffer(&none, 0); // reading nothing never fails
}

TEST(Stream, FileRoundTripAndOpenErrors) {
    TempFolder dir;
    auto path = dir / "s.bin";
    TMemoryStream out;
    const char bytes[] = {'B', 'M', 0, 1, 2};
    out.WriteBuffer(bytes, 5);
    out.SaveToFile(path);
    TMemoryStream in;
    in.LoadFromFile(path);
    EXPECT_EQ(in.Bytes(), out.Bytes());
    EXPECT_EQ(in.Position(), 0);
    {
        TFileStream f(path, fmOpenRead);
        EXPECT_EQ(f.Size(), 5);
        TMemoryStream copy;
        EXPECT_EQ(copy.CopyFrom(f, 0), 5);
        EXPECT_EQ(copy.Bytes(), out.Bytes());
        EXPECT_THROW(copy.CopyFrom(f, 1), EReadError); // f is at its end now
    }
    EXPECT_THROW(TFileStream(dir / "none", fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(dir / "x/y", fmCreate), EFCreateError);
}
