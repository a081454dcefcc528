#pragma once
// The GEQ page's editing for one input channel: 31 band gains ("012" + channel + band),
// the output level ("013" + channel) and the on/off switch ("014" + channel). The channel
// character is "0" while the two GEQs are linked, and every change is then written into
// both channels' bytes. Nothing is sent unless the stored value really changed, and in
// PEQ+Compressor mode every action is refused with the mode warning.
//
// The faders are driven here in page pixels, so that the rules of the pointer (the knob
// that does not jump under the pointer, paging with its 200 ms / 50 ms timers that pause
// while the pointer is off the track, the Ctrl-drag curve) are tested without a window:
//
//   press --knob--> follow the pointer at the press offset
//         --track--> one page move now, after 200 ms one per 50 ms while on the track
//         --Ctrl--> curve: bands passed to the right are set on a straight line
//   release ends every mode and stops the timers.

#include "link/timer_source.h"
#include "pages/fader_geometry.h"
#include "pages/level_fader_drag.h"
#include "pages/parameter_edit.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <memory>

namespace mqx {

class ParameterEditSink;
class Prompts;
struct Session;

inline constexpr int kGeqBands = 31;

// Where the faders sit on the page, in logical pixels.
struct GeqLayout {
    static constexpr int kBandTrackTop = 100;
    static constexpr int kFirstBandLeft = 40;
    static constexpr int kLevelTrackLeft = 620;
    static constexpr int kLevelTrackTop = 40;
    static int bandTrackLeft(int band) {
        return kFirstBandLeft + band * (GeqBandFader().trackWidth - 3);
    }
    // The band whose track lies under a pointer for curve drawing: the number of bands
    // whose track right edge - 4 lies left of the pointer, at most 30.
    static int curveBandAt(int x);
};

class GeqEditor : public TimerClient {
public:
    enum TimerId : int {
        BandDelay = 101,
        BandRepeat = 102,
        LevelDelay = LevelFaderDrag::Delay,
        LevelRepeat = LevelFaderDrag::Repeat
    };
    static constexpr int kDelayMs = 200;
    static constexpr int kRepeatMs = 50;

    GeqEditor(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
              int channel);
    ~GeqEditor() override;
    GeqEditor(const GeqEditor&) = delete;
    GeqEditor& operator=(const GeqEditor&) = delete;

    int channel() const { return m_channel; }
    bool geqMode() const;
    bool isLinked() const;
    bool isOn() const;
    int band(int band) const;
    int level() const;
    // " %s" of the gain text; " %sdB" of the level text.
    QString bandText(int band) const;
    QString levelText() const;
    // Knob tops in page pixels.
    int bandKnobTop(int band) const;
    int levelKnobTop() const;
    // The band whose boxes are writable and whose track is highlighted; -1 for none.
    int selectedBand() const { return m_selected; }
    // The channel's GEQ meter byte from the level metering.
    int signalMeter() const;

    // Shows the mode warning in PEQ+Compressor mode; true when the GEQ may be edited.
    bool checkMode() const;

    // The pointer, in page pixels. A press off every fader does nothing (false).
    bool press(int x, int y, bool ctrl);
    bool doubleClick(int x, int y, bool ctrl);
    void move(int x, int y);
    void release();
    bool isTracking() const { return m_mode != Mode::None || m_levelDrag.isTracking(); }

    // Keyboard, wheel and spin: `steps` up (positive) or down, clamped at the ends.
    void stepBand(int band, int steps);
    void stepLevel(int steps);
    // Giving a band's box the focus selects it.
    void selectBand(int band);
    // Typed text on leaving a box; false (after "Please enter a number.") when refused.
    bool commitBandText(int band, QStringView text);
    bool commitLevelText(QStringView text);
    void setOn(bool on);

    void setChangedCallback(std::function<void()> callback) { m_changed = std::move(callback); }
    void onTimer(int id) override;

private:
    enum class Mode { None, BandKnob, BandPage, Curve };

    std::uint8_t& bandByte(int band, int ch);
    void storeBand(int band, int value);
    void storeLevel(int value);
    void moveBandTo(int band, int top);
    void pageBand();
    bool onBandTrack(int band, int x, int y) const;
    QByteArray channelCode(const char* code) const;
    void refuse() const;

    Session& m_session;
    ParameterEdits m_edits;
    Prompts& m_prompts;
    const int m_channel;
    const FaderGeometry m_band = GeqBandFader();
    std::function<void()> m_changed;

    int m_selected = -1;
    Mode m_mode = Mode::None;
    int m_offset = 0; // pointer - knob centre at the press
    int m_pointerX = 0;
    int m_pointerY = 0;
    int m_curveY = 0;
    bool m_outside = false;

    // Last, so the timers are gone before anything their ticks would touch.
    LevelFaderDrag m_levelDrag;
    std::unique_ptr<Timers> m_timers;
};

} // namespace mqx
