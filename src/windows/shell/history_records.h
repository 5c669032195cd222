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

// A write as it starts, before its first block, kept at once: a program
// that ends mid-write leaves it "started, not finished". The image is what
// is sent (the editors' image has no file of its own: the record holds its
// SHA-256), from `file` when it came from one (a backup written back).
// `kept` is false when the record could be kept nowhere.
records::Record recordWriteStarted(records::Action action, int port, const QString& device,
                                   const image::MemoryImage& sent, bool& kept,
                                   std::vector<records::VariedValue> values = {},
                                   const QString& file = {});
// How it ended, in the started record's place; false when the record could
// be kept nowhere.
bool recordWriteEnded(records::Record& record, const radiolink::SafeWriteResult& result,
                      const QString& backupPath);

// A read whose image the editors took; false when its record could be kept
// nowhere.
bool recordRead(int port, const QString& device, const image::MemoryImage& received,
                std::optional<int> band);

// Tells the user that records could be kept neither in the history nor
// beside it, and why.
void tellRecordsNotKept();

} // namespace shell
