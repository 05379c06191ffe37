#include "env/System.h"

#include "env/StringManager.h"

#include <QFileInfo>
#include <QProcess>

#include <ctime>
#include <pwd.h>
#include <unistd.h>

namespace {

std::function<bool(const QString&)>& ShellOpener()
{
    static std::function<bool(const QString&)> opener;
    return opener;
}

std::optional<int>& TimeZoneOffsetOverride()
{
    static std::optional<int> offset;
    return offset;
}

std::optional<QString>& UserNameOverride()
{
    static std::optional<QString> name;
    return name;
}

QString SystemUserName()
{
    if (UserNameOverride())
        return *UserNameOverride();
    const passwd* entry = getpwuid(geteuid());
    if (!entry || !entry->pw_name)
        return {};
    return QString::fromLocal8Bit(entry->pw_name);
}

// xdg-open would take a target beginning with "-" for an option.
QString OpenerArgument(const QString& target)
{
    return target.startsWith(u'-') ? QFileInfo(target).absoluteFilePath() : target;
}

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString CurrentUserName()
{
    QString name = SystemUserName();
    RemoveTrailing(name, QChar(0));
    if (name.isEmpty())
        return QStringLiteral("User");
    return name;
}

void OpenWithShell(const QString& target, const QString& parameters, const QString& directory,
                   int showState)
{
    Q_UNUSED(showState);
    if (target.isEmpty())
        return;
    const QString argument = OpenerArgument(target);
    if (ShellOpener()) {
        ShellOpener()(argument);
        return;
    }
    QStringList arguments{argument};
    if (!parameters.isEmpty())
        arguments += QProcess::splitCommand(parameters);
    QProcess::startDetached(QStringLiteral("xdg-open"), arguments, directory);
}

void OpenWithShellOrElse(const QString& target, std::function<void()> failed)
{
    if (target.isEmpty())
        return;
    const QString argument = OpenerArgument(target);
    if (ShellOpener()) {
        if (!ShellOpener()(argument) && failed)
            failed();
        return;
    }
    // xdg-open tells by its exit status whether anything opened the target; without a
    // desktop it runs the browser itself and ends only with it. The process object is
    // not owned by anything, so ending the program neither waits for nor ends the browser.
    auto* process = new QProcess;
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || code != 0) && failed)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (failed)
                             failed();
                         process->deleteLater();
                     });
    process->start(QStringLiteral("xdg-open"), {argument});
}

QString TimeZoneSuffix()
{
    int offset = 0;
    if (TimeZoneOffsetOverride()) {
        offset = *TimeZoneOffsetOverride();
    } else {
        tzset();
        // timezone: seconds west of UTC in standard time.
        offset = static_cast<int>(-timezone / 60);
    }
    const int magnitude = offset < 0 ? -offset : offset;
    const int hours = magnitude / 60;
    const int minutes = magnitude - 60 * hours;
    return (offset > 0 ? QStringLiteral("+") : QStringLiteral("-")) + TwoDigits(hours) + u':' +
           TwoDigits(minutes);
}

void SetShellOpenerForTesting(std::function<bool(const QString&)> opener)
{
    ShellOpener() = std::move(opener);
}

void SetTimeZoneOffsetForTesting(std::optional<int> minutesEastOfUtc)
{
    TimeZoneOffsetOverride() = minutesEastOfUtc;
}

void SetSystemUserNameForTesting(std::optional<QString> name)
{
    UserNameOverride() = std::move(name);
}
