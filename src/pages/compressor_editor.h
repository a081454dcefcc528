#pragma once
// The Compressor page's editing: the two input compressors side by side, their side-chain
// EQs, make-up gains and the link mode that couples them.
//
//   operator action --mode guard ("Now GEQ mode.")--> column guard ("Link Mode Warning")
//     --> record byte(s) --> one parameter edit: code + channel digit, "%03d"
//
// The link mode decides which column the unit uses; the other column refuses every action
// but its make-up gain fader. In every mode but INDIVIDUAL the two make-up gains are one:
// a change of either is written into both, and choosing a mode copies the leading
// channel's gain into the other. Arrow keys, typed entries and fader moves send only what
// changed; the on/off buttons and the link mode always send.
//
// The make-up faders are driven here in page pixels, the way the GEQ page's level fader is:
// a press on the knob follows the pointer at the press offset, a press on the track pages
// once at once and after 200 ms every 50 ms while the pointer stays on the track.

#include "link/timer_source.h"
#include "pages/compressor_geometry.h"
#include "pages/parameter_edit.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <memory>

namespace mqx {

class ParameterEditSink;
class Prompts;
struct ProgramRecord;
struct Session;

// The link mode as the unit takes "037": a linked mode shares the leading channel's
// make-up gain.
void SetCompressorLink(ProgramRecord& record, int mode);

// The value boxes of one column, each with its arrows.
enum class CompField { Attack, Release, Threshold, Ratio, SideFreq, SideQ, SideLevel };

class CompressorEditor : public TimerClient {
public:
    enum TimerId : int { GainDelay = 105, GainRepeat = 106 };
    static constexpr int kDelayMs = 200;
    static constexpr int kRepeatMs = 50;

    CompressorEditor(Session& session, ParameterEditSink& sink, Prompts& prompts,
                     TimerSource& timers);
    ~CompressorEditor() override;
    CompressorEditor(const CompressorEditor&) = delete;
    CompressorEditor& operator=(const CompressorEditor&) = delete;

    // What the page shows.
    bool geqMode() const;
    int linkMode() const;
    bool columnValid(int ch) const;
    bool isOn(int ch) const;
    int sideType(int ch) const;
    int value(int ch, CompField field) const;
    // Side EQ boxes that the type does not use are disabled and blank.
    bool fieldUsed(int ch, CompField field) const;
    QString fieldText(int ch, CompField field) const;
    int gain(int ch) const;
    QString gainText(int ch) const;
    int gainKnobTop(int ch) const; // page pixels
    int barReduction(int ch) const;
    // The highest step an arrow or a typed text reaches in a field.
    int highest(int ch, CompField field) const;
    int lowest(int ch, CompField field) const;

    // Guards, each showing its warning when it refuses.
    bool checkMode() const;
    bool checkColumn(int ch) const;

    // Operator actions. Each refuses in GEQ mode and, but for the make-up gain, in a
    // column the link mode leaves unused.
    void setLinkMode(int mode);
    void setOn(int ch, bool on);
    void selectType(int ch, int type);
    // `steps` up (positive) or down, clamped to the field's range.
    void stepField(int ch, CompField field, int steps);
    // Typed text on leaving a box; false (after "Please enter a number.") when refused.
    bool commitText(int ch, CompField field, QStringView text);
    void stepGain(int ch, int steps);
    bool commitGainText(int ch, QStringView text);

    // The make-up faders' pointer, in page pixels. A press off both tracks does nothing.
    bool press(int x, int y);
    void move(int x, int y);
    void release();
    bool isTracking() const { return m_mode != Mode::None; }

    void setChangedCallback(std::function<void()> callback) { m_changed = std::move(callback); }
    void onTimer(int id) override;

private:
    enum class Mode { None, Knob, Page };

    std::uint8_t& byte(int ch, CompField field);
    void store(int ch, CompField field, int value);
    void storeGain(int ch, int value);
    void pageGain();
    bool onTrack(int ch, int x, int y) const;
    QByteArray code(const char* code, int ch) const;
    void sendSideEq(int ch) const;
    void refuseText() const;

    Session& m_session;
    ParameterEdits m_edits;
    Prompts& m_prompts;
    const FaderGeometry m_fader = MakeUpGainFader();
    std::function<void()> m_changed;

    Mode m_mode = Mode::None;
    int m_dragged = 0; // the fader being dragged or paged
    int m_offset = 0;  // pointer - knob centre at the press
    int m_pointerY = 0;
    bool m_outside = false;

    // Last, so the timers are gone before anything their ticks would touch.
    std::unique_ptr<Timers> m_timers;
};

} // namespace mqx
