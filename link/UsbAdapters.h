#pragma once

#include <QString>
#include <vector>

// A USB serial adapter the kernel sees.
struct TUsbAdapter {
    int VendorId = 0;
    int ProductId = 0;
    QString Name; // the chip, such as "QinHeng CH340"

    // "QinHeng CH340 (1a86:7523)"
    QString Line() const;
};

// The USB serial adapters of the usual programming cables (CH340, CP210x, FTDI, PL2303) that the
// kernel sees but made no serial port of, as when the brltty package has claimed them. Reads
// the USB devices of sysfs under root ("/" on a running system; tests give a folder of their
// own); finds nothing where there is no sysfs.
std::vector<TUsbAdapter> UnboundUsbSerialAdapters(const QString& root = QStringLiteral("/"));
