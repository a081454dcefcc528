#include "core/session.h"
#include "program/record_text.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    std::generate(r.name.begin(), r.name.end(), carriable);
    std::generate(r.comment.begin(), r.comment.end(), carriable);
    return r;
}

} // namespace

// Delays in eight hex digits, outputs in 52 characters, texts padded with spaces.
TEST(RecordText, ImagesHoldEveryFieldInHexAndReadBack) {
    ProgramRecord r = defaults();
    r.name.fill('\0');
    std::memcpy(r.name.data(), "Hello", 5);
    r.master_delay = {480, 0xDEADBEEF};
    r.out[0].level = 0xAB;
    std::tie(r.out[5].delay, r.out[5].phase) = std::tuple(131071, 1);
    const QByteArray full = EncodeRecordText(r, RecordImage::Full);
    ASSERT_EQ(full.size(), 1019);
    const std::pair<int, QByteArray> fields[] = {
        {0, "000000FF000000000000"}, {20, "Hello" + QByteArray(16, ' ')},
        {41, QByteArray(256, '.')},  {297, "0001B5"}, // input_mode, sg_wave, pink 181
        {691, "000001E0DEADBEEF"},   {967, "0102"},   // link_mask 0x01, source IN-2
        {1007, "0001FFFF"},          {1015, "0101"}}; // phase inverse, on
    for (const auto& [at, text] : fields)
        EXPECT_EQ(full.mid(at, text.size()), text) << at;
    EXPECT_EQ(EncodeRecordText(r, RecordImage::Upload), full.mid(4));
    EXPECT_EQ(EncodeRecordText(r, RecordImage::Header), full.left(297));

    ProgramRecord back = defaults();
    ASSERT_TRUE(DecodeRecordText(full.left(297) + full.mid(297).toLower(), back));
    r.name.fill(' ');
    std::memcpy(r.name.data(), "Hello", 5);
    EXPECT_EQ(back, r);
}

TEST(RecordText, RoundTripKeepsEveryCarriedByteAndNothingElse) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        ProgramRecord expected = randomRecord(seed), target{};
        target.out[2].display_mask = 0x3F;
        target.out[4].filler = 9;
        ASSERT_TRUE(DecodeRecordText(EncodeRecordText(expected), target));
        for (std::size_t c = 0; c < 6; ++c) {
            expected.out[c].display_mask = c == 2 ? 0x3F : 0;
            expected.out[c].filler = c == 4 ? 9 : 0;
        }
        EXPECT_EQ(target, expected) << "seed " << seed;
    }
}

TEST(RecordText, AnyFaultLeavesTheRecordUntouchedAndNamesTheField) {
    const QByteArray good = EncodeRecordText(randomRecord(3));
    const std::pair<QByteArray, const char*> cases[] = {
        {QByteArray(good).replace(691 + 11, 1, "G"), "master_delay[1]"},
        {QByteArray(good).replace(2, 1, "-"), "empty_flag"}, // strtol would read "-F"
        {good.left(1000), "out[5]"},
    };
    for (const auto& [bytes, field] : cases) {
        ProgramRecord r = defaults();
        const DecodeResult result = DecodeRecordText(bytes, r);
        EXPECT_TRUE(!result && result.error.contains(QLatin1StringView(field)) && r == defaults())
            << result.error.toStdString();
    }
}

TEST(RecordText, TextsNeverCarryFrameStartsOrControlCharacters) {
    ProgramRecord r = defaults();
    std::memcpy(r.name.data(), "Main (L)\x01~\x7f", 11);
    EXPECT_EQ(EncodeRecordText(r, RecordImage::Upload).mid(16, 21),
              "Main .L)..." + QByteArray(10, '.'));
    QByteArray incoming = EncodeRecordText(defaults());
    incoming.replace(20, 6, QByteArray("A(\r\n\x80}", 6));
    ASSERT_TRUE(DecodeRecordText(incoming, r));
    EXPECT_EQ(std::string(r.name.data(), 6), "A....}");
}
