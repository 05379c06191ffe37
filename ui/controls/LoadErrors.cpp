#include "ui/controls/LoadErrors.h"

#include "env/Folders.h"
#include "env/MessageService.h"

void ShowLoadErrors(const QStringList& errors)
{
    for (const QString& error : errors)
        ShowMessage(error, ApplicationTitle(), MessageIcon::Information, MessageButtons::Ok);
}
