// Preloaded into tq305: the signal TQ_SIGNAL_IN_FSYNC names arrives while a
// file is synced, as a user's Ctrl+C or a shutdown's TERM may.
#include <csignal>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

extern "C" int fsync(int fd) {
    static const auto real = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
    if (const char* signal = std::getenv("TQ_SIGNAL_IN_FSYNC"))
        ::kill(::getpid(), std::atoi(signal));
    return real(fd);
}
