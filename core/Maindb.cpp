#include "core/Maindb.h"

#include "core/ImageSetup.h"
#include "core/Messages.h"
#include "core/SysSettings.h"

#include <QCoreApplication>
#include <QDir>

TfMaindb::TfMaindb(const QString& programFolder) {
    All.ProgramFolder = programFolder;
    All.TestMenuVisible = false;
    All.DtmfDecodeVisible = true;
    All.BaudRate = 2400;
    All.CurrentChannel = 1;
    All.FmLow = 74.0;
    All.FmHigh = 114.0;
    All.LanguageMenuVisible = true;
    All.ManualFreqSelectable = true;
    All.DefaultManualFreq = 0xFF;
    InitModelCatalogue(MacList, All);
    LoadSettings(All);
    LoadMessages(All.ProgramFolder, All.LanguageName, Language);
}

void TfMaindb::BuildStartImage() {
    All.ModelCode = MacList.GetItem(0)->Code;
    BuildFirstImage(MacList, All, Now());
}

void TfMaindb::NewImage() {
    BuildNewImage(MacList, All, Now());
    All.Modified = false;
}

QString ProgramFolder() {
    const QString home = qEnvironmentVariable("ZP407NE_HOME");
    const QString folder = home.isEmpty() ? QCoreApplication::applicationDirPath() : home;
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
