#pragma once
// The Compressor page's transfer-curve graph: output level over input level of each
// compressor the link mode uses, IN-1 in magenta and IN-2 in cyan, over a grid with
// labelled decibel axes. The curve square keeps its fixed pixels (one pixel a 0.5 dB
// step); the labels sit in a margin round it. Painted into one off-screen image at the
// screen's pixel density.

#include <QImage>
#include <QWidget>

#include <array>

namespace mqx {

class TransferCurveView : public QWidget {
public:
    struct Curve {
        bool shown = false;
        int threshold = 0;
        int ratio = 0;
        int gain = 0;
        friend bool operator==(const Curve&, const Curve&) = default;
    };
    // Where the curve square's own (0, 0) lies in the widget.
    static constexpr QPoint kOrigin{34, 16};

    explicit TransferCurveView(QWidget* parent = nullptr);

    void setCurves(const std::array<Curve, 2>& curves);
    const std::array<Curve, 2>& curves() const { return m_curves; }
    QImage picture(qreal devicePixelRatio) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const QImage& background(qreal devicePixelRatio) const;

    std::array<Curve, 2> m_curves{};
    mutable QImage m_background; // the grid and labels change only with the screen or font
};

} // namespace mqx
