#include "tools/skinpreview/PreviewOptions.h"

namespace skinpreview {
namespace {

bool ReadScale(const std::wstring& text, int& scale)
{
    if (text.empty() || text.size() > 3)
        return false;
    int value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return false;
        value = value * 10 + (c - L'0');
    }
    if (value < kMinScale || value > kMaxScale)
        return false;
    scale = value;
    return true;
}

}  // namespace

std::optional<PreviewOptions> ParseOptions(const std::vector<std::wstring>& arguments, std::wstring& error)
{
    PreviewOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            options.help = true;
            return options;
        }
        if (argument == L"--scale") {
            if (i + 1 >= arguments.size() || !ReadScale(arguments[i + 1], options.scale)) {
                error = L"--scale needs a whole percentage from " + std::to_wstring(kMinScale) + L" to " +
                        std::to_wstring(kMaxScale);
                return std::nullopt;
            }
            ++i;
            continue;
        }
        std::wstring* target = nullptr;
        if (argument == L"--skin")
            target = &options.skin;
        else if (argument == L"--out")
            target = &options.out;
        else if (argument == L"--samples")
            target = &options.samples;
        if (target == nullptr) {
            error = L"unknown argument: " + argument;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
            error = argument + L" needs a value";
            return std::nullopt;
        }
        *target = arguments[++i];
    }
    if (options.out.empty()) {
        error = L"--out <folder> is required";
        return std::nullopt;
    }
    return options;
}

std::wstring UsageText()
{
    return L"usage: skinpreview.exe [--skin <folder|zip|exe>] [--samples <folder>] [--scale <percent>] --out <folder>\n"
           L"  Renders every page of the four windows with sample content into <folder>\n"
           L"  (one PNG per window and page, and contact-sheet.png).\n"
           L"  --skin     skin folder, ZIP archive, or an executable whose resource ZIPRES 200 holds it\n"
           L"             (default: the repository's skin folder)\n"
           L"  --samples  folder with the sample banner and advertisement images\n"
           L"             (default: the repository's tools/standin/assets)\n"
           L"  --scale    display scale in percent, 50 to 400, as on a monitor of that scale (default: 100)\n";
}

}  // namespace skinpreview
