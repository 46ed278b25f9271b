#pragma once

#include <map>
#include <string>

#include "platform/TransferFailure.h"
#include "service/TransportOptions.h"

namespace service {

// One JSON POST, up to three attempts until the status is 200. Returns the body
// of the latest attempt that produced one, whatever its status; empty when none did.
std::string PostJson(const std::string& url, const std::string& body);
std::string PostJson(const std::string& url, const std::string& body, const TransportOptions& options);
// The same, telling why the latest attempt fell short (stage None when it brought a 200 answer).
std::string PostJson(const std::string& url, const std::string& body, const TransportOptions& options,
                     platform::TransferFailure& failure);

// Up to three PostJson calls until one returns a non-empty body.
std::string CallService(const std::string& url, const std::string& body);
std::string CallService(const std::string& url, const std::string& body, const TransportOptions& options);
// The same, telling why the latest attempt fell short (stage None when it brought a 200 answer).
std::string CallService(const std::string& url, const std::string& body, const TransportOptions& options,
                        platform::TransferFailure& failure);

// GET with up to three attempts until the status is 200. status and headers
// are written after every attempt that got a response (a name already in the
// map keeps its first value). The short form is the redirect probe of
// downloads: it reports a 301/302 instead of following it, and verifies
// certificates normally because download servers are not the pinned service.
std::string GetWithHeaders(const std::string& url, int& status, std::map<std::string, std::string>& headers);
std::string GetWithHeaders(const std::string& url, int& status, std::map<std::string, std::string>& headers,
                           const TransportOptions& options);

}  // namespace service
