// Times the safe write (backup read, write, verify read) against tq305-radio
// paced as a 9600-baud line: one radio against the wire-time floor of its
// three transfers (2,594 + 2,058 + 2,594 bytes, 7.54 s), and four radios at
// once in one event loop against one.
// Run by hand: build/bin/safe_write_bench [repetitions]
#include "bench_timing.h"
#include "platform/qt_safe_write.h"
#include "platform/serial_port.h"
#include "support/virtual_radio.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <memory>

namespace {

constexpr int SequenceBytes = 2594 + 2058 + 2594;
constexpr double SecondsPerByte = 10.0 / 9600; // 8N1

// A radio of the batch: answers at once, keeps the backup nowhere.
class Radio : public radiolink::SafeWriteView {
  public:
    explicit Radio(const QString& device) { m_port.openDevice(device); }
    bool ready() const { return m_port.isOpen(); }
    void start(const image::MemoryImage& image) {
        m_result.reset();
        m_link.safeWrite().start(
            std::span<const std::uint8_t, image::ImageSize>(image.data(), image::ImageSize), 0, {});
    }
    bool done() const { return m_result.has_value(); }
    bool verified() const {
        return m_result && m_result->outcome == radiolink::SafeWriteOutcome::Verified;
    }
    std::function<void()> onFinished;

  private:
    void progressChanged(const radiolink::SafeWriteProgress&) override {}
    bool keepBackup(const image::MemoryImage&, std::optional<int>) override { return true; }
    void confirmationNeeded(const radiolink::Confirmation&) override {
        m_link.safeWrite().confirm(true);
    }
    bool confirmForcedWrite() override { return false; }
    void finished(const radiolink::SafeWriteResult& result) override {
        m_result = result;
        onFinished();
    }

    radiolink::SerialPort m_port;
    radiolink::QtSafeWrite m_link{m_port, *this};
    std::optional<radiolink::SafeWriteResult> m_result;
};

// Median seconds of `count` paced radios written at once.
double timeBatch(int count, int repetitions, const image::MemoryImage& image, bool& ok) {
    std::vector<std::unique_ptr<VirtualRadio>> virtualRadios;
    std::vector<std::unique_ptr<Radio>> radios;
    for (int n = 0; n < count; ++n) {
        virtualRadios.push_back(
            std::make_unique<VirtualRadio>(QStringList{TQ_TEST_DATA "/full_image_band0.dat"}));
        radios.push_back(std::make_unique<Radio>(virtualRadios.back()->slavePath()));
        ok = ok && radios.back()->ready();
    }
    if (!ok)
        return 0;
    QEventLoop loop;
    for (auto& radio : radios)
        radio->onFinished = [&] {
            if (std::ranges::all_of(radios, [](const auto& r) { return r->done(); }))
                loop.quit();
        };
    const double ns = medianNs(
        0, repetitions, [](int) { QTest::qWait(20); },
        [&](int) {
            for (auto& radio : radios)
                radio->start(image);
            loop.exec();
            ok = ok && std::ranges::all_of(radios, [](const auto& r) { return r->verified(); });
        });
    return ns / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int repetitions = repetitionsFrom(argc, argv, 3);
    image::MemoryImage image{};
    image.fill(0xFF);
    for (std::size_t i = 0; i < 0x520; ++i)
        image[i] = std::uint8_t(i * 7);

    bool ok = true;
    const double one = timeBatch(1, repetitions, image, ok);
    const double four = timeBatch(4, repetitions, image, ok);
    if (!ok) {
        std::fprintf(stderr, "safe_write_bench: a write did not verify\n");
        return 1;
    }
    const double floor = SequenceBytes * SecondsPerByte;
    std::printf("9600 baud, median of %d:\n", repetitions);
    std::printf(
        "  one radio  : %.3f s, wire floor %.3f s (%d bytes), ratio %.3f (target <= 1.05)\n", one,
        floor, SequenceBytes, one / floor);
    std::printf("  four radios: %.3f s, %.3f x one radio (target <= 1.1)\n", four, four / one);
    return 0;
}
