
#include "connection/device_info_procedure.h"
#include "connection/device_info_text.h"
#include "unit_bench.h"

namespace mqx::test {
namespace {

TEST(DeviceInfoText, TypedAndPastedTextKeepsOnlyWhatTheLineCarries) {
    const struct {
        QString typed;
        int caret;
        InfoTextEdit kept;
    } rows[] = {
        {"ab(c", 3, {"abc", 2}},
        {"ab~c", 3, {"abc", 2}},
        {"a}b)", 4, {"a}b)", 4}}, // '}' (125) and ')' travel
        {"x\ny\tz\u00e9", 6, {"xyz", 3}},
        {"(ab", 0, {"ab", 0}}, // a character after the caret does not move it
        {QString(300, u'k'), 300, {QString(256, u'k'), 256}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FilterInfoText(row.typed, row.caret), row.kept) << row.typed.toStdString();
    EXPECT_EQ(PadDeviceInfoText(QStringLiteral("Stage")), "Stage" + QByteArray(251, '.'));
    EXPECT_EQ(PadDeviceInfoText(QString(260, u'a')), QByteArray(256, 'a'));
    EXPECT_EQ(PadDeviceInfoText(QStringLiteral("a(b")), "ab" + QByteArray(254, '.'));
}

class DeviceInfoTest : public UnitBench {
protected:
    void SetUp() override {
        UnitBench::SetUp();
        session.DeviceInfoText = QByteArray(256, '.');
        openLine(1);
    }
    ProcedureOutcome edit(const QString& text) {
        DeviceInfoProcedure info(DeviceInfoMode::Edit, session, engine, prompts, clock);
        EXPECT_TRUE(info.ok(text));
        EXPECT_FALSE(info.ok(text)) << "OK acts once";
        EXPECT_TRUE(runToEnd(info));
        return info.outcome();
    }
};

TEST_F(DeviceInfoTest, EditModeSendsThePaddedTextAndKeepsOnlyWhatTheUnitTook) {
    const QByteArray padded = "FOH rack" + QByteArray(248, '.');
    const std::pair<std::optional<sim::LineFault>, QString> rows[] = {
        {{{K::Silent}}, "! Devices Information: Can not renew the information of the devices."},
        {{{K::Error, 2}},
         "! Devices Information: The argument of the command is wrong.\nMQX-T410 "
         "ID = 01"}, // an error reply renews nothing
        {{}, "i Devices Information: That devices information were renewed."},
    };
    for (const auto& [fault, message] : rows) {
        nextRow(fault ? std::optional(std::pair(sim::UnitCommand::DeviceInfoSet, *fault))
                      : std::nullopt);
        EXPECT_EQ(edit(QStringLiteral("FOH rack")),
                  fault ? ProcedureOutcome::Cancel : ProcedureOutcome::Ok);
        EXPECT_EQ(messages(), QStringList{message});
        EXPECT_EQ(session.DeviceInfoText, fault ? QByteArray(256, '.') : padded);
    }
    EXPECT_EQ(received, std::vector<QByteArray>{"(01Y" + padded});
    EXPECT_EQ(sim.unit(1)->deviceInfo(), padded);
}

TEST_F(DeviceInfoTest, ModesWithoutAnExchange) {
    // Edit mode without a unit, connection-mode OK, edit-mode Cancel: nothing is sent.
    session.ConnectedUnitId = 0;
    EXPECT_EQ(edit(QStringLiteral("x")), ProcedureOutcome::Ok);
    session.ConnectedUnitId = 1;
    DeviceInfoProcedure shown(DeviceInfoMode::Connection, session, engine, prompts, clock);
    EXPECT_TRUE(shown.ok(QStringLiteral("ignored")) && shown.outcome() == ProcedureOutcome::Ok);
    DeviceInfoProcedure dropped(DeviceInfoMode::Edit, session, engine, prompts, clock);
    EXPECT_TRUE(dropped.cancel() && dropped.outcome() == ProcedureOutcome::Cancel);
    clock.advance(500);
    EXPECT_EQ(
        std::tuple(received.size(), prompts.shown().size(), session.DeviceInfoText, line.isOpen()),
        std::tuple(0u, 0u, QByteArray(256, '.'), true));

    DeviceInfoProcedure info(DeviceInfoMode::Connection, session, engine, prompts, clock);
    EXPECT_TRUE(info.cancel() && !info.cancel());
    EXPECT_TRUE(line.isOpen()) << "the port stays open until bye is answered";
    ASSERT_TRUE(runToEnd(info));
    EXPECT_EQ(std::tuple(info.outcome(), requests(), line.isOpen()),
              std::tuple(ProcedureOutcome::Cancel, QStringList{"(01bye"}, false));
}

} // namespace
} // namespace mqx::test
