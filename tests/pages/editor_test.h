#pragma once
// What every page editor test starts from: the factory program with a unit connected, a sink
// that records each edit as "code value", prompts that record each message, a virtual clock.

#include "core/session.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace mqx::test {

using Edits = std::vector<std::string>;

struct EditorTest : ::testing::Test {
    EditorTest() { reset(); }
    // The factory program again, connected, with nothing sent or shown yet.
    void reset() {
        ApplyDefaults(session);
        session.ConnectedUnitId = 1;
        sink.edits.clear();
        prompts.clear();
    }
    ProgramRecord& record() { return session.CurrentRecord(); }

    Session session;
    RecordingEditSink sink;
    ScriptedPrompts prompts;
    VirtualClock clock;
};

} // namespace mqx::test
