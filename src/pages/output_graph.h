#pragma once
// The Output page's response graph: the sums of the channels the page marks, each 1 pixel
// wide in its channel's colour, under the page's own sum 2 pixels wide; a marker under
// every element that sounds (or is selected), the selected element's cyan centre line and
// its handles, which drag through the page's filter editor.

#include "graphs/output_response.h"
#include "graphs/response_graph_view.h"

#include <array>
#include <functional>

namespace mqx {

class OutputFilterEditor;

class OutputGraph : public ResponseGraphView {
    Q_OBJECT
public:
    OutputGraph(OutputFilterEditor& editor, QWidget* parent = nullptr);
    const OutputCurves& curves(int channel) const {
        return m_curves[static_cast<std::size_t>(channel)];
    }
    // The selected element's own curve at its grid point; 0 with nothing selected.
    double selectedCurveAtCentre() const;
    // Runs after each drag step, so the page shows the values the drag wrote.
    void setDraggedCallback(std::function<void()> callback) { m_dragged = std::move(callback); }

protected:
    void paintContent(QPainter& painter) override;
    double readoutDb(int gridIndex) const override;
    bool pointerPressed(QPoint at) override;
    void pointerMoved(QPoint at) override;
    void pointerReleased() override;

private:
    void computeCurves();
    const ResponseCurve* selectedCurve() const;

    OutputFilterEditor& m_editor;
    std::array<OutputCurves, kOutputCount> m_curves{};
    std::function<void()> m_dragged;
};

} // namespace mqx
