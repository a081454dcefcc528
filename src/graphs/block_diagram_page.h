#pragma once
// The "Block" page's picture: the signal flow of the current program with every block that
// departs from neutral lit. A left press on a block asks for the tab that edits it.
// The widget is exactly the 677 x 233 picture, so its coordinates are the diagram's.

#include "core/program_record.h"

#include <QImage>
#include <QWidget>

namespace mqx {

class BlockDiagramPage : public QWidget {
    Q_OBJECT
public:
    explicit BlockDiagramPage(QWidget* parent = nullptr);

    // The record shown; not owned, read on every paint. Null draws every block unlit.
    void setRecord(const ProgramRecord* record);
    const ProgramRecord* record() const { return m_record; }

    // Repaint after the record changed in a way the picture shows.
    void refresh();

    // The whole picture as it is painted, at the given device pixel ratio.
    QImage picture(qreal devicePixelRatio) const;

    QSize sizeHint() const override;

signals:
    // A left press landed on a block; tab is the main window's tab that edits it.
    void tabRequested(int tab);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const ProgramRecord* m_record = nullptr;
};

} // namespace mqx
