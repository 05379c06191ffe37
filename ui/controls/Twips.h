#pragma once
// Window designs measure lengths in twips (1440 per logical inch, so 15 per
// pixel at 96 dpi); Qt widgets measure in pixels. These convert between the two
// with the factors of the screen a widget is on (the primary screen without one).
#include <QRect>

class QWidget;

class Twips {
public:
    static constexpr double PerInch = 1440.0;

    static double PerPixelX(const QWidget* widget = nullptr);
    static double PerPixelY(const QWidget* widget = nullptr);

    // To the nearest pixel, halves away from zero.
    static int ToPixelsX(double twips, const QWidget* widget = nullptr);
    static int ToPixelsY(double twips, const QWidget* widget = nullptr);
    static double FromPixelsX(double pixels, const QWidget* widget = nullptr);
    static double FromPixelsY(double pixels, const QWidget* widget = nullptr);

    // A rectangle given in twips (left, top, width, height), in pixels.
    static QRect ToPixels(const QRect& twips, const QWidget* widget = nullptr);
    // Places a widget at a rectangle given in twips.
    static void Place(QWidget* widget, int left, int top, int width, int height);

    // Banker's rounding, which the layout arithmetic of window designs uses.
    static double RoundHalfEven(double value);
};
