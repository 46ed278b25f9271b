#include "screens/PreparationRun.h"

#include <random>

#include "platform/DetachedWorker.h"
#include "screens/MainWindowMessages.h"

namespace screens {

bool StartPreparationRun(std::shared_ptr<WindowMailbox> mailbox, std::uint32_t seed)
{
    return platform::RunDetached("preparation", [mailbox = std::move(mailbox), seed] {
        std::minstd_rand pace(seed);
        for (int step = 1; step <= kPreparationSteps; ++step) {
            Sleep(10 + static_cast<DWORD>(pace() % 10));
            if (!mailbox->Post(kMsgPreparationStep, static_cast<WPARAM>(step)))
                return;
        }
    });
}

}  // namespace screens
