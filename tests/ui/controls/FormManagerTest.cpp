#include "ui/controls/FormManager.h"

#include "env/INIFileManager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

#include "support/QtPrinters.h"

namespace {

class FormManagerTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QString file_ = dir_.filePath(QStringLiteral("Quillmere.ini"));

    static std::unique_ptr<QWidget> Window(const QString& name, QSize size)
    {
        auto window = std::make_unique<QWidget>();
        window->setObjectName(name);
        window->resize(size);
        return window;
    }
    QString Read(const QString& section, const QString& key) const
    {
        return ReadSetting(file_, section, key, QStringLiteral("(missing)"));
    }
    void Write(const QString& section, const QString& key, const QString& text) const
    {
        WriteSetting(file_, section, key, SettingValue(text));
    }
    static QSize Screen() { return QGuiApplication::primaryScreen()->geometry().size(); }
};

class ClosingWindow : public QWidget {
public:
    explicit ClosingWindow(int* closes, bool refuse = false, QWidget* owner = nullptr)
        : QWidget(owner, owner ? Qt::Dialog : Qt::Window), closes_(closes), refuse_(refuse)
    {
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++*closes_;
        if (refuse_)
            event->ignore();
    }

private:
    int* closes_;
    bool refuse_;
};

} // namespace

TEST_F(FormManagerTest, FirstRunCentresTheWindowWithTheScreensRounding)
{
    const QSize screen = Screen();
    // An odd number of pixels to share: the twips are halved and truncated.
    auto window = Window(QStringLiteral("frmMain"), QSize(401, 300));
    RestoreWindowPlacement(file_, window.get());
    window->show();
    QCoreApplication::processEvents();
    // The frame of a window not shown yet is not known: its interior is centred.
    EXPECT_EQ(window->frameGeometry().x(), qRound(((screen.width() - 401) * 15 / 2) / 15.0));
    EXPECT_EQ(window->frameGeometry().y(), qRound(((screen.height() - 300) * 15 / 2) / 15.0));
    EXPECT_EQ(window->size(), QSize(401, 300));
    EXPECT_FALSE(IsTopmost(window.get()));

    // As wide as the screen, frame included: at the left edge.
    auto wide = Window(QStringLiteral("frmLogList"), QSize(100, 100));
    wide->show();
    QCoreApplication::processEvents();
    wide->resize(screen.width() - (wide->frameGeometry().width() - wide->width()), 100);
    RestoreWindowPlacement(file_, wide.get());
    EXPECT_EQ(wide->frameGeometry().x(), 0);
}

TEST_F(FormManagerTest, StoredPlacementOfAPartlyVisibleWindowIsAppliedUnclamped)
{
    Write("frmMain", "Left", "-500");
    Write("frmMain", "Top", "20.4");
    auto window = Window(QStringLiteral("frmMain"), QSize(600, 300));
    RestoreWindowPlacement(file_, window.get());
    EXPECT_EQ(window->pos(), QPoint(-500, 20));
    window->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(-500, 20));
    EXPECT_EQ(window->size(), QSize(600, 300));

    // Stored outer sizes: the frame is taken off once it is known.
    Write("frmIcon", "Left", "40");
    Write("frmIcon", "Top", "30");
    Write("frmIcon", "Width", "350");
    Write("frmIcon", "Height", "250.6");
    auto other = Window(QStringLiteral("frmIcon"), QSize(400, 300));
    RestoreWindowPlacement(file_, other.get());
    other->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(other->frameGeometry(), QRect(40, 30, 350, 251));
}

TEST_F(FormManagerTest, PlacementOutsideTheDesktopIsBoundedAndBroughtOnScreen)
{
    const QSize screen = Screen();
    // A size from a damaged file: at most the desktop, so the window can be drawn at all.
    Write("frmMain", "Left", "0");
    Write("frmMain", "Top", "0");
    Write("frmMain", "Width", "1000000000");
    Write("frmMain", "Height", "1e30");
    auto huge = Window(QStringLiteral("frmMain"), QSize(400, 300));
    RestoreWindowPlacement(file_, huge.get());
    EXPECT_LE(huge->width(), screen.width());
    EXPECT_LE(huge->height(), screen.height());

    // Far outside any band around the desktop: as if never stored (centred).
    Write("frmIcon", "Left", "-1000000000");
    Write("frmIcon", "Top", "300000");
    auto lost = Window(QStringLiteral("frmIcon"), QSize(100, 80));
    RestoreWindowPlacement(file_, lost.get());
    EXPECT_EQ(lost->pos(), QPoint((screen.width() - 100) / 2, (screen.height() - 80) / 2));

    // From a second monitor that is gone: wholly off screen, moved onto it.
    Write("frmLogList", "Left", QString::number(screen.width() + 50));
    Write("frmLogList", "Top", "-400");
    auto away = Window(QStringLiteral("frmLogList"), QSize(200, 100));
    RestoreWindowPlacement(file_, away.get());
    EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(QRect(away->pos(), away->size())))
        << away->x() << "," << away->y();
}

TEST_F(FormManagerTest, RoundTripThroughTheSettingsFile)
{
    auto window = Window(QStringLiteral("frmMain"), QSize(420, 333));
    window->move(37, 41);
    window->show();
    QCoreApplication::processEvents();
    SetTopmost(window.get(), true);
    // Becoming topmost neither hides nor moves a shown window.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), QPoint(37, 41));
    SaveWindowPlacement(file_, window.get());
    EXPECT_EQ(Read("frmMain", "Left"), QStringLiteral("37"));
    // Outer sizes are stored, frame included.
    EXPECT_EQ(Read("frmMain", "Width"), QString::number(window->frameGeometry().width()));
    EXPECT_EQ(Read("frmMain", "Height"), QString::number(window->frameGeometry().height()));
    EXPECT_EQ(Read("frmMain", "Topmost"), QStringLiteral("True"));

    auto again = Window(QStringLiteral("frmMain"), QSize(200, 100));
    RestoreWindowPlacement(file_, again.get());
    EXPECT_TRUE(IsTopmost(again.get()));
    again->show();
    QCoreApplication::processEvents();
    // Restored before it was shown, the window neither grows by its frame nor moves.
    EXPECT_EQ(again->frameGeometry(), window->frameGeometry());
    EXPECT_EQ(again->size(), QSize(420, 333));
    ASSERT_NE(again->windowHandle(), nullptr);
    EXPECT_TRUE(again->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    SetTopmost(again.get(), false);
    EXPECT_FALSE(IsTopmost(again.get()));
    EXPECT_FALSE(again->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(again->isVisible());
}

TEST_F(FormManagerTest, FixedSizeWindowNeverStoresOrTakesItsSize)
{
    Write("frmLogList", "Width", "999");
    Write("frmLogList", "Height", "999");
    auto window = Window(QStringLiteral("frmLogList"), QSize(351, 271));
    window->setFixedSize(351, 271);
    EXPECT_FALSE(IsSizable(window.get()));
    RestoreWindowPlacement(file_, window.get());
    EXPECT_EQ(window->size(), QSize(351, 271));

    QTemporaryDir other;
    const QString fresh = other.filePath(QStringLiteral("Quillmere.ini"));
    SaveWindowPlacement(fresh, window.get());
    EXPECT_EQ(ReadSetting(fresh, "frmLogList", "Width", QStringLiteral("(missing)")),
              QStringLiteral("(missing)"));
    EXPECT_EQ(ReadSetting(fresh, "frmLogList", "Height", QStringLiteral("(missing)")),
              QStringLiteral("(missing)"));
    EXPECT_EQ(ReadSetting(fresh, "frmLogList", "Topmost", QStringLiteral("(missing)")),
              QStringLiteral("False"));

    // The declared property wins over the size constraints.
    window->setProperty("sizable", true);
    EXPECT_TRUE(IsSizable(window.get()));
    auto plain = Window(QStringLiteral("frmIcon"), QSize(32, 32));
    EXPECT_TRUE(IsSizable(plain.get()));
    plain->setProperty("sizable", false);
    EXPECT_FALSE(IsSizable(plain.get()));
}

TEST_F(FormManagerTest, MaximizedOrMinimizedWindowKeepsTheLastNormalPlacement)
{
    auto window = Window(QStringLiteral("frmMain"), QSize(300, 200));
    window->move(50, 60);
    window->show();
    QCoreApplication::processEvents();
    SaveWindowPlacement(file_, window.get());
    const QString width = Read("frmMain", "Width");
    window->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->isMaximized());
    ASSERT_NE(window->frameGeometry().width(), width.toInt());
    SaveWindowPlacement(file_, window.get());
    EXPECT_EQ(Read("frmMain", "Left"), QStringLiteral("50"));
    EXPECT_EQ(Read("frmMain", "Width"), width);

    // Not even the keys of a first save are written in these states.
    for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowMinimized, Qt::WindowFullScreen}) {
        window->setWindowState(state);
        QTemporaryDir other;
        const QString fresh = other.filePath(QStringLiteral("Quillmere.ini"));
        SaveWindowPlacement(fresh, window.get());
        EXPECT_FALSE(QFile::exists(fresh)) << "state " << state;
    }
}

TEST_F(FormManagerTest, UnconvertibleValueStopsAfterTheValuesBeforeIt)
{
    auto window = Window(QStringLiteral("frmMain"), QSize(300, 200));
    window->move(1, 1);
    Write("frmMain", "Left", "120");
    Write("frmMain", "Top", "abc");
    Write("frmMain", "Width", "500");
    const auto unread = RestoreWindowPlacement(file_, window.get());
    ASSERT_TRUE(unread) << "no error for Top";
    EXPECT_EQ(unread->Section(), QStringLiteral("frmMain"));
    EXPECT_EQ(unread->Key(), QStringLiteral("Top"));
    EXPECT_EQ(unread->Text(), QStringLiteral("abc"));
    EXPECT_EQ(window->pos(), QPoint(120, 1));
    EXPECT_EQ(window->width(), 300);

    Write("frmMain", "Top", "7");
    Write("frmMain", "Topmost", "maybe");
    EXPECT_TRUE(RestoreWindowPlacement(file_, window.get()));
    EXPECT_EQ(window->geometry(), QRect(120, 7, 500, 200));
    EXPECT_FALSE(IsTopmost(window.get()));

    Write("frmMain", "Topmost", "1");
    EXPECT_FALSE(RestoreWindowPlacement(file_, window.get()));
    EXPECT_TRUE(IsTopmost(window.get()));
}

TEST_F(FormManagerTest, FontRoundTripsWithItsFractionalSize)
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSizeF(9.75);
    // Nothing stored yet: the font stays as designed.
    LoadWindowFont(file_, QStringLiteral("Edit/View"), font);
    EXPECT_EQ(font.family(), QStringLiteral("IPAGothic"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);

    Write("Edit/View.Font", "Name", "Noto Sans CJK JP");
    Write("Edit/View.Font", "Size", "10.5");
    LoadWindowFont(file_, QStringLiteral("Edit/View"), font);
    EXPECT_EQ(font.family(), QStringLiteral("Noto Sans CJK JP"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 10.5);

    font.setPointSizeF(12.25);
    SaveWindowFont(file_, QStringLiteral("Edit/View"), font);
    EXPECT_EQ(Read("Edit/View.Font", "Size"), QStringLiteral("12.25"));
    QFile raw(file_);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_TRUE(raw.readAll().contains("Name=\"Noto Sans CJK JP\""));

    QFont loaded;
    LoadWindowFont(file_, QStringLiteral("Edit/View"), loaded);
    EXPECT_EQ(loaded.family(), QStringLiteral("Noto Sans CJK JP"));
    EXPECT_DOUBLE_EQ(loaded.pointSizeF(), 12.25);

    // A size that is no size: the face is taken, the size stays.
    Write("Edit/View.Font", "Name", "IPAGothic");
    for (const char* bad : {"big", "0", "-3", "0.5", "501", "1e30"}) {
        Write("Edit/View.Font", "Size", bad);
        EXPECT_EQ(LoadWindowFont(file_, QStringLiteral("Edit/View"), loaded).has_value(),
                  QByteArray(bad) == "big")
            << bad;
        EXPECT_EQ(loaded.family(), QStringLiteral("IPAGothic"));
        EXPECT_DOUBLE_EQ(loaded.pointSizeF(), 12.25) << bad;
    }
}

TEST_F(FormManagerTest, UnloadAllWindowsClosesEveryProgramWindow)
{
    int mainCloses = 0;
    int listCloses = 0;
    int stubbornCloses = 0;
    auto main = std::make_unique<ClosingWindow>(&mainCloses);
    auto* list = new ClosingWindow(&listCloses, false, main.get());
    auto stubborn = std::make_unique<ClosingWindow>(&stubbornCloses, true);
    main->show();
    list->show();
    stubborn->show();
    QCoreApplication::processEvents();

    UnloadAllWindows();
    EXPECT_EQ(mainCloses, 1);
    EXPECT_EQ(listCloses, 1);
    EXPECT_EQ(stubbornCloses, 1);
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(stubborn->isVisible());
}
