#pragma once
// The logged-on user, the desktop shell and the local time zone.
#include <QString>

#include <functional>
#include <optional>

// The effective user's account name, or "User" when the system gives none.
QString CurrentUserName();
// Opens a file, folder or URL with the desktop's default handler. The target
// is passed as one argument to xdg-open, never through a command shell.
// Nothing is reported when it cannot be opened.
void OpenWithShell(const QString& target, const QString& parameters = {},
                   const QString& directory = {}, int showState = 1);
// As OpenWithShell, and when the desktop has nothing that opens the target (no
// opener, no handler, the handler failed) calls failed, possibly later, on this
// thread.
void OpenWithShellOrElse(const QString& target, std::function<void()> failed);
// The standard-time offset from UTC as "+hh:mm" or "-hh:mm" (zero is "-00:00").
QString TimeZoneSuffix();

// Test seams. nullopt / an empty function restores the real behaviour.
// The opener returns whether the target could be opened.
void SetShellOpenerForTesting(std::function<bool(const QString&)> opener);
void SetTimeZoneOffsetForTesting(std::optional<int> minutesEastOfUtc);
// The name the system reports, before the "User" fallback.
void SetSystemUserNameForTesting(std::optional<QString> name);
