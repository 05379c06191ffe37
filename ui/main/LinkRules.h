#pragma once
// What counts as something a link can point at, and what a drop carries.
// The main window's hyperlink menu, its drop handling and the link path
// dialog all decide with these, so they agree on every text. The single
// tests (URL, file, folder) are the environment's own.
#include <QString>

#include <optional>

class QMimeData;
class QObject;

namespace LinkRules {

// The kinds of path the link path dialog accepts.
enum PathType { ExistingFile = 0, ExistingFolder = 1, Url = 2, AnyTarget = 3 };

// True when the text holds nothing but blanks (U+0020); tabs are content.
bool IsBlank(const QString& text);
// An existing folder (trimmed), a URL or an existing file (untrimmed).
bool IsLinkTarget(const QString& text);
// Whether the text passes the test of the path type; nullopt for a type
// that has no test, so the caller can leave its state as it was.
std::optional<bool> PassesPathType(const QString& text, int pathType);

struct DroppedData {
    enum Kind { Nothing, File, Text };
    Kind kind = Nothing;
    // The local path of the first dropped file, or the dropped text.
    QString value;
};
// Files win over text: a file manager's drag carries both the list of
// files and their names as text.
DroppedData ReadDrop(const QMimeData* data);

// Whether a drag's source is the widget or lies inside it (a text box
// starts its drags from its viewport).
bool StartedInside(const QObject* source, const QObject* widget);

} // namespace LinkRules
