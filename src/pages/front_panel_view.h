#pragma once
// The unit's front-panel lamps as the Display page draws them: a column of six lamps for
// each output A..F (input 1, input 2 and the four frequency bands), lit from that
// output's panel_indicator mask, with the legend at the left.

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>

namespace mqx {

class FrontPanelView : public QWidget {
    Q_OBJECT
public:
    // Lamp k of a column (k = 0..5 for mask bits 5..0): its top below the first frame.
    static constexpr std::array<int, 6> kLampTop = {0, 14, 32, 46, 60, 74};
    static constexpr int kLampWidth = 26;
    static constexpr int kLampHeight = 10;

    explicit FrontPanelView(QWidget* parent = nullptr);

    void setMasks(const std::array<std::uint8_t, 6>& masks);
    const std::array<std::uint8_t, 6>& masks() const { return m_masks; }
    // Where lamp k (0..5, bit 5 - k) of output `channel` is drawn.
    QRect lampRect(int channel, int k) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintPanel(QPainter& painter) const;

    std::array<std::uint8_t, 6> m_masks{};
};

} // namespace mqx
