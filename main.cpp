#include "ui/main/MainFrm.h"
#include "core/Maindb.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZP-407NE"));
    // Numbers are written and read with "." whatever the system locale says.
    QLocale::setDefault(QLocale::c());
    TfMaindb db(ProgramFolder());
    TfMainFrm mainFrm(db);
    // The main window registered the pictures.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/16")));
    // The full screen size also where no window manager maximises (a virtual display).
    mainFrm.resize(mainFrm.screen()->availableGeometry().size());
    mainFrm.showMaximized();
    return app.exec();
}
