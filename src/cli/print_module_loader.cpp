#include "cli/exit_codes.h"
#include "cli/print_module.h"

#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <string>

namespace cli {

namespace {

int cannotLoad(const std::string& why) {
    std::fprintf(stderr, "tq305: print needs %s\n", why.c_str());
    return ExitCannotOpen;
}

} // namespace

int runPrintModule(int& argc, char** argv, const QStringList& arguments) {
    namespace fs = std::filesystem;
    std::error_code error;
    // This program's own file, whatever link or path it was called through.
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return cannotLoad(std::string(TQ_PRINT_MODULE) +
                          ", which cannot be found without /proc/self/exe: " + error.message());
    const fs::path beside = self.parent_path();
    const fs::path installed = (beside / TQ_PRINT_MODULE_FOLDER).lexically_normal();
    for (const fs::path& folder : {beside, installed}) {
        const fs::path module = folder / TQ_PRINT_MODULE;
        if (!fs::is_regular_file(module, error))
            continue;
        // Never closed: Qt keeps parts of what the module started (its
        // platform plugin, exit handlers) until the process ends.
        void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return cannotLoad(module.string() + ", which could not be loaded: " + ::dlerror());
        const auto entry =
            reinterpret_cast<PrintModuleEntry>(::dlsym(handle, PrintModuleEntryName));
        if (!entry)
            return cannotLoad(module.string() + ", which lacks its entry " + PrintModuleEntryName);
        return entry(argc, argv, arguments);
    }
    return cannotLoad(std::string(TQ_PRINT_MODULE) + ", which is neither in " + beside.string() +
                      " nor in " + installed.string());
}

} // namespace cli
