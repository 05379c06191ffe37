#pragma once
// Drives every modal dialog of one class while the scope lives; the driver
// installed before comes back when it ends.
#include "ui/controls/ModalDialog.h"

template <class Dialog> class ModalDriverScope {
public:
    explicit ModalDriverScope(ModalDriver<Dialog> driver)
        : previous_(SetModalDriver<Dialog>(std::move(driver)))
    {
    }
    ~ModalDriverScope() { SetModalDriver<Dialog>(std::move(previous_)); }
    ModalDriverScope(const ModalDriverScope&) = delete;
    ModalDriverScope& operator=(const ModalDriverScope&) = delete;

private:
    ModalDriver<Dialog> previous_;
};
