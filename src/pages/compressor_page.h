#pragma once
// The Compressor tab: the IN-1 and IN-2 compressors in two columns (on/off, attack,
// release, threshold, ratio and the Side EQ), the link mode with each column's lamp, the
// transfer-curve graph, the gain-reduction bars and the two make-up gain faders.
// A thin face on CompressorEditor: pointer, keys, wheel and typed text become editor
// calls, and after each the page shows the record again.

#include "pages/compressor_editor.h"
#include "pages/tab_page.h"

#include <QImage>
#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace mqx {

class ColumnLamp;
class EntryBox;
class Fader;
class ReductionBar;
class SpinButtons;
class TransferCurveView;

inline constexpr int kCompFieldCount = 7;

class CompressorPage : public QWidget, public TabPage {
    Q_OBJECT
public:
    CompressorPage(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
                   QWidget* parent = nullptr);

    void showPage() override;
    void leavePage() override;
    void metersChanged() override;
    void focusLastEdited() override;

    CompressorEditor& editor() { return m_editor; }
    QComboBox* linkList() const { return m_linkList; }
    QPushButton* onButton(int ch) const { return column(ch).on; }
    EntryBox* box(int ch, CompField field) const;
    SpinButtons* arrows(int ch, CompField field) const;
    QComboBox* typeList(int ch) const { return column(ch).type; }
    Fader* gainFader(int ch) const { return column(ch).fader; }
    EntryBox* gainBox(int ch) const { return column(ch).gainBox; }
    ReductionBar* reductionBar(int ch) const { return column(ch).bar; }
    TransferCurveView* graph() const { return m_graph; }
    bool lampShowsValid(int ch) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Column {
        QPushButton* on = nullptr;
        std::array<EntryBox*, kCompFieldCount> boxes{};
        std::array<SpinButtons*, kCompFieldCount> spins{};
        std::array<QLabel*, kCompFieldCount> captions{};
        QComboBox* type = nullptr;
        ColumnLamp* lamp = nullptr;
        Fader* fader = nullptr;
        EntryBox* gainBox = nullptr;
        ReductionBar* bar = nullptr;
    };

    const Column& column(int ch) const { return m_columns[static_cast<std::size_t>(ch)]; }
    void build();
    void buildColumn(int ch);
    void buildFader(int ch);
    void refresh();
    void showField(int ch, CompField field);
    void step(int ch, CompField field, int steps);
    void commit(int ch, CompField field);
    void commitGain(int ch);
    // The column a control belongs to, or -1 for the controls of both.
    int columnOf(const QObject* control) const;

    CompressorEditor m_editor;
    std::array<Column, 2> m_columns{};
    QComboBox* m_linkList = nullptr;
    TransferCurveView* m_graph = nullptr;
    EntryBox* m_lastEdited = nullptr;
    mutable QImage m_scale; // the make-up faders' decibel marks
};

} // namespace mqx
