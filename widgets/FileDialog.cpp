#include "widgets/FileDialog.h"

#include <QFileDialog>

std::deque<QString>& TFileDialog::Queued() {
    static std::deque<QString> queued;
    return queued;
}

void TFileDialog::QueueFileName(const QString& fileName) { Queued().push_back(fileName); }

void TFileDialog::Reset() { Queued().clear(); }

QString TFileDialog::GetOpenFileName(QWidget* parent, const QString& filter,
                                     const QString& folder) {
    if (!Queued().empty()) {
        const QString name = Queued().front();
        Queued().pop_front();
        return name;
    }
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString TFileDialog::GetSaveFileName(QWidget* parent, const QString& filter,
                                     const QString& defaultSuffix) {
    if (!Queued().empty()) {
        const QString name = Queued().front();
        Queued().pop_front();
        return name;
    }
    // The overwrite question is the program's own ("FileExists"), not the dialog's.
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
