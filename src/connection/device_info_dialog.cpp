#include "connection/device_info_dialog.h"

#include "connection/device_info_procedure.h"
#include "connection/device_info_text.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mqx {

DeviceInfoDialog::DeviceInfoDialog(DeviceInfoProcedure& procedure, int unitId,
                                   const QByteArray& text, QWidget* parent)
    : ProcedureDialog(procedure, parent), m_procedure(procedure) {
    setWindowTitle(QStringLiteral("Device Information"));
    m_unit = new QLineEdit(QStringLiteral("%1").arg(unitId, 2, 10, QLatin1Char('0')), this);
    m_unit->setReadOnly(true);
    m_unit->setFixedWidth(m_unit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);

    m_text = new QPlainTextEdit(this);
    m_text->setPlainText(QString::fromLatin1(text));
    m_text->setReadOnly(procedure.mode() == DeviceInfoMode::Connection);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setWordWrapMode(QTextOption::WrapAnywhere);
    // 32 characters a line: the 256 characters fit in eight lines.
    const QFontMetrics metrics(m_text->font());
    m_text->setMinimumSize(metrics.horizontalAdvance(QString(34, u'W')), metrics.lineSpacing() * 9);
    if (procedure.mode() == DeviceInfoMode::Edit)
        connect(m_text, &QPlainTextEdit::textChanged, this, &DeviceInfoDialog::filterText);

    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(new QLabel(QStringLiteral("MQX-T410 ID"), this));
    unitRow->addWidget(m_unit);
    unitRow->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(unitRow);
    column->addWidget(m_text, 1);
    column->addWidget(buttons());
}

void DeviceInfoDialog::filterText() {
    const QString text = m_text->toPlainText();
    const InfoTextEdit edit = FilterInfoText(text, m_text->textCursor().position());
    if (edit.text == text)
        return;
    const QSignalBlocker block(m_text);
    m_text->setPlainText(edit.text);
    QTextCursor caret = m_text->textCursor();
    caret.setPosition(edit.caret);
    m_text->setTextCursor(caret);
}

void DeviceInfoDialog::startProcedure() {
    m_procedure.ok(m_text->toPlainText());
}

bool DeviceInfoDialog::cancelProcedure() {
    return m_procedure.cancel();
}

} // namespace mqx
