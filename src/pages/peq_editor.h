#pragma once
// The PEQ page's editing for one input channel: eleven bands of four values (type "021"
// with all four values, frequency "022", level "023", Q "024", each + channel + band), the
// output level ("025") and the on/off switch ("026"). The channel character is "0" while
// the PEQs are linked, and every change is then written into both channels' bytes. In GEQ
// mode every action is refused with the mode warning.
//
// One band at a time is selected; its type decides which of its values mean anything and
// how far its frequency goes, by the rules every typed equaliser band follows
// (eq_band_rules.h).
//
// A band's OFF button puts its type aside in the band-off memory; ON brings it back. A band
// switched ON with nothing put aside becomes Peaking: at its values (0 dB after an Off) that
// changes no sound, and the button never reads ON over a band that is Off.
//
// The response graph's handles are dragged here too, in graph pixels, through the same
// store as the arrow keys: a centre handle moves frequency (and level, where the type has
// one), a Q handle the Q.

#include "core/program_record.h"
#include "graphs/graph_geometry.h"
#include "pages/eq_band_rules.h"
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

inline constexpr int kPeqBands = kPeqBandCount;

enum class PeqBox { Frequency, Q, Level };

struct PeqEnabling {
    bool type = false;
    bool frequency = false;
    bool q = false;
    bool level = false;
    friend bool operator==(const PeqEnabling&, const PeqEnabling&) = default;
};
// -1 for no band selected: the type list too is disabled then.
PeqEnabling PeqEnablingOf(int type);

// Where the level fader sits on the page, in logical pixels.
struct PeqLayout {
    static constexpr int kLevelTrackLeft = 620;
    static constexpr int kLevelTrackTop = 100;
};

class PeqEditor {
public:
    PeqEditor(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
              int channel);

    int channel() const { return m_channel; }
    const ProgramRecord& record() const;
    bool peqMode() const;
    bool isLinked() const;
    bool isOn() const;
    const EqBand& band(int band) const;
    bool bandActive(int band) const { return this->band(band).type != 0; }
    int selectedBand() const { return m_selected; }
    // The selected band's type, -1 for none.
    int selectedType() const;
    PeqEnabling enabling() const { return PeqEnablingOf(selectedType()); }
    // The selected band's value with its unit; blank where the box is disabled.
    QString boxText(PeqBox box) const;
    int level() const;
    QString levelText() const;
    int levelKnobTop() const { return m_levelDrag.knobTop(); }
    int signalMeter() const;

    // Shows the mode warning in GEQ mode; true when the PEQ may be edited.
    bool checkMode() const;

    // A band button: selects the band (switching it on again when its type was put aside)
    // or, pressed on the selected band, clears the selection.
    void pressBandButton(int band);
    void setBandOn(int band, bool on);
    void selectType(int type);
    // Arrows, keys and wheel on the selected band's boxes: `steps` up or down, clamped.
    void stepBox(PeqBox box, int steps);
    // Typed text on leaving a box; false when it was refused ("Please enter a number.").
    bool commitBoxText(PeqBox box, QStringView text);
    void setOn(bool on);

    // The level fader and its box.
    bool pressLevel(int x, int y);
    void moveLevel(int x, int y) { m_levelDrag.move(x, y); }
    void releaseLevel() { m_levelDrag.release(); }
    bool isLevelTracking() const { return m_levelDrag.isTracking(); }
    void stepLevel(int steps);
    bool commitLevelText(QStringView text);

    // The graph, in its own pixels. Only a press on a handle of the selected band in
    // PEQ+Compressor mode is taken; otherwise the graph ignores the pointer.
    const GraphScale& graphScale() const { return m_scale; }
    BandHandles handles() const;
    bool pressGraph(int x, int y);
    void moveGraph(int x, int y);
    void releaseGraph() { m_drag = Drag::None; }
    bool isDragging() const { return m_drag != Drag::None; }

    void setChangedCallback(std::function<void()> callback) { m_changed = std::move(callback); }

private:
    enum class Drag { None, Centre, Q };

    EqBand& bandOf(int band, int ch);
    static std::uint8_t& field(EqBand& band, PeqBox box);
    bool boxEnabled(PeqBox box) const;
    FrequencyRange rangeOf(PeqBox box) const;
    // Writes one value of the selected band (and the linked channel's); sends it when it
    // changed.
    void store(PeqBox box, int value);
    void storeLevel(int value);
    void sendBand(int band);
    QByteArray channelCode(const char* code) const;
    void refuse() const;
    void refuseEntry() const;

    Session& m_session;
    ParameterEdits m_edits;
    Prompts& m_prompts;
    const int m_channel;
    const GraphScale m_scale = PeqGraphScale();
    std::function<void()> m_changed;
    int m_selected = -1;
    Drag m_drag = Drag::None;
    int m_offsetX = 0; // handle - pointer at the press
    int m_offsetY = 0;
    LevelFaderDrag m_levelDrag;
};

} // namespace mqx
