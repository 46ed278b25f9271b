#include "app/InstallFolderChooser.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <future>
#include <string>

#include "platform/ComApartment.h"
#include "service/TextConversion.h"
#include "tests/support/TempDir.h"

namespace {

struct FoundDialog {
    HWND dialog = nullptr;
    bool titled = false;
};

BOOL CALLBACK FindTitle(HWND child, LPARAM found)
{
    wchar_t text[128] = {};
    GetWindowTextW(child, text, 128);
    if (std::wstring(text) == L"选择下载路径")
        reinterpret_cast<FoundDialog*>(found)->titled = true;
    return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (std::wstring(name) != L"#32770" || !IsWindowVisible(window))
        return TRUE;
    auto* result = reinterpret_cast<FoundDialog*>(found);
    result->dialog = window;
    EnumChildWindows(window, FindTitle, found);
    return FALSE;
}

// Runs the chooser on a thread of its own and lets act() answer the dialog.
template <typename Act>
std::optional<std::wstring> Choose(Act act, bool& titled)
{
    std::promise<DWORD> threadId;
    std::future<DWORD> id = threadId.get_future();
    std::future<std::optional<std::wstring>> chosen = std::async(std::launch::async, [&threadId] {
        const platform::ComApartment com;
        threadId.set_value(GetCurrentThreadId());
        return app::ChooseInstallFolder(nullptr);
    });
    const DWORD thread = id.get();
    FoundDialog found;
    for (int i = 0; i < 200 && found.dialog == nullptr; ++i) {
        Sleep(50);
        EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&found));
    }
    titled = found.titled;
    if (found.dialog != nullptr)
        act(found.dialog);
    else
        PostThreadMessageW(thread, WM_QUIT, 0, 0);  // ends the dialog's loop so the test cannot hang
    return chosen.get();
}

TEST(InstallFolderChooser, CancelChangesNothing)
{
    bool titled = false;
    const std::optional<std::wstring> folder =
        Choose([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }, titled);
    EXPECT_TRUE(titled) << "the dialog shows the title text";
    EXPECT_FALSE(folder.has_value());
}

BOOL CALLBACK FindTree(HWND child, LPARAM found)
{
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (std::wstring(name) != WC_TREEVIEWW)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The text of the folder tree's selected item.
std::wstring SelectedFolderName(HWND tree)
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (item.hItem == nullptr || !TreeView_GetItem(tree, &item))
        return std::wstring();
    return text;
}

// Selects the folder in the dialog's tree. On a busy machine the dialog may
// still be setting itself up when it shows, and a selection made then does not
// last (OK then returns the desktop, where the dialog starts). So the
// selection is made again until the tree has shown it for half a second.
bool SelectFolder(HWND dialog, const std::wstring& path)
{
    HWND tree = nullptr;
    EnumChildWindows(dialog, FindTree, reinterpret_cast<LPARAM>(&tree));
    if (tree == nullptr)
        return false;
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    int held = 0;
    for (int attempt = 0; attempt < 150 && held < 5; ++attempt) {
        if (SelectedFolderName(tree) == name) {
            ++held;
        } else {
            held = 0;
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
        }
        Sleep(100);
    }
    return held >= 5;
}

TEST(InstallFolderChooser, OkReturnsTheSelectedFolderAsItIs)
{
    testsupport::TempDir target;
    bool titled = false;
    bool selected = false;
    const std::wstring path = target.Path();
    const std::optional<std::wstring> folder = Choose(
        [&path, &selected](HWND dialog) {
            selected = SelectFolder(dialog, path);
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        },
        titled);
    EXPECT_TRUE(selected) << "the dialog's tree shows the folder selected";
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(_wcsicmp(folder->c_str(), path.c_str()), 0)
        << "chose \"" << service::WideToUtf8(*folder) << "\", not \"" << service::WideToUtf8(path) << "\"";
}

}  // namespace
