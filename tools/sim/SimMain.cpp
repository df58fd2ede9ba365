// zp407ne-sim: a simulated ZP-407NE on a pseudo-terminal, so that the program, the command-line
// tool and the tests can read, write and test a radio without one.

#include "core/Maindb.h"
#include "tools/sim/SimLine.h"
#include "tools/sim/SimMemory.h"
#include "tools/sim/SimRadio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTime>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int ExitUsage = 1;
constexpr int ExitFailed = 2;
constexpr int DefaultBaudRate = 4800;

QTextStream& Err() {
    static QTextStream err(stderr);
    return err;
}

int Fail(const QString& message, int status = ExitFailed) {
    Err() << "zp407ne-sim: " << message << Qt::endl;
    return status;
}

// Everything the command line chose.
struct TSimSetup {
    QString ImageFile;
    QString SaveFile;
    QString LinkPath;
    int BaudRate = DefaultBaudRate;
    bool Pace = false;
    bool Log = false;
    bool ExitAfterEnd = false;
    TSimRadio::TOptions Radio;
};

const QCommandLineOption ImageOption(QStringLiteral("image"),
                                     QStringLiteral("Serve the memory of a data file."),
                                     QStringLiteral("FILE.dat"));
const QCommandLineOption SaveOption(
    QStringLiteral("save"),
    QStringLiteral("Save the memory as a data file after an end byte that followed writes, and at "
                   "exit."),
    QStringLiteral("FILE.dat"));
const QCommandLineOption LinkOption(QStringLiteral("link"),
                                    QStringLiteral("Create a symbolic link to the device."),
                                    QStringLiteral("PATH"));
const QCommandLineOption PaceOption(QStringLiteral("pace"),
                                    QStringLiteral("Take and send the bytes at the line rate."));
const QCommandLineOption BaudOption(QStringLiteral("baud"),
                                    QStringLiteral("Line rate for --pace (default 4800)."),
                                    QStringLiteral("RATE"));
const QCommandLineOption SilentOption(QStringLiteral("silent-after"),
                                      QStringLiteral("Hang after N frames: no more answers."),
                                      QStringLiteral("N"));
const QCommandLineOption JunkAckOption(QStringLiteral("junk-ack"),
                                       QStringLiteral("Send a junk byte before each acknowledge."));
const QCommandLineOption ModelOption(QStringLiteral("model"),
                                     QStringLiteral("Report this 4-character model code."),
                                     QStringLiteral("CODE"));
const QCommandLineOption BandOption(QStringLiteral("band-byte"),
                                    QStringLiteral("Byte 6 of the identification (default FF)."),
                                    QStringLiteral("HEX"));
const QCommandLineOption
    BadPowerOption(QStringLiteral("bad-power-reply"),
                   QStringLiteral("Start each power-table reply with a wrong byte."));
const QCommandLineOption LogOption(QStringLiteral("log"),
                                   QStringLiteral("Log every frame received on stderr."));
const QCommandLineOption ExitOption(QStringLiteral("exit-after-end"),
                                    QStringLiteral("Exit after the first end byte."));

bool Refuse(QString* error, const QString& message) {
    *error = message;
    return false;
}

// Reads the options; false with a message when one is out of range.
bool ParseSetup(const QCommandLineParser& parser, TSimSetup& setup, QString* error) {
    setup.ImageFile = parser.value(ImageOption);
    setup.SaveFile = parser.value(SaveOption);
    setup.LinkPath = parser.value(LinkOption);
    setup.Pace = parser.isSet(PaceOption);
    setup.Log = parser.isSet(LogOption);
    setup.ExitAfterEnd = parser.isSet(ExitOption);
    setup.Radio.JunkAck = parser.isSet(JunkAckOption);
    setup.Radio.BadPowerReply = parser.isSet(BadPowerOption);
    bool ok = true;
    if (parser.isSet(BaudOption)) {
        setup.BaudRate = parser.value(BaudOption).toInt(&ok);
        if (!ok || setup.BaudRate <= 0)
            return Refuse(error, QStringLiteral("--baud needs a positive number"));
    }
    if (parser.isSet(SilentOption)) {
        setup.Radio.SilentAfter = parser.value(SilentOption).toInt(&ok);
        if (!ok || setup.Radio.SilentAfter < 0)
            return Refuse(error, QStringLiteral("--silent-after needs a number from 0"));
    }
    if (parser.isSet(BandOption)) {
        QString text = parser.value(BandOption);
        if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) text.remove(0, 2);
        const uint value = text.toUInt(&ok, 16);
        if (!ok || value > 0xFF)
            return Refuse(error, QStringLiteral("--band-byte needs a hexadecimal byte, 00 to FF"));
        setup.Radio.BandByte = uint8_t(value);
    }
    if (parser.isSet(ModelOption)) {
        setup.Radio.ModelCode = parser.value(ModelOption);
        const QString code = setup.Radio.ModelCode;
        if (code.size() != 4 || QString::fromLatin1(code.toLatin1()) != code)
            return Refuse(error, QStringLiteral("--model needs a code of 4 characters"));
    }
    return true;
}

// SIGTERM and SIGINT end the event loop through a socket pair, so that the memory is saved and
// the link removed on the way out.
int SignalSocket[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(SignalSocket[0], &byte, 1);
}

bool CatchSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalSocket) != 0) return false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

bool IsSymLink(const QString& path) {
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

// A link left behind by an earlier run is replaced; any other file is left alone.
bool CreateLink(const QString& path, const QString& target, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    if (IsSymLink(path)) ::unlink(name.constData());
    if (::symlink(QFile::encodeName(target).constData(), name.constData()) != 0) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    return true;
}

void RemoveLink(const QString& path, const QString& target) {
    if (IsSymLink(path) && QFile::symLinkTarget(path) == target)
        ::unlink(QFile::encodeName(path).constData());
}

bool LoadMemory(const TSimSetup& setup, TSimMemory& memory, QString* error) {
    if (!setup.ImageFile.isEmpty()) return memory.Load(setup.ImageFile, error);
    TfMaindb db(ProgramFolder());
    memory = TSimMemory::Demo(db);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zp407ne-sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated ZP-407NE radio on a pseudo-terminal. Prints the device to "
                       "open and answers the programming protocol until it is stopped."));
    parser.addHelpOption();
    parser.addOptions({ImageOption, SaveOption, LinkOption, PaceOption, BaudOption, SilentOption,
                       JunkAckOption, ModelOption, BandOption, BadPowerOption, LogOption,
                       ExitOption});
    if (!parser.parse(QCoreApplication::arguments())) return Fail(parser.errorText(), ExitUsage);
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
    if (!parser.positionalArguments().isEmpty())
        return Fail(QStringLiteral("unexpected argument ") + parser.positionalArguments()[0],
                    ExitUsage);
    TSimSetup setup;
    QString error;
    if (!ParseSetup(parser, setup, &error)) return Fail(error, ExitUsage);

    TSimMemory memory;
    if (!LoadMemory(setup, memory, &error)) return Fail(error);
    TSimRadio radio(memory, setup.Radio);
    TSimLine line;
    if (!line.Open(&error)) return Fail(error);
    line.SetPace(setup.Pace ? setup.BaudRate : 0);
    if (!CatchSignals()) return Fail(QStringLiteral("cannot catch signals"));
    if (!setup.LinkPath.isEmpty() && !CreateLink(setup.LinkPath, line.DevicePath(), &error))
        return Fail(error);

    int status = 0;
    bool quitWhenDrained = false;
    const auto save = [&] {
        if (!setup.SaveFile.isEmpty() && !radio.Memory().Save(setup.SaveFile, &error)) {
            Fail(error);
            status = ExitFailed;
        }
    };
    if (setup.Log) {
        radio.OnLog = [](const QString& text) {
            Err() << QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) << "  " << text
                  << Qt::endl;
        };
    }
    radio.OnEnd = [&](bool written) {
        if (written) save();
        if (setup.ExitAfterEnd) {
            quitWhenDrained = true;
            if (line.Idle()) QCoreApplication::quit();
        }
    };
    QElapsedTimer clock;
    clock.start();
    line.OnReceived = [&](const QByteArray& bytes) {
        line.Send(radio.Feed(bytes, clock.elapsed()));
    };
    line.OnDrained = [&] {
        if (quitWhenDrained) QCoreApplication::quit();
    };
    line.OnError = [&](const QString& reason) {
        status = Fail(reason);
        QCoreApplication::quit();
    };
    QSocketNotifier stopper(SignalSocket[1], QSocketNotifier::Read);
    QObject::connect(&stopper, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });

    QTextStream(stdout) << line.DevicePath() << Qt::endl;
    app.exec();
    save();
    if (!setup.LinkPath.isEmpty()) RemoveLink(setup.LinkPath, line.DevicePath());
    return status;
}
