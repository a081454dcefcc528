#include "app/main_editor.h"
#include "core/session.h"
#include "recording_edit_sink.h"

#include <gtest/gtest.h>

using namespace mqx;
using Edits = std::vector<std::string>;

namespace {

struct MainEditorTest : ::testing::Test {
    void SetUp() override { ApplyDefaults(session); }
    Session session;
    test::RecordingEditSink sink;
    MainEditor editor{session, sink};
};

} // namespace

TEST_F(MainEditorTest, MutesAndTheEqModeChangeTheRecordAndSendOnlyWhileConnected) {
    editor.setMute(2, true);
    editor.allMuting();
    for (const OutputChannel& o : session.CurrentRecord().out)
        EXPECT_EQ(o.on, 0);
    EXPECT_TRUE(sink.edits.empty());

    session.ConnectedUnitId = 1;
    editor.setMute(2, false);
    editor.setMute(6, true); // no such output
    editor.setMute(-1, true);
    EXPECT_EQ(session.CurrentRecord().out[2].on, 1);
    EXPECT_EQ(sink.edits, (Edits{"0532 001"}));
    sink.edits.clear();
    editor.allMuting();
    EXPECT_EQ(sink.edits,
              (Edits{"0530 000", "0531 000", "0532 000", "0533 000", "0534 000", "0535 000"}));
    sink.edits.clear();
    // Starting in GEQ mode; 2 is no mode.
    EXPECT_EQ((std::array{editor.selectEqMode(0), editor.selectEqMode(1), editor.selectEqMode(1),
                          editor.selectEqMode(0), editor.selectEqMode(2)}),
              (std::array{false, true, false, true, false}));
    EXPECT_EQ(sink.edits, (Edits{"010 001", "010 000"}));
}
