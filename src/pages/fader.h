#pragma once
// One vertical fader: its track with scale marks and its knob, painted with QPainter at
// whatever density the screen has. It takes the focus on a click and steps from the
// keyboard (Up/Down one step, Page Up/Down ten) and the wheel (one step per notch); the
// pointer itself is left to the page, which drives several faders with one drag.

#include "pages/fader_geometry.h"

#include <QWidget>

namespace mqx {

class Fader : public QWidget {
    Q_OBJECT
public:
    explicit Fader(const FaderGeometry& geometry, QWidget* parent = nullptr);

    // Knob top relative to the track top.
    void setKnobTop(int top);
    int knobTop() const { return m_knobTop; }
    // The selected band's track is drawn highlighted.
    void setHighlighted(bool on);
    bool isHighlighted() const { return m_highlighted; }
    const FaderGeometry& geometry() const { return m_geometry; }

    // The whole fader with its track's top left at `origin`: shared by the widget and by
    // anything that paints many faders into one picture.
    static void paint(QPainter& painter, QPoint origin, const FaderGeometry& geometry, int knobTop,
                      bool highlighted, bool focused);

Q_SIGNALS:
    // Up (positive) or down, from the keyboard or the wheel.
    void stepped(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    FaderGeometry m_geometry;
    int m_knobTop = 0;
    bool m_highlighted = false;
    int m_wheelRest = 0; // eighths of a degree short of a whole notch
};

// Keys that step a fader or a value box: +1/-1 for Up/Down, +10/-10 for Page Up/Down,
// 0 for any other key.
int StepsOfKey(int key);
// Whole wheel notches in `angle` (eighths of a degree) added to `rest`, which keeps what
// is left over for the next event of a fine-grained wheel.
int WheelNotches(int angle, int& rest);

} // namespace mqx
