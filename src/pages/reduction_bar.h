#pragma once
// One compressor's gain-reduction bar: a green bar growing from the right edge to the left
// as the reduction grows, from the meter value the level metering delivers. Painted into
// an off-screen image at the screen's pixel density.

#include <QImage>
#include <QWidget>

namespace mqx {

class ReductionBar : public QWidget {
public:
    explicit ReductionBar(QWidget* parent = nullptr);

    void setMeter(int meter);
    int meter() const { return m_meter; }
    QImage picture(qreal devicePixelRatio) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_meter = 90;
};

} // namespace mqx
