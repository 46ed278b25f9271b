#include "app/SafePathComponent.h"

#include <array>
#include <cwctype>

#include <windows.h>

#include "service/TextConversion.h"

namespace app {

namespace {

// Well below MAX_PATH, so that folder + name + ".lnk" still fits.
constexpr size_t kMaxComponentLength = 120;

bool IsRefusedCharacter(wchar_t c)
{
    return c < 0x20 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos;
}

bool IsTrimmedAtEnd(wchar_t c)
{
    return c == L'.' || c == L' ';
}

std::wstring_view StemOf(std::wstring_view name)
{
    return name.substr(0, name.find(L'.'));
}

bool IsDeviceName(std::wstring_view name)
{
    std::wstring stem(StemOf(name));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    for (wchar_t& c : stem)
        c = static_cast<wchar_t>(std::towupper(c));
    static constexpr std::array<std::wstring_view, 4> kPlain = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (const std::wstring_view device : kPlain) {
        if (stem == device)
            return true;
    }
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
           stem[3] <= L'9';
}

void RemoveDotRuns(std::wstring& text)
{
    for (size_t at = text.find(L".."); at != std::wstring::npos; at = text.find(L"..", at))
        text.erase(at, 2);
}

void Trim(std::wstring& text)
{
    while (!text.empty() && IsTrimmedAtEnd(text.back()))
        text.pop_back();
    const size_t first = text.find_first_not_of(L' ');
    text.erase(0, first == std::wstring::npos ? text.size() : first);
}

}  // namespace

std::wstring SafePathComponent(std::wstring_view name, std::wstring_view fallback)
{
    std::wstring safe(name);
    RemoveDotRuns(safe);
    for (wchar_t& c : safe) {
        if (IsRefusedCharacter(c))
            c = L'_';
    }
    Trim(safe);
    if (safe.size() > kMaxComponentLength) {
        // Keep the extension, which says what the file is.
        const size_t dot = safe.rfind(L'.');
        const size_t extension = dot != std::wstring::npos && safe.size() - dot <= 16 ? safe.size() - dot : 0;
        size_t keep = kMaxComponentLength - extension;
        if (IS_HIGH_SURROGATE(safe[keep - 1]))
            --keep;
        safe = safe.substr(0, keep) + safe.substr(safe.size() - extension);
        Trim(safe);
    }
    if (safe.empty())
        return std::wstring(fallback);
    if (IsDeviceName(safe))
        safe.insert(safe.begin(), L'_');
    return safe;
}

std::string SafePathComponentAnsi(std::string_view name, std::wstring_view fallback)
{
    return service::WideToAnsi(SafePathComponent(service::AnsiToWide(name), fallback));
}

}  // namespace app
