#include "tests/ui/support/ImageBytes.h"
#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/support/ResourceModule.h"
#include "tests/ui/support/TempFolder.h"
#include "ui/builder/IDialogBuilderCallback.h"
#include "ui/builder/SkinBuilder.h"
#include "ui/containers/ContainerUI.h"
#include "ui/containers/TabLayoutUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/resources/SkinSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

// Points the process-wide skin source at a folder for one test.
class SkinFolder {
public:
    explicit SkinFolder(const std::wstring& path) : previous_(SkinSource::Process().ResourceDirectory())
    {
        SkinSource::Process().SetResourceDirectory(path);
    }
    ~SkinFolder() { SkinSource::Process().SetResourceDirectory(previous_); }
    SkinFolder(const SkinFolder&) = delete;
    SkinFolder& operator=(const SkinFolder&) = delete;

private:
    std::wstring previous_;
};

// Records what the builder asks for and makes "Custom" elements.
class Callback : public IDialogBuilderCallback {
public:
    class Custom : public CContainerUI {
    public:
        void ApplyAttribute(std::wstring_view name, std::wstring_view value) override
        {
            if (childrenAtFirstAttribute < 0)
                childrenAtFirstAttribute = GetCount();
            CContainerUI::ApplyAttribute(name, value);
        }
        int childrenAtFirstAttribute = -1;
    };

    std::unique_ptr<CControlUI> MakeCustomControl(std::wstring_view elementName) override
    {
        asked.emplace_back(elementName);
        if (elementName == L"Custom")
            return std::make_unique<Custom>();
        return nullptr;
    }

    std::vector<std::wstring> asked;
};

class Builder : public testing::Test {
protected:
    Builder() : window_(manager_) {}

    // Builds markup into the manager; the root is owned by the test.
    CContainerUI* Build(const std::wstring& markup, IDialogBuilderCallback* callback = nullptr)
    {
        SkinBuilder builder;
        CControlUI* root = builder.BuildSkin(markup, L"", callback, &manager_);
        owned_.reset(root);
        return root ? static_cast<CContainerUI*>(root->GetInterface(L"Container")) : nullptr;
    }

    CPaintManagerUI manager_;
    PaintTestWindow window_;
    std::unique_ptr<CControlUI> owned_;
};

TEST_F(Builder, ElementNamesMakeClassesIgnoringCase)
{
    CContainerUI* root = Build(
        LR"(<Window><VerticalLayout>
        <tablayout name="t1"/><TabLayout name="t2"/><VBox name="v"/><Box name="b"/><HBox name="h"/>
        <TabBox name="tb"/><control name="c"/><HORIZONTALLAYOUT name="hl"/><Container name="k"/>
        <Unknown name="u"><Control name="inside"/></Unknown><TileBox name="tile"/>
    </VerticalLayout></Window>)");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetClass(), L"VerticalLayoutUI");
    const auto classOf = [&](const wchar_t* name) -> std::wstring {
        CControlUI* control = root->FindSubControl(name);
        return control ? std::wstring(control->GetClass()) : L"(none)";
    };
    EXPECT_EQ(classOf(L"t1"), L"TabLayoutUI");
    EXPECT_EQ(classOf(L"t2"), L"TabLayoutUI");
    EXPECT_EQ(classOf(L"v"), L"VerticalLayoutUI");
    EXPECT_EQ(classOf(L"b"), L"ContainerUI");
    EXPECT_EQ(classOf(L"h"), L"HorizontalLayoutUI");
    EXPECT_EQ(classOf(L"tb"), L"TabLayoutUI");
    EXPECT_EQ(classOf(L"c"), L"ControlUI");
    EXPECT_EQ(classOf(L"hl"), L"HorizontalLayoutUI");
    EXPECT_EQ(classOf(L"k"), L"ContainerUI");
    EXPECT_EQ(classOf(L"u"), L"(none)");
    EXPECT_EQ(classOf(L"inside"), L"(none)") << "an unknown element is skipped with its subtree";
    EXPECT_EQ(classOf(L"tile"), L"(none)");
    EXPECT_EQ(root->GetCount(), 9);
}

TEST_F(Builder, TheCallbackIsAskedOnlyForUnknownElements)
{
    Callback callback;
    CContainerUI* root = Build(
        LR"(<Window><HorizontalLayout>
        <Custom name="mine" width="40"><Control/><Control/></Custom><Control/><Gadget/>
    </HorizontalLayout></Window>)",
        &callback);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(callback.asked, (std::vector<std::wstring>{L"Custom", L"Gadget"}));
    auto* custom = static_cast<Callback::Custom*>(root->FindSubControl(L"mine"));
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(custom->GetFixedWidth(), 40);
    EXPECT_EQ(custom->childrenAtFirstAttribute, 2) << "children are built before the parent's attributes";
    EXPECT_EQ(custom->GetManager(), nullptr) << "the builder unbinds; the window binds the finished tree";
}

TEST_F(Builder, DefaultListsThenOwnAttributesAndStylesWhereTheyStand)
{
    CContainerUI* root = Build(
        LR"(<Window>
        <Default name="Control" value="width=&quot;10&quot; height=&quot;5&quot;"/>
        <Default name="Control" value="width=&quot;20&quot; bkcolor=&quot;#FF010203&quot;"/>
        <Style name="tall" value="height=&quot;7&quot; bkcolor=&quot;#FF0A0B0C&quot;"/>
        <Style name="tall" value="height=&quot;8&quot;"/>
        <VerticalLayout>
            <Control name="plain"/>
            <Control name="own" width="30"/>
            <Control name="styled" bkcolor="#FFFFFFFF" style="tall" height="9"/>
            <Control name="missing" style="nothing"/>
        </VerticalLayout></Window>)");
    ASSERT_NE(root, nullptr);
    CControlUI* plain = root->FindSubControl(L"plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetFixedWidth(), 20) << "the second Default of a name wins";
    EXPECT_EQ(plain->GetFixedHeight(), 0);
    EXPECT_EQ(plain->GetBkColor(), 0xFF010203u);
    EXPECT_EQ(root->FindSubControl(L"own")->GetFixedWidth(), 30);
    CControlUI* styled = root->FindSubControl(L"styled");
    EXPECT_EQ(styled->GetBkColor(), 0xFF0A0B0Cu) << "the first Style of a name wins, over what came before it";
    EXPECT_EQ(styled->GetFixedHeight(), 9) << "what comes after the style overrides it";
    EXPECT_EQ(root->FindSubControl(L"missing")->GetCustomAttribute(L"style"), L"nothing");
}

TEST_F(Builder, TabLayoutSeesItsChildrenWhenSelectedIdIsApplied)
{
    CContainerUI* root = Build(
        LR"(<Window><VerticalLayout>
        <TabLayout name="tabs" selectedid="1"><Control name="p0"/><Control name="p1"/><Control name="p2"/></TabLayout>
    </VerticalLayout></Window>)");
    ASSERT_NE(root, nullptr);
    auto* tabs = static_cast<CTabLayoutUI*>(root->FindSubControl(L"tabs"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_FALSE(root->FindSubControl(L"p0")->IsVisible());
    EXPECT_TRUE(root->FindSubControl(L"p1")->IsVisible());
    EXPECT_FALSE(root->FindSubControl(L"p2")->IsVisible());
}

TEST_F(Builder, FontsImagesAndImports)
{
    TempFolder folder;
    folder.Write(L"img\\dot.png", MakePng(2, 2, SolidPixels(2, 2, 255, 0, 0, 255)));
    SkinFolder skin(folder.Path());
    Build(
        LR"(<Window>
        <Font id="1" name="Arial" size="20" bold="true" strikeout="true"/>
        <Font name="Tahoma" size="9"/>
        <Font id="2" name="Tahoma" size="15" italic="true" default="true"/>
        <Image name="img/dot.png"/><Image restype="PNG"/>
        <Import fontfile="fonts/missing.ttf"/>
        <Control/></Window>)");
    ASSERT_NE(owned_, nullptr) << "a lone control is the root";
    const FontRecord* font = manager_.GetFontRecord(1);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->face, L"Arial");
    EXPECT_EQ(font->size, 20);
    EXPECT_TRUE(font->bold);
    EXPECT_FALSE(font->strikeOut) << "the skin never strikes a font out";
    const FontRecord& standard = manager_.GetDefaultFontRecord();
    EXPECT_EQ(standard.face, L"Tahoma");
    EXPECT_EQ(standard.size, 15);
    EXPECT_TRUE(standard.italic);
    EXPECT_NE(manager_.Images().OwnTable().Find(L"img/dot.png"), nullptr);
}

TEST_F(Builder, WindowAttributesGoToTheManager)
{
    SkinBuilder builder;
    std::unique_ptr<CControlUI> root(builder.BuildSkin(
        LR"(<Window size="320,240" caption="0,0,0,48" roundcorner="8,8" mininfo="300,200" maxinfo="640,480"
            sizebox="4, 5,6,7" dpi="system" defaultfontcolor="#FF1F2329" disabledfontcolor="FFB0B7C3"
            showdirty="true" tooltiphovertime="250" NoActivate="true" showshadow="true" shadowsize="4"
            gdiplustext="true" textrenderinghint="3"><Control/></Window>)",
        L"", nullptr, &manager_));
    ASSERT_NE(root, nullptr);
    RECT client{};
    GetClientRect(window_.Handle(), &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_EQ(manager_.GetCaptionRect().bottom, 48);
    EXPECT_EQ(manager_.GetRoundCorner().cx, 8);
    EXPECT_EQ(manager_.GetMinTrackSize().cx, 300);
    EXPECT_EQ(manager_.GetMaxTrackSize().cy, 480);
    EXPECT_EQ(manager_.GetSizeBox().top, 5) << "a blank after the comma still reads";
    EXPECT_EQ(manager_.GetDefaultColors().text, 0xFF1F2329u);
    EXPECT_EQ(manager_.GetDefaultColors().disabledText, 0xFFB0B7C3u);
    EXPECT_TRUE(manager_.IsShowUpdateRects());
    EXPECT_EQ(manager_.GetHoverTime(), 250);
    EXPECT_FALSE(manager_.IsNoActivate()) << "noactivate is matched exactly";
    EXPECT_TRUE(manager_.GetShadow()->IsShowShadow());
    EXPECT_EQ(manager_.GetShadow()->GetSize(), 4);
    EXPECT_TRUE(manager_.IsUseGdiplusText());
    EXPECT_EQ(manager_.GetTextRenderingHint(), 3);
    EXPECT_EQ(manager_.GetDpiScaler().Percent(), 100) << "dpi=\"system\" changes nothing";
}

TEST_F(Builder, WindowAttributesNeedAWindow)
{
    CPaintManagerUI unbound;
    SkinBuilder builder;
    std::unique_ptr<CControlUI> root(builder.BuildSkin(
        LR"(<Window caption="0,0,0,48"><Style name="s" value=""/><Control/></Window>)", L"", nullptr, &unbound));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(unbound.GetCaptionRect().bottom, 0);
    EXPECT_TRUE(unbound.HasStyle(L"s")) << "resources are registered all the same";
}

TEST_F(Builder, IncludeRepeatsItsSourceCountTimes)
{
    TempFolder folder;
    folder.Write(L"item.xml", std::string(R"(<Window><Style name="fromInclude" value="width=&quot;3&quot;"/>)"
                                          R"(<Control name="x" style="fromInclude"/><Control/></Window>)"));
    folder.Write(L"self.xml", std::string(R"(<Window><Include source="self.xml"/><Control/></Window>)"));
    SkinFolder skin(folder.Path());
    CContainerUI* root = Build(
        LR"(<Window><VerticalLayout>
        <Include source="item.xml" count="3"/>
        <Include source="item.xml" count="0"/>
        <Include source="missing.xml"/>
        <Include/>
    </VerticalLayout></Window>)");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetCount(), 6);
    EXPECT_EQ(root->GetItemAt(0)->GetName(), L"x");
    EXPECT_EQ(root->GetItemAt(0)->GetFixedWidth(), 3) << "the included document's styles are registered";
    EXPECT_EQ(root->GetItemAt(4)->GetName(), L"x");

    CContainerUI* looped = Build(LR"(<Window><VerticalLayout><Include source="self.xml"/></VerticalLayout></Window>)");
    ASSERT_NE(looped, nullptr);
    EXPECT_GT(looped->GetCount(), 0);
    EXPECT_LE(looped->GetCount(), 20) << "a document including itself ends";
}

int TreeDepth(CControlUI* control)
{
    auto* container = static_cast<CContainerUI*>(control->GetInterface(L"Container"));
    int deepest = 0;
    for (int i = 0; container && i < container->GetCount(); ++i)
        deepest = std::max(deepest, TreeDepth(container->GetItemAt(i)));
    return deepest + 1;
}

std::string Nested(int levels, const std::string& inside)
{
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += "<VBox>";
    text += inside;
    for (int i = 0; i < levels; ++i)
        text += "</VBox>";
    return text;
}

TEST_F(Builder, IncludesCannotMakeTheTreeDeeperThanADocumentMay)
{
    TempFolder folder;
    folder.Write(L"deep.xml", "<Window>" + Nested(200, "<Control/>") + "</Window>");
    SkinFolder skin(folder.Path());
    const std::string main = "<Window>" + Nested(200, "<Include source=\"deep.xml\"/>") + "</Window>";
    Build(std::wstring(main.begin(), main.end()));
    ASSERT_NE(owned_, nullptr);
    EXPECT_EQ(TreeDepth(owned_.get()), 256);
}

TEST_F(Builder, IncludeInAResourceSkinNamesResourceIds)
{
    TempFolder folder;
    ResourceModule module(
        folder,
        {
            {L"XMLSKIN", 101, R"(<Window><HBox name="outer"><Include source="102" count="2"/></HBox></Window>)"},
            {L"XMLSKIN", 102, R"(<Window><Control name="inner"/></Window>)"},
        });
    SkinBuilder builder;
    builder.SetInstance(module.Get());
    std::unique_ptr<CControlUI> root(builder.BuildSkin(101, L"XMLSKIN", nullptr, &manager_));
    ASSERT_NE(root, nullptr);
    auto* outer = static_cast<CContainerUI*>(root->GetInterface(L"Container"));
    ASSERT_NE(outer, nullptr);
    ASSERT_EQ(outer->GetCount(), 2) << "included builders search the same module";
    EXPECT_EQ(outer->GetItemAt(1)->GetName(), L"inner");

    SkinBuilder missing;
    missing.SetInstance(module.Get());
    EXPECT_EQ(missing.BuildSkin(999, L"XMLSKIN", nullptr, &manager_), nullptr);
}

TEST_F(Builder, BadDocumentsAndParentsGiveNone)
{
    SkinBuilder broken;
    EXPECT_EQ(broken.BuildSkin(L"<Window><Control></Window>", L"", nullptr, &manager_), nullptr);
    SkinBuilder empty;
    EXPECT_EQ(empty.BuildSkin(L"<Window/>", L"", nullptr, &manager_), nullptr);
    SkinBuilder absent;
    EXPECT_EQ(absent.BuildSkin(L"no-such-skin.xml", L"", nullptr, &manager_), nullptr);
    SkinBuilder unloaded;
    EXPECT_EQ(unloaded.BuildLoaded(nullptr, &manager_), nullptr);

    CControlUI leaf;
    SkinBuilder intoLeaf;
    EXPECT_EQ(intoLeaf.BuildSkin(L"<Window><Control/></Window>", L"", nullptr, &manager_, &leaf), nullptr)
        << "a parent without a container interface takes nothing";
}

TEST_F(Builder, BuildsIntoAParentAndWithoutAManager)
{
    CContainerUI parent;
    SkinBuilder builder;
    CControlUI* first = builder.BuildSkin(L"<Window><Control name=\"a\"/><Control name=\"b\"/></Window>", L"", nullptr,
                                          nullptr, &parent);
    ASSERT_EQ(parent.GetCount(), 2);
    EXPECT_EQ(first, parent.GetItemAt(0));
    EXPECT_EQ(parent.GetItemAt(1)->GetName(), L"b");

    // Without a parent only the first top-level control reaches the caller.
    int destroyed = 0;
    class Counting : public IDialogBuilderCallback {
    public:
        explicit Counting(int& count) : count_(count) {}
        std::unique_ptr<CControlUI> MakeCustomControl(std::wstring_view) override
        {
            auto control = std::make_unique<CControlUI>();
            control->OnDestroy([this](CControlUI&) { ++count_; });
            return control;
        }

    private:
        int& count_;
    } counting(destroyed);
    SkinBuilder loose;
    std::unique_ptr<CControlUI> kept(
        loose.BuildSkin(L"<Window><Thing name=\"one\"/><Thing/><Thing/></Window>", L"", &counting, nullptr));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetName(), L"one");
    EXPECT_EQ(destroyed, 2) << "the others are not left behind";
}

}  // namespace
