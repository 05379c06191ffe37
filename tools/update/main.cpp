#include "tools/update/frmMain.h"

#include "store/XMLFile.h"
#include "ui/controls/JapaneseInterface.h"
#include "ui/controls/QtMessageService.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    UseJapaneseInterface();
    // Before any data file is read, so every one decodes as Windows wrote it.
    RegisterShiftJisAliases();
    // The data lies beside the executable; there is deliberately no option to point elsewhere.
    update::frmMain window(QCoreApplication::applicationDirPath());
    QtMessageService messages; // centred on the active window
    SetMessageService(&messages);
    const bool stay = window.Form_Load();
    int rc = 0;
    if (stay) {
        window.show();
        rc = app.exec();
    }
    SetMessageService(nullptr);
    return rc;
}
