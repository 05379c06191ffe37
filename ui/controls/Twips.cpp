#include "ui/controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {

const QScreen* ScreenOf(const QWidget* widget)
{
    if (widget && widget->screen())
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

double Factor(double dpi)
{
    return dpi > 0 ? Twips::PerInch / dpi : 15.0;
}

} // namespace

double Twips::PerPixelX(const QWidget* widget)
{
    const QScreen* screen = ScreenOf(widget);
    return Factor(screen ? screen->logicalDotsPerInchX() : 96.0);
}

double Twips::PerPixelY(const QWidget* widget)
{
    const QScreen* screen = ScreenOf(widget);
    return Factor(screen ? screen->logicalDotsPerInchY() : 96.0);
}

int Twips::ToPixelsX(double twips, const QWidget* widget)
{
    return static_cast<int>(std::lround(twips / PerPixelX(widget)));
}

int Twips::ToPixelsY(double twips, const QWidget* widget)
{
    return static_cast<int>(std::lround(twips / PerPixelY(widget)));
}

double Twips::FromPixelsX(double pixels, const QWidget* widget)
{
    return pixels * PerPixelX(widget);
}

double Twips::FromPixelsY(double pixels, const QWidget* widget)
{
    return pixels * PerPixelY(widget);
}

QRect Twips::ToPixels(const QRect& twips, const QWidget* widget)
{
    return QRect(ToPixelsX(twips.x(), widget), ToPixelsY(twips.y(), widget),
                 ToPixelsX(twips.width(), widget), ToPixelsY(twips.height(), widget));
}

void Twips::Place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(ToPixels(QRect(left, top, width, height), widget));
}

double Twips::RoundHalfEven(double value)
{
    return std::nearbyint(value);
}
