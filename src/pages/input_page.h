#pragma once
// The "Input" tab: input select and the signal generator. A thin face on InputEditor:
// each click, spin step or committed text becomes one editor call, after which the page
// shows the record again.

#include "pages/input_editor.h"
#include "pages/tab_page.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace mqx {

class EntryBox;
class SpinButtons;

class InputPage : public QWidget, public TabPage {
    Q_OBJECT
public:
    InputPage(Session& session, ParameterEditSink& sink, Prompts& prompts,
              QWidget* parent = nullptr);

    void showPage() override;
    void leavePage() override;
    void focusLastEdited() override;

    // For tests and for the window's keyboard handling.
    EntryBox* box(InputEditor::Box box) const;
    SpinButtons* spin(InputEditor::Box box) const;
    QRadioButton* inputModeButton(int mode) const;
    QRadioButton* inputSelectButton(int select) const;
    QRadioButton* waveButton(bool sine) const;
    QPushButton* mutingButton() const { return m_muting; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void build();
    void refresh();
    void commit(InputEditor::Box box);

    InputEditor m_editor;
    QButtonGroup* m_modeGroup = nullptr;
    QButtonGroup* m_selectGroup = nullptr;
    QButtonGroup* m_waveGroup = nullptr;
    QPushButton* m_muting = nullptr;
    std::array<EntryBox*, 3> m_boxes{};
    std::array<SpinButtons*, 3> m_spins{};
    EntryBox* m_lastEdited = nullptr;
};

} // namespace mqx
