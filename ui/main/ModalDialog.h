#pragma once
#include <QMetaObject>

#include <functional>

// Runs a modal dialog. A test's interaction, when set, drives the dialog once
// its event loop runs, and the dialog is closed afterwards if it is still open,
// so no test waits on a person.
template <class Dialog>
void ExecModal(Dialog& dialog, const std::function<void(Dialog&)>& interaction)
{
    if (interaction) {
        QMetaObject::invokeMethod(
            &dialog,
            [&dialog, interaction] {
                interaction(dialog);
                if (dialog.isVisible())
                    dialog.close();
            },
            Qt::QueuedConnection);
    }
    dialog.exec();
}
