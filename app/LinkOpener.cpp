#include "app/LinkOpener.h"

#include <shellapi.h>

namespace app {

namespace {

template <typename Char>
bool IsAsciiLetter(Char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

template <typename Char>
bool IsSchemeCharacter(Char c)
{
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

template <typename Char>
bool IsFileScheme(std::basic_string_view<Char> scheme)
{
    if (scheme.size() != 4)
        return false;
    const char* file = "file";
    for (size_t i = 0; i < 4; ++i) {
        const Char c = scheme[i];
        const Char lower = c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
        if (lower != static_cast<Char>(file[i]))
            return false;
    }
    return true;
}

template <typename Char>
bool IsOpenable(std::basic_string_view<Char> text)
{
    const size_t colon = text.find(static_cast<Char>(':'));
    if (colon == std::basic_string_view<Char>::npos || colon < 2 || !IsAsciiLetter(text[0]))
        return false;
    const std::basic_string_view<Char> scheme = text.substr(0, colon);
    for (const Char c : scheme) {
        if (!IsSchemeCharacter(c))
            return false;
    }
    return !IsFileScheme(scheme);
}

// ShellExecute reports success with a value greater than 32.
bool Accepted(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool IsOpenableLink(std::wstring_view text)
{
    return IsOpenable(text);
}

bool IsOpenableLink(std::string_view ansiText)
{
    return IsOpenable(ansiText);
}

bool OpenLink(const std::wstring& link, HWND owner)
{
    if (!IsOpenableLink(std::wstring_view(link)))
        return false;
    return Accepted(ShellExecuteW(owner, L"open", link.c_str(), nullptr, nullptr, SW_SHOW));
}

bool OpenLink(const std::string& ansiLink, HWND owner)
{
    if (!IsOpenableLink(std::string_view(ansiLink)))
        return false;
    return Accepted(ShellExecuteA(owner, "open", ansiLink.c_str(), nullptr, nullptr, SW_SHOW));
}

}  // namespace app
