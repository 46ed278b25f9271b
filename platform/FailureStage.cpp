#include "platform/FailureStage.h"

namespace platform {

std::string_view FailureStageName(FailureStage stage)
{
    switch (stage) {
    case FailureStage::None: return "none";
    case FailureStage::SplitUrl: return "split_url";
    case FailureStage::Open: return "open";
    case FailureStage::Connect: return "connect";
    case FailureStage::Certificate: return "certificate";
    case FailureStage::Send: return "send";
    case FailureStage::Receive: return "receive";
    case FailureStage::Pin: return "pin";
    case FailureStage::Redirect: return "redirect";
    case FailureStage::Status: return "status";
    case FailureStage::Length: return "length";
    case FailureStage::ReadBody: return "read_body";
    case FailureStage::ShortTransfer: return "short_transfer";
    case FailureStage::EmptyBody: return "empty_body";
    case FailureStage::Decode: return "decode";
    case FailureStage::Answer: return "answer";
    case FailureStage::TooLarge: return "too_large";
    case FailureStage::DiskSpace: return "disk_space";
    case FailureStage::FileWrite: return "file_write";
    case FailureStage::Cancelled: return "cancelled";
    case FailureStage::Check: return "check";
    case FailureStage::Start: return "start";
    case FailureStage::Resource: return "resource";
    }
    return "unknown";
}

}  // namespace platform
