#pragma once
// "PEQ Flat (Output Ch)": which output channels' three equalisers go flat. A channel's
// tick is given to every output linked with it.

#include "pages/eq_operations.h"

#include <QDialog>

#include <array>

class QCheckBox;

namespace mqx {

class OutputFlatDialog : public QDialog {
    Q_OBJECT
public:
    OutputFlatDialog(const ProgramRecord& record, EqOperations& operations,
                     QWidget* parent = nullptr);
    QCheckBox* channelBox(int channel) const { return m_box[static_cast<std::size_t>(channel)]; }
    void accept() override;

private:
    std::array<bool, 6> ticks() const;

    const ProgramRecord& m_record;
    EqOperations& m_operations;
    std::array<QCheckBox*, 6> m_box{};
};

} // namespace mqx
