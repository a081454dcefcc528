#pragma once
// The parameter edits that bring a unit from one program to another, for undo, redo and
// anything else that sets fields back: the same codes, channel digits and value widths
// the pages send, so the unit takes them exactly as it took the edits they reverse.
//
//   from, to --links and modes first ("010", "011", "020", "037", "054"), each as the
//              unit applies it, copies within a group included--> the record the unit
//              then holds --every field still differing, one edit each (a band
//              whole)--> edits in sending order
//
// Input channels are always addressed one by one ("1", "2"), so no edit reaches a
// channel it was not meant for; an output edit reaches its link group, as on the unit.

#include "core/program_record.h"

#include <QByteArray>

#include <vector>

namespace mqx {

struct RestoreEdit {
    QByteArray code;  // with its qualifiers: "0493"
    QByteArray value; // "175"
    friend bool operator==(const RestoreEdit&, const RestoreEdit&) = default;
};

// Whether a change of record byte `offset` reaches a unit as a parameter edit. Names,
// comments, the header and the screen-only bytes do not.
bool TravelsAsEdit(int offset);

// The edits that take a unit holding `from` to `to`, in sending order.
std::vector<RestoreEdit> RestoreEdits(const ProgramRecord& from, const ProgramRecord& to);

} // namespace mqx
