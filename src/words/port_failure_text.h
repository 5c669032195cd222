#pragma once

#include "link/port_failure.h"

#include <QString>

namespace ui {

// The line PortError shows under its fixed sentence, in the language in
// force: the device tried and why it did not open (on Linux: a missing
// device, or the permission that membership of the dialout group gives).
QString portFailureText(radiolink::PortFailure failure, const QString& device,
                        const QString& systemText);

} // namespace ui
