#pragma once
// Program List: the 50 slots filling in as they are read, then Print, Protection, Recall
// Lock, Recall and Delete on the chosen line, and Exit. The procedure does the work; the
// dialog shows its lines and state and closes when it has ended.

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace mqx {

class ProgramListProcedure;
struct Session;

class ProgramListDialog : public QDialog {
public:
    // `print` shows the printer dialog for the list as read.
    ProgramListDialog(ProgramListProcedure& procedure, const Session& session,
                      std::function<void()> print, QWidget* parent);
    ~ProgramListDialog() override;

    QListWidget* list() const { return m_list; }
    QPushButton* button(const QString& text) const;
    QProgressBar* progress() const { return m_progress; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showLine(int slot);
    void stabilize(int slot);
    int selectedSlot() const;
    void chooseFlag(bool protection);

    ProgramListProcedure& m_procedure;
    const Session& m_session;
    std::function<void()> m_print;
    QListWidget* m_list = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_protection = nullptr;
    QPushButton* m_recallLock = nullptr;
    QPushButton* m_recall = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_exit = nullptr;
};

} // namespace mqx
