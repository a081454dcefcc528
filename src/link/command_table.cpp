#include "link/command_table.h"

namespace mqx {

namespace {

CommandSpec row(bool hasArguments, const char* text, int replyLength, int timeLimit,
                const char* name, const char* description) {
    return CommandSpec{hasArguments, QByteArray(text),          replyLength,
                       timeLimit,    QByteArray(name) + ".mq~", QByteArray(description)};
}

} // namespace

CommandTable::CommandTable()
    : m_rows{{
          row(false, "hello", 8, 100, "hello", "Communication check"),
          row(false, "bye", 6, 20, "bye", "End of communication"),
          row(false, "CD", 4, 100, "plock", "Set the panel operation lock"),
          row(false, "CE", 4, 100, "aplock", "Release the panel operation lock"),
          row(false, "A", 20, 100, "ver", "Software version request"),
          row(true, "$", 7, 100, "paredt", "Change one parameter value of the current program"),
          row(true, "%", 22, 100, "pargiv", "Request parameter values of the current program"),
          row(false, "N", 5, 100, "cpinf", "Request the update state of the current program"),
          row(true, "R", 7, 100, "recall", "Recall a stored program"),
          row(true, "S", 7, 100, "store", "Store the current program"),
          row(true, "G", 4, 100, "pgdell", "Delete a stored program"),
          row(true, "Q", 1030, 200, "pdatget", "Request program data"),
          row(true, "P", 6, 100, "pdatset", "Set program data"),
          row(true, "I", 308, 200, "pinfget", "Request program information"),
          row(true, "J", 8, 100, "pinfset", "Set program information"),
          row(true, "L000E", 4, 100, "rcallr", "Program recall lock: recall allowed"),
          row(true, "L000D", 4, 100, "rcallr", "Program recall lock: recall not allowed"),
          row(true, "W000E", 4, 100, "pprt", "Program protection: overwrite allowed"),
          row(true, "W000D", 4, 100, "pprt", "Program protection: overwrite not allowed"),
          row(false, "X", 260, 200, "devinfget", "Request device information"),
          row(true, "Y", 4, 100, "devinfset", "Set device information"),
          row(false, "ME", 4, 20, "levon", "Start sending level information"),
          row(false, "MD", 4, 20, "levoff", "Stop sending level information"),
          row(false, "K", 5, 20, "pnllock", "Request the front-panel lock state"),
      }} {}

} // namespace mqx
