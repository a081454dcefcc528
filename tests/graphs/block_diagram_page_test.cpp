// The picture itself is held by the reference images of the window (tests/app/images).
#include "graphs/block_diagram_model.h"
#include "graphs/block_diagram_page.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

using namespace mqx;
using P = OutputPart;

TEST(BlockDiagramPageTest, LeftPressesOnABlockAskForItsTab) {
    ProgramRecord record;
    ApplyRecordDefaults(record);
    record.eq_mode = 1; // the tab follows the block, not the mode
    BlockDiagramPage page;
    page.setRecord(&record);
    const std::tuple<Qt::MouseButton, QPoint, int> presses[] = {
        {Qt::LeftButton, PeqRect(1).center(), 4},
        {Qt::LeftButton, GeqRect(1).center(), 2},
        {Qt::LeftButton, OutputPartRect(5, P::Delay).center(), 12},
        {Qt::RightButton, PeqRect(1).center(), -1},
        {Qt::LeftButton, OutputPartRect(0, P::Mute).center(), -1}};
    for (const auto& [button, point, tab] : presses) {
        QSignalSpy spy(&page, &BlockDiagramPage::tabRequested);
        QTest::mouseClick(&page, button, {}, point);
        EXPECT_EQ(spy.isEmpty() ? -1 : spy.at(0).at(0).toInt(), tab)
            << point.x() << "," << point.y();
        EXPECT_LE(spy.count(), 1);
    }
}
