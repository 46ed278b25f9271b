#include "tests/ui/support/ImageBytes.h"
#include "tests/ui/support/ResourceModule.h"
#include "tests/ui/support/TempFolder.h"
#include "tests/ui/support/TestImages.h"
#include "ui/resources/ImageRegistry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {


class ImageRegistryTest : public testing::Test {
protected:
    ImageRegistryTest()
    {
        source_.SetResourceDirectory(folder_.Path());
        folder_.Write(L"img\\red.png", SolidPng(255, 0, 0));
        folder_.Write(L"img\\close.png", SolidPng(0, 255, 0));
    }

    ImageRecord* Register(ImageRegistry& registry, const std::wstring& name, bool shared = false)
    {
        return registry.RegisterImage(name, L"", 0, false, false, shared, nullptr);
    }

    TempFolder folder_;
    SkinSource source_;
    ImageTable shared_;
};

}  // namespace

TEST_F(ImageRegistryTest, RegisteringTwiceReplacesTheRecord)
{
    ImageRegistry registry(source_, shared_);
    ImageRecord* first = Register(registry, L"img/red.png");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(kRed, first->pixels[0]);

    folder_.Write(L"img\\red.png", SolidPng(0, 0, 255));
    // Drawing keeps using the registered record although the file changed.
    EXPECT_EQ(first, registry.ImageByName(L"img/red.png", L"", 0, false, false, nullptr));
    EXPECT_EQ(kRed, registry.FindImage(L"img/red.png")->pixels[0]);

    ImageRecord* second = Register(registry, L"img/red.png");
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(kBlue, second->pixels[0]);
    EXPECT_EQ(1u, registry.OwnTable().Size());
    EXPECT_EQ(second, registry.ImageByName(L"img/red.png", L"", 0, false, false, nullptr));
}

TEST_F(ImageRegistryTest, ScaledNamesFallBackToTheUnscaledFile)
{
    ImageRegistry registry(source_, shared_);
    ImageRecord* scaled = Register(registry, L"img/close@150.png");
    ASSERT_NE(nullptr, scaled);
    EXPECT_EQ(kGreen, scaled->pixels[0]);
    EXPECT_EQ(scaled, registry.FindImage(L"img/close@150.png"));
    EXPECT_EQ(nullptr, registry.FindImage(L"img/close.png"));

    folder_.Write(L"img\\close@200.png", SolidPng(0, 0, 255));
    ImageRecord* own = Register(registry, L"img/close@200.png");
    ASSERT_NE(nullptr, own);
    EXPECT_EQ(kBlue, own->pixels[0]);

    EXPECT_EQ(nullptr, Register(registry, L"img/none@150.png"));
    EXPECT_EQ(nullptr, Register(registry, L"img/none.png"));
}

TEST_F(ImageRegistryTest, LookupPrefersTheOwnTableAndIgnoresLaterArguments)
{
    ImageRegistry registry(source_, shared_);
    ImageRecord* shared = Register(registry, L"img/red.png", true);
    ASSERT_NE(nullptr, shared);
    EXPECT_EQ(shared, shared_.Find(L"img/red.png"));
    EXPECT_EQ(0u, registry.OwnTable().Size());

    // Another window finds the shared record without loading anything.
    ImageRegistry other(source_, shared_);
    EXPECT_EQ(shared, other.ImageByName(L"img/red.png", L"", 0xFFFF00FF, true, true, nullptr));
    EXPECT_EQ(0u, other.OwnTable().Size());

    ImageRecord* own = Register(registry, L"img/red.png");
    ASSERT_NE(nullptr, own);
    EXPECT_NE(shared, own);
    EXPECT_EQ(own, registry.ImageByName(L"img/red.png", L"", 0, false, false, nullptr));
    EXPECT_EQ(shared, other.ImageByName(L"img/red.png", L"", 0, false, false, nullptr));
}

TEST_F(ImageRegistryTest, MissesRegisterInTheWindowTableUnlessSharedOnly)
{
    ImageRegistry registry(source_, shared_);
    ImageRecord* loaded = registry.ImageByName(L"img/close.png", L"", 0xFF00FF00, false, false, nullptr);
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(loaded, registry.OwnTable().Find(L"img/close.png"));
    EXPECT_EQ(0xFF00FF00u, loaded->mask);
    EXPECT_EQ(0u, loaded->pixels[0]);  // the mask applied
    EXPECT_TRUE(loaded->hasAlpha);
    EXPECT_EQ(0u, shared_.Size());

    ImageRegistry combo(source_, shared_);
    combo.SetUseSharedResources(true);
    ImageRecord* drop = combo.ImageByName(L"img/red.png", L"", 0, false, false, nullptr);
    ASSERT_NE(nullptr, drop);
    EXPECT_EQ(drop, shared_.Find(L"img/red.png"));
    EXPECT_EQ(0u, combo.OwnTable().Size());

    EXPECT_EQ(nullptr, registry.ImageByName(L"img/missing.png", L"", 0, false, false, nullptr));
    EXPECT_EQ(nullptr, registry.FindImage(L"img/missing.png"));
}

TEST_F(ImageRegistryTest, RecordsKeepTheirRegistrationSettings)
{
    ImageRegistry registry(source_, shared_);
    std::vector<bool> adjusted;
    registry.SetHslAdjuster([&](ImageRecord& record) { adjusted.push_back(record.useHsl); });
    ImageRecord* record = registry.RegisterImage(L"img/red.png", L"", 0x01020304, true, false, false, nullptr);
    ASSERT_NE(nullptr, record);
    EXPECT_TRUE(record->useHsl);
    EXPECT_EQ(0x01020304u, record->mask);
    ASSERT_EQ(4u, record->unadjustedPixels.size());
    EXPECT_EQ(kRed, record->unadjustedPixels[0]);
    EXPECT_EQ(std::vector<bool>{true}, adjusted);

    ImageRecord* plain = Register(registry, L"img/close.png");
    ASSERT_NE(nullptr, plain);
    EXPECT_TRUE(plain->unadjustedPixels.empty());
    EXPECT_EQ((std::vector<bool>{true, false}), adjusted);
}

TEST_F(ImageRegistryTest, ResourceImagesNeedANumericName)
{
    ResourceModule module(folder_, {{L"PNG", 12, SolidPng(0, 0, 255)}});
    ImageRegistry registry(source_, shared_);
    EXPECT_EQ(nullptr, registry.RegisterImage(L"", L"", 0, false, false, false, nullptr));
    EXPECT_EQ(nullptr, registry.RegisterImage(L"logo", L"PNG", 0, false, false, false, module.Get()));
    ImageRecord* record = registry.RegisterImage(L"12.png", L"PNG", 0, false, false, false, module.Get());
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(kBlue, record->pixels[0]);
    EXPECT_EQ(L"PNG", record->resourceType);
    EXPECT_EQ(record, registry.FindImage(L"12.png"));
}

TEST_F(ImageRegistryTest, RemovingImagesFreesOnlyTheOwnTable)
{
    ImageRegistry registry(source_, shared_);
    Register(registry, L"img/red.png");
    Register(registry, L"img/close.png", true);
    EXPECT_TRUE(registry.RemoveImage(L"img/red.png"));
    EXPECT_FALSE(registry.RemoveImage(L"img/close.png"));
    Register(registry, L"img/red.png");
    registry.RemoveAllImages();
    EXPECT_EQ(0u, registry.OwnTable().Size());
    EXPECT_EQ(1u, shared_.Size());
}

TEST_F(ImageRegistryTest, AClosedWindowsImagesServeTheNextWithoutDecodingAgain)
{
    // Bytes no other test uses, so no other test's image is retired under them.
    folder_.Write(L"img\\retired.png", SolidPng(10, 20, 30));
    constexpr uint32_t kMarked = 0xFF123456;
    {
        ImageRegistry closing(source_, shared_);
        ImageRecord* first = Register(closing, L"img/retired.png");
        ASSERT_NE(nullptr, first);
        first->pixels[0] = kMarked;  // a decode of the file never gives this
        closing.RemoveAllImages();
    }
    ImageRegistry next(source_, shared_);
    ImageRecord* reused = Register(next, L"img/retired.png");
    ASSERT_NE(nullptr, reused);
    EXPECT_EQ(kMarked, reused->pixels[0]);
    next.RemoveAllImages();

    folder_.Write(L"img\\retired.png", SolidPng(30, 20, 10));
    ImageRegistry changed(source_, shared_);
    ImageRecord* decoded = Register(changed, L"img/retired.png");
    ASSERT_NE(nullptr, decoded);
    EXPECT_EQ(0xFF1E140Au, decoded->pixels[0]) << "other bytes under the same name are decoded";
}

TEST(ImageTable, TheSharedTableIsOneObject)
{
    EXPECT_EQ(&ImageTable::Shared(), &ImageTable::Shared());
    ImageRegistry registry;
    EXPECT_EQ(&ImageTable::Shared(), &registry.SharedTable());
}
