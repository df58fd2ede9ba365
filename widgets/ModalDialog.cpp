#include "widgets/ModalDialog.h"

#include <QDialog>

std::deque<TModalDialog::TDriver>& TModalDialog::Drivers() {
    static std::deque<TDriver> drivers;
    return drivers;
}

void TModalDialog::QueueDriver(TDriver driver) {
    Drivers().push_back(std::move(driver));
}

void TModalDialog::Reset() {
    Drivers().clear();
}

int TModalDialog::Exec(QDialog& dialog) {
    if (Drivers().empty()) return dialog.exec();
    const TDriver driver = std::move(Drivers().front());
    Drivers().pop_front();
    dialog.show();
    driver(dialog);
    if (dialog.isVisible()) dialog.reject();
    return dialog.result();
}
