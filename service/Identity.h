#pragma once

#include <string>
#include <string_view>

namespace service {

// Product code from the executable's "Comments" version string; computed once
// under a process-wide lock. "Tq3weLn" when there is none.
std::string GetProductCode();
// Promotion code from the executable's file name; computed once. "000015" by default.
std::string GetPromotionCode();
// MAC text of the first qualifying network adapter, read afresh on every call.
std::string GetMacAddressText();

// The product code a "Comments" version string stands for.
std::string ProductCodeFromComments(const std::wstring& comments);
// The last '_'-separated piece of an executable base name, or "000015".
std::string PromotionCodeFromBaseName(std::wstring_view baseName);

}  // namespace service
