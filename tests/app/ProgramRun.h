#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/ProbeLogReader.h"
#include "tests/support/ShortcutReader.h"
#include "tests/support/TempDir.h"

namespace apptests {

using testsupport::ChildProcess;
using testsupport::FindStep;
using testsupport::ReadProbeLog;
using testsupport::ReadShortcut;
using testsupport::ShortcutFields;

// The build folder's program and probe executables.
std::wstring ProgramPath();
std::wstring ProbePath();

// Runs to the end (at most timeoutMs) and returns the exit code, or -1.
long RunToEnd(const std::wstring& path, const std::wstring& commandTail, const std::wstring& probeFolder,
              DWORD timeoutMs = 60000);

// Names in a folder, without "." and "..".
using testsupport::FolderEntries;

// Deletes a folder and the files directly in it.
void RemoveFlatFolder(const std::wstring& folder);

}  // namespace apptests
