#include "app/MainModule.h"
#include "app/TerminationSignals.h"
#include "env/MessageService.h"
#include "ui/controls/JapaneseInterface.h"
#include "ui/controls/Pictures.h"
#include "ui/controls/QtMessageService.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    UseJapaneseInterface();
    // Switching between the main window and the iconized window closes one before the
    // other shows; only ShutDown ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ProgramWindowIcon());
    QtMessageService messages;
    SetMessageService(&messages);
    SetEndHandler([] { QCoreApplication::quit(); });
    if (!StartUp())
        return 0; // another copy runs, or the data folder is not the user's (told)
    // Asked to end from outside (logout, system shutdown): the orderly end, which
    // quits the event loop; a second request while it runs changes nothing.
    InstallTerminationHandler([] { RequestEnd(); });
    const int code = QApplication::exec();
    SetMessageService(nullptr);
    return code;
}
