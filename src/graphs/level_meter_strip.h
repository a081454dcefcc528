#pragma once
// The level meter strip of the main window: two input and six output meters with their
// clip and dynamics lamps, in Fine (bars) or Coarse (five lamps) mode. The owner hands it
// each new meter block; the strip keeps a copy and repaints.

#include "core/meter_levels.h"
#include "graphs/meter_strip_geometry.h"

#include <QImage>
#include <QWidget>

namespace mqx {

class LevelMeterStrip : public QWidget {
public:
    static constexpr int kWidth = 250;
    static constexpr int kHeight = 106;

    explicit LevelMeterStrip(QWidget* parent = nullptr);

    // kMeterModeFine or kMeterModeCoarse; anything else is taken as Fine.
    void setMode(int mode);
    int mode() const { return m_mode; }

    void setLevels(const MeterLevels& levels);
    const MeterLevels& levels() const { return m_levels; }

    // The whole strip as it is painted, at the given device pixel ratio.
    QImage picture(qreal devicePixelRatio) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const QImage& background(qreal devicePixelRatio) const;

    int m_mode = kMeterModeFine;
    MeterLevels m_levels;
    // The scales only change with the mode and the screen, not with every level frame.
    mutable QImage m_background;
    mutable int m_backgroundMode = -1;
};

} // namespace mqx
