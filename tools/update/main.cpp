#include "BoxMessageService.h"
#include "Migrator.h"
#include "frmMain.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    update::RegisterCodePage932();
    update::BoxMessageService messages;
    SetMessageService(&messages);
    // The data lies beside the executable; there is deliberately no option to point elsewhere.
    update::frmMain window(QCoreApplication::applicationDirPath());
    if (!window.Form_Load()) {
        SetMessageService(nullptr);
        return 0;
    }
    window.show();
    const int rc = app.exec();
    SetMessageService(nullptr);
    return rc;
}
