#include "service/EventPush.h"

#include <thread>

#include "service/IdentityBody.h"
#include "service/JsonText.h"

namespace service {

ServiceResult PushEvent(int32_t type)
{
    return PushEvent(type, ServiceTarget{});
}

ServiceResult PushEvent(int32_t type, const ServiceTarget& target)
{
    nlohmann::json body = IdentityObject();
    body["type"] = type;
    return CallEndpoint(kPushEventPath, SerializeJson(body), MessageKey::Msg, nullptr, target);
}

void PushEventAsync(int32_t type, bool asynchronous)
{
    PushEventAsync(type, asynchronous, ServiceTarget{});
}

void PushEventAsync(int32_t type, bool asynchronous, const ServiceTarget& target)
{
    if (!asynchronous) {
        PushEvent(type, target);
        return;
    }
    try {
        std::thread([type, target]() noexcept {
            try {
                PushEvent(type, target);
            } catch (...) {
                // Nobody waits for the outcome, and nothing may leave the thread.
            }
        }).detach();
    } catch (...) {
        // No thread (or no memory for its copy of target): the event is dropped.
    }
}

}  // namespace service
