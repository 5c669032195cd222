// What each port number reaches, told apart the way a dealer can: the
// device, and for a USB serial adapter its maker, product and serial
// number. A port bound to an adapter reaches that adapter whichever USB
// socket it is plugged into: the binding is the port's link (comN, as
// port_names.h follows it) to the adapter's name in /dev/serial/by-id,
// which carries its serial number, so an adapter unplugged leaves the port
// absent rather than reaching another cable.
#pragma once

#include "link/qt/port_names.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace radiolink {

struct SerialAdapter {
    QString device; // "/dev/ttyUSB2"
    QString maker;
    QString product;
    QString serialNumber;
    QString stableName; // its /dev/serial/by-id path; empty when it has none
};

// The adapters plugged in now; tests give a list of their own.
using AdapterList = std::function<std::vector<SerialAdapter>()>;
// Qt's serial port information, with the /dev/serial/by-id name of each.
std::vector<SerialAdapter> systemAdapters();

struct PortDescription {
    int number = 0;
    QString device; // where the number leads (the link followed)
    bool present = false;
    std::optional<SerialAdapter> adapter; // when the device is one
    bool bound = false;                   // its link leads to an adapter's stable name
};

// Ports 1..PortCount, absent ones included.
std::vector<PortDescription> describePorts(const PortPlaces& places, const AdapterList& adapters);

// "/dev/ttyUSB2 - FTDI FT232R USB UART, serial A10K3Z" or "/dev/ttyUSB5 (absent)".
QString portSummary(const PortDescription& port);

// Binds port `number` to the adapter with `serialNumber`: its link then
// leads to the adapter's stable name. False (with `error`) when no adapter
// plugged in has that serial number or the link cannot be made.
bool bindPort(int number, const QString& serialNumber, const PortPlaces& places,
              const AdapterList& adapters, QString& error);
// Removes the port's link, so it leads where the number leads by itself.
bool unbindPort(int number, const PortPlaces& places);

} // namespace radiolink
