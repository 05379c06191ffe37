// The record list window beside the main window in browsing mode, showing a
// found record, also after the main window grew, and its date list open.
#include "Shots.h"

#include "env/DateTime.h"
#include "store/LogList.h"
#include "ui/loglist/frmLogList.h"
#include "ui/main/frmMain.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QTest>

namespace {

void Record(Shots& shots, int day, int hour, int minute, const QString& category,
            const QString& text)
{
    shots.Check(bool(GetLogList().Log(DateTime::FromParts(2024, 5, day, hour, minute, 0), category,
                                      {}, text)),
                QStringLiteral("a record was not stored"));
}

} // namespace

void LogListScene(Shots& shots)
{
    SceneFolder scene;
    if (!shots.Check(scene.StartProgram(), QStringLiteral("the program did not start")))
        return;
    Record(shots, 13, 9, 30, QStringLiteral("仕事 会議"),
           QStringLiteral("定例会議。資料の見直しを来週までに。"));
    Record(shots, 14, 21, 0, QStringLiteral("家"), QStringLiteral("夕食は鍋。"));
    Record(shots, 20, 10, 15, QStringLiteral("仕事"),
           QStringLiteral("会議室の予約を取った。\r\n議題は三つ。"));

    frmMain& main = MainWindow();
    main.move(420, 80);
    // Opened over the main window, it goes to the main window's left.
    RecordListWindow().move(430, 120);
    main.show();
    ShowRecordListWindow();
    frmLogList* list = LoadedRecordListWindow();
    if (!shots.Check(list != nullptr, QStringLiteral("no record list window")))
        return;
    shots.Check(QTest::qWaitForWindowActive(list),
                QStringLiteral("the record list window did not become active"));
    shots.Check(list->frameGeometry().right() + 1 == main.frameGeometry().left(),
                QStringLiteral("the record list window is not at the main window's left"));
    shots.Check(main.Mode() == MainWindowMode::Browsing,
                QStringLiteral("the main window is not in browsing mode"));

    auto* search = list->findChild<QComboBox*>(QStringLiteral("lstString"));
    search->lineEdit()->setText(QStringLiteral("会議"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(search->lineEdit(), &enter);
    auto* results = list->findChild<QListView*>(QStringLiteral("lstLogs"));
    const QRect line = results->visualRect(results->model()->index(1, 0));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, line.center());
    shots.Save(*list, QStringLiteral("loglist.png"), true);

    // A wider main window: the record list window keeps its place on the left.
    main.resize(main.width() + 200, main.height() + 120);
    shots.Save(*list, QStringLiteral("loglist-wide.png"), true);

    auto* begin = list->findChild<QComboBox*>(QStringLiteral("lstLogDateBegin"));
    begin->showPopup();
    QTest::qWait(300);
    shots.Save(QGuiApplication::primaryScreen()->grabWindow(0),
               QStringLiteral("loglist-dates.png"));
    begin->hidePopup();
}
