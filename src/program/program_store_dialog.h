#pragma once
// Program Store: the current program's number, name and information; the slot list
// ("New", "01".."50"); the chosen slot's name and information as read from the unit;
// "Store Exec" and "Exit". The procedure does the work; the dialog closes when it ends.

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace mqx {

class ProgramStoreProcedure;
struct Session;

class ProgramStoreDialog : public QDialog {
public:
    ProgramStoreDialog(ProgramStoreProcedure& procedure, const Session& session, QWidget* parent);
    ~ProgramStoreDialog() override;

    QListWidget* slotList() const { return m_slots; }
    QPushButton* storeButton() const { return m_store; }
    QPushButton* exitButton() const { return m_exit; }
    QString selectedName() const;
    QString selectedInformation() const;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCurrent();
    void stabilize();

    ProgramStoreProcedure& m_procedure;
    const Session& m_session;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_information = nullptr;
    QListWidget* m_slots = nullptr;
    QLineEdit* m_selectedName = nullptr;
    QPlainTextEdit* m_selectedInformation = nullptr;
    QPushButton* m_store = nullptr;
    QPushButton* m_exit = nullptr;
};

} // namespace mqx
