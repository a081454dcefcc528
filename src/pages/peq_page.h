#pragma once
// The PEQ tab of one input channel: eleven band buttons with their ON/OFF buttons, the
// selected band's type list and frequency, Q and level boxes with arrows, the response
// graph, the output level fader, the on/off button, the link check box and the channel's
// signal lamp. A thin face on PeqEditor: pointer, keys, wheel and typed text become editor
// calls, and after each the page shows the record again.

#include "pages/peq_editor.h"
#include "pages/tab_page.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace mqx {

class EntryBox;
class Fader;
class PeqGraph;
class SignalLamp;
class SpinButtons;

class PeqPage : public QWidget, public TabPage {
    Q_OBJECT
public:
    PeqPage(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
            int channel, QWidget* parent = nullptr);

    void showPage() override;
    void leavePage() override;
    void metersChanged() override;
    void focusLastEdited() override;

    // The link check box opens the link dialogs, which live above the pages.
    void setLinkRequest(std::function<void()> request) { m_linkRequest = std::move(request); }

    PeqEditor& editor() { return m_editor; }
    QPushButton* bandButton(int band) const { return m_bands[static_cast<std::size_t>(band)]; }
    QPushButton* bandOnButton(int band) const { return m_bandOn[static_cast<std::size_t>(band)]; }
    QComboBox* typeList() const { return m_type; }
    EntryBox* box(PeqBox box) const { return m_boxes[static_cast<std::size_t>(box)]; }
    SpinButtons* arrows(PeqBox box) const { return m_arrows[static_cast<std::size_t>(box)]; }
    PeqGraph* graph() const { return m_graph; }
    Fader* levelFader() const { return m_levelFader; }
    EntryBox* levelBox() const { return m_levelBox; }
    QPushButton* onButton() const { return m_on; }
    QCheckBox* linkBox() const { return m_link; }
    bool signalLit() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildBandRow();
    void buildBoxes();
    void refresh();
    void commitBox(PeqBox box);
    void commitLevel();

    PeqEditor m_editor;
    std::array<QPushButton*, kPeqBands> m_bands{};
    std::array<QPushButton*, kPeqBands> m_bandOn{};
    // The face each band button shows now: active + 2 x selected, -1 before the first.
    std::array<int, kPeqBands> m_bandFace{};
    QComboBox* m_type = nullptr;
    std::array<EntryBox*, 3> m_boxes{};
    std::array<SpinButtons*, 3> m_arrows{};
    PeqGraph* m_graph = nullptr;
    Fader* m_levelFader = nullptr;
    EntryBox* m_levelBox = nullptr;
    QPushButton* m_on = nullptr;
    QCheckBox* m_link = nullptr;
    SignalLamp* m_lamp = nullptr;
    EntryBox* m_lastEdited = nullptr;
    std::function<void()> m_linkRequest;
};

} // namespace mqx
