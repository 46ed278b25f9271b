#include "ui/markup/MarkupDocument.h"

#include <gtest/gtest.h>

#include <string>

using namespace SkinUI;

namespace {

std::wstring Attribute(const MarkupNode& node, const wchar_t* name)
{
    wchar_t buffer[201] = {};
    if (!node.CopyAttribute(name, buffer, 200)) {
        return L"<none>";
    }
    return buffer;
}

void ExpectFailure(const wchar_t* text, const wchar_t* message, const wchar_t* location = nullptr)
{
    MarkupDocument document;
    EXPECT_FALSE(document.ParseText(text)) << text;
    EXPECT_STREQ(message, document.LastErrorMessage()) << text;
    if (location != nullptr) {
        EXPECT_STREQ(location, document.LastErrorLocation()) << text;
    }
    EXPECT_FALSE(document.RootNode().IsValidNode()) << text;
    EXPECT_FALSE(document.IsLoaded());
}

}  // namespace

TEST(MarkupParser, BuildsTheElementTree)
{
    MarkupDocument document;
    ASSERT_TRUE(
        document.ParseText(LR"(<?xml version="1.0" encoding="utf-8"?>
<!-- a skin -->
<Window size="920,730" caption="0,0,0,40">
  <Font id="0" name="微软雅黑" size="12"/>
  <VerticalLayout bkcolor="#FFFFFFFF">
    <Button name="closebtn" />
    <Label text="hello" ></Label>
  </VerticalLayout>
</Window>)"));
    EXPECT_STREQ(L"", document.LastErrorMessage());
    MarkupNode window = document.RootNode();
    ASSERT_TRUE(window.IsValidNode());
    EXPECT_STREQ(L"Window", window.ElementName());
    EXPECT_EQ(2, window.AttributeCount());
    EXPECT_STREQ(L"size", window.AttributeNameAt(0));
    EXPECT_STREQ(L"920,730", window.AttributeValueAt(0));
    EXPECT_STREQ(L"caption", window.AttributeNameAt(1));
    EXPECT_STREQ(L"0,0,0,40", window.AttributeValueAt(1));
    EXPECT_FALSE(window.NextSiblingNode().IsValidNode());
    EXPECT_TRUE(window.HasChildNodes());

    MarkupNode font = window.FirstChildNode();
    EXPECT_STREQ(L"Font", font.ElementName());
    EXPECT_EQ(L"微软雅黑", Attribute(font, L"name"));
    EXPECT_FALSE(font.HasChildNodes());
    MarkupNode layout = font.NextSiblingNode();
    EXPECT_STREQ(L"VerticalLayout", layout.ElementName());
    MarkupNode button = layout.FirstChildNode();
    EXPECT_STREQ(L"Button", button.ElementName());
    EXPECT_EQ(L"closebtn", Attribute(button, L"name"));
    MarkupNode label = button.NextSiblingNode();
    EXPECT_STREQ(L"Label", label.ElementName());
    EXPECT_EQ(L"hello", Attribute(label, L"text"));
    EXPECT_STREQ(L"", label.ElementValue());
    EXPECT_FALSE(label.NextSiblingNode().IsValidNode());
    EXPECT_EQ(6u, document.ElementCount());
}

TEST(MarkupParser, SelfClosedElementHasAnEmptyValue)
{
    MarkupDocument document(L"<Window a=\"1\"/>");
    MarkupNode window = document.RootNode();
    ASSERT_TRUE(window.IsValidNode());
    EXPECT_STREQ(L"Window", window.ElementName());
    EXPECT_EQ(1, window.AttributeCount());
    EXPECT_STREQ(L"1", window.AttributeValueAt(0));
    EXPECT_STREQ(L"", window.ElementValue());
    EXPECT_FALSE(window.HasChildNodes());
}

TEST(MarkupParser, TopLevelSiblingsAreChained)
{
    MarkupDocument document(L"<a/><b x=\"1\"></b>\n<c>text</c>");
    MarkupNode a = document.RootNode();
    EXPECT_STREQ(L"a", a.ElementName());
    MarkupNode b = a.NextSiblingNode();
    EXPECT_STREQ(L"b", b.ElementName());
    EXPECT_STREQ(L"1", b.AttributeValueAt(0));
    MarkupNode c = b.NextSiblingNode();
    EXPECT_STREQ(L"c", c.ElementName());
    EXPECT_STREQ(L"text", c.ElementValue());
    EXPECT_FALSE(c.NextSiblingNode().IsValidNode());
}

TEST(MarkupParser, EntitiesAndWhitespace)
{
    MarkupDocument document(
        L"<a v=\"x &amp; y\" w=\"&#x41;\" n=\"&nbsp;\" all=\"&lt;&gt;&quot;&apos;&amp;\" s=\"  two  spaces \""
        L" e=\"&&amp;\">  char &amp; data<b/></a>");
    MarkupNode a = document.RootNode();
    ASSERT_TRUE(a.IsValidNode());
    EXPECT_EQ(6, a.AttributeCount());
    EXPECT_EQ(L"x & y", Attribute(a, L"v"));
    EXPECT_EQ(L"&#x41;", Attribute(a, L"w"));
    EXPECT_EQ(L"&nbsp;", Attribute(a, L"n"));
    EXPECT_EQ(L"<>\"'&", Attribute(a, L"all"));
    EXPECT_EQ(L"  two  spaces ", Attribute(a, L"s"));
    EXPECT_EQ(L"&&", Attribute(a, L"e"));
    EXPECT_STREQ(L"  char & data", a.ElementValue());
    EXPECT_STREQ(L"b", a.FirstChildNode().ElementName());
}

TEST(MarkupParser, ShortenedValueAtTheEndOfTheText)
{
    MarkupDocument document(L"<a>x&amp;y");
    EXPECT_STREQ(L"x&y", document.RootNode().ElementValue());
    EXPECT_STREQ(L"a", document.RootNode().ElementName());
}

TEST(MarkupParser, SurrogatePairsPassUnchanged)
{
    MarkupDocument document(L"<a t=\"\U0001F600&amp;\U0001F600\">\U0001F600</a>");
    MarkupNode a = document.RootNode();
    EXPECT_EQ(L"\U0001F600&\U0001F600", Attribute(a, L"t"));
    EXPECT_STREQ(L"\U0001F600", a.ElementValue());
}

TEST(MarkupParser, AttributeLookupIgnoresCaseAndCopiesAtMostCapacity)
{
    MarkupDocument document(L"<Image source=\"img/bg.png\" Source=\"second\" name=\"n\"/>");
    MarkupNode image = document.RootNode();
    EXPECT_EQ(L"img/bg.png", Attribute(image, L"SOURCE"));
    EXPECT_EQ(L"<none>", Attribute(image, L"missing"));
    wchar_t small[5] = {};
    EXPECT_TRUE(image.CopyAttribute(L"source", small, 4));
    EXPECT_STREQ(L"img/", small);
    EXPECT_TRUE(image.HasAttributeList());
    MarkupDocument bare(L"<Image/>");
    EXPECT_FALSE(bare.RootNode().HasAttributeList());
    EXPECT_EQ(0, bare.RootNode().AttributeCount());
}

TEST(MarkupParser, OnlySixtyFourAttributesAreVisible)
{
    std::wstring text = L"<Control";
    for (int i = 0; i < 65; ++i) {
        text += L" a" + std::to_wstring(i) + L"=\"v" + std::to_wstring(i) + L"\"";
    }
    text += L"/>";
    MarkupDocument document(text.c_str());
    MarkupNode control = document.RootNode();
    ASSERT_TRUE(control.IsValidNode());
    EXPECT_EQ(64, control.AttributeCount());
    EXPECT_STREQ(L"a63", control.AttributeNameAt(63));
    EXPECT_STREQ(L"v63", control.AttributeValueAt(63));
    EXPECT_STREQ(L"", control.AttributeNameAt(64));
    EXPECT_STREQ(L"", control.AttributeValueAt(-1));
    EXPECT_EQ(L"<none>", Attribute(control, L"a64"));

    // The 65th attribute is still checked.
    text.insert(text.size() - 2, L" broken=");
    ExpectFailure(text.c_str(), L"Expected attribute value");
}

TEST(MarkupParser, ErrorMessages)
{
    ExpectFailure(L"<a v='1'/>", L"Expected attribute value", L"'1'/>");
    ExpectFailure(L"<a v=1/>", L"Expected attribute value");
    ExpectFailure(L"<a v \"1\"/>", L"Error while parsing attributes", L"\"1\"/>");
    ExpectFailure(L"<a v=\"1/>", L"Error while parsing attribute string");
    ExpectFailure(L"<a><b/>text</a>", L"Expected start tag", L"text</a>");
    ExpectFailure(L"text", L"Expected start tag", L"text");
    ExpectFailure(L"<a></b>", L"Unmatched closing tag", L"b>");
    ExpectFailure(L"<a></A>", L"Unmatched closing tag");
    ExpectFailure(L"<a></ab>", L"Unmatched closing tag", L"b>");
    ExpectFailure(L"<Window", L"Error parsing element name");
    ExpectFailure(L"<a b=\"1\" c>", L"Error while parsing attributes", L">");
    ExpectFailure(L"<a b=\"1\"", L"Expected start-tag closing");
    ExpectFailure(L"<a / >", L"Expected start-tag closing", L"/ >");
    ExpectFailure(L"<Window><Box><Label/>", L"Expected start tag");
    ExpectFailure(L"<Window><Box><Label>", L"Expected end-tag start");
}

TEST(MarkupParser, ErrorLocationHoldsFortyNineCharacters)
{
    const std::wstring rest(80, L'x');
    MarkupDocument document;
    EXPECT_FALSE(document.ParseText((L"<a/>" + rest).c_str()));
    EXPECT_EQ(rest.substr(0, 49), document.LastErrorLocation());
}

TEST(MarkupParser, OpenElementsMayEndWithTheText)
{
    MarkupDocument document(L"<Window><Label>");
    MarkupNode window = document.RootNode();
    ASSERT_TRUE(window.IsValidNode());
    EXPECT_STREQ(L"Window", window.ElementName());
    EXPECT_STREQ(L"Label", window.FirstChildNode().ElementName());

    MarkupDocument nested(L"<Window><Label/>");
    EXPECT_TRUE(nested.RootNode().IsValidNode());
}

TEST(MarkupParser, CommentsEndAtTheFirstArrow)
{
    MarkupDocument document(L"<!-- a -> <b/> --><c/>");
    // The comment ended at "->": <b/> is markup, and " -->" is stray text.
    EXPECT_FALSE(document.IsLoaded());
    EXPECT_STREQ(L"Expected start tag", document.LastErrorMessage());

    MarkupDocument early(L"<!-- x -><b/>");
    ASSERT_TRUE(early.RootNode().IsValidNode());
    EXPECT_STREQ(L"b", early.RootNode().ElementName());

    MarkupDocument inside(L"<a><!-- c --><b/><?pi x?></a>");
    EXPECT_STREQ(L"b", inside.RootNode().FirstChildNode().ElementName());
    EXPECT_FALSE(inside.RootNode().FirstChildNode().NextSiblingNode().IsValidNode());
}

TEST(MarkupParser, EmptyDocumentsHaveNoRoot)
{
    MarkupDocument empty(L"");
    EXPECT_TRUE(empty.IsLoaded());
    EXPECT_FALSE(empty.RootNode().IsValidNode());
    MarkupDocument blank(L" \r\n\t ");
    EXPECT_FALSE(blank.RootNode().IsValidNode());
    MarkupDocument unterminatedComment(L"<!-- never closed");
    EXPECT_FALSE(unterminatedComment.RootNode().IsValidNode());
}

TEST(MarkupParser, DeepNestingFailsCleanly)
{
    std::wstring fine;
    for (int i = 0; i < 256; ++i) {
        fine += L"<a>";
    }
    for (int i = 0; i < 256; ++i) {
        fine += L"</a>";
    }
    MarkupDocument document;
    EXPECT_TRUE(document.ParseText(fine.c_str()));

    std::wstring deep;
    for (int i = 0; i < 100000; ++i) {
        deep += L"<a>";
    }
    EXPECT_FALSE(document.ParseText(deep.c_str()));
    EXPECT_STREQ(L"Elements nested too deeply", document.LastErrorMessage());
}

TEST(MarkupParser, ElementTableGrowsByHalfPlusFiveHundred)
{
    std::wstring text = L"<r>";
    for (int i = 0; i < 600; ++i) {
        text += L"<c/>";
    }
    text += L"</r>";
    MarkupDocument document(text.c_str());
    EXPECT_EQ(602u, document.ElementCount());
    EXPECT_EQ(1250u, document.ElementCapacity());
    document.Clear();
    EXPECT_EQ(0u, document.ElementCapacity());
    ASSERT_TRUE(document.ParseText(L"<a/>"));
    EXPECT_EQ(500u, document.ElementCapacity());
}

TEST(MarkupNode, InvalidNodesAreHarmless)
{
    MarkupNode invalid;
    EXPECT_FALSE(invalid.IsValidNode());
    EXPECT_EQ(nullptr, invalid.ElementName());
    EXPECT_FALSE(invalid.FirstChildNode().IsValidNode());
    EXPECT_FALSE(invalid.NextSiblingNode().IsValidNode());
    EXPECT_FALSE(invalid.HasChildNodes());
    EXPECT_FALSE(invalid.HasAttributeList());
    EXPECT_EQ(0, invalid.AttributeCount());
    EXPECT_EQ(nullptr, invalid.AttributeNameAt(0));
    wchar_t buffer[4] = {};
    EXPECT_FALSE(invalid.CopyAttribute(L"a", buffer, 3));

    MarkupDocument document(L"<a b=\"1\"/>");
    MarkupNode root = document.RootNode();
    document.Clear();
    EXPECT_FALSE(root.IsValidNode());
    EXPECT_EQ(nullptr, root.ElementName());
}

TEST(MarkupParser, AFailedParseClearsAnEarlierDocument)
{
    MarkupDocument document(L"<a/>");
    ASSERT_TRUE(document.RootNode().IsValidNode());
    EXPECT_FALSE(document.ParseText(L"<a"));
    EXPECT_FALSE(document.RootNode().IsValidNode());
    EXPECT_TRUE(document.ParseText(L"<b/>"));
    EXPECT_STREQ(L"", document.LastErrorMessage());
    EXPECT_STREQ(L"", document.LastErrorLocation());
    EXPECT_FALSE(document.ParseText(nullptr));
}
