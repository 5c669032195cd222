#pragma once

#include "shell/app_folders.h"

#include <memory>

namespace shell {

class MainWindow;

// The start-up routine: reads the stored language, loads and shows the main
// window, then captions every window in that language.
std::unique_ptr<MainWindow> startProgram(const AppFolders& folders);

} // namespace shell
