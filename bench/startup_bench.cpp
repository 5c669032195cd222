// Start-up time (process start to main window shown) and peak memory of the
// program against a bare Qt multiple-document window, in one run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
    double ms;
    long peakKb;
};

Sample runOnce(const std::string& program) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", program.c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

Sample median(const std::string& program, int runs) {
    std::vector<double> times;
    std::vector<long> peaks;
    runOnce(program); // warm the file cache
    for (int i = 0; i < runs; ++i) {
        const Sample s = runOnce(program);
        times.push_back(s.ms);
        peaks.push_back(s.peakKb);
    }
    std::sort(times.begin(), times.end());
    std::sort(peaks.begin(), peaks.end());
    return {times[times.size() / 2], peaks[peaks.size() / 2]};
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string dir = std::string(argv[0]).substr(0, std::string(argv[0]).rfind('/') + 1);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    setenv("QT_QPA_PLATFORM", getenv("QT_QPA_PLATFORM") ? getenv("QT_QPA_PLATFORM") : "offscreen",
           1);

    const Sample program = median(dir + "bench_startup_app", runs);
    const Sample bare = median(dir + "bench_bare_mdi_app", runs);
    std::printf("start-up  program %.1f ms   bare %.1f ms   ratio %.2f (target <= 1.3)\n",
                program.ms, bare.ms, program.ms / bare.ms);
    std::printf("peak mem  program %ld KiB   bare %ld KiB   ratio %.2f (target <= 1.3)\n",
                program.peakKb, bare.peakKb, double(program.peakKb) / double(bare.peakKb));
    return 0;
}
