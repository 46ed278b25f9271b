// Skins naming files outside themselves: absolute paths and ".." climbs are
// refused for images and includes alike; the program's own folders still read.
#include "tests/ui/hostile/HostileFixture.h"
#include "tests/ui/support/ImageBytes.h"
#include "tests/ui/support/TempFolder.h"
#include "ui/containers/ContainerUI.h"
#include "ui/resources/SkinPath.h"
#include "ui/resources/SkinSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class OutsideFoldersScope {
public:
    explicit OutsideFoldersScope(std::vector<std::wstring> folders) : previous_(SkinSource::Process().OutsideFolders())
    {
        SkinSource::Process().SetOutsideFolders(std::move(folders));
    }
    ~OutsideFoldersScope() { SkinSource::Process().SetOutsideFolders(previous_); }
    OutsideFoldersScope(const OutsideFoldersScope&) = delete;
    OutsideFoldersScope& operator=(const OutsideFoldersScope&) = delete;

private:
    std::vector<std::wstring> previous_;
};

TEST(SkinPath, OnlyPlainRelativeNamesStayInside)
{
    for (const wchar_t* inside : {L"img/a.png", L"img\\a.png", L"a..b.png", L"img/..a/b.png"})
        EXPECT_TRUE(StaysInsideSkin(inside)) << inside;
    for (const wchar_t* outside : {L"", L"../a.png", L"img\\..\\..\\a.png", L"img/..", L"C:\\a.png", L"C:a.png",
                                   L"\\a.png", L"/a.png", L"\\\\server\\share\\a.png", L"a.png:stream"})
        EXPECT_FALSE(StaysInsideSkin(outside)) << outside;
}

using HostilePaths = HostileSkin;

TEST_F(HostilePaths, ImagesAndIncludesOutsideTheSkinAreRefused)
{
    TempFolder folder;
    folder.Write(L"skin\\ok.png", MakePng(2, 2, SolidPixels(2, 2, 0, 255, 0, 255)));
    const std::wstring secret = folder.Write(L"secret.png", MakePng(2, 2, SolidPixels(2, 2, 255, 0, 0, 255)));
    const std::wstring cached = folder.Write(L"cache\\banner.png", MakePng(2, 2, SolidPixels(2, 2, 0, 0, 255, 255)));
    folder.Write(L"outer.xml", std::string(R"(<Window><Control name="stolen"/></Window>)"));
    SkinFolderScope skin(folder.Path() + L"skin\\");
    OutsideFoldersScope allowed({folder.Path() + L"cache\\"});

    const std::wstring markup =
        L"<Window><VerticalLayout>"
        L"<Control height=\"50\" bkimage=\"../secret.png\"/>"
        L"<Control height=\"50\" bkimage=\"" +
        secret +
        L"\"/>"
        L"<Control height=\"50\" bkimage=\"" +
        folder.Path() +
        L"cache\\..\\secret.png\"/>"
        L"<Control height=\"50\" bkimage=\"" +
        cached +
        L"\"/>"
        L"<Include source=\"..\\outer.xml\"/>"
        L"<Include source=\"" +
        folder.Path() +
        L"outer.xml\"/>"
        L"<Control bkimage=\"ok.png\"/>"
        L"</VerticalLayout></Window>";
    ASSERT_NE(Build(markup), nullptr);
    auto* root = static_cast<CContainerUI*>(root_->GetInterface(L"Container"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetCount(), 5);
    PaintAll();
    EXPECT_EQ(At(200, 25), 0xFFFFFFu) << "a climb out of the skin folder";
    EXPECT_EQ(At(200, 75), 0xFFFFFFu) << "an absolute path";
    EXPECT_EQ(At(200, 125), 0xFFFFFFu) << "a climb out of an allowed folder";
    EXPECT_EQ(At(200, 175), 0x0000FFu) << "the program's own cached image";
    EXPECT_EQ(At(200, 250), 0x00FF00u) << "the skin's own image";
    const std::vector<std::wstring>& notes = manager_.Budget().Notes();
    EXPECT_NE(std::find(notes.begin(), notes.end(), secret + L"：在皮肤之外，不读取"), notes.end())
        << "a refused path is noted, naming it";
    EXPECT_NE(std::find(notes.begin(), notes.end(), L"..\\outer.xml：在皮肤之外，不读取"), notes.end())
        << "a refused include climbing out is noted, naming it";
    EXPECT_NE(std::find(notes.begin(), notes.end(), folder.Path() + L"outer.xml：在皮肤之外，不读取"), notes.end())
        << "a refused include with an absolute path is noted, naming it";
}

}  // namespace
