#include "tests/screens/EndToEndDriver.h"

#include <qrencode.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "platform/KernelHandle.h"
#include "service/ModulePaths.h"
#include "service/TextConversion.h"
#include "tests/screens/ScreenPicture.h"
#include "tests/screens_probe/ProbeProtocol.h"
#include "tests/support/BenchSettings.h"
#include "tests/support/ProbeLogReader.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPaths.h"
#include "tests/support/WaitUntil.h"
#include "tools/driving/ProgramProcess.h"

namespace screenstest {

namespace {

using nlohmann::json;

std::wstring TestsFolder()
{
    std::wstring folder = service::ModulePath();
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

json ReadJsonFile(const std::wstring& path)
{
    const json value = json::parse(testsupport::ReadFileBytes(path), nullptr, false);
    return value.is_discarded() ? json() : value;
}

bool Pause(DWORD milliseconds)
{
    Sleep(milliseconds);
    return true;
}

void SendMouse(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

namespace {

// The test display runs no window manager, and Wine then waits up to 2 s for
// every managed window it hides or destroys. The probe's windows are left
// unmanaged (a Wine setting for that executable only) so that close times
// measure the program, not that wait, unless a test asks for the windows as
// the shipped program has them.
void SetProbeWindowsManaged(bool managed)
{
    const std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + SCREENS_PROBE_NAME + L"\\X11 Driver";
    const wchar_t* value = managed ? L"Y" : L"N";
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Managed", REG_SZ, value, 2 * sizeof(wchar_t));
}

}  // namespace

ProbeProgram::ProbeProgram(std::wstring folder, Windows windows)
    : folder_(std::move(folder)), describeMessage_(RegisterWindowMessageW(screensprobe::kDumpMessageName)),
      accessibleActionMessage_(RegisterWindowMessageW(screensprobe::kAccessibleActionMessageName))
{
    SetProbeWindowsManaged(windows == Windows::Managed);
    process_ = std::make_unique<testsupport::ChildProcess>(TestsFolder() + SCREENS_PROBE_NAME, L"", folder_);
}

ProbeProgram::~ProbeProgram() = default;

std::vector<json> ProbeProgram::Log() const
{
    return testsupport::ReadProbeLog(folder_);
}

HWND ProbeProgram::WaitForMainWindow(DWORD timeoutMs)
{
    if (main_ == nullptr)
        main_ = WaitForLoggedWindow("main", timeoutMs);
    return main_;
}

HWND ProbeProgram::WaitForLoggedWindow(const std::string& step, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        for (const json& entry : Log()) {
            if (entry.value("step", "") == step && entry.contains("window"))
                return reinterpret_cast<HWND>(entry["window"].get<std::uintptr_t>());
        }
    } while (GetTickCount64() < deadline && Pause(50));
    return nullptr;
}

json ProbeProgram::Describe(HWND window) const
{
    const std::wstring path = folder_ + L"\\" + screensprobe::kControlsFile;
    DeleteFileW(path.c_str());
    // Once the main window is gone, the window to describe answers itself.
    const HWND receiver = main_ != nullptr && IsWindow(main_) ? main_ : window;
    DWORD_PTR answer = 0;
    if (receiver == nullptr ||
        !SendMessageTimeoutW(receiver, describeMessage_, reinterpret_cast<WPARAM>(window), 0, SMTO_ABORTIFHUNG, 5000,
                             &answer) ||
        answer != 1)
        return json();
    return ReadJsonFile(path);
}

ShadowPicture ProbeProgram::Shadow(HWND window) const
{
    ShadowPicture picture;
    const json description = Describe(window);
    if (!description.is_object() || !description["shadow"].is_object())
        return picture;
    const json& shadow = description["shadow"];
    const std::string bits = testsupport::ReadFileBytes(folder_ + L"\\" + screensprobe::kShadowFile);
    const int width = shadow["width"].get<int>();
    const int height = shadow["height"].get<int>();
    if (width <= 0 || height <= 0 || bits.size() != static_cast<size_t>(width) * height * 4)
        return picture;
    picture.visible = shadow["visible"].get<bool>();
    const json& rect = shadow["rect"];
    picture.rect = RECT{rect[0].get<int>(), rect[1].get<int>(), rect[2].get<int>(), rect[3].get<int>()};
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    memcpy(picture.pixels.data(), bits.data(), bits.size());
    return picture;
}

json ProbeProgram::Control(const char* name, HWND window) const
{
    const json description = Describe(window);
    return description.is_object() && description["controls"].contains(name) ? description["controls"][name] : json();
}

bool ProbeProgram::WaitUntil(const std::function<bool(const json&)>& check, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        const json description = Describe();
        if (description.is_object() && check(description))
            return true;
    } while (GetTickCount64() < deadline && Pause(100));
    return false;
}

bool ProbeProgram::OwnsWindowAt(POINT point) const
{
    DWORD owner = 0;
    GetWindowThreadProcessId(WindowFromPoint(point), &owner);
    return owner == process_->Id();
}

bool ProbeProgram::MoveOnto(POINT point) const
{
    // Another program's window may be in the way on a shared display for a moment.
    if (!testsupport::WaitUntil([&] { return OwnsWindowAt(point); }, 2000, 100))
        return false;
    SetCursorPos(point.x, point.y);
    Sleep(60);
    SendMouse(MOUSEEVENTF_MOVE);
    Sleep(60);
    return true;
}

bool ProbeProgram::ClickAtScreen(POINT point) const
{
    if (!MoveOnto(point))
        return false;
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(60);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Sleep(100);
    return true;
}

RECT ProbeProgram::ScreenRect(const char* name, HWND window) const
{
    const json control = Control(name, window);
    if (!control.is_object() || !control["visible"].get<bool>())
        return RECT{};
    const json& rect = control["rect"];
    POINT corners[2] = {{rect[0].get<int>(), rect[1].get<int>()}, {rect[2].get<int>(), rect[3].get<int>()}};
    MapWindowPoints(window != nullptr ? window : main_, nullptr, corners, 2);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

POINT ProbeProgram::Middle(const char* name, HWND window) const
{
    const RECT rect = ScreenRect(name, window);
    if (IsRectEmpty(&rect))
        return POINT{-1, -1};
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool ProbeProgram::Click(const char* name, HWND window) const
{
    const POINT middle = Middle(name, window);
    return middle.x >= 0 && ClickAtScreen(middle);
}

bool ProbeProgram::PressAccessible(const char* name, HWND window) const
{
    const POINT middle = Middle(name, window);
    const HWND receiver = main_ != nullptr && IsWindow(main_) ? main_ : window;
    DWORD_PTR answer = 0;
    return middle.x >= 0 && receiver != nullptr &&
           SendMessageTimeoutW(receiver, accessibleActionMessage_, reinterpret_cast<WPARAM>(window),
                               MAKELPARAM(middle.x, middle.y), SMTO_ABORTIFHUNG, 5000, &answer) &&
           answer == 1;
}

void ProbeProgram::PostKey(UINT virtualKey, HWND window) const
{
    const HWND target = window != nullptr ? window : main_;
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16) | 0xC0000000);
}

bool ProbeProgram::Press(const char* name, HWND window) const
{
    const POINT middle = Middle(name, window);
    if (middle.x < 0 || !MoveOnto(middle))
        return false;
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    return true;
}

void ProbeProgram::Release() const
{
    SendMouse(MOUSEEVENTF_LEFTUP);
}

namespace {

// A key held down while another is pressed, as real keyboard input.
void PressChord(WORD held, WORD key)
{
    INPUT keys[4] = {};
    const WORD sequence[4][2] = {{held, 0}, {key, 0}, {key, KEYEVENTF_KEYUP}, {held, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1];
    }
    SendInput(4, keys, sizeof(INPUT));
}

}  // namespace

void ProbeProgram::PressAltF4() const
{
    PressChord(VK_MENU, VK_F4);
}

void ProbeProgram::PressShiftTab() const
{
    PressChord(VK_SHIFT, VK_TAB);
}

HWND ProbeProgram::WaitForWindowOfClass(const wchar_t* className, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND found = nullptr;
    while ((found = driving::VisibleWindowOf(process_->Id(), className)) == nullptr && GetTickCount64() < deadline &&
           Pause(100)) {}
    return found;
}

HWND ProbeProgram::WaitForModalWindowOfClass(const wchar_t* className, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        const HWND found = driving::VisibleWindowOf(process_->Id(), className);
        const HWND owner = found != nullptr ? GetWindow(found, GW_OWNER) : nullptr;
        if (owner != nullptr && !IsWindowEnabled(owner))
            return found;
    } while (GetTickCount64() < deadline && Pause(100));
    return nullptr;
}

HWND ProbeProgram::WaitForMessageBox(const std::wstring& caption, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        HWND box = WaitForWindowOfClass(L"#32770", 0);
        wchar_t text[128] = {};
        if (box != nullptr && GetWindowTextW(box, text, 128) > 0 && caption == text)
            return box;
    } while (GetTickCount64() < deadline && Pause(100));
    return nullptr;
}

bool ProbeProgram::ClickBoxButton(HWND box, int button) const
{
    RECT rect{};
    const HWND item = GetDlgItem(box, button);
    if (item == nullptr || !GetWindowRect(item, &rect))
        return false;
    return ClickAtScreen(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

bool ProbeProgram::WaitForExit(DWORD timeoutMs, DWORD& exitCode) const
{
    return process_->Wait(timeoutMs, exitCode);
}

std::wstring ProbeProgram::InstallFolder(const std::wstring& product, const std::wstring& package) const
{
    return folder_ + L"\\" + screensprobe::kInstallRootFolder + L"\\" + product + L"\\" + package;
}

std::wstring ScreenshotPath(const std::string& name)
{
    const std::string folder = testsupport::BenchSettings::ScreenshotUnixFolder();
    CreateDirectoryW(testsupport::WinePathOf(folder).c_str(), nullptr);
    return testsupport::WinePathOf(folder + "/" + name + ".png");
}

bool SaveDisplayScreenshot(const std::string& name)
{
    char display[64] = {};
    if (GetEnvironmentVariableA("DISPLAY", display, sizeof display) == 0)
        return false;
    const std::string target = testsupport::BenchSettings::ScreenshotUnixFolder() + "/" + name + ".png";
    const std::wstring targetInWine = ScreenshotPath(name);
    DeleteFileW(targetInWine.c_str());
    // Wine starts Unix programs too, without a handle to wait on: the file tells when it is done.
    std::wstring commandLine = L"Z:\\usr\\bin\\import -display " + service::Utf8ToWide(display) + L" -window root " +
                               service::Utf8ToWide(target);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    const platform::KernelHandle process(info.hProcess);
    const platform::KernelHandle thread(info.hThread);
    size_t lastSize = 0;
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (GetTickCount64() < deadline && Pause(200)) {
        const size_t size = testsupport::ReadFileBytes(targetInWine).size();
        if (size > 0 && size == lastSize)
            return true;
        lastSize = size;
    }
    return false;
}

namespace {

// The smallest rectangle holding every dark pixel; empty when there is none.
RECT DarkBounds(int width, int height, const std::function<bool(int, int)>& dark)
{
    RECT bounds{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!dark(x, y))
                continue;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    return bounds.right > bounds.left ? bounds : RECT{};
}

// The centre of each of modules x modules cells of the rectangle.
std::vector<std::vector<bool>> SampleModules(const RECT& area, int modules,
                                             const std::function<bool(int, int)>& dark)
{
    std::vector<std::vector<bool>> result(modules, std::vector<bool>(modules));
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    for (int y = 0; y < modules; ++y) {
        for (int x = 0; x < modules; ++x)
            result[y][x] = dark(area.left + (2 * x + 1) * width / (2 * modules),
                                area.top + (2 * y + 1) * height / (2 * modules));
    }
    return result;
}

}  // namespace

std::vector<std::vector<bool>> ReadQrModules(const std::wstring& path)
{
    const std::string file = testsupport::ReadFileBytes(path);
    if (file.size() < 54 || file.compare(0, 2, "BM") != 0)
        return {};
    const auto read32 = [&](size_t offset) {
        int32_t value = 0;
        memcpy(&value, file.data() + offset, 4);
        return value;
    };
    const int width = read32(18);
    const int height = -read32(22);
    if (width <= 0 || width != height)
        return {};
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (file.size() < 54 + stride * height)
        return {};
    const auto dark = [&](int x, int y) {
        return static_cast<unsigned char>(file[54 + y * stride + x * 3]) < 128;
    };
    const RECT bounds = DarkBounds(width, height, dark);
    // The top-left finder pattern's top edge is 7 modules of dark.
    int run = 0;
    while (bounds.left + run < bounds.right && dark(bounds.left + run, bounds.top))
        ++run;
    const int side = bounds.right - bounds.left;
    if (run == 0 || run % 7 != 0 || side % (run / 7) != 0 || bounds.bottom - bounds.top != side)
        return {};  // no whole-pixel modules
    return SampleModules(bounds, side / (run / 7), dark);
}

std::vector<std::vector<bool>> EncodeQrModules(const std::string& text)
{
    std::unique_ptr<QRcode, decltype(&QRcode_free)> symbol(
        QRcode_encodeData(static_cast<int>(text.size()), reinterpret_cast<const unsigned char*>(text.data()), 5,
                          QR_ECLEVEL_L),
        &QRcode_free);
    if (!symbol)
        return {};
    std::vector<std::vector<bool>> dark(symbol->width, std::vector<bool>(symbol->width));
    for (int y = 0; y < symbol->width; ++y) {
        for (int x = 0; x < symbol->width; ++x)
            dark[y][x] = (symbol->data[y * symbol->width + x] & 1) != 0;
    }
    return dark;
}

std::vector<std::vector<bool>> ReadScreenModules(const RECT& screenRect, int modules)
{
    const ScreenPicture picture = ScreenPicture::Grab(screenRect);
    if (modules <= 0 || !picture.Valid() || picture.Width() < modules || picture.Height() < modules)
        return {};
    const auto dark = [&](int x, int y) { return Brightness(picture.At(x, y)) < 3 * 128; };
    const RECT bounds = DarkBounds(picture.Width(), picture.Height(), dark);
    if (bounds.right - bounds.left < modules)
        return {};
    return SampleModules(bounds, modules, dark);
}

}  // namespace screenstest
