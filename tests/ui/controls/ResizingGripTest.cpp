#include "ui/controls/ResizingGrip.h"

#include "LayoutTestWindow.h"

#include <QImage>
#include <QMouseEvent>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint local,
               Qt::MouseButtons held)
{
    const QPointF global = widget->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global, button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

TEST(ResizingGripTest, StaysInTheLowerRightCornerAtItsOwnSize)
{
    LayoutTestWindow window;
    auto* grip = new ResizingGrip(window.get());
    grip->setObjectName(QStringLiteral("rg"));
    grip->move(3, 3);
    window.ResizeTwips(5685, 4995);
    window.Show();
    EXPECT_EQ(grip->AttachedWindow(), window.get());
    EXPECT_EQ(LayoutTestWindow::TwipsOf(grip), QRect(5505, 4815, 180, 180));

    window.ResizeTwips(9000, 6000);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(grip), QRect(8820, 5820, 180, 180));
    grip->resize(40, 40);
    EXPECT_EQ(LayoutTestWindow::TwipsOf(grip).size(), QSize(180, 180));
}

TEST(ResizingGripTest, DrawsSixLitDotsThatSurviveRepaints)
{
    LayoutTestWindow window;
    auto* grip = new ResizingGrip(window.get());
    QPalette palette = grip->palette();
    const QColor light(255, 0, 0);
    const QColor shadow(0, 0, 255);
    const QColor face(0, 255, 0);
    palette.setColor(QPalette::Light, light);
    palette.setColor(QPalette::Dark, shadow);
    palette.setColor(QPalette::Window, face);
    grip->setPalette(palette);
    window.ResizeTwips(3000, 3000);
    window.Show();

    for (int round = 0; round < 2; ++round) {
        const QImage image = grip->grab().toImage();
        ASSERT_EQ(image.size(), QSize(12, 12));
        const int w = image.width();
        const int h = image.height();
        const QList<QPoint> dots{{w - 12, h - 4}, {w - 8, h - 8}, {w - 8, h - 4},
                                 {w - 4, h - 12}, {w - 4, h - 8}, {w - 4, h - 4}};
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                QColor expected = face;
                for (const QPoint& dot : dots) {
                    if (x == dot.x() && y == dot.y())
                        expected = light;
                    else if (x >= dot.x() && x <= dot.x() + 1 && y >= dot.y() && y <= dot.y() + 1)
                        expected = shadow;
                }
                EXPECT_EQ(image.pixelColor(x, y), expected) << "pixel " << x << ", " << y;
            }
        }
        grip->update();
        QCoreApplication::processEvents();
    }
}

TEST(ResizingGripTest, LeftDragResizesTheWindowOtherButtonsDoNot)
{
    LayoutTestWindow window;
    auto* grip = new ResizingGrip(window.get());
    window->resize(300, 200);
    window.Show();

    // Right and middle presses do not start a resize.
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        SendMouse(grip, QEvent::MouseButtonPress, button, {5, 5}, button);
        EXPECT_FALSE(grip->IsFollowingMouse());
        SendMouse(grip, QEvent::MouseMove, Qt::NoButton, {45, 25}, button);
        SendMouse(grip, QEvent::MouseButtonRelease, button, {45, 25}, Qt::NoButton);
        EXPECT_EQ(window->size(), QSize(300, 200));
    }

    // Without a window manager the window follows the mouse instead.
    SendMouse(grip, QEvent::MouseButtonPress, Qt::LeftButton, {5, 5}, Qt::LeftButton);
    EXPECT_TRUE(grip->IsFollowingMouse());
    // The grip moves with the corner, so positions are taken on the screen.
    const QPoint start = grip->mapToGlobal(QPoint(5, 5));
    SendMouse(grip, QEvent::MouseMove, Qt::NoButton, grip->mapFromGlobal(start + QPoint(40, 20)),
              Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(340, 220));
    EXPECT_EQ(grip->pos(), QPoint(328, 208));
    SendMouse(grip, QEvent::MouseMove, Qt::NoButton, grip->mapFromGlobal(start + QPoint(-50, 10)),
              Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(250, 210));
    SendMouse(grip, QEvent::MouseButtonRelease, Qt::LeftButton,
              grip->mapFromGlobal(start + QPoint(-50, 10)), Qt::NoButton);
    EXPECT_FALSE(grip->IsFollowingMouse());
    SendMouse(grip, QEvent::MouseMove, Qt::NoButton, grip->mapFromGlobal(start), Qt::NoButton);
    EXPECT_EQ(window->size(), QSize(250, 210));
}
