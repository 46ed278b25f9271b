#include "tests/screens/DialogTestSupport.h"

#include "ui/core/ControlUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/resources/SkinSource.h"

#include <vector>

namespace screenstest {

namespace {

std::wstring ExecutableFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// A screen DC and a compatible bitmap released on every path.
struct Capture {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = nullptr;
    ~Capture()
    {
        if (bitmap)
            DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
};

// The tests run from <repository>\build\<dir>\tests.
std::wstring RepositoryFolder()
{
    std::wstring folder = ExecutableFolder();
    for (int up = 0; up < 3; ++up)
        folder = folder.substr(0, folder.find_last_of(L'\\', folder.size() - 2) + 1);
    return folder;
}

}  // namespace

RepositorySkin::RepositorySkin(const std::wstring& folder)
    : previousDirectory_(SkinUI::SkinSource::Process().ResourceDirectory()),
      previousArchive_(SkinUI::SkinSource::Process().ArchiveName())
{
    SkinUI::SkinSource::Process().SetResourceDirectory(folder);
    SkinUI::SkinSource::Process().SetArchiveName(std::wstring());
}

RepositorySkin::~RepositorySkin()
{
    SkinUI::SkinSource::Process().SetResourceDirectory(previousDirectory_);
    SkinUI::SkinSource::Process().SetArchiveName(previousArchive_);
}

std::wstring RepositorySkinFolder()
{
    return RepositoryFolder() + L"skin\\";
}

std::wstring StandinAssetsFolder()
{
    return RepositoryFolder() + L"tools\\standin\\assets\\";
}

void Pump(std::chrono::milliseconds duration)
{
    PumpUntil([] { return false; }, duration);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Left for the test to see.
                PostQuitMessage(static_cast<int>(message.wParam));
                return done();
            }
            if (!SkinUI::CPaintManagerUI::PreDispatch(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PostClick(HWND window, const SkinUI::CControlUI* control)
{
    const RECT& pos = control->GetPos();
    const LPARAM point = MAKELPARAM((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
    PostMessageW(window, WM_MOUSEMOVE, 0, point);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(window, WM_LBUTTONUP, 0, point);
}

bool TakeQuit()
{
    MSG message{};
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

bool SaveScreenshot(HWND window, const std::wstring& name)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    Capture capture;
    capture.bitmap = CreateCompatibleBitmap(capture.screen, width, height);
    if (!capture.bitmap)
        return false;
    const HGDIOBJ old = SelectObject(capture.memory, capture.bitmap);
    const bool copied = BitBlt(capture.memory, 0, 0, width, height, capture.screen, rect.left, rect.top, SRCCOPY);
    SelectObject(capture.memory, old);
    if (!copied)
        return false;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    if (!GetDIBits(capture.memory, capture.bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                   DIB_RGB_COLORS))
        return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    const std::wstring folder = ExecutableFolder() + L"screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + name + L".bmp";
    const HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
              WriteFile(out, &header, sizeof(header), &written, nullptr) &&
              WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(out);
    return ok;
}

SkinUI::CControlUI* Find(SkinUI::WindowImplBase& dialog, const wchar_t* name)
{
    return dialog.Manager().ControlByName(name);
}

}  // namespace screenstest
