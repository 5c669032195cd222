// Times a whole read and a whole write of the radio through the command
// line's transfer (the link engine on a serial port, real 500 ms timers)
// against tq305-radio on its pseudo-terminal:
// - paced as a 9600-baud line, each time over the wire-time floor, the time
//   the bytes of the transfer take on the line alone (10 bits a byte);
// - unpaced (--fast), the time per block, which is what our side adds.
// Run by hand: build/bin/link_bench [repetitions]
#include "bench_timing.h"
#include "cli/link_session.h"
#include "link/protocol.h"
#include "platform/serial_port.h"
#include "support/virtual_radio.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

namespace protocol = radiolink::protocol;

// Bytes both ways before the first block: "PROGRAM", its acknowledge, the
// ident request, the ident, our acknowledge and the radio's.
constexpr int OpeningBytes =
    int(protocol::Handshake.size()) + 1 + 1 + int(protocol::IdentSize) + 1 + 1;
// A read block: request, block, our acknowledge, the radio's; then "E".
constexpr int ReadBlockBytes = 4 + int(protocol::BlockFrameSize) + 1 + 1;
constexpr int ReadBytes =
    OpeningBytes + protocol::blockCount(protocol::ReadBlocks) * ReadBlockBytes + 1;
// A write block and the radio's acknowledge; then "E" and its acknowledge.
constexpr int WriteBlockBytes = int(protocol::BlockFrameSize) + 1;
constexpr int WriteBytes =
    OpeningBytes + protocol::blockCount(protocol::WriteBlocks) * WriteBlockBytes + 2;
static_assert(ReadBytes == 2594 && WriteBytes == 2058);

constexpr double BitsPerByte = 10; // 8N1
constexpr double Baud = 9600;

double wireSeconds(int bytes) {
    return bytes * BitsPerByte / Baud;
}

struct Timings {
    double readNs;
    double writeNs;
};

// Median times of whole transfers against a radio started with `radioArguments`.
bool timeTransfers(const QStringList& radioArguments, int repetitions, Timings& timings) {
    VirtualRadio radio(radioArguments);
    radiolink::SerialPort port;
    if (radio.slavePath().isEmpty() || !port.openDevice(radio.slavePath())) {
        std::fprintf(stderr, "link_bench: the virtual radio did not start\n");
        return false;
    }
    cli::LinkSession session(port, nullptr);
    // The radio answers the "E" that ends a read after the read is over: the
    // next transfer starts once that answer is in, as it would for a user.
    const auto settle = [](int) { QTest::qWait(20); };
    bool ok = true;
    timings.readNs = medianNs(1, repetitions, settle, [&](int) {
        const cli::SessionEnd end = session.read();
        ok = ok && end == cli::SessionEnd::Done;
    });
    std::array<std::uint8_t, image::ImageSize> image{};
    std::copy_n(session.ReceiveImage.begin(), image.size(), image.begin());
    const std::optional<int> band = session.radioBand();
    timings.writeNs = medianNs(1, repetitions, settle, [&](int) {
        const cli::SessionEnd end = session.write(image, band, {});
        ok = ok && end == cli::SessionEnd::Done;
    });
    if (!ok)
        std::fprintf(stderr, "link_bench: a transfer failed\n");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int repetitions = repetitionsFrom(argc, argv, 5);
    const QStringList radio{TQ_TEST_DATA "/full_image_band0.dat"};

    Timings paced{};
    if (!timeTransfers(radio, repetitions, paced))
        return 1;
    const double readFloor = wireSeconds(ReadBytes), writeFloor = wireSeconds(WriteBytes);
    std::printf("9600 baud, median of %d:\n", repetitions);
    std::printf("  read : %.3f s, wire floor %.3f s (%d bytes), ratio %.3f (target <= 1.05)\n",
                paced.readNs / 1e9, readFloor, ReadBytes, paced.readNs / 1e9 / readFloor);
    std::printf("  write: %.3f s, wire floor %.3f s (%d bytes), ratio %.3f (target <= 1.05)\n",
                paced.writeNs / 1e9, writeFloor, WriteBytes, paced.writeNs / 1e9 / writeFloor);

    const int fastRepetitions = repetitions * 10;
    Timings fast{};
    if (!timeTransfers(radio + QStringList{"--fast"}, fastRepetitions, fast))
        return 1;
    // A read block is two round trips (request and block, acknowledge and
    // acknowledge), a write block one (block and acknowledge).
    const int readBlocks = protocol::blockCount(protocol::ReadBlocks);
    const int writeBlocks = protocol::blockCount(protocol::WriteBlocks);
    std::printf("unpaced (--fast), median of %d:\n", fastRepetitions);
    std::printf("  read : %.2f ms, %.3f ms per block, %.3f ms per round trip (target < 1 ms)\n",
                fast.readNs / 1e6, fast.readNs / 1e6 / readBlocks,
                fast.readNs / 1e6 / (2 * readBlocks));
    std::printf("  write: %.2f ms, %.3f ms per block, %.3f ms per round trip (target < 1 ms)\n",
                fast.writeNs / 1e6, fast.writeNs / 1e6 / writeBlocks,
                fast.writeNs / 1e6 / writeBlocks);
    return 0;
}
