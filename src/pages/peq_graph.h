#pragma once
// The PEQ page's response graph: the sum of the channel's eleven bands in green, the
// selected band in red on its cyan centre line, a numbered marker under every active band,
// and the selected band's handles, which drag through the page's editor (whose changed
// callback shows the page again).

#include "graphs/peq_response.h"
#include "graphs/response_graph_view.h"

namespace mqx {

class PeqEditor;

class PeqGraph : public ResponseGraphView {
    Q_OBJECT
public:
    explicit PeqGraph(PeqEditor& editor, QWidget* parent = nullptr);
    const PeqCurves& curves() const { return *m_curves; }

protected:
    void paintContent(QPainter& painter) override;
    double readoutDb(int gridIndex) const override;
    bool pointerPressed(QPoint at) override;
    void pointerMoved(QPoint at) override;
    void pointerReleased() override;

private:
    PeqEditor& m_editor;
    PeqCurveCache m_cache;
    const PeqCurves* m_curves = &m_cache.update(ProgramRecord{}, 0);
};

} // namespace mqx
