// What each port number reaches, told apart the way a dealer can: the
// device, and for a USB serial adapter its maker, product and serial
// number. A port bound to an adapter reaches that adapter whichever USB
// socket it is plugged into: the binding is the port's link (comN, as
// port_names.h follows it) to the adapter's name in /dev/serial/by-id,
// which carries its serial number, so an adapter unplugged leaves the port
// absent rather than reaching another cable.
#pragma once

#include "platform/port_names.h"

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

// The words of a summary, in the language it is shown in.
struct SummaryWords {
    QString absent = "(absent)";
    QString serial = "serial";
};

// "/dev/ttyUSB2 - FTDI FT232R USB UART, serial A10K3Z" or "/dev/ttyUSB5 (absent)".
QString portSummary(const PortDescription& port, const SummaryWords& words = {});
// "FTDI FT232R USB UART, serial A10K3Z": the adapter without its device.
QString adapterSummary(const SerialAdapter& adapter, const SummaryWords& words = {});

// Why a binding was not made or removed; the port's link is then as it was.
enum class BindFailure {
    None,
    NoSuchAdapter, // `subject`: the serial number no adapter plugged in has
    NoStableName,  // `subject`: the adapter's device, which has no /dev/serial/by-id name
    LinksFolder,   // `subject`: the links folder, which cannot be made
    LinkNotMade,   // `subject`: the port's link
    LinkNotRemoved,
};

struct BindResult {
    BindFailure failure = BindFailure::None;
    QString subject;
    int systemError = 0; // errno, where the system said why
    bool ok() const { return failure == BindFailure::None; }
};

// The folder that holds the adapters' stable names.
inline constexpr const char* StableNameFolder = "/dev/serial/by-id";

// Binds port `number` to the adapter with `serialNumber`: its link then
// leads to the adapter's stable name. A link it had is replaced only once
// the new one is made.
BindResult bindPort(int number, const QString& serialNumber, const PortPlaces& places,
                    const AdapterList& adapters);
// Removes the port's link, so it leads where the number leads by itself.
BindResult unbindPort(int number, const PortPlaces& places);

} // namespace radiolink
