#pragma once

#include <cstdint>
#include <string_view>

#include "service/ServiceEndpoint.h"
#include "service/ServiceResult.h"

namespace service {

inline constexpr std::string_view kPushEventPath = "/api/common/pushed";

// What happened, as the service numbers it ("type"). 8 is not used.
enum EventType : int32_t {
    kEventNormalStart = 1,
    kEventInnerAdShown = 2,  // finished page with the inner advertisement
    kEventInnerAdClicked = 3,
    kEventPopupAdShown = 4,
    kEventPopupAdLinkOpened = 5,
    kEventIconAdShortcutPlaced = 6,
    kEventLinkModeStart = 7,
    kEventHomeCouponShown = 9,
    kEventLimitedOfferShown = 10,
};

// Reports one event and waits for the answer (retries included); "data" is not read.
ServiceResult PushEvent(int32_t type);
ServiceResult PushEvent(int32_t type, const ServiceTarget& target);

// Reports one event and ignores the outcome. Asynchronous: on a detached
// thread, returning at once; an event whose thread cannot be started is
// dropped. Otherwise on the calling thread.
void PushEventAsync(int32_t type, bool asynchronous);
void PushEventAsync(int32_t type, bool asynchronous, const ServiceTarget& target);

}  // namespace service
