#pragma once
// The command line of mqx-sim.

#include "line_fault.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace mqx::sim {

struct SimOptions {
    std::vector<int> ids;            // --id N, repeatable; {1} when none is given
    QString linkPath;                // --link PATH: a symlink to the pseudo-terminal
    bool pacing = true;              // --no-pacing
    QString logPath;                 // --log FILE
    std::vector<FaultOption> faults; // --fault COMMAND:KIND[:ARG], repeatable
};

struct SimOptionsResult {
    std::optional<SimOptions> options; // nothing when the program should stop
    int exitCode = 0; // when it should stop: 0 after --help or --version, 2 on an error
    QString message;  // the help or version text, or the error, for the user
};

// `arguments` includes the program name first, as QCoreApplication::arguments().
SimOptionsResult ParseSimOptions(const QStringList& arguments);

} // namespace mqx::sim
