// What the program's windows keep in the history: each radio they read,
// wrote or restored, as tq305 keeps its own.
#pragma once

#include "image/image_layout.h"
#include "link/safe_write_result.h"
#include "records/history.h"

#include <QString>
#include <optional>
#include <vector>

namespace shell {

// A safe write that reached the radio; the image is what was sent (the
// editors' image has no file of its own: the record holds its SHA-256),
// from `file` when it came from one (a backup written back).
void recordWrite(records::Action action, int port, const QString& device,
                 const image::MemoryImage& sent, const radiolink::SafeWriteResult& result,
                 const QString& backupPath, std::vector<records::VariedValue> values = {},
                 const QString& file = {});

// A read whose image the editors took.
void recordRead(int port, const QString& device, const image::MemoryImage& received,
                std::optional<int> band);

} // namespace shell
