#include "core/IniFile.h"
#include "link/PortInfo.h"
#include "link/PortTexts.h"
#include "link/UsbAdapters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TPortInfo Port(int number, const QString& location, TPortState state = TPortState::Free) {
    TPortInfo port;
    port.Number = number;
    port.Device = location;
    port.Location = location;
    port.State = state;
    return port;
}

TPortInfo UsbPort(int number, const QString& location, const QString& maker, const QString& product,
                  int vendorId, int productId) {
    TPortInfo port = Port(number, location);
    port.Maker = maker;
    port.Product = product;
    port.VendorId = vendorId;
    port.ProductId = productId;
    return port;
}

} // namespace

Q_DECLARE_METATYPE(TPortInfo)
Q_DECLARE_METATYPE(std::vector<TPortInfo>)

// The port lines that the port dialog and `zp407ne-cli ports` show, the port that appears when
// the cable is plugged in, and what is said when something keeps the cable from working.
class TstPortList : public QObject {
    Q_OBJECT

    static void MakeUsbDevice(const QDir& sys, const QString& name, const QByteArray& vendor,
                              const QByteArray& product, const QString& tty = QString()) {
        const QString device = QStringLiteral("sys/bus/usb/devices/") + name;
        QVERIFY(sys.mkpath(device));
        for (const auto& [file, id] : {std::pair{"idVendor", vendor}, {"idProduct", product}}) {
            QFile out(sys.filePath(device + QLatin1Char('/') + QLatin1String(file)));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(id + '\n');
        }
        if (!tty.isEmpty()) QVERIFY(sys.mkpath(device + QLatin1Char('/') + tty));
    }

private slots:
    void lines_data() {
        QTest::addColumn<TPortInfo>("port");
        QTest::addColumn<QString>("line");
        QTest::newRow("USB adapter")
            << UsbPort(1, "/dev/ttyUSB0", "QinHeng", "CH340", 0x1a86, 0x7523)
            << QStringLiteral("COM1 — /dev/ttyUSB0 — QinHeng CH340 (1a86:7523)");
        QTest::newRow("maker already in the product")
            << UsbPort(2, "/dev/ttyUSB1", "FTDI", "FTDI FT232R USB UART", 0x403, 0x6001)
            << QStringLiteral("COM2 — /dev/ttyUSB1 — FTDI FT232R USB UART (0403:6001)");
        TPortInfo byId = UsbPort(3, "/dev/ttyUSB0", "", "CP2102", 0x10c4, 0xea60);
        byId.Device = "/dev/serial/by-id/usb-Silicon_Labs_CP2102-if00-port0";
        QTest::newRow("by-id link") << byId
                                    << QStringLiteral("COM3 — /dev/serial/by-id/usb-Silicon_Labs_"
                                                      "CP2102-if00-port0 → /dev/ttyUSB0 — CP2102 "
                                                      "(10c4:ea60)");
        QTest::newRow("no details")
            << Port(12, "/dev/ttyS0") << QStringLiteral("COM12 — /dev/ttyS0");
        QTest::newRow("held") << Port(4, "/dev/ttyS1", TPortState::Busy)
                              << QStringLiteral("COM4 — /dev/ttyS1 — cannot be opened: another "
                                                "program may be using it");
        QTest::newRow("denied") << Port(5, "/dev/ttyACM0", TPortState::Denied)
                                << QStringLiteral("COM5 — /dev/ttyACM0 — you may not use it");
        QTest::newRow("missing") << Port(6, "/dev/ttyUSB9", TPortState::Missing)
                                 << QStringLiteral("COM6 — /dev/ttyUSB9 — not present");
    }
    void lines() {
        QFETCH(TPortInfo, port);
        QFETCH(QString, line);
        QCOMPARE(TPortTexts().Line(port), line);
    }

    void appearedPort_data() {
        QTest::addColumn<std::vector<TPortInfo>>("before");
        QTest::addColumn<std::vector<TPortInfo>>("after");
        QTest::addColumn<int>("appeared");
        const TPortInfo s0 = Port(1, "/dev/ttyS0");
        QTest::newRow("a port more")
            << std::vector{s0} << std::vector{Port(1, "/dev/ttyUSB0"), Port(2, "/dev/ttyS0")} << 1;
        // The serial port that moved from COM1 to COM2 is no new device.
        QTest::newRow("numbers move, the device counts")
            << std::vector{s0} << std::vector{Port(1, "/dev/ttyS0"), Port(2, "/dev/ttyUSB0")} << 2;
        QTest::newRow("nothing new") << std::vector{s0} << std::vector{s0} << 0;
        QTest::newRow("only a port gone") << std::vector{s0} << std::vector<TPortInfo>{} << 0;
        // COM1 is a by-id entry of the settings: missing while unplugged, then it leads to the
        // adapter.
        TPortInfo unplugged = Port(1, "/dev/serial/by-id/usb-cable", TPortState::Missing);
        TPortInfo plugged = Port(1, "/dev/ttyUSB0");
        plugged.Device = unplugged.Device;
        QTest::newRow("by-id entry comes alive")
            << std::vector{unplugged, Port(2, "/dev/ttyS0")}
            << std::vector{plugged, Port(2, "/dev/ttyS0")} << 1;
        QTest::newRow("a missing entry is no new port")
            << std::vector{s0} << std::vector{s0, Port(2, "/dev/ttyUSB3", TPortState::Missing)}
            << 0;
        QTest::newRow("a new port the user may not use")
            << std::vector<TPortInfo>{} << std::vector{Port(1, "/dev/ttyUSB0", TPortState::Denied)}
            << 1;
    }
    void appearedPort() {
        QFETCH(std::vector<TPortInfo>, before);
        QFETCH(std::vector<TPortInfo>, after);
        QFETCH(int, appeared);
        QCOMPARE(AppearedPort(before, after), appeared);
    }

    void problems_data() {
        QTest::addColumn<std::vector<TPortInfo>>("ports");
        QTest::addColumn<bool>("unbound");
        QTest::addColumn<QStringList>("expected"); // a part of each line, in order
        const QString denied = QStringLiteral(
            "/dev/ttyUSB0. Add your user to the \"dialout\" group (sudo usermod -a -G dialout "
            "$USER), then log out and log in again.");
        const QString brltty = QStringLiteral(
            "USB serial adapter QinHeng CH340 (1a86:7523) but made no serial port of it. The "
            "brltty package (a driver for Braille displays) usually takes such adapters: remove "
            "it (sudo apt remove brltty)");
        QTest::newRow("all well") << std::vector{Port(1, "/dev/ttyUSB0")} << false << QStringList();
        QTest::newRow("denied") << std::vector{Port(1, "/dev/ttyS0"),
                                               Port(2, "/dev/ttyUSB0", TPortState::Denied)}
                                << false << QStringList{denied};
        QTest::newRow("taken by brltty")
            << std::vector{Port(1, "/dev/ttyS0")} << true << QStringList{brltty};
        QTest::newRow("denied and taken")
            << std::vector{Port(1, "/dev/ttyUSB0", TPortState::Denied)} << true
            << QStringList{denied, brltty};
        QTest::newRow("no port") << std::vector{Port(1, "/dev/ttyUSB0", TPortState::Missing)}
                                 << false << QStringList{"No serial port is present."};
        QTest::newRow("no port, adapter taken")
            << std::vector<TPortInfo>{} << true << QStringList{brltty};
    }
    void problems() {
        QFETCH(std::vector<TPortInfo>, ports);
        QFETCH(bool, unbound);
        QFETCH(QStringList, expected);
        std::vector<TUsbAdapter> adapters;
        if (unbound) adapters.push_back({0x1a86, 0x7523, QStringLiteral("QinHeng CH340")});
        const QStringList lines = TPortTexts().Problems(ports, adapters);
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].contains(expected[i]), qPrintable(lines[i]));
    }

    // A language file replaces the texts; a missing key keeps the built-in one.
    void translated() {
        QTemporaryDir folder;
        const QString name = folder.filePath(QStringLiteral("Deutsch.Ini"));
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[fSetPort]\nlbMissing.Caption=fehlt\n");
        file.close();
        TPortTexts texts;
        texts.Translate(TIniFile(name));
        QCOMPARE(texts.Line(Port(6, "/dev/ttyUSB9", TPortState::Missing)),
                 QStringLiteral("COM6 — /dev/ttyUSB9 — fehlt"));
        QCOMPARE(texts.Text(TPortTexts::NoPort), TPortTexts().Text(TPortTexts::NoPort));
    }

    // A fake sysfs: the adapters of the usual cables without a serial port below them are
    // reported, in name order; one with a port, a hub and other devices are not.
    void unboundAdapters() {
        QTemporaryDir root;
        const QDir sys(root.path());
        MakeUsbDevice(sys, "1-1", "1a86", "7523");
        MakeUsbDevice(sys, "1-2", "10c4", "ea60", "1-2:1.0/ttyUSB0/tty/ttyUSB0");
        MakeUsbDevice(sys, "1-3", "0403", "6001", "1-3:1.0/ttyUSB1");
        MakeUsbDevice(sys, "1-4", "067b", "2303", "1-4:1.0/power");
        MakeUsbDevice(sys, "1-5", "046d", "c52b");
        MakeUsbDevice(sys, "usb1", "1d6b", "0002");
        QVERIFY(sys.mkpath("sys/bus/usb/devices/1-1:1.0"));
        QStringList found;
        for (const TUsbAdapter& adapter : UnboundUsbSerialAdapters(root.path()))
            found << adapter.Line();
        QCOMPARE(found, (QStringList{"QinHeng CH340 (1a86:7523)", "Prolific PL2303 (067b:2303)"}));
        QVERIFY(UnboundUsbSerialAdapters(root.filePath("nothing")).empty());
    }
};

QTEST_GUILESS_MAIN(TstPortList)
#include "tst_portlist.moc"
