#pragma once
// A strip of the six output letters A..F, each in its channel colour, that says something
// about every channel at once: the Output page's link indicator (which channels share the
// page's settings; a click anywhere asks for the CH Link dialog) and its display-channel
// selector (a box over each letter, ticked for the channels whose sums the graph overlays;
// a click on a box asks to toggle that channel).

#include <QWidget>

#include <cstdint>

namespace mqx {

class ChannelStrip : public QWidget {
    Q_OBJECT
public:
    enum class Kind { LinkIndicator, DisplaySelector };
    explicit ChannelStrip(Kind kind, QWidget* parent = nullptr);

    // Bit (5 - c) for channel c: linked, or displayed.
    void setMask(std::uint8_t mask);
    std::uint8_t mask() const { return m_mask; }
    // Where channel c's letter (link indicator) or box (selector) lies.
    QRect slot(int channel) const;
    QSize sizeHint() const override;

signals:
    void clicked();
    void channelClicked(int channel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Kind m_kind;
    std::uint8_t m_mask = 0;
};

} // namespace mqx
