#pragma once
// Program data files (".mqx"): the header line "MQX-T410VER1.50", CR LF, and the full
// text image of one record (1036 bytes in all). A file is read into the staging record
// and only then copied over the current one, so a bad file never touches the program
// the operator is working on.

#include <QString>

namespace mqx {

struct ProgramRecord;
struct Session;

inline constexpr char kFileHeader[] = "MQX-T410VER1.50";
inline constexpr int kProgramFileSize = 1036;

struct FileResult {
    bool ok = false;
    QString error; // the reason, for logs and the command-line tool
    explicit operator bool() const { return ok; }
};

// Writes the current record; through a temporary file renamed over the target, so a
// failed save leaves any earlier file as it was. Only a regular file is replaced: a FIFO,
// device, socket or folder at `path` fails the save and stays.
FileResult SaveProgramFile(const Session& session, const QString& path);
FileResult SaveRecordFile(const ProgramRecord& record, const QString& path);

// Reads `path` into the staging record. The current record is not touched. Anything but
// a regular file fails at once, without waiting for a FIFO's writer.
FileResult LoadProgramFile(Session& session, const QString& path);
FileResult LoadRecordFile(ProgramRecord& into, const QString& path);

// Copies the staging record over the current one; each output's graph then shows that
// output alone, and the OFF-button memories are emptied.
void ApplyLoadedFile(Session& session);

} // namespace mqx
