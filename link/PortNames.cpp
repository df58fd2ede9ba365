#include "link/PortNames.h"

#include "core/All.h"
#include "core/IniFile.h"
#include "core/SysSettings.h"
#include "link/SerialPort.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSet>
#include <algorithm>
#include <tuple>

namespace {

const QString PortsSection = QStringLiteral("Ports");
const QString PortPrefix = QStringLiteral("COM");
const QStringList UsbPatterns = {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")};

// Decimal digits only: no sign, no blanks, no hexadecimal.
int PositiveNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 9) return 0;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
    return text.toInt();
}

// Port order of a device: its group (ttyUSB, ttyACM, the rest), its name without the trailing
// number, and that number.
std::tuple<int, QString, int, QString> OrderKey(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    int digits = name.size();
    while (digits > 0 && name[digits - 1].isDigit())
        --digits;
    const QString stem = name.left(digits);
    const int group = stem == QLatin1String("ttyUSB") ? 0 : stem == QLatin1String("ttyACM") ? 1 : 2;
    return {group, stem, name.mid(digits).toInt(), path};
}

// The port with what the system tells of its device; its state is left Free.
TPortInfo DescribePort(int number, const QString& device, const QList<QSerialPortInfo>& system) {
    TPortInfo port;
    port.Number = number;
    port.Device = device;
    port.Location = DevicePath(device);
    for (const QSerialPortInfo& info : system) {
        if (info.systemLocation() != port.Location) continue;
        port.Maker = info.manufacturer().trimmed();
        port.Product = info.description().trimmed();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            port.VendorId = info.vendorIdentifier();
            port.ProductId = info.productIdentifier();
        }
    }
    return port;
}

TPortState ProbePort(const TPortInfo& port) {
    TSerialPort probe;
    TLineSettings line;
    line.Device = port.Device;
    if (probe.Open(line, nullptr)) return TPortState::Free;
    if (!QFileInfo::exists(port.Location)) return TPortState::Missing;
    return TSerialPort::AccessDenied(port.Location) ? TPortState::Denied : TPortState::Busy;
}

} // namespace

int PortNumber(const QString& portName) {
    return PositiveNumber(portName.mid(3));
}

QString PortName(int number) {
    return PortPrefix + QString::number(number);
}

QString DevicePath(const QString& device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
}

QStringList PresentSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    const QDir dev(QStringLiteral("/dev"));
    for (const QString& name : dev.entryList(UsbPatterns, QDir::System))
        devices << dev.filePath(name);
    devices.removeDuplicates();
    return OrderSerialDevices(devices);
}

QStringList OrderSerialDevices(QStringList devices) {
    std::sort(devices.begin(), devices.end(),
              [](const QString& a, const QString& b) { return OrderKey(a) < OrderKey(b); });
    return devices;
}

std::map<int, QString> PortMap(const TALL& all, const QStringList& presentDevices) {
    std::map<int, QString> ports;
    QSet<QString> named;
    const TIniFile ini(SettingsFileName(all));
    for (int number = 1; number <= MaxPortNumber; ++number) {
        const QString device = ini.ReadString(PortsSection, PortName(number), QString());
        if (device.isEmpty()) continue;
        ports[number] = device;
        named.insert(DevicePath(device));
    }
    int number = 1;
    for (const QString& device : OrderSerialDevices(presentDevices)) {
        if (named.contains(DevicePath(device))) continue;
        while (ports.count(number))
            ++number;
        ports[number] = device;
    }
    return ports;
}

std::map<int, QString> PortMap(const TALL& all) {
    return PortMap(all, PresentSerialDevices());
}

QString PortDevice(const TALL& all, const QString& portName) {
    const std::map<int, QString> ports = PortMap(all);
    const auto port = ports.find(PortNumber(portName));
    return port == ports.end() ? QString() : port->second;
}

bool PortLineSettings(const TALL& all, TLineSettings* settings, QString* error) {
    settings->Device = PortDevice(all, all.PortName);
    settings->BaudRate = all.BaudRate;
    if (!settings->Device.isEmpty()) return true;
    if (error)
        *error = QStringLiteral("No serial device stands behind %1. Plug in the programming cable, "
                                "or name the device in section [Ports] of SysInfo.Ini "
                                "(for example COM1=/dev/ttyUSB0).")
                     .arg(all.PortName);
    return false;
}

std::vector<TPortInfo> ListPorts(const TALL& all) {
    const QList<QSerialPortInfo> system = QSerialPortInfo::availablePorts();
    std::vector<TPortInfo> ports;
    for (const auto& [number, device] : PortMap(all)) {
        ports.push_back(DescribePort(number, device, system));
        ports.back().State = ProbePort(ports.back());
    }
    return ports;
}

void ListComPorts(const TALL& all, QStringList& ports) {
    for (const TPortInfo& port : ListPorts(all))
        if (port.State == TPortState::Free) ports << PortName(port.Number);
}

QString PortDescription(const TALL& all, int number) {
    const std::map<int, QString> ports = PortMap(all);
    const auto port = ports.find(number);
    if (port == ports.end()) return QString();
    return DescribePort(number, port->second, QSerialPortInfo::availablePorts()).Line();
}
