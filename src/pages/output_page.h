#pragma once
// The Output tab of one output channel (A..F): source, phase, peak limiter, channel delay
// in milliseconds and in metres or feet and inches with its arrows, the level fader, the
// link indicator, the display-channel selector, and the filter section (five element
// buttons with ON/OFF buttons, type list and three boxes) over the response graph. A thin
// face on OutputEditor and OutputFilterEditor: pointer, keys, wheel and typed text become
// editor calls, and after each the page shows the record again.

#include "pages/output_editor.h"
#include "pages/output_filter_editor.h"
#include "pages/tab_page.h"

#include <QWidget>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace mqx {

class ChannelStrip;
class DelayArrows;
class EntryBox;
class Fader;
class OutputGraph;
class SpinButtons;

class OutputPage : public QWidget, public TabPage {
    Q_OBJECT
public:
    OutputPage(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
               int channel, QWidget* parent = nullptr);
    ~OutputPage() override;

    void showPage() override;
    void leavePage() override;
    void focusLastEdited() override;

    // The link indicator opens the CH Link dialog, which lives above the pages.
    void setLinkRequest(std::function<void()> request) { m_linkRequest = std::move(request); }

    OutputEditor& editor() { return m_editor; }
    OutputFilterEditor& filters() { return m_filters; }
    QComboBox* sourceList() const { return m_source; }
    QPushButton* phaseButton() const { return m_phase; }
    EntryBox* limiterBox() const { return m_limiter; }
    SpinButtons* limiterArrows() const { return m_limiterArrows; }
    EntryBox* delayBox(DelayBox kind) const { return m_delay[static_cast<std::size_t>(kind)]; }
    DelayArrows* delayArrows() const { return m_delayArrows; }
    Fader* levelFader() const { return m_levelFader; }
    EntryBox* levelBox() const { return m_levelBox; }
    ChannelStrip* linkIndicator() const { return m_link; }
    ChannelStrip* displaySelector() const { return m_display; }
    OutputGraph* graph() const { return m_graph; }
    QPushButton* bandButton(int e) const { return m_bands[static_cast<std::size_t>(e)]; }
    QPushButton* bandOnButton(int e) const { return m_bandOn[static_cast<std::size_t>(e)]; }
    QComboBox* typeList() const { return m_type; }
    EntryBox* box(FilterBox box) const { return m_boxes[static_cast<std::size_t>(box)]; }
    SpinButtons* arrows(FilterBox box) const { return m_arrows[static_cast<std::size_t>(box)]; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void build();
    void buildChannelRows();
    void buildFilterColumn();
    void refresh();
    void showUnits();
    void showDelayArrows();
    void pressDelayArrow(bool up);
    void commitLimiter();
    void commitLevel();
    void commitDelay(DelayBox kind);
    void commitBox(FilterBox box);
    bool takeTyping();

    OutputEditor m_editor;
    OutputFilterEditor m_filters;
    Session& m_session;
    QComboBox* m_source = nullptr;
    QPushButton* m_phase = nullptr;
    EntryBox* m_limiter = nullptr;
    SpinButtons* m_limiterArrows = nullptr;
    std::array<EntryBox*, 4> m_delay{}; // by DelayBox
    QLabel* m_distanceUnit = nullptr;
    DelayArrows* m_delayArrows = nullptr;
    Fader* m_levelFader = nullptr;
    EntryBox* m_levelBox = nullptr;
    ChannelStrip* m_link = nullptr;
    ChannelStrip* m_display = nullptr;
    OutputGraph* m_graph = nullptr;
    std::array<QPushButton*, kOutputElements> m_bands{};
    std::array<QPushButton*, kOutputElements> m_bandOn{};
    // The face each element button shows now: on + 2 x selected, -1 before the first.
    std::array<int, kOutputElements> m_bandFace{};
    QComboBox* m_type = nullptr;
    int m_typeListFor = -2; // the element whose types the list holds
    std::array<EntryBox*, 3> m_boxes{};
    std::array<SpinButtons*, 3> m_arrows{};
    EntryBox* m_lastEdited = nullptr;
    std::function<void()> m_linkRequest;
};

} // namespace mqx
