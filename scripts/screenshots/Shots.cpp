#include "Shots.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTextStream>
#include <QWidget>

Shots::Shots(QString folder) : folder_(std::move(folder))
{
    QDir().mkpath(folder_);
}

void Shots::Save(QWidget& window, const QString& name, bool wholeScreen)
{
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
    QTest::qWait(wholeScreen ? 300 : 200);
    Save(wholeScreen ? QGuiApplication::primaryScreen()->grabWindow(0) : window.grab(), name);
}

void Shots::Save(const QPixmap& picture, const QString& name)
{
    Check(picture.save(folder_ + u'/' + name), QStringLiteral("could not save ") + name);
}

bool Shots::Check(bool ok, const QString& what)
{
    if (!ok) {
        ++failures_;
        QTextStream(stderr) << "quillmere-screenshots: " << what << '\n';
    }
    return ok;
}
