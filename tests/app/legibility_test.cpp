// What the operator reads, measured from the pixels the window paints under every style
// on the machine: each text of the artwork and of the boxes that only show values is at
// least 8 pixels high and stands out from what is behind it by a contrast ratio of at
// least 4.5:1, and a mute button's face is blank while its output sounds and carries the
// red word while it is muted.

#include "app/artwork.h"
#include "app/block_tab_page.h"
#include "app/install_pages.h"
#include "app/main_window.h"
#include "core/session.h"
#include "graphs/block_diagram_model.h"
#include "graphs/block_diagram_page.h"
#include "graphs/level_meter_strip.h"
#include "pages/compressor_page.h"
#include "pages/delay_page.h"
#include "pages/display_page.h"
#include "pages/entry_box.h"
#include "pages/front_panel_view.h"
#include "pages/geq_page.h"
#include "pages/input_page.h"
#include "pages/peq_page.h"
#include "pages/transfer_curve_view.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "test_paths.h"
#include "virtual_clock.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTransform>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace mqx;

namespace {

constexpr int kSmallestHeight = 8;
constexpr double kLeastContrast = 4.5;
// Below this a pixel is part of the background: a button's gradient, a pattern.
constexpr double kInkContrast = 1.5;

double luminance(QRgb rgb) {
    const auto channel = [](int v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What one region of a picture shows: its lines of text, found as runs of rows with ink
// (pixels that stand out from the commonest colour), each with its height and the
// contrast of its strongest pixel.
struct Reading {
    int lines = 0;
    int smallestHeight = 0;
    double lowestContrast = 0;
    bool redText = false; // the strongest pixel of every line is clearly red
};

Reading read(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFFu];
    QRgb background = 0;
    int most = -1;
    for (const auto& [rgb, n] : counts)
        if (n > most)
            most = n, background = rgb;

    Reading r;
    r.lowestContrast = 1e9;
    r.smallestHeight = 1 << 20;
    r.redText = true;
    int lineRows = 0;
    double lineContrast = 0;
    QRgb lineStrongest = 0;
    const auto endLine = [&] {
        if (lineRows == 0)
            return;
        ++r.lines;
        r.smallestHeight = std::min(r.smallestHeight, lineRows);
        r.lowestContrast = std::min(r.lowestContrast, lineContrast);
        r.redText = r.redText && qRed(lineStrongest) > 2 * qGreen(lineStrongest) + 40 &&
                    qRed(lineStrongest) > 2 * qBlue(lineStrongest) + 40;
        lineRows = 0;
        lineContrast = 0;
    };
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width(); ++x) {
            const double c = contrast(image.pixel(x, y), background);
            if (c < kInkContrast)
                continue;
            ink = true;
            if (c > lineContrast)
                lineContrast = c, lineStrongest = image.pixel(x, y);
        }
        if (ink)
            ++lineRows;
        else
            endLine();
    }
    endLine();
    if (r.lines == 0)
        r = Reading{};
    return r;
}

// One region of a painted piece and what it must show.
enum class Shows { Text, RedText, Nothing };
struct Region {
    std::string name;
    QImage image;
    Shows shows = Shows::Text;
};

QImage crop(const QImage& image, const QRect& r) {
    return image.copy(r);
}

// Text set upright in a tall block is read across its columns.
QImage turned(const QImage& image) {
    return image.transformed(QTransform().rotate(90));
}

// The inside of a badge or tile drawn on a plain ground: the box of everything that
// differs from the ground, less its border.
QImage insideBadge(const QImage& image) {
    const QRgb ground = image.pixel(0, 0);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (contrast(image.pixel(x, y), ground) > 1.2)
                box |= QRect(x, y, 1, 1);
    return image.copy(box.adjusted(2, 2, -2, -2));
}

// The inside of a box or button, off its frame.
QImage face(QWidget* w) {
    const QImage image = w->grab().toImage();
    return image.copy(w->rect().adjusted(3, 3, -3, -3));
}

class LegibleWindow {
public:
    LegibleWindow() {
        window = std::make_unique<MainWindow>(session, prompts, files, sink,
                                              dir.path(QStringLiteral("cfg")));
        pages = InstallPages(*window, session, sink, prompts, clock);
        window->show();
    }
    void showTab(int tab) {
        window->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
    }

    struct NoFiles : FileDialogs {
        QString openFileName(const QString&) override { return {}; }
        QString saveFileName(const QString&) override { return {}; }
    };
    test::ScratchDir dir;
    Session session;
    test::ScriptedPrompts prompts;
    NoFiles files;
    test::RecordingEditSink sink;
    test::VirtualClock clock;
    std::unique_ptr<MainWindow> window;
    InstalledPages pages;
};

void addMeterStrip(std::vector<Region>& out, LevelMeterStrip* strip) {
    for (int mode : {kMeterModeFine, kMeterModeCoarse}) {
        strip->setMode(mode);
        const QImage image = strip->picture(1.0);
        const std::string m = mode == kMeterModeFine ? "fine " : "coarse ";
        const int in0 = MeterColumnX(MeterKind::Input, 0, mode);
        const int in1 = MeterColumnX(MeterKind::Input, 1, mode);
        const int out0 = MeterColumnX(MeterKind::Output, 0, mode);
        const int h = image.height();
        // The scales stand between the meters' wells and their tick marks.
        out.push_back({m + "input scale", crop(image, QRect(in0 + 9, 0, in1 - 4 - in0 - 9, h))});
        out.push_back({m + "output scale", crop(image, QRect(in1 + 9, 0, out0 - 6 - in1 - 9, h))});
        const int wellsTop = DynamicsLampRect(0).top() - 1;
        out.push_back({m + "output caption",
                       crop(image, QRect(out0 - 3, 0, image.width() - out0 + 3, wellsTop))});
        out.push_back({m + "meter numbers", crop(image, QRect(0, kFineBarBottom + 2, image.width(),
                                                              h - kFineBarBottom - 2))});
    }
}

void addBlockDiagram(std::vector<Region>& out, BlockDiagramPage* diagram) {
    const QImage image = diagram->grab().toImage();
    const auto block = [&](const std::string& name, const QRect& r) {
        out.push_back({name, crop(image, r.adjusted(2, 2, -2, -2))});
    };
    const auto tall = [&](const std::string& name, const QRect& r) {
        out.push_back({name, turned(crop(image, r.adjusted(2, 2, -2, -2)))});
    };
    tall("INPUT block", InputBlockRect());
    tall("SELECT box", InputRoutingRect());
    tall("SOURCE box", OutputRoutingRect());
    block("SIG GEN block", SignalGeneratorRect());
    for (int ch = 0; ch < kInputCount; ++ch) {
        const std::string n = std::to_string(ch + 1);
        block("GEQ " + n, GeqRect(ch));
        block("PEQ " + n, PeqRect(ch));
        block("COMP " + n, CompressorRect(ch));
        block("input DELAY " + n, InputDelayRect(ch));
    }
    for (int c = 0; c < kOutputCount; ++c) {
        for (int part = 0; part < kOutputPartCount; ++part)
            block("output " + std::to_string(c + 1) + " part " + std::to_string(part),
                  OutputPartRect(c, static_cast<OutputPart>(part)));
        // The labels' own column, right of where the output lines end.
        const QRect row = OutputRowRect(c);
        const int labelLeft = kDiagramWidth - 45;
        out.push_back(
            {"OUT-" + std::to_string(c + 1) + " label",
             crop(image, QRect(labelLeft, row.top(), kDiagramWidth - labelLeft, row.height()))});
    }
}

void addFrontPanel(std::vector<Region>& out, FrontPanelView* panel) {
    const QImage image = panel->grab().toImage();
    const QRect firstLamp = panel->lampRect(0, 0);
    out.push_back(
        {"front panel legend", crop(image, QRect(0, 0, firstLamp.left() - 8, image.height()))});
    for (int c = 0; c < kOutputCount; ++c) {
        const QRect lamp = panel->lampRect(c, 0);
        out.push_back(
            {"front panel letter " + std::to_string(c),
             insideBadge(crop(image, QRect(lamp.center().x() - 12, 0, 24, lamp.top() - 6)))});
    }
}

std::vector<Region> paintedPieces(LegibleWindow& w) {
    std::vector<Region> out;
    for (int eqMode : {0, 1})
        for (int i = 0; i < kTabIconCount; ++i)
            out.push_back({"tab badge " + std::to_string(i) + " in mode " + std::to_string(eqMode),
                           insideBadge(TabIcon(i, eqMode).pixmap(kTabIconSize, 1.0).toImage())});

    // The mute faces, sounding and muted.
    for (int c = 0; c < kOutputCount; ++c) {
        const std::string n = "mute " + std::to_string(c + 1);
        out.push_back({n + " sounding", face(w.window->muteButton(c)), Shows::Nothing});
        w.window->muteButton(c)->click();
        out.push_back({n + " muted", face(w.window->muteButton(c)), Shows::RedText});
    }

    addMeterStrip(out, w.window->meterStrip());

    w.showTab(kBlockTab);
    addBlockDiagram(out, w.window->blockPage()->diagram());

    w.showTab(0);
    QPushButton* generator = w.pages.input->mutingButton();
    for (int k = 0; k < 2; ++k) {
        const bool muted = generator->isChecked();
        out.push_back({std::string("generator muting ") + (muted ? "muted" : "sounding"),
                       face(generator), muted ? Shows::RedText : Shows::Nothing});
        generator->click();
    }

    w.showTab(1);
    GeqPage* geq = w.pages.geq[0];
    for (int b = 0; b < kGeqBands; ++b) {
        out.push_back({"GEQ value " + std::to_string(b), face(geq->bandBox(b))});
        out.push_back({"GEQ frequency " + std::to_string(b), face(geq->frequencyBox(b))});
    }
    out.push_back({"GEQ level", face(geq->levelBox())});

    // The PEQ page with a Peaking band selected, so that every box shows a value.
    w.session.CurrentRecord().eq_mode = 1;
    w.session.CurrentRecord().peq_band[3][0] = {1, 81, 30, 40};
    w.showTab(3);
    PeqPage* peq = w.pages.peq[0];
    peq->editor().pressBandButton(3);
    peq->showPage();
    for (PeqBox box : {PeqBox::Frequency, PeqBox::Q, PeqBox::Level})
        out.push_back({"PEQ box " + std::to_string(static_cast<int>(box)), face(peq->box(box))});
    out.push_back({"PEQ level", face(peq->levelBox())});
    out.push_back({"PEQ band ON", face(peq->bandOnButton(3))});
    out.push_back({"PEQ band OFF", face(peq->bandOnButton(4))});

    w.showTab(5);
    CompressorPage* comp = w.pages.compressor;
    for (int ch = 0; ch < kInputCount; ++ch) {
        const std::string n = "compressor " + std::to_string(ch + 1) + " ";
        for (CompField f :
             {CompField::Attack, CompField::Release, CompField::Threshold, CompField::Ratio})
            out.push_back(
                {n + "box " + std::to_string(static_cast<int>(f)), face(comp->box(ch, f))});
        out.push_back({n + "make-up", face(comp->gainBox(ch))});
    }
    {
        const QImage graph = comp->graph()->picture(1.0);
        const QPoint o = TransferCurveView::kOrigin;
        const int square = kTransferGraphSize;
        out.push_back(
            {"transfer graph output scale", crop(graph, QRect(0, o.y(), o.x() - 1, square))});
        out.push_back(
            {"transfer graph input scale and title",
             crop(graph, QRect(o.x(), o.y() + square, square, graph.height() - o.y() - square))});
        out.push_back({"transfer graph output title", crop(graph, QRect(0, 0, o.x() + 90, o.y()))});
        // The make-up faders' decibel marks between the two tracks.
        const int left = CompressorLayout::gainTrackLeft(0) + MakeUpGainFader().trackWidth;
        out.push_back(
            {"make-up scale",
             crop(comp->grab().toImage(), QRect(left, 0, CompressorLayout::kGainTrackGap, 282))});
    }

    w.showTab(6);
    for (int c = 0; c < kOutputCount; ++c) {
        out.push_back({"delay source " + std::to_string(c), face(w.pages.delay->sourceBox(c))});
        out.push_back(
            {"delay total " + std::to_string(c), face(w.pages.delay->totalBox(c, DelayBox::Ms))});
    }

    w.showTab(kDisplayTab);
    addFrontPanel(out, w.pages.display->panel());
    for (int c = 0; c < kOutputCount; ++c)
        for (int row = 0; row < 3; ++row)
            out.push_back({"display parameter " + std::to_string(c) + "/" + std::to_string(row),
                           face(w.pages.display->summaryBox(c, row))});
    return out;
}

} // namespace

TEST(Legibility, EveryPaintedTextIsTallAndContrastedAndTheMuteFacesTellTheState) {
    const QString original = QApplication::style()->name();
    for (const QString& style : QStyleFactory::keys()) {
        QApplication::setStyle(style);
        LegibleWindow window;
        const std::vector<Region> regions = paintedPieces(window);
        ASSERT_GT(regions.size(), 100u);
        for (const Region& region : regions) {
            SCOPED_TRACE(style.toStdString() + ": " + region.name);
            const Reading r = read(region.image);
            if (region.shows == Shows::Nothing) {
                EXPECT_EQ(r.lines, 0) << "contrast " << r.lowestContrast;
                continue;
            }
            ASSERT_GE(r.lines, 1);
            EXPECT_GE(r.smallestHeight, kSmallestHeight);
            EXPECT_GE(r.lowestContrast, kLeastContrast);
            if (region.shows == Shows::RedText) {
                EXPECT_TRUE(r.redText);
            }
        }
    }
    QApplication::setStyle(original);
}
