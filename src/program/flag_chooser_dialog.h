#pragma once
// Program Protection and Recall Lock: the two small choosers the program list opens.

#include "program/flag_chooser.h"

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace mqx {

class FlagChooserDialog : public QDialog {
public:
    FlagChooserDialog(FlagKind kind, std::uint8_t value, QWidget* parent);

    // The byte the choice stands for; meaningful after OK.
    std::uint8_t value() const { return m_chooser.value(); }
    QRadioButton* setButton() const { return m_set; }
    QRadioButton* clearButton() const { return m_clear; }
    QPushButton* okButton() const { return m_ok; }

private:
    void stabilize();

    FlagChooser m_chooser;
    QRadioButton* m_set = nullptr;
    QRadioButton* m_clear = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace mqx
