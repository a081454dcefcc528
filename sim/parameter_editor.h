#pragma once
// Carries out parameter edits on a unit's current program the way the unit's pages of the
// controller change their record, linked channels included:
//  - input EQ codes with channel character "0" change both input channels;
//  - output codes (except source and mute) change every output in the edited output's
//    link_mask, and the CH link code regroups the outputs and copies each group's
//    lowest-lettered settings to its members;
//  - the compressor make-up gain follows into the other channel in every link mode but
//    INDIVIDUAL, and choosing a link mode copies the gain of the leading channel;
//  - the GEQ/PEQ link codes copy the chosen channel into the other one.
// So a download after any sequence of edits equals the controller's own record.

#include "parameter_address.h"

#include "core/program_record.h"

#include <QByteArray>

namespace mqx::sim {

class ParameterEditor {
public:
    // Applies a parsed edit (error 0) to `record`. Returns 0, or 21 when a value lies
    // outside what the unit accepts; the record is then unchanged.
    static int apply(ProgramRecord& record, const ParsedEdit& edit);

    // The value of one parameter in the digits an edit of it would carry ("181",
    // "000480", twelve digits for a whole band). Empty when the address stands for more
    // than one value (every GEQ band at once).
    static QByteArray read(const ProgramRecord& record, const ParameterAddress& address);
};

} // namespace mqx::sim
