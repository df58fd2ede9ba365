#include "core/All.h"
#include "core/Language.h"
#include "core/MessageKind.h"
#include "link/PortNames.h"
#include "link/SerialPort.h"
#include "ui/link/SetPort.h"
#include "widgets/MessageBox.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A pseudo-terminal: the port under test opens the slave device, the test plays the other end
// through the master.
class TPty {
public:
    TPty() {
        Master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (Master >= 0 && ::grantpt(Master) == 0 && ::unlockpt(Master) == 0)
            Slave = QString::fromLocal8Bit(::ptsname(Master));
    }
    ~TPty() { CloseMaster(); }
    TPty(const TPty&) = delete;
    TPty& operator=(const TPty&) = delete;

    QString Slave;

    void CloseMaster() {
        if (Master >= 0) ::close(Master);
        Master = -1;
    }
    // Everything the port has sent so far.
    const QByteArray& Received() {
        char buffer[4096];
        ssize_t count;
        while ((count = ::read(Master, buffer, sizeof buffer)) > 0)
            Bytes.append(buffer, int(count));
        return Bytes;
    }
    // Sends what the line takes of bytes now; the count taken.
    qint64 TrySend(const QByteArray& bytes) {
        return std::max<ssize_t>(0, ::write(Master, bytes.constData(), size_t(bytes.size())));
    }
    void Send(const QByteArray& bytes) {
        QCOMPARE(::write(Master, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }
    // The slave's line settings, as the port left them.
    termios Line() const {
        termios line{};
        ::tcgetattr(Master, &line);
        return line;
    }

private:
    int Master = -1;
    QByteArray Bytes;
};

TLineSettings Line(const QString& device, int baudRate = 4800) {
    TLineSettings line;
    line.Device = device;
    line.BaudRate = baudRate;
    return line;
}

// A port whose driver error count the test sets.
class TCountingPort : public TSerialPort {
public:
    quint64 Count = 0;

protected:
    bool ReadLineErrorCount(quint64* count) const override {
        *count = Count;
        return true;
    }
};

void WriteFile(const QString& fileName, const QByteArray& text) {
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Ports from "number=device" entries; a trailing "!" marks a port that cannot be opened.
std::vector<TPortInfo> FakePorts(const QStringList& entries) {
    std::vector<TPortInfo> ports;
    for (const QString& entry : entries) {
        TPortInfo port;
        port.Number = entry.section(QLatin1Char('='), 0, 0).toInt();
        port.Device = entry.section(QLatin1Char('='), 1);
        port.State = port.Device.endsWith(QLatin1Char('!')) ? TPortState::Busy : TPortState::Free;
        port.Device.remove(QLatin1Char('!'));
        port.Location = port.Device;
        ports.push_back(port);
    }
    return ports;
}

// A port list that changes at every look: the n-th look sees lists[n], the last one from then
// on.
TfSetPort::TPortSource ChangingSource(const QList<QStringList>& lists,
                                      std::vector<TUsbAdapter> unbound = {}) {
    auto looks = std::make_shared<int>(0);
    return {
        [=](const TALL&) { return FakePorts(lists[std::min(int(lists.size()) - 1, (*looks)++)]); },
        [=] { return unbound; }};
}

QStringList Lines(const QStringList& entries) {
    QStringList lines;
    for (const TPortInfo& port : FakePorts(entries))
        lines << TPortTexts().Line(port);
    return lines;
}

QStringList Rows(QWidget& dialog) {
    QStringList rows;
    const QListWidget* list = dialog.findChild<QListWidget*>(QStringLiteral("cxDevices"));
    for (int row = 0; row < list->count(); ++row)
        rows << list->item(row)->text();
    return rows;
}

} // namespace

// The serial line over a real QSerialPort on pseudo-terminals, the "COM" + number names of the
// serial devices, and the communication-port dialog.
class TstSerialPort : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> Folder;
    TALL All;
    TLanguage Language;

    QString FolderFile(const QString& name) const { return Folder->filePath(name); }
    static QRadioButton* Radio(QWidget& dialog, int number) {
        return dialog.findChild<QRadioButton*>(QStringLiteral("cxPort%1").arg(number));
    }
    static void Click(QWidget& dialog, const QString& name) {
        QWidget* widget = dialog.findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QTest::mouseClick(widget, Qt::LeftButton);
    }

private slots:
    void init() {
        Folder = std::make_unique<QTemporaryDir>();
        All = TALL();
        All.ProgramFolder = Folder->path() + QLatin1Char('/');
        All.BaudRate = 4800;
    }
    void cleanup() { TMessageBoxSeam::Reset(); }

    void opensWithTheLineSettings_data() {
        QTest::addColumn<int>("baudRate");
        QTest::addColumn<int>("speed");
        QTest::newRow("4800") << 4800 << int(B4800);
        QTest::newRow("9600") << 9600 << int(B9600);
    }
    // A pseudo-terminal refuses DTR and RTS; the open still succeeds without a complaint.
    void opensWithTheLineSettings() {
        QFETCH(int, baudRate);
        QFETCH(int, speed);
        TPty pty;
        TSerialPort port;
        QString error;
        QVERIFY2(port.Open(Line(pty.Slave, baudRate), &error), qPrintable(error));
        QVERIFY(error.isEmpty());
        QVERIFY(port.IsOpen());
        const termios line = pty.Line();
        QCOMPARE(int(cfgetospeed(&line)), speed);
        QCOMPARE(int(cfgetispeed(&line)), speed);
        QCOMPARE(line.c_cflag & CSIZE, tcflag_t(CS8));
        QVERIFY(line.c_cflag & CSTOPB);
        QVERIFY(!(line.c_cflag & (PARENB | CRTSCTS)));
        QVERIFY(!(line.c_iflag & (IXON | IXOFF)));
        port.Close();
        port.Close();
        QVERIFY(!port.IsOpen());
        QCOMPARE(port.OutputPending(), 0);
    }

    void bytesBothWays() {
        TPty pty;
        TSerialPort port;
        QVERIFY(port.Open(Line(pty.Slave), nullptr));
        QVERIFY(port.WriteBlock("PROGRAM"));
        QTRY_COMPARE(pty.Received(), QByteArray("PROGRAM"));

        QSignalSpy data(&port, &TLinkPort::DataAvailable);
        pty.Send("\x06\x02\xff");
        QTRY_VERIFY(!data.isEmpty() && data.last().at(0).toInt() == 3);
        QCOMPARE(port.ReadAvailable(), QByteArray("\x06\x02\xff"));
        QCOMPARE(port.ReadAvailable(), QByteArray());

        pty.Send("xyz");
        QTRY_VERIFY(data.size() >= 2);
        port.FlushInput();
        QCOMPARE(port.ReadAvailable(), QByteArray());
    }

    // A flood of bytes that nobody takes is held up to 4096 bytes; the rest waits in the driver.
    void receivedBytesAreBounded() {
        TPty pty;
        TSerialPort port;
        QVERIFY(port.Open(Line(pty.Slave), nullptr));
        const QByteArray chunk(1024, 'x');
        qint64 sent = 0;
        for (int round = 0; round < 200 && sent < 64 * 1024; ++round) {
            sent += pty.TrySend(chunk);
            QCoreApplication::processEvents();
        }
        const QByteArray held = port.ReadAvailable();
        QVERIFY2(held.size() > 0 && held.size() <= 4096, QByteArray::number(held.size()));
    }

    // Qt's buffer counts until the other side has taken every byte.
    void outputPendingDrains() {
        TPty pty;
        TSerialPort port;
        QVERIFY(port.Open(Line(pty.Slave), nullptr));
        const QByteArray block(256 * 1024, 'U');
        QVERIFY(port.WriteBlock(block));
        QVERIFY(port.OutputPending() > 0);
        QTRY_COMPARE_WITH_TIMEOUT((pty.Received(), port.OutputPending()), 0, 10000);
        QTRY_COMPARE(pty.Received().size(), block.size());
    }

    void flushOutputDropsUnsentBytes() {
        TPty pty;
        TSerialPort port;
        QVERIFY(port.Open(Line(pty.Slave), nullptr));
        QVERIFY(port.WriteBlock(QByteArray(256 * 1024, 'U')));
        port.FlushOutput();
        QCOMPARE(port.OutputPending(), 0);
        QVERIFY(port.WriteBlock("E"));
        QTRY_VERIFY(pty.Received().endsWith('E'));
        QVERIFY(pty.Received().size() < 256 * 1024);
    }

    // After a Close, the next operation opens the port again with the same settings.
    void reopensWithTheLastSettings() {
        TPty pty;
        TSerialPort port;
        QVERIFY(port.Open(Line(pty.Slave, 9600), nullptr));
        port.Close();
        QVERIFY(port.WriteBlock("R"));
        QVERIFY(port.IsOpen());
        const termios line = pty.Line();
        QCOMPARE(int(cfgetospeed(&line)), int(B9600));
        QTRY_COMPARE(pty.Received(), QByteArray("R"));
    }

    void openIsExclusive() {
        TPty pty;
        TSerialPort first;
        TSerialPort second;
        QVERIFY(first.Open(Line(pty.Slave), nullptr));
        QString error;
        QVERIFY(!second.Open(Line(pty.Slave), &error));
        QVERIFY2(error.contains(QStringLiteral("in use by another program")), qPrintable(error));
        QVERIFY(error.contains(pty.Slave));
        first.Close();
        QVERIFY(second.Open(Line(pty.Slave), nullptr));
    }

    void openFailures_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no device named") << QString() << "No serial device";
        QTest::newRow("missing") << "/dev/ttyNoSuchPort7"
                                 << "/dev/ttyNoSuchPort7 does not exist";
        QTest::newRow("not a terminal") << "SysInfo.Ini"
                                        << "is no serial device";
    }
    void openFailures() {
        QFETCH(QString, device);
        QFETCH(QString, expected);
        WriteFile(FolderFile(QStringLiteral("SysInfo.Ini")), "[SysInfo]\n");
        if (device == QLatin1String("SysInfo.Ini")) device = FolderFile(device);
        TSerialPort port;
        QString error;
        QVERIFY(!port.Open(Line(device), &error));
        QVERIFY2(error.contains(expected), qPrintable(error));
        QVERIFY(!port.IsOpen());
        QVERIFY(!port.WriteBlock("x"));
    }

    // A device file the user may not open says so and names the remedy. (Root opens any device,
    // so the text is checked directly.)
    void openErrorTexts_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("accessDenied");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("permission denied") << int(QSerialPort::PermissionError) << true
                                           << QStringList{"Permission denied", "/dev/ttyUSB0",
                                                          "\"dialout\" group", "log in again"};
        QTest::newRow("denied, reported otherwise")
            << int(QSerialPort::UnknownError) << true << QStringList{"\"dialout\" group"};
        QTest::newRow("held by another program")
            << int(QSerialPort::PermissionError) << false << QStringList{"/dev/ttyUSB0 is in use"};
        QTest::newRow("anything else") << int(QSerialPort::ResourceError) << false
                                       << QStringList{"/dev/ttyUSB0", "Input/output error"};
    }
    void openErrorTexts() {
        QFETCH(int, error);
        QFETCH(bool, accessDenied);
        QFETCH(QStringList, expected);
        const QString text = TSerialPort::OpenErrorText(
            QSerialPort::SerialPortError(error), QStringLiteral("/dev/ttyUSB0"), accessDenied,
            QStringLiteral("Input/output error"));
        for (const QString& part : expected)
            QVERIFY2(text.contains(part), qPrintable(text));
        QCOMPARE(text.contains(QStringLiteral("dialout")), accessDenied);
    }

    // Closing the other end must neither hang nor spin: the port closes and says why, once.
    void otherEndClosedLosesThePort() {
        TPty pty;
        TSerialPort port;
        QVERIFY(port.Open(Line(pty.Slave), nullptr));
        QSignalSpy lost(&port, &TLinkPort::Lost);
        pty.CloseMaster();
        QVERIFY(lost.wait(3000));
        QVERIFY(!port.IsOpen());
        QVERIFY(lost.first().at(0).toString().contains(pty.Slave));
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(lost.size(), 1);
        QCOMPARE(port.OutputPending(), 0);
    }

    // The driver's error count at the open is the mark; a rise is one line error, reported
    // before the bytes that came with it, or on its own when no byte came.
    void lineErrorsFromTheDriverCount() {
        TPty pty;
        TCountingPort port;
        port.Count = 5;
        QVERIFY(port.Open(Line(pty.Slave), nullptr));
        QStringList events;
        connect(&port, &TLinkPort::LineError, &port, [&] { events << "error"; });
        connect(&port, &TLinkPort::DataAvailable, &port, [&] {
            events << "data";
            port.ReadAvailable();
        });
        pty.Send("A");
        QTRY_COMPARE(events, QStringList{"data"});
        port.Count = 7;
        pty.Send("B");
        QTRY_COMPARE(events, (QStringList{"data", "error", "data"}));
        pty.Send("C");
        QTRY_COMPARE(events, (QStringList{"data", "error", "data", "data"}));
        port.Count = 8;
        QTRY_COMPARE(events, (QStringList{"data", "error", "data", "data", "error"}));
    }

    void portNumbers_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("COM1") << "COM1" << 1;
        QTest::newRow("COM12") << "COM12" << 12;
        QTest::newRow("lower case from the settings") << "Com3" << 3;
        QTest::newRow("tail no number") << "COMx" << 0;
        QTest::newRow("digits then letters") << "COM1x" << 0;
        QTest::newRow("sign") << "COM+1" << 0;
        QTest::newRow("zero") << "COM0" << 0;
        QTest::newRow("no tail") << "COM" << 0;
    }
    void portNumbers() {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(PortNumber(name), number);
    }

    void portMap_data() {
        QTest::addColumn<QByteArray>("ports");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("USB first, name order")
            << QByteArray()
            << QStringList{"/dev/ttyS1", "/dev/ttyACM0", "/dev/ttyUSB10", "/dev/ttyUSB2",
                           "/dev/ttyS0"}
            << QStringList{"1=/dev/ttyUSB2", "2=/dev/ttyUSB10", "3=/dev/ttyACM0", "4=/dev/ttyS0",
                           "5=/dev/ttyS1"};
        QTest::newRow("an entry takes its device out of the numbering")
            << QByteArray("[Ports]\ncom1=/dev/ttyS0\n") << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"}
            << QStringList{"1=/dev/ttyS0", "2=/dev/ttyUSB0"};
        QTest::newRow("entries keep their numbers, devices fill the gaps")
            << QByteArray("[SysInfo]\nCom=COM2\n[Ports]\nCOM2=/dev/serial/by-id/usb-cable\n"
                          "COM12=/dev/ttyS3\nCOMx=/dev/ttyS4\n")
            << QStringList{"/dev/ttyUSB1", "/dev/ttyUSB0"}
            << QStringList{"1=/dev/ttyUSB0", "2=/dev/serial/by-id/usb-cable", "3=/dev/ttyUSB1",
                           "12=/dev/ttyS3"};
        QTest::newRow("nothing present") << QByteArray() << QStringList() << QStringList();
    }
    void portMap() {
        QFETCH(QByteArray, ports);
        QFETCH(QStringList, present);
        QFETCH(QStringList, expected);
        if (!ports.isEmpty()) WriteFile(FolderFile(QStringLiteral("SysInfo.Ini")), ports);
        QStringList map;
        for (const auto& [number, device] : PortMap(All, present))
            map << QStringLiteral("%1=%2").arg(number).arg(device);
        QCOMPARE(map, expected);
    }

    // COM1 and COM3 name pseudo-terminals, COM3 is held open, COM2 is a link to a third one (as
    // /dev/serial/by-id/... links are), COM5 names no device.
    void listsThePortsThatOpen() {
        TPty one;
        TPty two;
        TPty three;
        const QString link = FolderFile(QStringLiteral("usb-cable-if00-port0"));
        QVERIFY(QFile::link(two.Slave, link));
        WriteFile(FolderFile(QStringLiteral("SysInfo.Ini")),
                  QStringLiteral("[Ports]\nCOM1=%1\nCOM2=%2\nCOM3=%3\nCOM5=/dev/ttyNoSuchPort5\n")
                      .arg(one.Slave, link, three.Slave)
                      .toUtf8());
        TSerialPort holder;
        QVERIFY(holder.Open(Line(three.Slave), nullptr));
        QStringList ports{QStringLiteral("kept")};
        ListComPorts(All, ports);
        QCOMPARE(ports.first(), QStringLiteral("kept"));
        QVERIFY(ports.contains(QStringLiteral("COM1")));
        QVERIFY(ports.contains(QStringLiteral("COM2")));
        QVERIFY(!ports.contains(QStringLiteral("COM3")));
        QVERIFY(!ports.contains(QStringLiteral("COM5")));
        QCOMPARE(ports.count(QStringLiteral("COM1")), 1);

        // The devices of this machine take the free numbers; the named ones are checked.
        QStringList lines;
        for (const TPortInfo& port : ListPorts(All))
            if (QList<int>{1, 2, 3, 5}.contains(port.Number)) lines << TPortTexts().Line(port);
        QCOMPARE(lines, (QStringList{
                            "COM1 — " + one.Slave,
                            "COM2 — " + link + " → " + two.Slave,
                            "COM3 — " + three.Slave +
                                " — cannot be opened: another program may be using it",
                            "COM5 — /dev/ttyNoSuchPort5 — not present",
                        }));

        QCOMPARE(PortDevice(All, QStringLiteral("COM3")), three.Slave);
        QCOMPARE(PortDescription(All, 2), "COM2 — " + link + " → " + two.Slave);
        All.PortName = QStringLiteral("COM5");
        TLineSettings line;
        QVERIFY(PortLineSettings(All, &line, nullptr));
        QCOMPARE(line.Device, QStringLiteral("/dev/ttyNoSuchPort5"));
        QCOMPARE(line.BaudRate, 4800);
        All.PortName = QStringLiteral("COMx");
        QString error;
        QVERIFY(!PortLineSettings(All, &line, &error));
        QVERIFY2(error.contains(QStringLiteral("COMx")), qPrintable(error));
    }

    // present: "number=device" entries, "!" marking a port that cannot be opened; click: a
    // control, or "row N" of the port list.
    void dialogPorts_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QList<int>>("enabled");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("expected");
        const QStringList oneAndThree{"1=/dev/fake1", "3=/dev/fake3"};
        const QList<int> one3{1, 3};
        QTest::newRow("choose COM3") << oneAndThree << "COM1" << one3 << 1 << "cxPort3"
                                     << "btnOk"
                                     << "COM3";
        QTest::newRow("choose COM3 in the list") << oneAndThree << "COM1" << one3 << 1 << "row 1"
                                                 << "btnOk"
                                                 << "COM3";
        QTest::newRow("a port that does not open is listed, not enabled")
            << QStringList{"1=/dev/fake1", "2=/dev/fake2!", "3=/dev/fake3"} << "COM1" << one3 << 1
            << QString() << "btnOk"
            << "COM1";
        QTest::newRow("absent current port stays selected")
            << oneAndThree << "COM7" << one3 << 7 << QString() << "btnOk"
            << "COM7";
        QTest::newRow("COM21 enables nothing")
            << QStringList{"21=/dev/fake21"} << "COM2" << QList<int>{} << 2 << QString() << "btnOk"
            << "COM2";
        QTest::newRow("no number, no selection")
            << oneAndThree << "COMx" << one3 << 0 << QString() << "btnOk"
            << "COMx";
        QTest::newRow("only the first three digits count")
            << oneAndThree << "COM0012" << one3 << 1 << QString() << "btnOk"
            << "COM1";
        QTest::newRow("cancel keeps the port") << oneAndThree << "COM1" << one3 << 1 << "cxPort3"
                                               << "btnCancel"
                                               << "COM1";
    }
    void dialogPorts() {
        QFETCH(QStringList, present);
        QFETCH(QString, current);
        QFETCH(QList<int>, enabled);
        QFETCH(int, selected);
        QFETCH(QString, click);
        QFETCH(QString, close);
        QFETCH(QString, expected);
        All.PortName = current;
        TfSetPort dialog(All, Language);
        dialog.SetPortSource(ChangingSource({present}));
        dialog.show();
        QCOMPARE(Rows(dialog), Lines(present));
        QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("cxCom"))->count(),
                 int(present.filter(QRegularExpression("/dev/fake\\d+$")).size()));
        for (int number = 1; number <= 20; ++number) {
            QRadioButton* button = Radio(dialog, number);
            const QString name = QStringLiteral("%1=/dev/fake%1").arg(number);
            const bool listed = present.contains(name) || present.contains(name + '!');
            QCOMPARE(button->isEnabled(), enabled.contains(number));
            QCOMPARE(button->isChecked(), number == selected);
            QCOMPARE(button->toolTip(),
                     listed ? QStringLiteral("COM%1 — /dev/fake%1").arg(number) : QString());
        }
        if (click.startsWith(QLatin1String("row "))) {
            auto* list = dialog.findChild<QListWidget*>(QStringLiteral("cxDevices"));
            const QRect row = list->visualItemRect(list->item(click.mid(4).toInt()));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        } else if (!click.isEmpty()) {
            Click(dialog, click);
        }
        Click(dialog, close);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(All.PortName, expected);
    }

    // What keeps the cable from working shows below the list, and nothing when all is well.
    void dialogProblems() {
        TfSetPort dialog(All, Language);
        QList<QStringList> lists{{"1=/dev/ttyS0", "2=/dev/ttyUSB0"}};
        dialog.SetPortSource(ChangingSource(lists, {{0x1a86, 0x7523, "QinHeng CH340"}}));
        dialog.show();
        auto* problems = dialog.findChild<QLabel*>(QStringLiteral("lbProblems"));
        QVERIFY(problems->isVisible());
        QVERIFY2(problems->text().contains("QinHeng CH340 (1a86:7523)") &&
                     problems->text().contains("sudo apt remove brltty"),
                 qPrintable(problems->text()));

        TfSetPort fine(All, Language);
        fine.SetPortSource(ChangingSource(lists));
        fine.show();
        QVERIFY(!fine.findChild<QLabel*>(QStringLiteral("lbProblems"))->isVisible());
    }

    // "Find my cable": the list with the cable unplugged against the list with it plugged in.
    // lists: the looks at the ports (showing, unplugged, plugged in, each further try); answers:
    // to the boxes after the two prompts.
    void findMyCable_data() {
        QTest::addColumn<QList<QStringList>>("lists");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("expected");
        const QStringList plugged{"1=/dev/ttyUSB0", "2=/dev/ttyS0"};
        const QStringList unplugged{"1=/dev/ttyS0"};
        // The serial port moves from COM1 to COM2 when the adapter comes back as COM1: only the
        // device tells which port is new.
        QTest::newRow("plugged in")
            << QList<QStringList>{plugged, unplugged, plugged} << QList<int>{} << 1 << "COM1";
        QTest::newRow("found at the second look")
            << QList<QStringList>{plugged, unplugged, unplugged, plugged}
            << QList<int>{MessageResult::Retry} << 1 << "COM1";
        QTest::newRow("nothing appeared")
            << QList<QStringList>{plugged, unplugged, unplugged}
            << QList<int>{MessageResult::Retry, MessageResult::Cancel} << 2 << "COM2";
    }
    void findMyCable() {
        QFETCH(QList<QStringList>, lists);
        QFETCH(QList<int>, answers);
        QFETCH(int, selected);
        QFETCH(QString, expected);
        All.PortName = QStringLiteral("COM2");
        TfSetPort dialog(All, Language);
        dialog.SetPortSource(ChangingSource(lists));
        dialog.show();
        for (int answer : QList<int>{MessageResult::Ok, MessageResult::Ok} + answers)
            TMessageBoxSeam::QueueAnswer(answer);
        Click(dialog, QStringLiteral("btnFind"));

        QStringList shown;
        for (const TMessageBoxSeam::TShown& box : TMessageBoxSeam::TakeShown()) {
            QCOMPARE(box.Caption, Language.Confirmation);
            shown << box.Text;
        }
        QStringList prompts{"Unplug the programming cable, then press OK.",
                            "Plug the programming cable in, then press OK."};
        for (int i = 0; i < answers.size(); ++i)
            prompts << "No new port appeared. Check that the cable is plugged in, then press "
                       "Retry to look again.";
        QCOMPARE(shown, prompts);
        QVERIFY(!TMessageBoxSeam::Active());
        QCOMPARE(Radio(dialog, selected)->isChecked(), true);
        const auto* list = dialog.findChild<QListWidget*>(QStringLiteral("cxDevices"));
        QCOMPARE(Rows(dialog), Lines(lists.last()));
        if (selected == 1) QCOMPARE(list->currentItem()->text(), "COM1 — /dev/ttyUSB0");
        Click(dialog, QStringLiteral("btnOk"));
        QCOMPARE(All.PortName, expected);
    }

    // The built-in language keeps "COM1".."COM20" even where a language file exists; another
    // language captions the buttons with lbName and the number, and the port list takes its
    // words from the file too. The group box always shows the form's caption.
    void dialogCaptions_data() {
        QTest::addColumn<int>("languageIndex");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("button5");
        QTest::addColumn<QString>("missing");
        QTest::newRow("built-in") << 0 << "Communication Port"
                                  << "COM5"
                                  << "COM2 — /dev/ttyUSB1 — not present";
        QTest::newRow("translated") << 1 << "Schnittstelle"
                                    << "Anschluss5"
                                    << "COM2 — /dev/ttyUSB1 — fehlt";
    }
    void dialogCaptions() {
        QFETCH(int, languageIndex);
        QFETCH(QString, title);
        QFETCH(QString, button5);
        QFETCH(QString, missing);
        WriteFile(FolderFile(QStringLiteral("Deutsch.Ini")),
                  "[fSetPort]\nfSetPort.Caption=Schnittstelle\ncxPort.Caption=Gruppe\n"
                  "lbName.Caption=Anschluss \ncxPort5.Caption=Falsch\nbtnOk.Caption=&Gut\n"
                  "lbMissing.Caption=fehlt\n");
        All.LanguageIndex = languageIndex;
        All.LanguageName = QStringLiteral("Deutsch");
        TfSetPort dialog(All, Language);
        std::vector<TPortInfo> ports = FakePorts({"2=/dev/ttyUSB1"});
        ports[0].State = TPortState::Missing;
        dialog.SetPortSource(
            {[&](const TALL&) { return ports; }, [] { return std::vector<TUsbAdapter>(); }});
        dialog.show();
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("cxPort"))->title(), title);
        QCOMPARE(Radio(dialog, 5)->text(), button5);
        QCOMPARE(Radio(dialog, 20)->text(), QString(button5).replace(QLatin1Char('5'), "20"));
        QCOMPARE(Rows(dialog), QStringList{missing});
    }
};

QTEST_MAIN(TstSerialPort)
#include "tst_serialport.moc"
