// zp407ne-cli: data files and the radio link of the ZP-407NE from the command line, on the same
// model and link code as the program's windows.

#include "core/Backups.h"
#include "core/Channel.h"
#include "core/ChannelRecord.h"
#include "core/ChannelRow.h"
#include "core/ChirpCsv.h"
#include "core/CsvText.h"
#include "tools/cli/CliExchange.h"
#include "core/DataFile.h"
#include "core/FileAccess.h"
#include "core/IniFile.h"
#include "core/Maindb.h"
#include "core/Messages.h"
#include "core/RadioInfo.h"
#include "core/SettingsApply.h"
#include "core/SettingsReport.h"
#include "link/PortNames.h"
#include "link/PortTexts.h"
#include "link/UsbAdapters.h"
#include "print/ChannelPages.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIODevice>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <memory>

namespace {

constexpr int ExitUsage = 1;
constexpr int ExitFailed = 2;

const char* const Usage =
    "Usage:\n"
    "  zp407ne-cli new OUT.dat             save the image of a freshly started program\n"
    "  zp407ne-cli channels FILE.dat       list the memory channels as CSV\n"
    "  zp407ne-cli info FILE.dat           show the radio information\n"
    "  zp407ne-cli settings FILE.dat       print the VFO and function settings as INI\n"
    "  zp407ne-cli apply BASE.dat SETTINGS.ini OUT.dat\n"
    "                                      set the settings of an INI text as the settings\n"
    "                                      command prints it on BASE, save as OUT\n"
    "  zp407ne-cli resave IN.dat OUT.dat   open IN, read every channel, save as OUT\n"
    "  zp407ne-cli export-csv FILE.dat [OUT.csv]\n"
    "                                      the channels as CHIRP generic CSV (stdout\n"
    "                                      without OUT)\n"
    "  zp407ne-cli import-csv IN.csv BASE.dat OUT.dat\n"
    "                                      the channels of IN onto BASE, saved as OUT;\n"
    "                                      refused rows and changed values on stderr\n"
    "  zp407ne-cli print [--settings] FILE.dat OUT.pdf\n"
    "                                      write the channel list as PDF, as the program\n"
    "                                      prints it\n"
    "  zp407ne-cli read [--port COMn] OUT.dat\n"
    "                                      read the radio, save its memory as OUT\n"
    "  zp407ne-cli write [--port COMn] [--force] IN.dat\n"
    "                                      open IN and write it to the radio\n"
    "  zp407ne-cli ports                   list the serial ports as the port dialog does\n"
    "\n"
    "  --port COMn      the radio's port (default: the port of the settings file); the\n"
    "                   [Ports] section of SysInfo.Ini maps numbers to devices\n"
    "  --force          answer Yes when the radio is another model with as many channels\n"
    "  --stall-report   print the transfer time and the longest event-loop stall\n"
    "  --settings       add the settings after the channel list\n"
    "\n"
    "Settings and language files are read from the program folder, or from the folder\n"
    "named by ZP407NE_HOME. Progress and the radio's messages go to stderr.\n"
    "Exit status: 0 success, 1 usage error, 2 a file could not be opened or saved, or the\n"
    "read or write did not complete (its message says why; a failed read saves nothing),\n"
    "or no row of the CSV file could be taken (nothing is saved then).\n";

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

QTextStream& Err() {
    static QTextStream err(stderr);
    return err;
}

// What follows the command's name.
struct TArgs {
    QStringList Files;
    QString Port;
    bool Force = false;
    bool StallReport = false;
    bool Settings = false;
};

// Whether everything printed reached its destination: a full disk, a closed or broken standard
// output is a failure, not a success with nothing written.
bool OutputWritten(QString* reason) {
    Out().flush();
    errno = 0;
    if (Out().status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    const int error = errno;
    QString why = Out().device()->errorString();
    if (why.isEmpty() || why == QLatin1String("Unknown error"))
        why = QString::fromLocal8Bit(std::strerror(error ? error : EIO));
    *reason = QStringLiteral("standard output: ") + why;
    return false;
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

    bool Exchange(TCliExchange::TKind kind, const TArgs& args) {
        if (!args.Port.isEmpty()) Db.All.PortName = args.Port.toUpper();
        return TCliExchange(Db, kind, {args.Force, args.StallReport}, Err()).Run();
    }

    // Windows keep their built-in texts with the first language.
    template <class T> void Translate(T& texts) const {
        if (Db.All.LanguageIndex != 0) texts.Translate(TIniFile(LanguageFileName(Db.All)));
    }
};

void PrintCsvLine(const QStringList& fields) {
    Out() << TCsvText::JoinLine(fields, QLatin1Char(',')) << '\n';
}

int New(TProgram& program, const TArgs& args) {
    QString error;
    return program.Save(args.Files[0], &error) ? 0 : Fail(error);
}

int Channels(TProgram& program, const TArgs& args) {
    QString error;
    if (!program.Open(args.Files[0], &error)) return Fail(error);
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

int Info(TProgram& program, const TArgs& args) {
    QString error;
    if (!program.Open(args.Files[0], &error)) return Fail(error);
    TRadioInfo info(program.Db.All);
    program.Translate(info);
    for (const TRadioInfo::TLine& line : info.Lines)
        Out() << line.Caption << ": " << line.Text << '\n';
    return 0;
}

// Every value the VFO and function editors show, loaded as they load it; nothing is saved.
int Settings(TProgram& program, const TArgs& args) {
    QString error;
    if (!program.Open(args.Files[0], &error)) return Fail(error);
    Out() << SettingsIniText(SettingsReport(program.Db.All, program.Db.Channel));
    return 0;
}

// The inverse of Settings: every refused line is told and nothing is saved.
int Apply(TProgram& program, const TArgs& args) {
    QString error;
    if (!program.Open(args.Files[0], &error)) return Fail(error);
    QFile file(args.Files[1]);
    if (!OpenRegularFile(file, &error)) return Fail(error);
    const QStringList refused =
        ApplySettingsText(program.Db.All, QString::fromUtf8(file.readAll()));
    if (!refused.isEmpty())
        return Fail(FileErrorText(args.Files[1], QLatin1Char('\n') + refused.join('\n')));
    return program.Save(args.Files[2], &error) ? 0 : Fail(error);
}

// The pages the program prints, in the language of the settings file, saved as a PDF file.
int Print(TProgram& program, const TArgs& args) {
    QString error;
    if (!program.Open(args.Files[0], &error)) return Fail(error);
    TChannelRow row;
    program.Translate(row);
    TPrintTexts texts;
    program.Translate(texts);
    TfMaindb& db = program.Db;
    const TChannelPages pages(db.All, db.Channel, row, texts, args.Files[0], db.Now(),
                              args.Settings);
    return pages.SavePdf(args.Files[1], &error) ? 0 : Fail(error);
}

int Resave(TProgram& program, const TArgs& args) {
    QString error;
    if (!program.Open(args.Files[0], &error)) return Fail(error);
    TfMaindb& db = program.Db;
    for (int k = 1; k <= db.All.ChannelCount; ++k)
        ReadChannel(db.All, k, db.Channel);
    for (int k : {VfoLow, VfoHigh})
        ReadChannel(db.All, k, db.Channel);
    return program.Save(args.Files[1], &error) ? 0 : Fail(error);
}

// OUT is written only after a completed read, so a failed read leaves no file behind.
int ReadRadio(TProgram& program, const TArgs& args) {
    if (!program.Exchange(TCliExchange::TKind::Read, args)) return ExitFailed;
    TfMaindb& db = program.Db;
    QString error;
    if (!TBackups::Save(db.All, QStringLiteral("read"), db.Now(), &error)) {
        Err() << error << Qt::endl; // the read itself is not lost over it
        error.clear();
    }
    return program.Save(args.Files[0], &error) ? 0 : Fail(error);
}

int WriteRadio(TProgram& program, const TArgs& args) {
    QString error;
    if (!program.Open(args.Files[0], &error)) return Fail(error);
    return program.Exchange(TCliExchange::TKind::Write, args) ? 0 : ExitFailed;
}

int ExportCsv(TProgram& program, const TArgs& args) {
    QString error;
    if (!program.Open(args.Files[0], &error)) return Fail(error);
    TfMaindb& db = program.Db;
    std::vector<int> channels(size_t(std::max(0, db.All.ChannelCount)));
    std::iota(channels.begin(), channels.end(), 1);
    const QString text = TChirpCsv::Export(db.All, db.Channel, channels, QLatin1Char(','));
    if (args.Files.size() == 1) {
        Out() << text;
        return 0;
    }
    return SaveFileSafely(args.Files[1], text.toUtf8(), &error) ? 0 : Fail(error);
}

// OUT is written only when at least one row was taken.
int ImportCsv(TProgram& program, const TArgs& args) {
    QFile file(args.Files[0]);
    QString error;
    if (!OpenRegularFile(file, &error)) return Fail(error);
    const QString text = QString::fromUtf8(file.readAll());
    if (!program.Open(args.Files[1], &error)) return Fail(error);
    TfMaindb& db = program.Db;
    const TChirpCsv::TImport import = TChirpCsv::Read(db.All, db.Language, text);
    Err() << TChirpCsv::Summary(db.Language, import, false) << Qt::endl;
    if (import.Rows.empty()) return ExitFailed;
    TChirpCsv::Store(db.All, import.Rows);
    return program.Save(args.Files[2], &error) ? 0 : Fail(error);
}

// Every port with its device, then what keeps the cable from working, one line each.
int Ports(TProgram& program, const TArgs&) {
    TPortTexts texts;
    program.Translate(texts);
    const std::vector<TPortInfo> ports = ListPorts(program.Db.All);
    for (const TPortInfo& port : ports)
        Out() << texts.Line(port) << '\n';
    for (const QString& problem : texts.Problems(ports, UnboundUsbSerialAdapters()))
        Out() << problem << '\n';
    return 0;
}

struct TCommand {
    const char* name;
    int argCount;
    const char* options; // the options it takes, separated by blanks
    int (*run)(TProgram&, const TArgs&);
    int optionalCount = 0; // files that may follow the required ones
};
const TCommand Commands[] = {
    {"new", 1, "", New},
    {"channels", 1, "", Channels},
    {"info", 1, "", Info},
    {"settings", 1, "", Settings},
    {"apply", 3, "", Apply},
    {"resave", 2, "", Resave},
    {"print", 2, "--settings", Print},
    {"read", 1, "--port --stall-report", ReadRadio},
    {"write", 1, "--port --force --stall-report", WriteRadio},
    {"export-csv", 1, "", ExportCsv, 1},
    {"import-csv", 3, "", ImportCsv},
    {"ports", 0, "", Ports},
};

// Splits the arguments after the command's name into files and the options it takes; false on
// an option it does not take or a --port without a value.
bool ParseArgs(const TCommand& command, const QStringList& words, TArgs& args) {
    const QStringList known = QString::fromLatin1(command.options).split(QLatin1Char(' '));
    for (int i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (!word.startsWith(QLatin1String("--"))) {
            args.Files << word;
            continue;
        }
        if (!known.contains(word)) return false;
        if (word == QLatin1String("--port")) {
            if (++i == words.size()) return false;
            args.Port = words[i];
        }
        args.Force = args.Force || word == QLatin1String("--force");
        args.StallReport = args.StallReport || word == QLatin1String("--stall-report");
        args.Settings = args.Settings || word == QLatin1String("--settings");
    }
    return args.Files.size() >= command.argCount &&
           args.Files.size() <= command.argCount + command.optionalCount;
}

// Drawing the printout needs the fonts of a GUI application; the offscreen platform gives them
// without a display, so the tool prints on servers and in CI as well.
std::unique_ptr<QCoreApplication> StartApplication(int& argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "print") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QCoreApplication> app = StartApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZP-407NE"));
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.value(0) == QLatin1String("--help") || args.value(0) == QLatin1String("-h")) {
        Out() << Usage;
        QString reason;
        return OutputWritten(&reason) ? 0 : Fail(reason);
    }
    for (const TCommand& command : Commands) {
        TArgs parsed;
        if (args.value(0) == QLatin1String(command.name) &&
            ParseArgs(command, args.mid(1), parsed)) {
            TProgram program;
            const int status = command.run(program, parsed);
            QString reason;
            if (!OutputWritten(&reason)) return Fail(reason);
            return status;
        }
    }
    Err() << Usage;
    return ExitUsage;
}
