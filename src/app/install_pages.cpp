#include "app/install_pages.h"

#include "app/main_window.h"
#include "pages/compressor_page.h"
#include "pages/delay_page.h"
#include "pages/display_page.h"
#include "pages/geq_page.h"
#include "pages/input_page.h"
#include "pages/output_page.h"
#include "pages/peq_page.h"

namespace mqx {

namespace {
constexpr int kInputTab = 0;
constexpr int kFirstGeqTab = 1;
constexpr int kFirstPeqTab = 3;
constexpr int kCompressorTab = 5;
constexpr int kDelayTab = 6;
} // namespace

InstalledPages InstallPages(MainWindow& window, Session& session, ParameterEditSink& sink,
                            Prompts& prompts, TimerSource& timers) {
    InstalledPages pages;
    pages.input = new InputPage(session, sink, prompts);
    pages.delay = new DelayPage(session, sink, prompts, timers);
    pages.display = new DisplayPage(session);
    window.setPage(kInputTab, pages.input);
    for (int ch = 0; ch < 2; ++ch) {
        auto* geq = new GeqPage(session, sink, prompts, timers, ch);
        pages.geq[static_cast<std::size_t>(ch)] = geq;
        window.setPage(kFirstGeqTab + ch, geq);
        auto* peq = new PeqPage(session, sink, prompts, timers, ch);
        pages.peq[static_cast<std::size_t>(ch)] = peq;
        window.setPage(kFirstPeqTab + ch, peq);
    }
    pages.compressor = new CompressorPage(session, sink, prompts, timers);
    window.setPage(kCompressorTab, pages.compressor);
    window.setPage(kDelayTab, pages.delay);
    for (int ch = 0; ch < kOutputCount; ++ch) {
        auto* output = new OutputPage(session, sink, prompts, timers, ch);
        pages.output[static_cast<std::size_t>(ch)] = output;
        window.setPage(kFirstOutputTab + ch, output);
    }
    window.setPage(kDisplayTab, pages.display);
    window.setProgramChangedHook([display = pages.display] { display->programChanged(); });
    return pages;
}

} // namespace mqx
