#pragma once

#include "core/session.h"
#include "link/link_engine.h"
#include "link/link_procedure.h"
#include "scripted_prompts.h"
#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

namespace mqx::test {

using K = sim::LineFault::Kind;

class UnitBench : public ::testing::Test {
public: // open to the benches that tests build per case
    explicit UnitBench(std::vector<int> ids = {1, 3}) : sim(ids) {}

    void SetUp() override {
        ApplyDefaults(session);
        sim.setFrameObserver([this](sim::UnitSimulator::Direction d, QByteArrayView frame, qint64) {
            if (d == sim::UnitSimulator::Direction::Received) {
                received.push_back(frame.toByteArray());
                if (onReceived)
                    onReceived(received.back());
            }
        });
    }
    void TestBody() override {} // for a bench built inside a test
    // Before the next row of a table: nothing received or shown, and no fault but `fault`.
    void nextRow(std::optional<std::pair<sim::UnitCommand, sim::LineFault>> fault = {}) {
        sim.clearFaults();
        if (fault)
            sim.setFault(fault->first, fault->second);
        received.clear();
        prompts.clear();
    }
    // Connected to unit `id` on COM1, as a finished Connect leaves the line.
    void openLine(int id) {
        session.ConnectedUnitId = id;
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
    }
    bool runToEnd(const LinkProcedure& procedure, qint64 limitMs = 60000) {
        return clock.runUntil([&procedure] { return procedure.hasEnded(); }, limitMs);
    }
    // The frames the units received, each cut to its head and command (no data).
    QStringList requests(int keep = 8) const {
        QStringList list;
        for (const QByteArray& frame : received)
            list << QString::fromLatin1(frame.left(keep));
        return list;
    }
    QString lastRequest() const { return requests().value(requests().size() - 1); }
    int count(const QByteArray& request) const {
        return static_cast<int>(std::count(received.begin(), received.end(), request));
    }
    // Every message shown as "<icon> <title>: <text>", the icon as 'i', '!', '?' or 'x'.
    QStringList messages() const {
        QStringList list;
        for (const auto& s : prompts.shown())
            list << QString(QLatin1Char("i!?x"[static_cast<int>(s.icon)])) + QStringLiteral(" ") +
                        s.title + QStringLiteral(": ") + s.text;
        return list;
    }
    const ScriptedPrompts::Shown& lastShown() const { return prompts.shown().back(); }

    VirtualClock clock;
    sim::UnitSimulator sim;
    sim::SimulatedLine line{sim, clock, &clock};
    Session session;
    ScriptedPrompts prompts;
    LinkEngine engine{line, clock, session};
    std::vector<QByteArray> received;
    std::function<void(const QByteArray&)> onReceived; // told of each frame once recorded
};

} // namespace mqx::test
