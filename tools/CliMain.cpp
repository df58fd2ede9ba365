// zp407ne-cli: data files of the ZP-407NE from the command line, on the same model code as the
// program's windows.

#include "Channel.h"
#include "ChannelRecord.h"
#include "ChannelRow.h"
#include "DataFile.h"
#include "IniFile.h"
#include "Maindb.h"
#include "Messages.h"
#include "RadioInfo.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int ExitUsage = 1;
constexpr int ExitFailed = 2;

const char* const Usage =
    "Usage:\n"
    "  zp407ne-cli new OUT.dat             save the image of a freshly started program\n"
    "  zp407ne-cli channels FILE.dat       list the memory channels as CSV\n"
    "  zp407ne-cli info FILE.dat           show the radio information\n"
    "  zp407ne-cli resave IN.dat OUT.dat   open IN, read every channel, save as OUT\n"
    "\n"
    "Settings and language files are read from the program folder, or from the folder\n"
    "named by ZP407NE_HOME.\n"
    "Exit status: 0 success, 1 usage error, 2 a file could not be opened or saved.\n";

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

QTextStream& Err() {
    static QTextStream err(stderr);
    return err;
}

int Fail(const QString& message) {
    Err() << message << Qt::endl;
    return ExitFailed;
}

// The program as the user meets it: started, first shown, New run.
struct TProgram {
    TfMaindb Db{ProgramFolder()};

    TProgram() {
        Db.BuildStartImage();
        Db.NewImage();
    }

    bool Open(const QString& fileName, QString* message) {
        QString error;
        const TLoadResult result = LoadDataFile(Db.MacList, Db.All, fileName, &error);
        *message = LoadErrorText(result, Db.Language, error);
        return result == TLoadResult::Accepted;
    }

    bool Save(const QString& fileName, QString* message) {
        return SaveDataFile(Db.All, fileName, message);
    }

    // Windows keep their built-in texts with the first language.
    template <class T> void Translate(T& texts) const {
        if (Db.All.LanguageIndex != 0)
            texts.Translate(TIniFile(LanguageFileName(Db.All)));
    }
};

QString CsvField(QString text) {
    static const QString Special = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return Special.contains(c); }))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

void PrintCsvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted << CsvField(field);
    Out() << quoted.join(QLatin1Char(',')) << '\n';
}

int New(TProgram& program, const QStringList& args) {
    QString error;
    return program.Save(args[0], &error) ? 0 : Fail(error);
}

int Channels(TProgram& program, const QStringList& args) {
    QString error;
    if (!program.Open(args[0], &error))
        return Fail(error);
    TChannelRow row;
    program.Translate(row);
    QStringList captions;
    for (int code : row.ShownCodes())
        captions << row.Descriptors[size_t(code - 1)].Caption().replace(QLatin1Char('\r'),
                                                                        QLatin1Char(' '));
    PrintCsvLine(captions);
    TfMaindb& db = program.Db;
    for (int k = 1; k <= db.All.ChannelCount; ++k) {
        QStringList texts;
        for (const TChannelRow::TCell& cell : row.Cells(db.All, db.Channel, k))
            texts << cell.Text;
        PrintCsvLine(texts);
    }
    return 0;
}

int Info(TProgram& program, const QStringList& args) {
    QString error;
    if (!program.Open(args[0], &error))
        return Fail(error);
    TRadioInfo info(program.Db.All);
    program.Translate(info);
    for (const TRadioInfo::TLine& line : info.Lines)
        Out() << line.Caption << ": " << line.Text << '\n';
    return 0;
}

int Resave(TProgram& program, const QStringList& args) {
    QString error;
    if (!program.Open(args[0], &error))
        return Fail(error);
    TfMaindb& db = program.Db;
    for (int k = 1; k <= db.All.ChannelCount; ++k)
        ReadChannel(db.All, k, db.Channel);
    for (int k : {VfoLow, VfoHigh})
        ReadChannel(db.All, k, db.Channel);
    return program.Save(args[1], &error) ? 0 : Fail(error);
}

struct TCommand {
    const char* name;
    int argCount;
    int (*run)(TProgram&, const QStringList&);
};
const TCommand Commands[] = {
    {"new", 1, New},
    {"channels", 1, Channels},
    {"info", 1, Info},
    {"resave", 2, Resave},
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZP-407NE"));
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--help") || args.value(0) == QLatin1String("-h")) {
        Out() << Usage;
        return 0;
    }
    for (const TCommand& command : Commands) {
        if (args.value(0) == QLatin1String(command.name) && args.size() == command.argCount + 1) {
            TProgram program;
            const int status = command.run(program, args.mid(1));
            Out().flush();
            return status;
        }
    }
    Err() << Usage;
    return ExitUsage;
}
