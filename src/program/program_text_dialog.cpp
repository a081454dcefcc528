#include "program/program_text_dialog.h"

#include "core/carried_text.h"
#include "program/program_text_procedure.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mqx {

ProgramTextDialog::ProgramTextDialog(ProgramTextProcedure& procedure, QWidget* parent)
    : ProcedureDialog(procedure, parent), m_procedure(procedure) {
    auto* column = new QVBoxLayout(this);
    if (procedure.kind() == ProgramTextKind::Name) {
        setWindowTitle(QStringLiteral("Program Name"));
        m_name = new QLineEdit(procedure.currentText(), this);
        const QFontMetrics metrics(m_name->font());
        m_name->setMinimumWidth(metrics.horizontalAdvance(QString(procedure.width() + 2, u'W')));
        connect(m_name, &QLineEdit::textEdited, this, &ProgramTextDialog::filterName);
        column->addWidget(new QLabel(QStringLiteral("Edit Program Name"), this));
        column->addWidget(m_name);
    } else {
        setWindowTitle(QStringLiteral("Program Infomation"));
        m_information = new QPlainTextEdit(this);
        m_information->setPlainText(procedure.currentText());
        m_information->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        m_information->setWordWrapMode(QTextOption::WrapAnywhere);
        // 32 characters a line: the 256 characters fit in eight lines.
        const QFontMetrics metrics(m_information->font());
        m_information->setMinimumSize(metrics.horizontalAdvance(QString(34, u'W')),
                                      metrics.lineSpacing() * 9);
        connect(m_information, &QPlainTextEdit::textChanged, this,
                &ProgramTextDialog::filterInformation);
        column->addWidget(new QLabel(QStringLiteral("Edit Program Infomation"), this));
        column->addWidget(m_information, 1);
    }
    column->addWidget(buttons());
}

QString ProgramTextDialog::text() const {
    return m_name != nullptr ? m_name->text() : m_information->toPlainText();
}

void ProgramTextDialog::filterName() {
    const InfoTextEdit edit =
        FilterInfoText(m_name->text(), m_name->cursorPosition(), m_procedure.width());
    if (edit.text == m_name->text())
        return;
    m_name->setText(edit.text);
    m_name->setCursorPosition(edit.caret);
}

void ProgramTextDialog::filterInformation() {
    const QString text = m_information->toPlainText();
    const InfoTextEdit edit =
        FilterInfoText(text, m_information->textCursor().position(), m_procedure.width());
    if (edit.text == text)
        return;
    const QSignalBlocker block(m_information);
    m_information->setPlainText(edit.text);
    QTextCursor caret = m_information->textCursor();
    caret.setPosition(edit.caret);
    m_information->setTextCursor(caret);
}

void ProgramTextDialog::startProcedure() {
    m_procedure.ok(text());
}

} // namespace mqx
