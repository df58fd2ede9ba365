#include "ui/about/FrmAbout.h"

#include "core/Maindb.h"
#include "widgets/TranslateForm.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QShowEvent>
#include <QStyle>

namespace {

constexpr int ClientWidth = 442;
constexpr int ClientHeight = 244;
constexpr int LineLeft = 97;
constexpr int LineTops[] = {15, 40, 66, 92, 118, 143, 169, 195, 221};
constexpr int FirstOptionalLine = 5; // lines 6 to 9 may be left empty
constexpr int BottomMargin = 55;
constexpr int IconSize = 32;

} // namespace

TfFrmAbout::TfFrmAbout(TfMaindb& db, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Db(db) {
    setObjectName(QStringLiteral("fFrmAbout"));
    setFixedSize(ClientWidth, ClientHeight);

    ImApp = new QLabel(this);
    ImApp->setObjectName(QStringLiteral("ImApp"));
    ImApp->setGeometry(35, 33, IconSize, IconSize);
    for (int i = 0; i < int(Lines.size()); ++i) {
        QLabel* line = new QLabel(QString::number(i + 1), this);
        line->setObjectName(QStringLiteral("lStr") + QString::number(i + 1));
        line->move(LineLeft, LineTops[i]);
        line->resize(ClientWidth - LineLeft - 8, line->sizeHint().height());
        Lines[i] = line;
    }
}

void TfFrmAbout::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TfFrmAbout::FormShow() {
    TranslateForm(this, Db.All, true);
    // After the translation, which may rewrite every label's text and so drop a picture.
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    ImApp->setPixmap(icon.pixmap(IconSize, IconSize));
    setWindowTitle(Db.All.DisplayName);
    FitHeight();
    if (QWidget* owner = parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->window()->frameGeometry().center());
        move(frame.topLeft());
    }
}

void TfFrmAbout::FitHeight() {
    int height = Lines[FirstOptionalLine - 1]->geometry().bottom() + 1 + BottomMargin;
    for (int i = FirstOptionalLine; i < int(Lines.size()); ++i)
        if (!Lines[i]->text().trimmed().isEmpty())
            height = Lines[i]->geometry().bottom() + 1 + BottomMargin;
    setFixedHeight(height);
}

void TfFrmAbout::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
    reject();
}
