#pragma once
// The filter section of an output channel: high-pass ("041" type, "042" frequency),
// low-pass ("043", "044") and three EQ bands ("045" the whole band, "046" frequency,
// "047" level, "048" Q; channel digit, then the EQ index "%02d"). One of the five
// elements is selected at a time and edited through one type list and three boxes.
//
// An element's OFF button puts its setting aside in SavedBandSettings (the high-pass and
// low-pass frequency, an EQ's type) and leaves the element at its off value; ON, or
// selecting the element again, brings the setting back. Every change goes to all outputs
// of the channel's link group, the saved settings included, so a group stays alike.
//
// The graph's handles drag here too, in graph pixels: a crossover's handle moves its
// frequency only, an EQ's centre handle frequency and (where the type has one) level, a
// Q handle the Q; they send what the arrows send.

#include "core/program_record.h"
#include "graphs/graph_geometry.h"
#include "pages/eq_band_rules.h"
#include "pages/parameter_edit.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace mqx {

class ParameterEditSink;
class Prompts;
struct Session;

enum OutputElement : int { ElementHpf = 0, ElementLpf, ElementEq1, ElementEq2, ElementEq3 };
inline constexpr int kOutputElements = 5;
inline constexpr int kHpfOff = 0;
inline constexpr int kLpfOff = 122;
inline constexpr int kXoverTypeCount = 12;

enum class FilterBox { Frequency, Q, Level };

struct FilterEnabling {
    bool type = false;
    bool frequency = false;
    bool q = false;
    bool level = false;
    friend bool operator==(const FilterEnabling&, const FilterEnabling&) = default;
};

class OutputFilterEditor {
public:
    OutputFilterEditor(Session& session, ParameterEditSink& sink, Prompts& prompts, int channel);

    int channel() const { return m_channel; }
    const ProgramRecord& record() const;
    const OutputChannel& output() const;
    int selected() const { return m_selected; }
    // Whether the element sounds now, and whether its band button shows it on (it does
    // while a setting is put aside, which is also when its ON/OFF button may be pressed).
    bool isOn(int element) const;
    bool hasSaved(int element) const;
    bool showsOn(int element) const { return isOn(element) || hasSaved(element); }
    // The selected element's type (a crossover's or an EQ's), -1 for none.
    int selectedType() const;
    FilterEnabling enabling() const;
    // The texts of the type list for the selected element; empty for none.
    QStringList typeTexts() const;
    // The selected element's value with its unit; blank where the box is disabled.
    QString boxText(FilterBox box) const;
    // The element's frequency step and where it lies on the graph.
    int frequencyStep(int element) const;
    int gridIndex(int element) const;

    void pressBandButton(int element);
    void setOn(int element, bool on);
    void selectType(int type);
    // Arrows, keys and wheel: `steps` up (toward higher values) or down, clamped.
    void stepBox(FilterBox box, int steps);
    // Typed text on leaving a box; false when it was refused ("Please enter a number.").
    bool commitBoxText(FilterBox box, QStringView text);

    // The graph, in its own pixels; `elementCurveAtCentre` is the selected element's own
    // curve at its grid point (a crossover's and a Peaking band's handle ride it).
    const GraphScale& graphScale() const { return m_scale; }
    BandHandles handles(double elementCurveAtCentre) const;
    bool pressGraph(int x, int y, double elementCurveAtCentre);
    void moveGraph(int x, int y);
    void releaseGraph() { m_drag = Drag::None; }
    bool isDragging() const { return m_drag != Drag::None; }

private:
    enum class Drag { None, Centre, Q };

    OutputChannel& mine();
    bool isEq() const { return m_selected >= ElementEq1; }
    std::size_t eqIndex() const { return static_cast<std::size_t>(m_selected - ElementEq1); }
    FrequencyRange rangeOf(FilterBox box) const;
    std::uint8_t value(FilterBox box) const;
    // Writes one value of the selected element into the group; false when unchanged.
    bool store(FilterBox box, int value);
    void sendStep(FilterBox box);
    void sendEqBand(int element);
    void sendElement(int element);
    QByteArray code(const char* base) const;
    QByteArray eqCode(const char* base, int element) const;

    Session& m_session;
    ParameterEdits m_edits;
    Prompts& m_prompts;
    const int m_channel;
    const GraphScale m_scale = OutputGraphScale();
    int m_selected = -1;
    Drag m_drag = Drag::None;
    int m_offsetX = 0; // handle - pointer at the press
    int m_offsetY = 0;
};

} // namespace mqx
