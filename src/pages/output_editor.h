#pragma once
// The Output page's editing of one output channel (0..5 for A..F) outside its filters:
// source ("040"), level ("049"), peak limiter ("050"), delay ("051", through the Delay
// page's own editor so both pages step and read delays alike), phase ("052") and which
// other channels' sums its graph overlays. The code carries the channel digit.
//
// Level, limiter, delay and phase are written into every output of the channel's link
// group; the unit is told about the edited channel only and links the rest itself. The
// source and the graph overlay belong to the channel alone.

#include "core/program_record.h"
#include "pages/delay_editor.h"
#include "pages/level_fader_drag.h"
#include "pages/parameter_edit.h"

#include <QString>
#include <QStringView>

#include <functional>

namespace mqx {

class ParameterEditSink;
class Prompts;
class TimerSource;
struct Session;

// Where the level fader sits on the Output page, in logical pixels.
struct OutputLayout {
    static constexpr int kLevelTrackLeft = 637;
    static constexpr int kLevelTrackTop = 40;
};

// The source list reads "IN-1", "IN-2", "MIX"; the record counts MIX first.
int SourceOfItem(int item);
int ItemOfSource(int source);

class OutputEditor {
public:
    OutputEditor(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
                 int channel);

    int channel() const { return m_channel; }
    const ProgramRecord& record() const;
    const OutputChannel& output() const;

    void selectSourceItem(int item);
    void setPhase(bool inverse);

    // Up (positive) moves toward +6.0 dBFS and then Off, as the limiter's arrows do.
    void stepLimiter(int steps);
    bool commitLimiterText(QStringView text);
    QString limiterText() const;

    int level() const { return output().level; }
    QString levelText() const;
    int levelKnobTop() const { return m_levelDrag.knobTop(); }
    bool pressLevel(int x, int y);
    void moveLevel(int x, int y) { m_levelDrag.move(x, y); }
    void releaseLevel() { m_levelDrag.release(); }
    bool isLevelTracking() const { return m_levelDrag.isTracking(); }
    void stepLevel(int steps) { m_levelDrag.step(steps); }
    bool commitLevelText(QStringView text);

    DelayEditor& delay() { return m_delay; }
    DelayTarget delayTarget() const { return {DelayGroup::Channel, m_channel}; }

    // The graph overlays the sums of the channels marked here; the channel's own sum is
    // always drawn, so its own mark cannot be toggled.
    bool displays(int channel) const;
    void toggleDisplay(int channel);
    bool linkedWith(int channel) const;

    // Runs after every change the fader and the delay arrows make on their own timers.
    void setChangedCallback(std::function<void()> callback);

private:
    void storeLevel(int value);
    void storeLimiter(int value);
    QByteArray code(const char* base) const;
    void refuseEntry() const;

    Session& m_session;
    ParameterEdits m_edits;
    Prompts& m_prompts;
    const int m_channel;
    std::function<void()> m_changed;
    DelayEditor m_delay;
    LevelFaderDrag m_levelDrag;
};

} // namespace mqx
