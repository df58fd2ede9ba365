#pragma once

#include <QString>
#include <vector>

// Whether a port can be opened now, and if not, why.
enum class TPortState { Free, Busy, Denied, Missing };

// One port as the port dialog and `zp407ne-cli ports` show it: its number, the device behind it
// and, for a USB adapter, maker, product and USB ids.
struct TPortInfo {
    int Number = 0;
    QString Device;   // as the settings or the system name it, perhaps a /dev/serial/by-id link
    QString Location; // the device file behind it, links resolved
    QString Maker;
    QString Product;
    int VendorId = -1; // USB ids; -1 when the device is no USB adapter
    int ProductId = -1;
    TPortState State = TPortState::Free;

    // "COM1 — /dev/ttyUSB0 — QinHeng CH340 (1a86:7523)"; a link shows where it leads
    // ("/dev/serial/by-id/usb-… → /dev/ttyUSB0"). The state is not part of it.
    QString Line() const;
};

// "1a86:7523": the USB ids as lsusb shows them.
QString UsbIds(int vendorId, int productId);

// The port of `after` whose device was not present in `before` (the first in number order when
// several appeared); 0 when none. Devices count by their resolved location, so a port that only
// changed its number, or a by-id link that now leads somewhere, is judged by the device itself.
int AppearedPort(const std::vector<TPortInfo>& before, const std::vector<TPortInfo>& after);
