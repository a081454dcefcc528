#pragma once
// The GEQ tab of one input channel: 31 band faders with their value and frequency boxes,
// the level fader, the on/off button, the link check box and the channel's signal lamp.
// A thin face on GeqEditor: pointer, keys, wheel and typed text become editor calls, and
// after each the page shows the record again.

#include "pages/geq_editor.h"
#include "pages/tab_page.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mqx {

class EntryBox;
class Fader;
class SignalLamp;

class GeqPage : public QWidget, public TabPage {
    Q_OBJECT
public:
    GeqPage(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
            int channel, QWidget* parent = nullptr);

    void showPage() override;
    void leavePage() override;
    void metersChanged() override;
    void focusLastEdited() override;

    // The link check box opens the link dialogs, which live above the pages.
    void setLinkRequest(std::function<void()> request) { m_linkRequest = std::move(request); }

    GeqEditor& editor() { return m_editor; }
    Fader* bandFader(int band) const { return m_faders[static_cast<std::size_t>(band)]; }
    EntryBox* bandBox(int band) const { return m_boxes[static_cast<std::size_t>(band)]; }
    QLineEdit* frequencyBox(int band) const { return m_freqs[static_cast<std::size_t>(band)]; }
    Fader* levelFader() const { return m_levelFader; }
    EntryBox* levelBox() const { return m_levelBox; }
    QPushButton* onButton() const { return m_on; }
    QCheckBox* linkBox() const { return m_link; }
    bool signalLit() const;

    // The faders sit at fixed pixels: the page is never smaller than what they need.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void refresh();
    void showSelection();
    void commitBand(int band);
    void commitLevel();
    void pointerPressed(QMouseEvent* event, bool doubleClick);

    GeqEditor m_editor;
    std::array<Fader*, kGeqBands> m_faders{};
    std::array<EntryBox*, kGeqBands> m_boxes{};
    std::array<QLineEdit*, kGeqBands> m_freqs{};
    Fader* m_levelFader = nullptr;
    EntryBox* m_levelBox = nullptr;
    QPushButton* m_on = nullptr;
    QCheckBox* m_link = nullptr;
    SignalLamp* m_lamp = nullptr;
    EntryBox* m_lastEdited = nullptr;
    std::function<void()> m_linkRequest;
};

} // namespace mqx
