#pragma once
// A delay's up/down arrow pair, 16 pixels wide: the upper 11 pixels raise the delay, the
// next 11 lower it. It reports the press, whether the pointer is still over the pressed
// arrow while the button is held, and the release; the editor does the stepping and
// says which arrow shows pressed.

#include <QWidget>

namespace mqx {

class DelayArrows : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 16;
    static constexpr int kArrowHeight = 11;

    explicit DelayArrows(QWidget* parent = nullptr);
    // 0 none, 1 the up arrow, 2 the down arrow.
    void setPressedImage(int pressed);
    int pressedImage() const { return m_pressedImage; }
    QSize sizeHint() const override { return {kWidth, 2 * kArrowHeight}; }
    // The press was turned down before it began (a message box took the mouse, so no
    // release will come): the pair takes the next press as a new one.
    void endHold() { m_held = false; }

Q_SIGNALS:
    void arrowPressed(bool up);
    void pointerInside(bool inside);
    void arrowReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QRect arrowRect(bool up) const;

    int m_pressedImage = 0;
    bool m_held = false;
    bool m_heldUp = false;
    bool m_inside = false;
};

} // namespace mqx
