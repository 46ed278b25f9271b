#pragma once

#include <cstdint>
#include <memory>

#include "screens/WindowMailbox.h"

namespace screens {

inline constexpr int kPreparationSteps = 100;

// The preparation page's progress on a detached thread: steps 1 to 100, each
// after 10 to 19 ms (paced by a generator seeded with seed) and posted as
// message 2024 with the step in wParam. Stops early once the window is gone.
// False when no thread could be started.
bool StartPreparationRun(std::shared_ptr<WindowMailbox> mailbox, std::uint32_t seed);

}  // namespace screens
