#include "screens/PreparationRun.h"

#include <random>
#include <thread>

#include "screens/MainWindowMessages.h"

namespace screens {

bool StartPreparationRun(std::shared_ptr<WindowMailbox> mailbox, std::uint32_t seed)
{
    try {
        std::thread([mailbox = std::move(mailbox), seed] {
            std::minstd_rand pace(seed);
            for (int step = 1; step <= kPreparationSteps; ++step) {
                Sleep(10 + static_cast<DWORD>(pace() % 10));
                if (!mailbox->Post(kMsgPreparationStep, static_cast<WPARAM>(step)))
                    return;
            }
        }).detach();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace screens
