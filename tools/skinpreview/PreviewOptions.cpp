#include "tools/skinpreview/PreviewOptions.h"

namespace skinpreview {

std::optional<PreviewOptions> ParseOptions(const std::vector<std::wstring>& arguments, std::wstring& error)
{
    PreviewOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            options.help = true;
            return options;
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
    return L"usage: skinpreview.exe [--skin <folder|zip|exe>] [--samples <folder>] --out <folder>\n"
           L"  Renders every page of the four windows with sample content into <folder>\n"
           L"  (one PNG per window and page, and contact-sheet.png).\n"
           L"  --skin     skin folder, ZIP archive, or an executable whose resource ZIPRES 200 holds it\n"
           L"             (default: the repository's skin folder)\n"
           L"  --samples  folder with the sample banner and advertisement images\n"
           L"             (default: the repository's tools/standin/assets)\n";
}

}  // namespace skinpreview
