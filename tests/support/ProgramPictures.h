#pragma once
// Windows load their pictures from the program's icon folder; tests and
// screenshots put the project's own pictures there first.
#include "env/Folders.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QTest>
#include <QWidget>

inline QString ProjectIconFolder()
{
    return QStringLiteral(QUILLMERE_TEST_DATA "/../../resources/icons");
}

inline void CopyProgramPictures()
{
    const QDir icons(ProjectIconFolder());
    QDir().mkpath(IconFolderPath());
    for (const QString& name : icons.entryList(QDir::Files))
        QFile::copy(icons.filePath(name), IconFolderPath() + name);
}

// The folder screenshots go to, made if needed; empty when none is wanted.
inline QString ScreenshotFolder()
{
    const QString out = qEnvironmentVariable("QUILLMERE_SCREENSHOTS");
    if (!out.isEmpty())
        QDir().mkpath(out);
    return out;
}

// Activates the window, lets it paint, and saves it (or the whole screen,
// to show windows as they lie beside each other).
inline bool SaveScreenshot(QWidget& window, const QString& path, bool wholeScreen = false)
{
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
    QTest::qWait(wholeScreen ? 300 : 200);
    const QPixmap shot =
        wholeScreen ? QGuiApplication::primaryScreen()->grabWindow(0) : window.grab();
    return shot.save(path);
}
