#pragma once
// A real top-level window for the layout control tests, measured in twips at
// the test screen's 15 twips per pixel.
#include "ui/controls/Twips.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

class LayoutTestWindow {
public:
    explicit LayoutTestWindow(const QString& name = QStringLiteral("frmMain"))
        : window_(std::make_unique<QWidget>())
    {
        window_->setObjectName(name);
    }

    QWidget* get() const { return window_.get(); }
    QWidget* operator->() const { return window_.get(); }

    // Interior size in twips; both must be whole pixels.
    void ResizeTwips(int width, int height)
    {
        EXPECT_EQ(width % 15, 0);
        EXPECT_EQ(height % 15, 0);
        window_->resize(width / 15, height / 15);
        QCoreApplication::processEvents();
    }
    void Show()
    {
        window_->show();
        QCoreApplication::processEvents();
    }

    static QRect TwipsOf(const QWidget* widget)
    {
        const QRect g = widget->geometry();
        return QRect(g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15);
    }

private:
    std::unique_ptr<QWidget> window_;
};
