#pragma once
// The Input page's editing: input selection and the signal generator. Each operator
// action changes the current record and, while a unit is connected, sends its
// parameter edit ("001".."007", value "%03d"). Switching to the generator or changing its
// wave mutes the generator first and sends that mute before the switch, so a test signal
// never bursts out of the speakers at whatever level it was left; un-muting is always
// the operator's own click.

#include <QString>
#include <QStringView>

#include <cstdint>

namespace mqx {

class ParameterEditSink;
class Prompts;
struct Session;

class InputEditor {
public:
    // The three value boxes, each with its spin.
    enum class Box { SineLevel, SineFreq, PinkLevel };

    InputEditor(Session& session, ParameterEditSink& sink, Prompts& prompts)
        : m_session(session), m_sink(sink), m_prompts(prompts) {}

    // 0 = "Input", 1 = "Signal Genarator". Sends even when nothing changes.
    void selectInputMode(int mode);
    // 0..4: "ANALOG 2CH" .. "ANALOG+DIGITAL 2CH".
    void selectInput(int select);
    void selectWave(bool sine);
    // The muting button: checked = muted.
    void setMuting(bool muted);

    // One click of a spin; up raises the value. Clamped at the box's ends, where a click
    // changes and sends nothing.
    void stepSpin(Box box, bool up);
    // A box's text on losing the focus. A text that is no number changes nothing and
    // shows "Please enter a number."; returns whether the text was taken.
    bool commitText(Box box, QStringView text);

    // What the page shows.
    QString boxText(Box box) const;
    bool isGenerator() const;
    bool isSine() const;
    bool isMuted() const;
    // The checked input-select button 0..4, or -1 when the record holds another value.
    int inputSelect() const;

private:
    std::uint8_t& field(Box box);
    std::uint8_t field(Box box) const;
    void set(std::uint8_t& field, int value, const char* code);
    void send(const char* code, int value);

    Session& m_session;
    ParameterEditSink& m_sink;
    Prompts& m_prompts;
};

} // namespace mqx
