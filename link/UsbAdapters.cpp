#include "link/UsbAdapters.h"

#include "link/PortInfo.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

struct TChip {
    int VendorId;
    int ProductId;
    const char* Name;
};

const TChip Chips[] = {
    {0x1a86, 0x7523, "QinHeng CH340"},       {0x1a86, 0x5523, "QinHeng CH341"},
    {0x10c4, 0xea60, "Silicon Labs CP210x"}, {0x0403, 0x6001, "FTDI FT232R"},
    {0x0403, 0x6015, "FTDI FT230X"},         {0x067b, 0x2303, "Prolific PL2303"},
};

int HexFile(const QDir& device, const QString& name) {
    QFile file(device.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    bool ok = false;
    const int value = file.read(16).trimmed().toInt(&ok, 16);
    return ok ? value : -1;
}

// A serial port made of the device shows below it as a folder ttyUSBn (USB serial drivers) or
// tty/ttyACMn (modems). Links (driver, subsystem, ...) are not followed.
bool HasTty(const QDir& device) {
    QDirIterator folders(device.path(), {QStringLiteral("tty*")}, QDir::Dirs | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    return folders.hasNext();
}

} // namespace

QString TUsbAdapter::Line() const {
    return Name + QStringLiteral(" (") + UsbIds(VendorId, ProductId) + QLatin1Char(')');
}

std::vector<TUsbAdapter> UnboundUsbSerialAdapters(const QString& root) {
    std::vector<TUsbAdapter> adapters;
    const QDir devices(QDir(root).filePath(QStringLiteral("sys/bus/usb/devices")));
    for (const QString& name : devices.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QDir device(devices.filePath(name));
        const int vendor = HexFile(device, QStringLiteral("idVendor"));
        const int product = HexFile(device, QStringLiteral("idProduct"));
        for (const TChip& chip : Chips)
            if (chip.VendorId == vendor && chip.ProductId == product && !HasTty(device))
                adapters.push_back({vendor, product, QString::fromLatin1(chip.Name)});
    }
    return adapters;
}
