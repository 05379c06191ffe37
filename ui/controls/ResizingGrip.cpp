#include "ui/controls/ResizingGrip.h"

#include "ui/controls/Twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

ResizingGrip::ResizingGrip(QWidget* parent) : LayoutControl(parent)
{
    setFixedSize(Twips::ToPixelsX(SizeTwips, this), Twips::ToPixelsY(SizeTwips, this));
    setAutoFillBackground(true);
    setCursor(Qt::SizeFDiagCursor);
}

void ResizingGrip::Loaded()
{
    AttachParent(true);
}

void ResizingGrip::showEvent(QShowEvent* event)
{
    Load();
    MoveToCorner();
    LayoutControl::showEvent(event);
}

void ResizingGrip::WindowResized(QWidget* /*window*/)
{
    MoveToCorner();
}

void ResizingGrip::MoveToCorner()
{
    const QWidget* container = parentWidget();
    if (!container)
        return;
    const double width = Twips::FromPixelsX(container->width(), this);
    const double height = Twips::FromPixelsY(container->height(), this);
    move(Twips::ToPixelsX(width - SizeTwips, this), Twips::ToPixelsY(height - SizeTwips, this));
}

void ResizingGrip::paintEvent(QPaintEvent* /*event*/)
{
    // Painted in full each time, so the dots outlive every repaint.
    QPainter painter(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    const int w = width();
    const int h = height();
    const QPoint dots[] = {{w - 12, h - 4}, {w - 8, h - 8}, {w - 8, h - 4},
                           {w - 4, h - 12}, {w - 4, h - 8}, {w - 4, h - 4}};
    for (const QPoint& dot : dots) {
        painter.fillRect(dot.x(), dot.y(), 2, 2, shadow);
        painter.fillRect(dot.x(), dot.y(), 1, 1, light);
    }
}

void ResizingGrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    QWidget* window = this->window();
    QWindow* handle = window->windowHandle();
    if (handle && handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge))
        return;
    following_ = true;
    pressedAt_ = event->globalPosition();
    startSize_ = window->size();
}

void ResizingGrip::mouseMoveEvent(QMouseEvent* event)
{
    if (!following_) {
        LayoutControl::mouseMoveEvent(event);
        return;
    }
    const QPointF moved = event->globalPosition() - pressedAt_;
    window()->resize(startSize_ + QSize(qRound(moved.x()), qRound(moved.y())));
}

void ResizingGrip::mouseReleaseEvent(QMouseEvent* event)
{
    if (following_ && event->button() == Qt::LeftButton) {
        following_ = false;
        return;
    }
    LayoutControl::mouseReleaseEvent(event);
}
