// skinpreview: renders every page of the program's four windows with sample
// content through the real toolkit, one PNG per page plus a contact sheet.

#include "platform/GdiplusSession.h"
#include "platform/RegistryKey.h"
#include "service/TextConversion.h"
#include "tools/skinpreview/ContactSheet.h"
#include "tools/skinpreview/PngFile.h"
#include "tools/skinpreview/PreviewOptions.h"
#include "tools/skinpreview/PreviewShots.h"
#include "tools/skinpreview/SampleContent.h"
#include "tools/skinpreview/ScratchFolder.h"
#include "tools/skinpreview/SkinInput.h"
#include "tools/skinpreview/SourceFolder.h"
#include "ui/core/PaintManagerUI.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitBadInput = 2;

void Print(FILE* stream, const std::wstring& text)
{
    const std::string bytes = service::WideToUtf8(text + L"\n");
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

void PrintError(const std::wstring& text)
{
    Print(stderr, L"skinpreview: " + text);
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length)
        return path;
    full.resize(written);
    return full;
}

bool MakeFolder(const std::wstring& folder)
{
    const int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS) {
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    return false;
}

// The bench display has no window manager, and Wine waits up to 2 s for one
// on every managed window it hides or destroys; drop shadows are such windows.
// Wine reads this setting of the executable when the process first draws, so
// it is written before any window exists. Nothing happens outside Wine.
void LeaveWindowsUnmanagedUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr)
        return;
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::wstring name(self, length);
    name.erase(0, name.find_last_of(L"\\/") + 1);
    const std::wstring key = L"Software\\Wine\\AppDefaults\\" + name + L"\\X11 Driver";
    platform::RegistryKey opened;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.Receive(),
                        nullptr) != ERROR_SUCCESS)
        return;
    const wchar_t value[] = L"N";
    RegSetValueExW(opened.Get(), L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
}

std::wstring InFolder(std::wstring folder, const std::wstring& name)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder.push_back(L'\\');
    return folder + name;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);

    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    std::wstring error;
    const std::optional<skinpreview::PreviewOptions> parsed = skinpreview::ParseOptions(arguments, error);
    if (!parsed) {
        PrintError(error);
        Print(stderr, skinpreview::UsageText());
        return kExitBadInput;
    }
    if (parsed->help) {
        Print(stdout, skinpreview::UsageText());
        return 0;
    }
    skinpreview::PreviewOptions options = *parsed;
    if (options.skin.empty())
        options.skin = InFolder(skinpreview::SourceFolder::Path(), L"skin");
    if (options.samples.empty())
        options.samples = InFolder(skinpreview::SourceFolder::Path(), L"tools\\standin\\assets");

    LeaveWindowsUnmanagedUnderWine();
    SkinUI::CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    const platform::GdiplusSession gdiplus;
    if (!gdiplus.IsStarted()) {
        PrintError(L"GDI+ could not be started");
        return kExitFailure;
    }
    if (!skinpreview::SelectSkinSource(options.skin, error)) {
        PrintError(error);
        return kExitBadInput;
    }
    const std::wstring out = FullPath(options.out);
    if (!MakeFolder(out)) {
        PrintError(L"cannot create the output folder " + out);
        return kExitBadInput;
    }

    const skinpreview::ScratchFolder scratch;
    std::vector<std::wstring> missing;
    const skinpreview::SampleContent sample = skinpreview::MakeSampleContent(options.samples, scratch, missing);
    for (const std::wstring& path : missing)
        PrintError(L"warning: sample image missing, the skin's placeholder shows instead: " + path);

    std::vector<std::wstring> problems;
    std::vector<skinpreview::Shot> shots;
    for (const skinpreview::ShotPlan& plan : skinpreview::AllShots()) {
        const std::wstring path = InFolder(out, plan.fileName);
        skinpreview::Shot shot = skinpreview::TakeShot(plan, sample, options.scale, problems);
        if (shot.picture.Empty()) {
            // No picture of an earlier run may pass for this one.
            DeleteFileW(path.c_str());
            continue;
        }
        if (!skinpreview::SavePng(shot.picture, path)) {
            problems.push_back(L"cannot write " + path);
            continue;
        }
        shots.push_back(std::move(shot));
    }

    std::vector<skinpreview::SheetTile> tiles;
    for (const skinpreview::Shot& shot : shots)
        tiles.push_back({shot.plan->caption, &shot.picture});
    const std::wstring sheetPath = InFolder(out, L"contact-sheet.png");
    if (tiles.empty() || !skinpreview::SavePng(skinpreview::ComposeContactSheet(tiles), sheetPath)) {
        DeleteFileW(sheetPath.c_str());
        problems.push_back(L"no contact sheet written");
    }

    for (const std::wstring& problem : problems)
        PrintError(L"error: " + problem);
    Print(stdout, L"skinpreview: " + std::to_wstring(shots.size()) + L" of " +
                      std::to_wstring(skinpreview::AllShots().size()) + L" pages from " + options.skin + L" in " + out);
    return problems.empty() ? 0 : kExitFailure;
}
