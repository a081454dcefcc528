#include "core/session.h"
#include "program/record_text.h"

#include <gtest/gtest.h>

#include <random>

using namespace mqx;

namespace {

ProgramRecord defaults() {
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    return r;
}

// A record with every byte random and texts of characters that may travel.
ProgramRecord randomRecord(unsigned seed) {
    std::mt19937 rng(seed);
    ProgramRecord r{};
    for (int i = 0; i < kRecordSize; ++i)
        r.bytes()[i] = static_cast<std::uint8_t>(rng());
    const auto carriable = [&rng] {
        const char c = static_cast<char>(' ' + rng() % 94); // 32..125
        return c == '(' ? '[' : c;
    };
    for (char& c : r.name)
        c = carriable();
    for (char& c : r.comment)
        c = carriable();
    return r;
}

} // namespace

TEST(RecordText, FreshRecordImages) {
    const ProgramRecord r = defaults();
    const QByteArray full = EncodeRecordText(r, RecordImage::Full);
    ASSERT_EQ(full.size(), 1019);
    EXPECT_EQ(full.left(20), "0000"
                             "00FF"
                             "000000000000");
    EXPECT_EQ(full.mid(20, 21), QByteArray(21, '.'));
    EXPECT_EQ(full.mid(41, 256), QByteArray(256, '.'));
    // the input block starts right after the comment: input_mode 00, sg_wave 01, pink 181 = B5
    EXPECT_EQ(full.mid(297, 6), "0001B5");

    const QByteArray upload = EncodeRecordText(r, RecordImage::Upload);
    ASSERT_EQ(upload.size(), 1015);
    EXPECT_EQ(upload, full.mid(4));
    EXPECT_EQ(upload.left(16), "00FF000000000000");
    EXPECT_EQ(upload.mid(16, 21), QByteArray(21, '.'));

    EXPECT_EQ(EncodeRecordText(r, RecordImage::Header), full.left(297));
}

TEST(RecordText, DelaysAreEightHexDigitsAndOutputsFiftyTwoCharacters) {
    ProgramRecord r = defaults();
    r.master_delay[0] = 480;
    r.out[5].delay = 131071;
    r.out[5].phase = 1;
    const QByteArray full = EncodeRecordText(r);
    EXPECT_EQ(full.mid(297 + 394, 8), "000001E0");
    const QByteArray lastOutput = full.right(52);
    EXPECT_EQ(lastOutput.left(4), "0102"); // link_mask 0x01, source IN-2
    EXPECT_EQ(lastOutput.mid(40, 8), "0001FFFF");
    EXPECT_EQ(lastOutput.right(4), "0101"); // phase inverse, on
}

TEST(RecordText, ShortTextsArePaddedWithSpacesAndReadBackAsSpaces) {
    ProgramRecord r = defaults();
    r.name.fill('\0');
    std::memcpy(r.name.data(), "Hello", 5);
    const QByteArray full = EncodeRecordText(r);
    EXPECT_EQ(full.mid(20, 21), "Hello" + QByteArray(16, ' '));

    ProgramRecord back = defaults();
    ASSERT_TRUE(DecodeRecordText(full, back));
    EXPECT_EQ(std::string(back.name.begin(), back.name.end()), "Hello" + std::string(16, ' '));
}

TEST(RecordText, RoundTripKeepsEveryCarriedByteAndNothingElse) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const ProgramRecord original = randomRecord(seed);
        ProgramRecord target{};
        target.out[2].display_mask = 0x3F;
        target.out[4].filler = 9;
        ASSERT_TRUE(DecodeRecordText(EncodeRecordText(original), target));
        ProgramRecord expected = original;
        for (std::size_t c = 0; c < 6; ++c) {
            expected.out[c].display_mask = target.out[c].display_mask;
            expected.out[c].filler = target.out[c].filler;
        }
        EXPECT_EQ(target, expected) << "seed " << seed;
        EXPECT_EQ(target.out[2].display_mask, 0x3F);
        EXPECT_EQ(target.out[4].filler, 9);
    }
}

TEST(RecordText, HexIsReadInEitherCase) {
    ProgramRecord r = defaults();
    r.out[0].level = 0xAB;
    r.master_delay[1] = 0xDEADBEEF;
    const QByteArray lower = EncodeRecordText(r).toLower();
    ProgramRecord back = defaults();
    ASSERT_TRUE(DecodeRecordText(lower, back));
    EXPECT_EQ(back.out[0].level, 0xAB);
    EXPECT_EQ(back.master_delay[1], 0xDEADBEEFu);
}

TEST(RecordText, AnyFaultLeavesTheRecordUntouchedAndNamesTheField) {
    const ProgramRecord source = randomRecord(3);
    const QByteArray good = EncodeRecordText(source);
    const ProgramRecord original = defaults();

    QByteArray notHex = good;
    notHex[297 + 394 + 8 + 3] = 'G'; // inside master_delay[1]
    ProgramRecord r = original;
    DecodeResult result = DecodeRecordText(notHex, r);
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.error.contains(QLatin1StringView("master_delay[1]")))
        << result.error.toStdString();
    EXPECT_EQ(r, original);

    QByteArray signedHex = good;
    signedHex[2] = '-'; // strtol would have read "-F" as a number
    r = original;
    EXPECT_FALSE(DecodeRecordText(signedHex, r));
    EXPECT_EQ(r, original);

    r = original;
    result = DecodeRecordText(good.left(1000), r);
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.error.contains(QLatin1StringView("out[5]"))) << result.error.toStdString();
    EXPECT_EQ(r, original);
}

TEST(RecordText, TextsNeverCarryFrameStartsOrControlCharacters) {
    ProgramRecord r = defaults();
    std::memcpy(r.name.data(), "Main (L)\x01~\x7f", 11);
    const QByteArray upload = EncodeRecordText(r, RecordImage::Upload);
    EXPECT_EQ(upload.mid(16, 11), "Main .L)...");
    EXPECT_FALSE(upload.contains('('));

    QByteArray incoming = EncodeRecordText(defaults());
    incoming.replace(20, 6, QByteArray("A(\r\n\x80}", 6));
    ProgramRecord back = defaults();
    ASSERT_TRUE(DecodeRecordText(incoming, back));
    EXPECT_EQ(std::string(back.name.data(), 6), "A....}");
}
