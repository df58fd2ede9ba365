#pragma once

#include "core/All.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// Makes the second language, Chinese, active with a language file in folder that holds text.
inline void UseSecondLanguage(const QString& folder, TALL& all, const QByteArray& text) {
    QFile file(QDir(folder).filePath(QStringLiteral("Chinese.Ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    all.LanguageIndex = 1;
    all.LanguageName = QStringLiteral("Chinese");
}
