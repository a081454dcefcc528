// What the operator reads, measured from the pixels the window paints under every style
// on the machine: each text of the artwork and of the value boxes is at least 8 pixels high and
// stands out from what is behind it by a contrast ratio of at least 4.5:1, and a mute button's face
// is blank while its output sounds and carries the red word while it is muted.

#include "app/artwork.h"
#include "app/block_tab_page.h"
#include "app/install_pages.h"
#include "app/main_window.h"
#include "core/session.h"
#include "graphs/block_diagram_model.h"
#include "graphs/block_diagram_page.h"
#include "graphs/level_meter_strip.h"
#include "pages/compressor_page.h"
#include "pages/display_page.h"
#include "pages/front_panel_view.h"
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

double luminance(QRgb rgb) {
    const auto channel = [](int v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What one region of a picture shows: its lines of text, found as runs of rows with ink
// (pixels that stand out by 1.5:1 from the commonest colour, below which a pixel belongs to a
// gradient or pattern), each with its height and the contrast of its strongest pixel.
struct Reading {
    int lines = 0;
    int smallestHeight = 1 << 20;
    double lowestContrast = 1e9;
    bool redText = true; // the strongest pixel of every line is clearly red
};

Reading read(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFFu];
    const QRgb background = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                                return a.second < b.second;
                            })->first;
    Reading r;
    int rows = 0;
    double strongest = 0;
    QRgb ink = 0;
    for (int y = 0; y <= image.height(); ++y) {
        bool inked = false;
        for (int x = 0; y < image.height() && x < image.width(); ++x) {
            const double c = contrast(image.pixel(x, y), background);
            inked = inked || c >= 1.5;
            if (c >= 1.5 && c > strongest)
                strongest = c, ink = image.pixel(x, y);
        }
        if (inked) {
            ++rows;
        } else if (rows > 0) {
            ++r.lines;
            r.smallestHeight = std::min(r.smallestHeight, rows);
            r.lowestContrast = std::min(r.lowestContrast, strongest);
            r.redText =
                r.redText && qRed(ink) > 2 * qGreen(ink) + 40 && qRed(ink) > 2 * qBlue(ink) + 40;
            rows = 0;
            strongest = 0;
        }
    }
    return r;
}

// One region of a painted piece and what it must show.
enum class Shows { Text, RedText, Nothing };
struct Region {
    std::string name;
    QImage image;
    Shows shows = Shows::Text;
};

// The inside of a badge or tile drawn on a plain ground: the box of everything that
// differs from the ground, less its border.
QImage insideBadge(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (contrast(image.pixel(x, y), image.pixel(0, 0)) > 1.2)
                box |= QRect(x, y, 1, 1);
    return image.copy(box.adjusted(2, 2, -2, -2));
}

// The inside of a box or button, off its frame.
QImage face(QWidget* w) {
    return w->grab().toImage().copy(w->rect().adjusted(3, 3, -3, -3));
}

struct NoFiles : FileDialogs {
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

struct LegibleWindow {
    LegibleWindow() { window->show(); }
    void showTab(int tab) {
        window->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
    }
    test::ScratchDir dir;
    Session session;
    test::ScriptedPrompts prompts;
    NoFiles files;
    test::RecordingEditSink sink;
    test::VirtualClock clock;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(
        session, prompts, files, sink, dir.path(QStringLiteral("cfg")));
    InstalledPages pages = InstallPages(*window, session, sink, prompts, clock);
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
        out.push_back({m + "input scale", image.copy(in0 + 9, 0, in1 - 4 - in0 - 9, h)});
        out.push_back({m + "output scale", image.copy(in1 + 9, 0, out0 - 6 - in1 - 9, h)});
        out.push_back({m + "output caption", image.copy(out0 - 3, 0, image.width() - out0 + 3,
                                                        DynamicsLampRect(0).top() - 1)});
        out.push_back({m + "meter numbers",
                       image.copy(0, kFineBarBottom + 2, image.width(), h - kFineBarBottom - 2)});
    }
}

void addBlockDiagram(std::vector<Region>& out, BlockDiagramPage* diagram) {
    const QImage image = diagram->grab().toImage();
    const auto block = [&](const std::string& name, const QRect& r, bool tall = false) {
        const QImage inside = image.copy(r.adjusted(2, 2, -2, -2));
        // Text set upright in a tall block is read across its columns.
        out.push_back({name, tall ? inside.transformed(QTransform().rotate(90)) : inside});
    };
    block("INPUT block", InputBlockRect(), true);
    block("SELECT box", InputRoutingRect(), true);
    block("SOURCE box", OutputRoutingRect(), true);
    block("SIG GEN block", SignalGeneratorRect());
    for (int ch = 0; ch < kInputCount; ++ch)
        for (const QRect& r : {GeqRect(ch), PeqRect(ch), CompressorRect(ch), InputDelayRect(ch)})
            block("input " + std::to_string(ch) + " block", r);
    for (int c = 0; c < kOutputCount; ++c) {
        for (int part = 0; part < kOutputPartCount; ++part)
            block("output " + std::to_string(c + 1) + " part " + std::to_string(part),
                  OutputPartRect(c, static_cast<OutputPart>(part)));
        // The labels' own column, right of where the output lines end.
        const QRect row = OutputRowRect(c);
        out.push_back({"OUT-" + std::to_string(c + 1) + " label",
                       image.copy(kDiagramWidth - 45, row.top(), 45, row.height())});
    }
}

std::vector<Region> paintedPieces(LegibleWindow& w) {
    std::vector<Region> out;
    for (int eqMode : {0, 1})
        for (int i = 0; i < kTabIconCount; ++i)
            out.push_back({"tab badge " + std::to_string(i) + " in mode " + std::to_string(eqMode),
                           insideBadge(TabIcon(i, eqMode).pixmap(kTabIconSize, 1.0).toImage())});
    // The mute faces, sounding and muted, of the outputs and of the generator.
    std::vector<QAbstractButton*> mutes = {w.pages.input->mutingButton()};
    for (int c = 0; c < kOutputCount; ++c)
        mutes.push_back(w.window->muteButton(c));
    w.showTab(0);
    for (std::size_t i = 0; i < mutes.size(); ++i)
        for (int k = 0; k < 2; ++k) {
            const bool muted = mutes[i]->isChecked();
            out.push_back({"mute " + std::to_string(i) + (muted ? " on" : " off"), face(mutes[i]),
                           muted ? Shows::RedText : Shows::Nothing});
            mutes[i]->click();
        }
    addMeterStrip(out, w.window->meterStrip());
    w.showTab(kBlockTab);
    addBlockDiagram(out, w.window->blockPage()->diagram());

    // Every value box of every page that shows a value, in both EQ modes; on the PEQ page
    // a Peaking band is selected, so that every box shows one.
    w.session.CurrentRecord().peq_band[3][0] = {1, 81, 30, 40};
    w.pages.peq[0]->editor().pressBandButton(3);
    for (int eqMode : {0, 1}) {
        w.session.CurrentRecord().eq_mode = static_cast<std::uint8_t>(eqMode);
        for (int tab = 0; tab < kBlockTab; ++tab) {
            w.showTab(tab);
            for (QLineEdit* box : w.window->page(tab)->findChildren<QLineEdit*>())
                if (box->isVisible() && !box->text().trimmed().isEmpty())
                    out.push_back(
                        {"tab " + std::to_string(tab) + " box " + box->text().toStdString(),
                         face(box)});
        }
    }
    w.showTab(3);
    out.push_back({"PEQ band ON", face(w.pages.peq[0]->bandOnButton(3))});
    out.push_back({"PEQ band OFF", face(w.pages.peq[0]->bandOnButton(4))});

    w.showTab(5);
    CompressorPage* comp = w.pages.compressor;
    const QImage graph = comp->graph()->picture(1.0);
    const QPoint o = TransferCurveView::kOrigin;
    const int square = kTransferGraphSize;
    out.push_back({"transfer graph output scale", graph.copy(0, o.y(), o.x() - 1, square)});
    out.push_back({"transfer graph input scale and title",
                   graph.copy(o.x(), o.y() + square, square, graph.height() - o.y() - square)});
    out.push_back({"transfer graph output title", graph.copy(0, 0, o.x() + 90, o.y())});
    // The make-up faders' decibel marks between the two tracks.
    const int left = CompressorLayout::gainTrackLeft(0) + MakeUpGainFader().trackWidth;
    out.push_back({"make-up scale",
                   comp->grab().toImage().copy(left, 0, CompressorLayout::kGainTrackGap, 282)});

    w.showTab(kDisplayTab);
    FrontPanelView* panel = w.pages.display->panel();
    const QImage image = panel->grab().toImage();
    out.push_back(
        {"front panel legend", image.copy(0, 0, panel->lampRect(0, 0).left() - 8, image.height())});
    for (int c = 0; c < kOutputCount; ++c) {
        const QRect lamp = panel->lampRect(c, 0);
        out.push_back({"front panel letter " + std::to_string(c),
                       insideBadge(image.copy(lamp.center().x() - 12, 0, 24, lamp.top() - 6))});
    }
    return out;
}

} // namespace

TEST(Legibility, EveryPaintedTextIsTallAndContrastedAndTheMuteFacesTellTheState) {
    const QString original = QApplication::style()->name();
    for (const QString& style : QStyleFactory::keys()) {
        QApplication::setStyle(style);
        LegibleWindow window;
        const std::vector<Region> regions = paintedPieces(window);
        ASSERT_GT(regions.size(), 200u);
        for (const Region& region : regions) {
            SCOPED_TRACE(style.toStdString() + ": " + region.name);
            const Reading r = read(region.image);
            if (region.shows == Shows::Nothing) {
                EXPECT_EQ(r.lines, 0) << "contrast " << r.lowestContrast;
                continue;
            }
            ASSERT_GE(r.lines, 1);
            EXPECT_GE(r.smallestHeight, 8);
            EXPECT_GE(r.lowestContrast, 4.5);
            if (region.shows == Shows::RedText) {
                EXPECT_TRUE(r.redText);
            }
        }
    }
    QApplication::setStyle(original);
}
