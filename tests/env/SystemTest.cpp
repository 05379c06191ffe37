#include "env/System.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <pwd.h>
#include <unistd.h>

namespace {

TEST(TimeZoneSuffix, FormatsTheStandardOffset)
{
    const std::pair<int, const char*> cases[] = {
        {540, "+09:00"}, {330, "+05:30"},  {-300, "-05:00"},
        {0, "-00:00"},   {-570, "-09:30"}, {765, "+12:45"},
    };
    for (const auto& [minutes, text] : cases) {
        SetTimeZoneOffsetForTesting(minutes);
        EXPECT_EQ(TimeZoneSuffix(), text) << minutes;
    }
    SetTimeZoneOffsetForTesting(std::nullopt);
}

TEST(TimeZoneSuffix, UsesTheSystemZoneWithoutDaylightSaving)
{
    const char* old = std::getenv("TZ");
    const QByteArray saved = old ? QByteArray(old) : QByteArray();
    ::setenv("TZ", "JST-9", 1);
    EXPECT_EQ(TimeZoneSuffix(), "+09:00");
    // New York in summer is four hours behind UTC, but the standard offset is five.
    ::setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    EXPECT_EQ(TimeZoneSuffix(), "-05:00");
    ::setenv("TZ", "UTC0", 1);
    EXPECT_EQ(TimeZoneSuffix(), "-00:00");
    if (old)
        ::setenv("TZ", saved.constData(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

TEST(CurrentUserName, IsTheEffectiveUsersAccount)
{
    const passwd* entry = getpwuid(geteuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(CurrentUserName(), QString::fromLocal8Bit(entry->pw_name));
}

TEST(CurrentUserName, FallsBackToUser)
{
    SetSystemUserNameForTesting(QString());
    EXPECT_EQ(CurrentUserName(), "User");
    SetSystemUserNameForTesting(QString(3, QChar(0)));
    EXPECT_EQ(CurrentUserName(), "User");
    SetSystemUserNameForTesting("taro" + QString(2, QChar(0)));
    EXPECT_EQ(CurrentUserName(), "taro");
    SetSystemUserNameForTesting(std::nullopt);
}

TEST(OpenWithShell, PassesTheTargetAsOneArgument)
{
    QStringList opened;
    SetShellOpenerForTesting([&](const QString& target) {
        opened.append(target);
        return true;
    });
    OpenWithShell("http://example.com/?a=1&b=$(rm -rf ~)");
    OpenWithShell("/home/u/My Documents/メモ.txt", {}, {}, 1);
    OpenWithShell(QString());
    SetShellOpenerForTesting({});
    EXPECT_EQ(opened, QStringList({"http://example.com/?a=1&b=$(rm -rf ~)",
                                   "/home/u/My Documents/メモ.txt"}));
}

// The desktop's opener as xdg-open reports it: its exit status, or no opener at all.
TEST(OpenWithShell, TellsWhenNothingOpenedTheTarget)
{
    QTemporaryDir bin;
    const QByteArray path = qgetenv("PATH");
    const std::pair<const char*, bool> cases[] = {
        {"exit 0", false}, {"exit 3", true}, {"kill -9 $$", true}, {nullptr, true}};
    for (const auto& [script, fails] : cases) {
        QFile::remove(bin.filePath("xdg-open"));
        if (script) {
            QFile opener(bin.filePath("xdg-open"));
            ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
            opener.write(QByteArray("#!/bin/sh\n") + script + "\n");
            opener.close();
            opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", bin.path().toLocal8Bit());
        int failures = 0;
        OpenWithShellOrElse("/nowhere/readme.html", [&] { ++failures; });
        qputenv("PATH", path);
        // A success is only seen as the absence of a report: give it a second.
        QDeadlineTimer deadline(fails ? 10000 : 1000);
        while (failures == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(failures, fails ? 1 : 0) << (script ? script : "no opener");
    }
}

TEST(OpenWithShell, TargetLookingLikeAnOptionBecomesAPath)
{
    QStringList opened;
    SetShellOpenerForTesting([&](const QString& target) {
        opened.append(target);
        return true;
    });
    OpenWithShell("--help");
    SetShellOpenerForTesting({});
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].startsWith(u'/'));
    EXPECT_TRUE(opened[0].endsWith("/--help"));
}

} // namespace
