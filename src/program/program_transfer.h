#pragma once
// Whole programs between the controller's program table and a unit. A data reply reads
//
//   "(" ID letter  xxx  nnnn  data...
//    0  1-2  3    4..6  7..10  11..
//
// with "Q" answering pdatget (a full RecordText of 1019 characters), "I" answering
// pinfget (its first 297: header, name, comment) and "e" an error reply.

#include <QByteArray>
#include <QByteArrayView>

namespace mqx {

class LinkEngine;
struct ProgramRecord;
struct Session;

// Reads a data reply into record `n` (0 = the current program). True when the record was
// filled. An error reply marks the slot empty (empty_flag 255); a reply whose letter or
// length field is not one of the two above, or whose data does not read, leaves the
// record as it was. A full program also empties the OFF buttons' memories, whose
// settings belonged to the program it replaces.
bool DecodeProgramReply(QByteArrayView reply, Session& session, int n);
bool DecodeProgramReply(const LinkEngine& engine, Session& session, int n);

// The 1015 characters pdatset carries: record 0 without program_number and empty_flag.
QByteArray EncodeUpload(const ProgramRecord& record);

// The reply to pdatget for "000" into the current program. Only a whole program ("Q")
// is taken: an error reply or anything else leaves the current program as it was, its
// empty_flag included, since the operator's program is no stored slot to mark unused.
bool DownloadCurrent(QByteArrayView reply, Session& session);
bool DownloadCurrent(const LinkEngine& engine, Session& session);

} // namespace mqx
