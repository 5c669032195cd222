#pragma once

#include "words/language_table.h"

namespace shell {

// FrmPorts: its caption, column titles, adapter label and buttons; the
// texts its cells and messages are made of: "BoundCell", "NoAdapter" (the
// adapter list when none can be bound), "SummaryWords" (0 a device that is
// absent, 1 the word before a serial number) and "BindFailure" (indexed by
// radiolink::BindFailure; %1 its subject, %2 the system's words).
extern const ui::LanguageTable PortsWindowTexts;

} // namespace shell
