// Every tab in both EQ modes, the meter strip in both modes at ratios 1 and 2, the plots and
// the dialogs, compared pixel for pixel with the pictures in tests/app/images, which were looked
// at when made. After an intended change, run with MQX_UPDATE_IMAGES=1, look, and commit them.

#include "app/about_dialog.h"
#include "app/compare_window.h"
#include "connection/connect_dialog.h"
#include "connection/connect_procedure.h"
#include "connection/device_info_dialog.h"
#include "connection/device_info_procedure.h"
#include "connection/disconnect_dialog.h"
#include "connection/disconnect_procedure.h"
#include "connection/panel_lock_dialog.h"
#include "connection/panel_lock_procedure.h"
#include "connection/select_data_dialog.h"
#include "connection/select_data_procedure.h"
#include "graphs/application_icon.h"
#include "graphs/level_meter_strip.h"
#include "graphs/response_graph_view.h"
#include "graphs/response_plot.h"
#include "installed_window.h"
#include "link/link_engine.h"
#include "link/port_map.h"
#include "link/ports_dialog.h"
#include "pages/caution_dialog.h"
#include "pages/ch_link_dialog.h"
#include "pages/eq_flat_dialog.h"
#include "pages/eq_link_dialog.h"
#include "pages/eq_link_off_dialog.h"
#include "pages/eq_operations.h"
#include "pages/fader.h"
#include "pages/output_flat_dialog.h"
#include "pages/peq_page.h"
#include "pages/sheet_plots.h"
#include "program/flag_chooser_dialog.h"
#include "program/program_list_dialog.h"
#include "program/program_list_procedure.h"
#include "program/program_store_dialog.h"
#include "program/program_store_procedure.h"
#include "program/program_text_dialog.h"
#include "program/program_text_procedure.h"
#include "scripted_serial_port.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QStyleFactory>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace mqx;

namespace {

// A program that sets something on every page, so that each drawn part has a value to show.
void VaryRecord(ProgramRecord& r) {
    ApplyRecordDefaults(r);
    r.input_mode = 1;
    r.sg_wave = 1;
    for (int b = 0; b < kGeqBandCount; ++b)
        r.geq_level[b] = {static_cast<std::uint8_t>((b * 7) % 31), static_cast<std::uint8_t>(b)};
    r.peq_band[2][0] = {1, 40, 36, 30};
    r.peq_band[0][0] = {2, 81, 30, 40};
    r.peq_band[6][0] = {3, 100, 10, 60};
    r.comp_on = {1, 0};
    r.comp_threshold[0] = 20;
    r.comp_ratio[0] = 5;
    r.comp_gain[0] = 8;
    r.master_delay = {960, 4800};
    for (int c = 0; c < kOutputCount; ++c) {
        OutputChannel& o = r.out[static_cast<std::size_t>(c)];
        o.source = static_cast<std::uint8_t>(c % 3);
        o.hpf_type = static_cast<std::uint8_t>(1 + c % 4);
        o.hpf_freq = static_cast<std::uint8_t>(10 + 12 * c);
        o.lpf_type = static_cast<std::uint8_t>(1 + (c + 2) % 4);
        o.lpf_freq = static_cast<std::uint8_t>(60 + 10 * c);
        o.eq[1] = {1, static_cast<std::uint8_t>(50 + 9 * c), 40, 30};
        o.level = static_cast<std::uint8_t>(150 + 8 * c);
        o.limiter = static_cast<std::uint8_t>(5 * c);
        o.delay = static_cast<std::uint32_t>(96 * c);
        o.phase = static_cast<std::uint8_t>(c % 2);
        o.on = c == 3 ? 0 : 1;
    }
    r.out[1].link_mask = OutputBit(1) | OutputBit(4);
    r.out[4].link_mask = OutputBit(1) | OutputBit(4);
}

struct Pictured : test::InstalledWindow {
    Pictured() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        VaryRecord(session.CurrentRecord());
        session.meterLevels = {{70, 40}, {90, 80, 60, 45, 30, 10}, {50, 20}, {60, 90},
                               {60, 30}, {1, 0, 0, 1, 0, 0}};
        window->resize(1000, 720);
        window->RefreshAll();
        window->metersChanged();
    }
    ~Pictured() { QApplication::setFont(QFont()); }
};

// Compares with the stored picture, or stores it when asked to; a difference fails the test.
void ExpectAsStored(const QString& name, const QImage& drawn) {
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    const QString stored = QStringLiteral(MQX_IMAGES_DIR "/") + name + QStringLiteral(".png");
    if (qEnvironmentVariableIsSet("MQX_UPDATE_IMAGES") && !image.save(stored))
        ADD_FAILURE() << "cannot write " << stored.toStdString();
    const QImage expected = QImage(stored).convertToFormat(QImage::Format_ARGB32);
    // A missing picture is a null one, of another size.
    QRect changed = expected.size() == image.size() ? QRect() : image.rect() | expected.rect();
    for (int y = 0; expected.size() == image.size() && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != expected.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    if (changed.isNull())
        return;
    image.save(name + QStringLiteral("-drawn.png"));
    ADD_FAILURE() << qPrintable(name) << " (drawn " << image.width() << 'x' << image.height()
                  << ") differs within x " << changed.left() << ".." << changed.right() << ", y "
                  << changed.top() << ".." << changed.bottom();
}

} // namespace

TEST(PageImages, EveryTabAndTheMeterStripLookAsStored) {
    Pictured w;
    for (int eqMode : {0, 1}) {
        // The first pass takes the inputs, whose panel lamps then light, and shows delays in
        // metres; the second the generator, and feet and inches.
        w.session.CurrentRecord().eq_mode = w.session.CurrentRecord().input_mode =
            static_cast<std::uint8_t>(eqMode);
        w.session.settings.delayUnit = eqMode;
        w.window->RefreshAll();
        w.pages.peq[0]->editor().pressBandButton(0);
        for (int tab = 0; tab < w.window->tabs()->count(); ++tab) {
            w.window->tabs()->setCurrentIndex(tab);
            // The pointer rests over each graph, which then shows its read-out.
            for (QWidget* graph :
                 w.window->tabs()->currentWidget()->findChildren<ResponseGraphView*>()) {
                const QPointF at(150, 60);
                QMouseEvent move(QEvent::MouseMove, at, graph->mapToGlobal(at), Qt::NoButton,
                                 Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(graph, &move);
            }
            QApplication::processEvents();
            ExpectAsStored(
                QStringLiteral("eq%1-tab%2").arg(eqMode).arg(tab, 2, 10, QLatin1Char('0')),
                w.window->grab().toImage());
        }
    }
    // What no tab shows: a fader with the focus, highlighted and not, and the window's icon.
    const FaderGeometry level = LevelFader();
    QImage faders(2 * level.trackWidth + 4, level.trackHeight, QImage::Format_ARGB32);
    faders.fill(Qt::white);
    QImage icons(16 + 32 + 64, 64, QImage::Format_ARGB32);
    icons.fill(Qt::transparent);
    {
        QPainter p(&faders);
        Fader::paint(p, QPoint(0, 0), level, KnobTopOf(level, 150), false, true);
        Fader::paint(p, QPoint(level.trackWidth + 4, 0), level, KnobTopOf(level, 40), true, true);
        QPainter q(&icons);
        for (int size : {16, 32, 64}) {
            PaintApplicationIcon(q, size);
            q.translate(size, 0);
        }
    }
    // The plots of the setup sheet and of mqxtool's response pictures.
    ProgramRecord& r = w.session.CurrentRecord();
    const QSize plot(560, 300);
    for (const auto& [name, picture] :
         {std::pair{"plot-outputs", RenderResponsePlot(OutputSumsPlot(r), plot)},
          {"plot-out3", RenderResponsePlot(OutputChannelPlot(r, 2), plot)},
          {"plot-peq1", RenderResponsePlot(PeqChannelPlot(r, 0), plot)},
          {"plot-inputs-peq", RenderResponsePlot(InputEqPlot(r), plot)}})
        ExpectAsStored(QLatin1String(name), picture);
    r.eq_mode = 0;
    ExpectAsStored(QStringLiteral("plot-inputs-geq"), RenderResponsePlot(InputEqPlot(r), plot));
    ExpectAsStored(QStringLiteral("focused-faders"), faders);
    ExpectAsStored(QStringLiteral("application-icon"), icons);
    for (int mode : {kMeterModeFine, kMeterModeCoarse}) {
        w.window->meterStrip()->setMode(mode);
        for (int ratio : {1, 2})
            ExpectAsStored(QStringLiteral("meters%1-x%2").arg(mode).arg(ratio),
                           w.window->meterStrip()->picture(ratio));
    }
}

TEST(PageImages, EveryDialogLooksAsStored) {
    Pictured w;
    Session& s = w.session;
    test::ScriptedSerialPort port;
    LinkEngine engine(port, w.clock, s);
    ConnectProcedure connect(s, engine, w.prompts, w.clock);
    DeviceInfoProcedure info(DeviceInfoMode::Edit, s, engine, w.prompts, w.clock);
    DisconnectProcedure disconnect(s, engine, w.prompts, w.clock);
    PanelLockProcedure lock(s, engine, w.prompts, w.clock);
    SelectDataProcedure select(s, engine, w.prompts, w.clock);
    ProgramListProcedure list(s, engine, w.prompts, w.clock);
    ProgramStoreProcedure store(s, engine, w.prompts, w.clock);
    ProgramTextProcedure text(ProgramTextKind::Information, s, engine, w.prompts, w.clock);
    EqOperations operations(s, w.sink);
    ProgramRecord unit;
    ApplyRecordDefaults(unit);
    const PortCatalog catalog({{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB serial"),
                                QStringLiteral("FTDI"), QStringLiteral("A1B2")}});
    // Paths that are nowhere, so that no machine's own ports change the picture.
    QSettings ports(w.dir.path(QStringLiteral("ports.ini")), QSettings::IniFormat);
    for (int com = 1; com <= PortMap::kPortCount; ++com)
        ports.setValue(QStringLiteral("Ports/COM%1").arg(com),
                       com == 1 ? QStringLiteral("/dev/ttyUSB0")
                                : QStringLiteral("/no/such/tty%1").arg(com));
    const std::vector<std::pair<const char*, std::function<QWidget*()>>> dialogs = {
        {"about", [] { return new AboutDialog; }},
        {"compare", [&] { return new CompareWindow(s.CurrentRecord(), unit); }},
        {"connect", [&] { return new ConnectDialog(connect, 2, 17); }},
        {"device-info",
         [&] { return new DeviceInfoDialog(info, 17, QByteArrayLiteral("Stage left......")); }},
        {"disconnect", [&] { return new DisconnectDialog(disconnect); }},
        {"panel-lock", [&] { return new PanelLockDialog(lock, 'E'); }},
        {"select-data", [&] { return new SelectDataDialog(select); }},
        {"ports", [&] { return new PortsDialog(PortMap::fromSettings(ports), catalog); }},
        {"caution", [] { return new CautionDialog; }},
        {"ch-link", [&] { return new ChLinkDialog(s, w.sink); }},
        {"geq-flat", [&] { return new EqFlatDialog(EqKind::Geq, operations); }},
        {"peq-link", [&] { return new EqLinkDialog(EqKind::Peq, operations); }},
        {"geq-link-off", [&] { return new EqLinkOffDialog(EqKind::Geq, operations); }},
        {"output-flat", [&] { return new OutputFlatDialog(s.CurrentRecord(), operations); }},
        {"protection", [] { return new FlagChooserDialog(FlagKind::Protection, 1, nullptr); }},
        {"program-list",
         [&] {
             return new ProgramListDialog(
                 list, s, [] {}, nullptr);
         }},
        {"program-store", [&] { return new ProgramStoreDialog(store, s, nullptr); }},
        {"information", [&] { return new ProgramTextDialog(text, nullptr); }},
    };
    for (const auto& [name, make] : dialogs) {
        std::unique_ptr<QWidget> dialog(make());
        dialog->show();
        QApplication::processEvents();
        ExpectAsStored(QStringLiteral("dialog-") + QLatin1String(name), dialog->grab().toImage());
    }
}
