#pragma once

#include <QString>

// The translated message and caption texts. Each text is named by its key in the language
// file's section "Language"; the built-in defaults are English.
class TLanguage {
public:
    QString Confirmation;
    QString ExitProgram;
    QString SaveProgram;
    QString Channel;
    QString Info;
    QString OutRange;
    QString Caution;
    QString FileExists;
    QString Close;
    QString Open;
    QString ComError;
    QString ModError;
    QString PwdError;
    QString ClearData;
    QString Modforce;
    QString All;
    QString ErrRange;
    QString ModelType;
    QString Frequency;
    QString ReadOk;
    QString WriteOk;
    QString PortError;
    QString FileShort;
    QString CsvResult;
    QString CsvLine;
    QString CsvColumns;
    QString CsvLocation;
    QString CsvDuplicate;
    QString CsvFrequency;
    QString CsvTone;
    QString CsvValue;
    QString CsvChanged;
    QString CsvOverwrite;
    QString CsvPaste;
    QString CsvImport;

    // One message: its key, its default text and where TLanguage keeps it.
    struct TMessage {
        const char* key;
        const char* defaultText;
        QString TLanguage::*text;
    };
    static const TMessage Messages[];
    static const int MessageCount;

    TLanguage();
};
