#pragma once
// The interface is Japanese whatever the system's locale: Qt's own texts (the
// buttons of message boxes, the file dialog, the text boxes' context menu) come
// from Qt's Japanese translation, and every window, menu and box uses the design
// face.
#include <QStringList>

#include <memory>

class QTranslator;

// Installs Qt's Japanese translation and makes the design face the application's
// font; call once after the application object exists. False when no
// translation was found (Qt's texts then stay English).
bool UseJapaneseInterface();

// Qt's Japanese translation, with the few texts it lacks, loaded but not
// installed; null when none is found in QtTranslationFolders().
std::unique_ptr<QTranslator> LoadQtTranslation();
// The program folder's "translations" first (a copy installed beside the
// program), then the system's translations folder.
QStringList QtTranslationFolders();
