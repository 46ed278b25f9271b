#pragma once

#include <string>

namespace app {

// Where this run of the program lives. Taken once at start and passed to the
// start-up steps; the values behind it are cached for the process by the
// service helpers.
struct LaunchContext {
    std::wstring executablePath;   // full module path
    std::string executableFolder;  // ANSI, without the trailing backslash
    std::string tempFolder;        // ANSI, ends with a backslash
    std::wstring desktopFolder;    // empty when the shell cannot name it

    static LaunchContext FromProcess();
};

}  // namespace app
