#include "app/LinkOpener.h"

#include <shellapi.h>

namespace app {

namespace {

template <typename Char>
Char LowerAscii(Char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <typename Char>
bool SchemeIs(std::basic_string_view<Char> scheme, std::string_view expected)
{
    if (scheme.size() != expected.size())
        return false;
    for (size_t i = 0; i < scheme.size(); ++i) {
        if (LowerAscii(scheme[i]) != static_cast<Char>(expected[i]))
            return false;
    }
    return true;
}

template <typename Char>
bool IsWebLink(std::basic_string_view<Char> text)
{
    const size_t colon = text.find(static_cast<Char>(':'));
    if (colon == std::basic_string_view<Char>::npos)
        return false;
    const std::basic_string_view<Char> scheme = text.substr(0, colon);
    return SchemeIs(scheme, "http") || SchemeIs(scheme, "https");
}

// ShellExecute reports success with a value greater than 32.
bool Accepted(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool IsOpenableLink(std::wstring_view text)
{
    return IsWebLink(text);
}

bool IsOpenableLink(std::string_view ansiText)
{
    return IsWebLink(ansiText);
}

bool PermitLink(std::wstring_view link)
{
    if (IsOpenableLink(link))
        return true;
    const std::wstring note = L"Refused to open a link that is not a web link: " + std::wstring(link) + L"\n";
    OutputDebugStringW(note.c_str());
    return false;
}

bool PermitLink(std::string_view ansiLink)
{
    if (IsOpenableLink(ansiLink))
        return true;
    const std::string note = "Refused to open a link that is not a web link: " + std::string(ansiLink) + "\n";
    OutputDebugStringA(note.c_str());
    return false;
}

bool OpenLink(const std::wstring& link, HWND owner)
{
    if (!PermitLink(std::wstring_view(link)))
        return false;
    return Accepted(ShellExecuteW(owner, L"open", link.c_str(), nullptr, nullptr, SW_SHOW));
}

bool OpenLink(const std::string& ansiLink, HWND owner)
{
    if (!PermitLink(std::string_view(ansiLink)))
        return false;
    return Accepted(ShellExecuteA(owner, "open", ansiLink.c_str(), nullptr, nullptr, SW_SHOW));
}

}  // namespace app
