// The steps of `tq305 write` for one radio, taken by a write of the radios
// given and by --auto, which writes each radio as it is put on the cable.
#pragma once

#include "cli/link_options.h"
#include "cli/radio_write.h"
#include "cli/write_verdict.h"
#include "records/history.h"
#include "settings/value_pattern.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// The values of the `index`-th radio (from 0) on `where`, each through the
// gate for the file's `band`; none when one of them is refused, `refusal`
// then naming the radio.
std::optional<std::vector<settings::AssignedValue>>
radioValues(const LinkOptions& options, std::optional<int> band, std::uint64_t index,
            const RadioPort& where, std::string& refusal);
// The first of those counted values that the history says another radio
// got already, named with that radio and when; empty when none was. In a
// job, asked of the history that hands out its values, the job's own
// radios are left out: the job knows which of its values are free again.
std::string givenBefore(const RadioPort& where, const std::vector<settings::AssignedValue>& values,
                        const records::History* history = nullptr, const std::string& job = {});
// The values of the settings `keys` as the radio on `where` holds them in
// `backup` (its band `band`), through the same checks as any value given;
// none when one of them could not be written back, `refusal` saying why.
std::optional<std::vector<settings::AssignedValue>>
keptValues(const std::vector<std::string>& keys, const image::MemoryImage& backup,
           std::optional<int> band, const RadioPort& where, std::string& refusal);
// The radio is written the job's image with those values in it.
void giveValues(RadioWrite& radio, const WriteJob& job,
                const std::vector<settings::AssignedValue>& values);

struct Ended {
    WriteVerdict verdict;
    std::optional<int> radioBand;
};

// What is said of a radio whose write has ended, and its band.
Ended verdictOf(const RadioWrite& radio, const LinkOptions& options, std::optional<int> fileBand);

// A radio whose port opened is kept in the history as its write starts,
// before its first block (a program killed mid-write leaves it "started"),
// and again as it ends; one whose port did not open never was reached.
class RadioHistory {
  public:
    void started(const RadioWrite& radio, const LinkOptions& options);
    void ended(const RadioWrite& radio, const Ended& ended);
    // A job's radio whose port did not open gives its place back.
    void notOpened(const RadioWrite& radio);
    // The exit of a radio whose record was kept nowhere.
    int exitCode(int radioExit) const;

  private:
    records::Record m_record;
    bool m_lost = false;
};

// Several radios: the worst exit code that one of them ended with.
int worstExit(const std::vector<int>& codes);

} // namespace cli
