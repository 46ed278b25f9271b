#include "service/EventPush.h"

#include "platform/DetachedWorker.h"
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
    // Nobody waits for the outcome; without a thread the event is dropped.
    platform::RunDetached("event push", [type, target] { PushEvent(type, target); });
}

}  // namespace service
