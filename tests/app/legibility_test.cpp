// What the operator reads on the styled widgets, measured from the pixels they paint under
// every style on the machine: each value box's text is at least 8 pixels high and stands out
// from what is behind it by a contrast ratio of at least 4.5:1, and a mute button's face is
// blank while its output sounds and carries the red word while it is muted. The custom-painted
// artwork is the same under every style and is held by the reference images of the pages.

#include "installed_window.h"
#include "pages/input_page.h"
#include "pages/peq_page.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>

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
    const QRgb background =
        std::ranges::max_element(counts, {}, &decltype(counts)::value_type::second)->first;
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

// The inside of a box or button, off its frame.
QImage face(QWidget* w) {
    return w->grab().toImage().copy(w->rect().adjusted(3, 3, -3, -3));
}

std::vector<Region> paintedPieces(test::InstalledWindow& w) {
    std::vector<Region> out;
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
    return out;
}

} // namespace

TEST(Legibility, EveryPaintedTextIsTallAndContrastedAndTheMuteFacesTellTheState) {
    const QString original = QApplication::style()->name();
    for (const QString& style : QStyleFactory::keys()) {
        QApplication::setStyle(style);
        test::InstalledWindow window;
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
            EXPECT_GE(r.smallestHeight, 8);
            EXPECT_GE(r.lowestContrast, 4.5);
            EXPECT_TRUE(r.redText || region.shows != Shows::RedText);
        }
    }
    QApplication::setStyle(original);
}
