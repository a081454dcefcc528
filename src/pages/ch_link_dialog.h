#pragma once
// "CH Link": the six outputs A..F on six group bars. A click on a slot moves that output's
// letter onto the bar; OK links the outputs as the bars show them, Cancel leaves every
// output as it was.

#include "pages/ch_link_editor.h"

#include <QDialog>

class QPushButton;

namespace mqx {

class ChLinkDialog : public QDialog {
    Q_OBJECT
public:
    ChLinkDialog(Session& session, ParameterEditSink& sink, QWidget* parent = nullptr);

    const ChLinkEditor& editor() const { return m_editor; }
    // The painted table of bars and letters; its pixels are those of ch_link_geometry.
    QWidget* table() const { return m_table; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    void accept() override;

private:
    ChLinkEditor m_editor;
    QWidget* m_table = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace mqx
