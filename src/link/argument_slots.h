#pragma once
// The arguments of the next request frame. The engine keeps copies, taken when a
// command is issued, so a caller may reuse its own buffers at once, even while the
// command waits in the queue.

#include <QByteArray>

namespace mqx {

struct ArgumentSlots {
    QByteArray ArgCode;
    QByteArray ArgValue;
    QByteArray ArgExtra1;
    QByteArray ArgExtra2;
    QByteArray ProgramArg = "000"; // what ArgProgram names: a program number as "%03d"
    QByteArray ArgData;
    QByteArray ArgText;

    // Writes `number` into ProgramArg the way every program command expects it.
    void setProgram(int number) { ProgramArg = QByteArray::number(number).rightJustified(3, '0'); }
};

} // namespace mqx
