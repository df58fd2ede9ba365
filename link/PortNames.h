#pragma once

#include "link/LinkPort.h"
#include "link/PortInfo.h"

#include <QString>
#include <QStringList>
#include <map>

class TALL;

// Users and the settings file name a serial port "COM" + number; these functions map the number
// to a device of the system. An entry "COMn=device" in section "Ports" of the settings file wins;
// the serial devices present take the numbers left free, from 1 up: USB adapters first (ttyUSB,
// then ttyACM), then the rest, each group in name order.

constexpr int MaxPortNumber = 256;

// The number formed by the characters from the fourth on ("COM12" gives 12); 0 when they are no
// decimal number above 0.
int PortNumber(const QString& portName);
QString PortName(int number);

// The device file a name stands for, with symbolic links (/dev/serial/by-id/...) resolved, so one
// device has one name; a name that leads nowhere stays as it is.
QString DevicePath(const QString& device);

// The serial devices the system reports, plus every /dev/ttyUSB* and /dev/ttyACM*, in port order.
QStringList PresentSerialDevices();
// Puts device paths in port order: ttyUSB, then ttyACM, then the rest, each group in name order
// (ttyUSB2 before ttyUSB10).
QStringList OrderSerialDevices(QStringList devices);

// Port number -> device path, for the given present devices. A device named by an entry of
// section "Ports" gets no second number.
std::map<int, QString> PortMap(const TALL& all, const QStringList& presentDevices);
std::map<int, QString> PortMap(const TALL& all);

// The device behind a port name; empty when none.
QString PortDevice(const TALL& all, const QString& portName);
// The line of the current port (PortName at BaudRate); false with a reason when no device
// stands behind the name.
bool PortLineSettings(const TALL& all, TLineSettings* settings, QString* error);

// Every port of the port map with its device details, each tried by opening and closing it.
std::vector<TPortInfo> ListPorts(const TALL& all);

// Appends "COMn" for every port that can be opened right now, in number order; a port held by
// another program is left out. The list is not cleared first.
void ListComPorts(const TALL& all, QStringList& ports);

// A line for a tool tip, such as "COM3 — /dev/ttyUSB0 — FTDI FT232R USB UART (0403:6001)";
// empty when no device stands behind the number.
QString PortDescription(const TALL& all, int number);
