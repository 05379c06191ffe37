#pragma once
// What the window benchmarks share: one figure per line, "<window>_<name>:
// <value> <unit>", flushed at once so a slow run shows its progress, and
// waiting until a window has done everything before a person would see it.
#include <QApplication>
#include <QTextStream>
#include <QWidget>

inline void PrintFigure(QTextStream& out, const char* window, const char* name, qint64 value,
                        const char* unit)
{
    out << window << '_' << name << ": " << value << ' ' << unit << '\n';
    out.flush();
}

inline void Settle(QWidget& window)
{
    QApplication::processEvents();
    (void)window.grab();
}
