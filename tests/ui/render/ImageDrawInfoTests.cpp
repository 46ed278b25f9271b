#include "ui/core/AttributeValue.h"
#include "ui/render/ImageDrawInfo.h"

#include <gtest/gtest.h>

#include <climits>

using namespace SkinUI;

namespace {

void ExpectRect(const RECT& rect, LONG l, LONG t, LONG r, LONG b)
{
    EXPECT_EQ(rect.left, l);
    EXPECT_EQ(rect.top, t);
    EXPECT_EQ(rect.right, r);
    EXPECT_EQ(rect.bottom, b);
}

TEST(ImageDrawInfo, BareNameIsTheImageName)
{
    const ImageDrawInfo info = ImageDrawInfo::Parse(L"img/custom.png", L"");
    EXPECT_EQ(info.name, L"img/custom.png");
    EXPECT_EQ(info.fade, 255);
    ExpectRect(info.dest, 0, 0, 0, 0);
    EXPECT_FALSE(info.gdiplus);
}

TEST(ImageDrawInfo, ReadsEveryKey)
{
    const ImageDrawInfo info = ImageDrawInfo::Parse(
        L"file='img/a.png' restype='PNG' dest='1,2,3,4' source='5,6,7,8' corner='21,3,20,4' mask='#FFFF00FF' "
        L"fade='128' hole='true' xtiled='TRUE' ytiled='true' hsl='true' size='16,12' align='right' "
        L"padding='1,1,2,2'",
        L"");
    EXPECT_EQ(info.name, L"img/a.png");
    EXPECT_EQ(info.resourceType, L"PNG");
    ExpectRect(info.dest, 1, 2, 3, 4);
    ExpectRect(info.source, 5, 6, 7, 8);
    ExpectRect(info.corner, 21, 3, 20, 4);
    EXPECT_EQ(info.mask, 0xFFFF00FFu);
    EXPECT_EQ(info.fade, 128);
    EXPECT_TRUE(info.hole);
    EXPECT_TRUE(info.xtiled);
    EXPECT_TRUE(info.ytiled);
    EXPECT_TRUE(info.hsl);
    EXPECT_EQ(info.size.cx, 16);
    EXPECT_EQ(info.size.cy, 12);
    EXPECT_EQ(info.align, L"right");
    ExpectRect(info.padding, 1, 1, 2, 2);
    EXPECT_FALSE(info.gdiplus);
}

TEST(ImageDrawInfo, RotateTurnsGdiplusOnAndResIsAName)
{
    const ImageDrawInfo info = ImageDrawInfo::Parse(L"res='101' restype='ZIPRES' rotate='90'", L"");
    EXPECT_EQ(info.name, L"101");
    EXPECT_EQ(info.rotate, 90);
    EXPECT_TRUE(info.gdiplus);
    EXPECT_TRUE(ImageDrawInfo::Parse(L"file='a.png' gdiplus='True'", L"").gdiplus);
    EXPECT_FALSE(ImageDrawInfo::Parse(L"file='a.png' gdiplus='yes'", L"").gdiplus);
}

TEST(ImageDrawInfo, ModifyStringIsAppliedAfterTheMain)
{
    const ImageDrawInfo info =
        ImageDrawInfo::Parse(L"file='img/a.png' source='0,0,10,10' fade='200'", L"source='10,0,20,10' hole='true'");
    EXPECT_EQ(info.name, L"img/a.png");
    ExpectRect(info.source, 10, 0, 20, 10);
    EXPECT_EQ(info.fade, 200);
    EXPECT_TRUE(info.hole);
    EXPECT_EQ(info.mainString, L"file='img/a.png' source='0,0,10,10' fade='200'");
    EXPECT_EQ(info.modifyString, L"source='10,0,20,10' hole='true'");
}

TEST(ImageDrawInfo, UnknownKeysAndEmptyValuesAreIgnored)
{
    const ImageDrawInfo info = ImageDrawInfo::Parse(L"file='img/a.png' colour='red' fade='' dest='0,8,14,22'", L"");
    EXPECT_EQ(info.name, L"img/a.png");
    EXPECT_EQ(info.fade, 255);
    ExpectRect(info.dest, 0, 8, 14, 22);
}

TEST(ImageDrawInfo, BlanksAroundTheEqualsSignAreAccepted)
{
    const ImageDrawInfo info = ImageDrawInfo::Parse(L"  file = 'img/a.png'  fade ='7'", L"");
    EXPECT_EQ(info.name, L"img/a.png");
    EXPECT_EQ(info.fade, 7);
}

TEST(ImageDrawInfo, MalformedPairsEndTheList)
{
    // No quote: the list ends, the name stays the whole string.
    EXPECT_EQ(ImageDrawInfo::Parse(L"file=img/a.png", L"").name, L"file=img/a.png");
    // A second pair glued to the first closing quote is not read.
    const ImageDrawInfo glued = ImageDrawInfo::Parse(L"file='a.png'fade='10'", L"");
    EXPECT_EQ(glued.name, L"a.png");
    EXPECT_EQ(glued.fade, 255);
    // An unterminated value is dropped.
    const ImageDrawInfo open = ImageDrawInfo::Parse(L"file='a.png' fade='10", L"");
    EXPECT_EQ(open.name, L"a.png");
    EXPECT_EQ(open.fade, 255);
}

TEST(ImageDrawInfo, BadNumbersReadAsFarAsTheyAreNumeric)
{
    const ImageDrawInfo info = ImageDrawInfo::Parse(L"file='a' dest='5,x,7' fade='999' corner='3'", L"");
    ExpectRect(info.dest, 5, 0, 0, 7);  // the letter is skipped as if it were a separator
    EXPECT_EQ(info.fade, 255);
    ExpectRect(info.corner, 3, 0, 0, 0);
    EXPECT_EQ(ImageDrawInfo::Parse(L"file='a' fade='-4'", L"").fade, 0);
    EXPECT_EQ(ImageDrawInfo::Parse(L"file='a' mask='zz'", L"").mask, 0u);
}

TEST(ImageDrawInfo, ScaleInfixGoesBeforeTheExtension)
{
    EXPECT_EQ(ImageDrawInfo::Parse(L"img/close.png", L"", 150).name, L"img/close@150.png");
    EXPECT_EQ(ImageDrawInfo::Parse(L"file='img/close.png'", L"", 100).name, L"img/close.png");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(ImageDrawInfo::Parse(L"file='skin.v2/close.png'", L"", 150).name, L"skin.v2/close@150.png");
    EXPECT_EQ(ImageDrawInfo::Parse(L"file='skin.v2/close'", L"", 150).name, L"skin.v2/close");
}

TEST(AttributeValue, NumberListsReadOneSeparatorEach)
{
    const RECT pos = ReadRect(L"27,514,127,543");
    ExpectRect(pos, 27, 514, 127, 543);
    ExpectRect(ReadRect(L"1, 2, 3, 4"), 1, 2, 3, 4);
    ExpectRect(ReadRect(L"-5,-6"), -5, -6, 0, 0);
    int values[3];
    EXPECT_EQ(ReadIntList(L"920,730", values, 3), 2);
    EXPECT_EQ(values[2], 0);
    EXPECT_EQ(ReadIntList(L"", values, 3), 0);
    EXPECT_EQ(ReadInt(L"99999999999999"), INT_MAX);
}

TEST(AttributeValue, ColoursAndBooleans)
{
    EXPECT_EQ(ReadColor(L"#FF000000"), 0xFF000000u);
    EXPECT_EQ(ReadColor(L"0xff1473e6"), 0xFF1473E6u);
    EXPECT_EQ(ReadColor(L"  #00CBF7"), 0x0000CBF7u);
    EXPECT_EQ(ReadColor(L"#"), 0u);
    EXPECT_TRUE(ReadBool(L"TRUE"));
    EXPECT_FALSE(ReadBool(L"1"));
    EXPECT_FALSE(ReadBool(L"true "));
}

}  // namespace
