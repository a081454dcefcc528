// Which waiting commands the engine keeps, their order, and how fast edits follow each other.

#include "engine_fixture.h"

#include <QByteArrayList>

#include <map>

namespace mqx::test {
namespace {

using EditQueue = EngineTest;

QByteArray editFrame(QByteArray codeAndValue) {
    return "(01$" + codeAndValue.replace('=', "") + "(01ME";
}

// Issued while a reply is awaited: edits ("code=value") and commands ("K", "hello"); sent
// after the reply: the edits' frames and the commands' own.
TEST_F(EditQueue, WaitingEditsKeepTheirOrderAndOnlyTheSameCodeReplacesOne) {
    const std::map<QByteArray, int> commands{{"K", CmdPnllock}, {"hello", CmdHello}};
    const struct {
        const char* name;
        bool metering;
        const char* issued;
        const char* sent; // nullptr: as issued
    } cases[] = {
        {"All Muting: six codes, six edits", true,
         "0530=000 0531=000 0532=000 0533=000 0534=000 0535=000", nullptr},
        {"a drag sends its newest step", false, "0492=020 0492=021 0492=022", "0492=022"},
        {"channel and band digits make the code", false, "0320=001 0321=001 03205=002 03206=002",
         nullptr},
        {"the replacing edit goes in its own turn", false, "0492=020 0493=005 0492=021",
         "0493=005 0492=021"},
        {"other commands keep one slot and do not displace edits", false,
         "0530=000 K 0531=000 hello", "0530=000 0531=000 (01hello"},
        {"with metering on the queue goes before levon", true, "0492=030 K 0492=031",
         "(01K 0492=031"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
        engine.setMeteringOn(c.metering);
        engine.IssueCommand(CmdDevinfget);
        for (const QByteArray& issue : QByteArray(c.issued).split(' ')) {
            clock.advance(20);
            if (const qsizetype eq = issue.indexOf('='); eq < 0)
                engine.IssueCommand(commands.at(issue));
            else
                edit(issue.left(eq), issue.mid(eq + 1));
            engine.arguments().ArgValue = "999"; // the caller may reuse its buffers at once
        }
        port.clearWritten();
        port.deliverIn(0, "(01X" + QByteArray(256, 'i'));
        port.setResponder([this](const QByteArray& frame) {
            if (frame == "(01K" || frame == "(01hello")
                port.deliverIn(30, frame == "(01K" ? "(01KE" : frame);
        });
        clock.advance(3000);
        port.setResponder({});
        std::vector<QByteArray> sent = port.written();
        // The meters come back by the edits' own levon, or by one alone at the end.
        if (!sent.empty() && sent.back() == "(01ME")
            sent.pop_back();
        QByteArrayList expected;
        for (const QByteArray& frame : QByteArray(c.sent ? c.sent : c.issued).split(' '))
            expected.push_back(frame.contains('=') ? editFrame(frame) : frame);
        EXPECT_EQ(QByteArrayList(sent.begin(), sent.end()), expected);
        EXPECT_EQ(engine.PendingCommand(), -1);
    }
}

TEST_F(EditQueue, AnEditGoesOnlyOnceTheFrameBeforeItHasLeftTheLine) {
    port.setPacing(true);
    const qint64 wireMs = WireTimeMs(editFrame("0492=000").size()); // 16 characters: 9 ms
    // A fader dragged a step every 3 ms: faster than the line.
    for (int step = 0; step < 20; ++step) {
        edit("0492", QByteArray::number(step).rightJustified(3, '0'));
        edit("0493", QByteArray::number(step).rightJustified(3, '0'));
        clock.advance(3);
    }
    const qint64 lastStep = clock.nowMs() - 3;
    clock.advance(100);

    const std::vector<QByteArray>& frames = port.written();
    const std::vector<qint64>& at = port.writtenAtMs();
    ASSERT_GE(frames.size(), 4u);
    for (std::size_t i = 1; i < frames.size(); ++i)
        EXPECT_GE(at[i] - at[i - 1], WireTimeMs(frames[i - 1].size()) - 1)
            << "frame " << i << " went before the one before it had left";
    // Both parameters end at their last step, and no sooner than the line allows.
    EXPECT_EQ(std::vector(frames.end() - 2, frames.end()),
              (std::vector{editFrame("0492=019"), editFrame("0493=019")}));
    EXPECT_LE(at.back() - lastStep, 2 * wireMs);
    // Each parameter was sent at most once per two frame times: the rest were replaced.
    EXPECT_LE(frames.size(), static_cast<std::size_t>(2 * (lastStep / wireMs + 2)));

    // Another command does not wait its turn on the line: it goes at once, after the
    // edits made before it.
    edit("0530", "000");
    edit("0531", "000");
    engine.IssueCommand(CmdPnllock);
    EXPECT_EQ(std::vector(frames.end() - 2, frames.end()),
              (std::vector<QByteArray>{editFrame("0531=000"), "(01K"}));
    EXPECT_FALSE(engine.done());
}

} // namespace
} // namespace mqx::test
