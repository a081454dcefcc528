#pragma once
// Puts the Input, GEQ, PEQ, Compressor, Delay, Output and Display pages behind their tabs of the
// main window.

#include <array>

namespace mqx {

class CompressorPage;
class DelayPage;
class DisplayPage;
class GeqPage;
class PeqPage;
class InputPage;
class OutputPage;
class MainWindow;
class ParameterEditSink;
class Prompts;
class TimerSource;
struct Session;

struct InstalledPages {
    InputPage* input = nullptr;
    DelayPage* delay = nullptr;
    DisplayPage* display = nullptr;
    std::array<GeqPage*, 2> geq{};        // tabs 1 and 2, input channels 1 and 2
    std::array<PeqPage*, 2> peq{};        // tabs 3 and 4
    CompressorPage* compressor = nullptr; // tab 5
    std::array<OutputPage*, 6> output{};  // tabs 7..12, output channels A..F; each takes its
                                          // link indicator's request from whoever opens
                                          // the CH Link dialog
};

// The window owns the pages from then on; `session`, `sink`, `prompts` and `timers` must
// outlive it. This takes the window's program-changed hook for the Display page, so that
// a mute button lights or darkens its lamps at once; whoever needs that hook as well
// must call display->programChanged() from their own.
InstalledPages InstallPages(MainWindow& window, Session& session, ParameterEditSink& sink,
                            Prompts& prompts, TimerSource& timers);

} // namespace mqx
