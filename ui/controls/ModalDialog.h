#pragma once
// Every modal dialog of the program runs through ExecModal. A test installs a
// driver per dialog class with SetModalDriver: it gets the dialog once the
// dialog's event loop runs, in place of a person, and a dialog still open when
// the driver returns is closed as by its close box, so no test waits on one.
#include <QMetaObject>
#include <QPointer>

#include <functional>
#include <utility>

template <class Dialog> using ModalDriver = std::function<void(Dialog&)>;

namespace ModalDialogDetail {

template <class Dialog> ModalDriver<Dialog>& InstalledDriver()
{
    static ModalDriver<Dialog> driver;
    return driver;
}

} // namespace ModalDialogDetail

// Installs the driver of every later dialog of the class (an empty one gives
// the dialogs back to a person) and returns the one installed before.
template <class Dialog> ModalDriver<Dialog> SetModalDriver(ModalDriver<Dialog> driver)
{
    return std::exchange(ModalDialogDetail::InstalledDriver<Dialog>(), std::move(driver));
}

// Shows the dialog modally and returns its result code.
template <class Dialog> int ExecModal(Dialog& dialog)
{
    if (ModalDriver<Dialog> driver = ModalDialogDetail::InstalledDriver<Dialog>()) {
        // The driver may delete the dialog; then nothing is left to close.
        QPointer<Dialog> guard(&dialog);
        QMetaObject::invokeMethod(
            &dialog,
            [guard, driver = std::move(driver)] {
                driver(*guard);
                if (guard && guard->isVisible())
                    guard->close();
            },
            Qt::QueuedConnection);
    }
    return dialog.exec();
}
