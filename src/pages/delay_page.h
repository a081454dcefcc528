#pragma once
// The "Delay" tab: the master delay of each input and the delay of each output channel,
// with each output's total, in milliseconds and in metres or feet and inches as the Unit
// of Delay option says. A thin face on DelayEditor: boxes commit on losing the focus,
// arrows press, pause and release through the editor, and after every change every box
// is written again from the record.

#include "pages/delay_editor.h"
#include "pages/tab_page.h"

#include <QWidget>

#include <array>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace mqx {

class DelayArrows;
class EntryBox;

class DelayPage : public QWidget, public TabPage {
    Q_OBJECT
public:
    DelayPage(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
              QWidget* parent = nullptr);
    ~DelayPage() override;

    void showPage() override;
    void leavePage() override;
    void focusLastEdited() override;

    // For tests.
    DelayEditor& editor() { return m_editor; }
    EntryBox* box(DelayTarget target, DelayBox kind) const;
    DelayArrows* arrows(DelayTarget target) const;
    // Output channel 0..5: its source and its total in the given unit.
    QLineEdit* sourceBox(int channel) const;
    QLineEdit* totalBox(int channel, DelayBox kind) const;
    QString distanceHeading() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Row {
        DelayTarget target;
        std::array<EntryBox*, 4> boxes{}; // by DelayBox
        DelayArrows* arrows = nullptr;
        QLineEdit* source = nullptr;        // channels only
        std::array<QLineEdit*, 4> totals{}; // channels only
    };

    void build();
    void buildRow(Row& row, QGridLayout* grid, int gridRow, int firstColumn);
    void refresh();
    void showUnits();
    void commit(Row& row, DelayBox kind);
    void press(Row& row, bool up);
    void showArrows();
    const Row& rowOf(DelayTarget target) const;

    Session& m_session;
    DelayEditor m_editor;
    std::array<Row, 8> m_rows; // IN-1, IN-2, then outputs A..F
    QLabel* m_masterDistance = nullptr;
    QLabel* m_channelDistance = nullptr;
    QLabel* m_totalDistance = nullptr;
    bool m_feetInches = false;
    bool m_onShow = false;
    EntryBox* m_lastEdited = nullptr;
};

} // namespace mqx
