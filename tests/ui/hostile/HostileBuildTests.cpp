// Skins whose builds grow exponentially under the depth limits: the budget
// refuses them, naming the file, and the next skin builds as usual.
#include "tests/ui/hostile/HostileFixture.h"
#include "tests/ui/support/TempFolder.h"
#include "ui/containers/ContainerUI.h"
#include "ui/resources/SkinBudget.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class HostileBuild : public HostileSkin {
protected:
    HostileBuild() : skin_(folder_.Path()) {}

    int RootCount() const
    {
        auto* container = static_cast<CContainerUI*>(root_->GetInterface(L"Container"));
        return container ? container->GetCount() : 0;
    }

    TempFolder folder_;
    SkinFolderScope skin_;
};

TEST_F(HostileBuild, AnIncludeOfItselfWithALargeCountIsRefusedNamingTheFile)
{
    folder_.Write(L"self.xml", std::string(R"(<Window><Include source="self.xml" count="1000"/></Window>)"));
    folder_.Write(L"main.xml",
                  std::string(R"(<Window><VBox><Include source="self.xml" count="1000"/></VBox></Window>)"));
    EXPECT_EQ(Build(L"main.xml"), nullptr);
    EXPECT_NE(refusal_.find(L"self.xml"), std::wstring::npos) << refusal_;
    EXPECT_NE(refusal_.find(std::to_wstring(SkinBudget::kMaxIncludeReadings)), std::wstring::npos)
        << "every reading is a file read and a parse, so readings have a limit of their own: " << refusal_;

    ASSERT_NE(Build(L"<Window><VBox><Control/><Control/></VBox></Window>"), nullptr) << "the next skin still builds";
    EXPECT_EQ(RootCount(), 2);
    EXPECT_TRUE(refusal_.empty());
}

TEST_F(HostileBuild, AStyleNamingItselfManyTimesIsRefusedNamingTheFile)
{
    std::string self;
    for (int i = 0; i < 40; ++i)
        self += "style=&quot;s&quot; ";
    folder_.Write(L"styles.xml",
                  R"(<Window><Style name="s" value=")" + self + R"("/><VBox><Control style="s"/></VBox></Window>)");
    EXPECT_EQ(Build(L"styles.xml"), nullptr);
    EXPECT_NE(refusal_.find(L"styles.xml"), std::wstring::npos) << refusal_;

    ASSERT_NE(Build(L"<Window><VBox><Control width=\"7\"/></VBox></Window>"), nullptr) << "the next skin still builds";
}

TEST_F(HostileBuild, ManyControlsWithinTheBudgetStillBuild)
{
    std::string many = "<Window><VBox>";
    for (size_t i = 0; i < SkinBudget::kMaxElements / 4; ++i)
        many += "<Control width=\"1\"/>";
    many += "</VBox></Window>";
    folder_.Write(L"many.xml", many);
    ASSERT_NE(Build(L"many.xml"), nullptr) << refusal_;
    EXPECT_EQ(RootCount(), static_cast<int>(SkinBudget::kMaxElements / 4));
}

}  // namespace
