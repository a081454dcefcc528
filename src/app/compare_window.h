#pragma once
// The window of Connect > "Compare with unit...": every field in which the PC's program
// and the unit's differ, under the page it is edited on, with both values, and the two
// ways out.

#include <QDialog>

class QTreeWidget;

namespace mqx {

struct ProgramRecord;

class CompareWindow : public QDialog {
    Q_OBJECT
public:
    enum Choice { Close = 0, SendPcProgram, TakeUnitProgram };

    CompareWindow(const ProgramRecord& pc, const ProgramRecord& unit, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }

private:
    QTreeWidget* m_list = nullptr;
};

} // namespace mqx
