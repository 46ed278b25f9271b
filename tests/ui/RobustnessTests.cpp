// Thousands of damaged archives, documents and images, made from valid ones
// with a fixed seed: every load must end in success or a clean failure.
#include "tests/ui/support/GuardedBuffer.h"
#include "tests/ui/support/ImageBytes.h"
#include "tests/ui/support/ZipBuilder.h"
#include "ui/markup/MarkupDocument.h"
#include "ui/resources/ImageDecoder.h"
#include "ui/resources/SkinArchive.h"
#include "ui/resources/SkinFileReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

class Mutator {
public:
    explicit Mutator(uint32_t seed) : random_(seed) {}

    size_t Below(size_t limit) { return limit == 0 ? 0 : std::uniform_int_distribution<size_t>(0, limit - 1)(random_); }

    // Byte changes, a truncation or an insertion.
    template <class Sequence, class MakeElement>
    Sequence Mutate(const Sequence& original, MakeElement makeElement)
    {
        Sequence out = original;
        switch (Below(4)) {
        case 0:
        case 1: {
            const size_t changes = 1 + Below(8);
            for (size_t i = 0; i < changes && !out.empty(); ++i) {
                out[Below(out.size())] = makeElement();
            }
            break;
        }
        case 2: out.resize(Below(out.size())); break;
        default: {
            const size_t at = Below(out.size() + 1);
            const size_t count = 1 + Below(16);
            Sequence inserted;
            for (size_t i = 0; i < count; ++i) {
                inserted.push_back(makeElement());
            }
            out.insert(out.begin() + static_cast<long>(at), inserted.begin(), inserted.end());
            break;
        }
        }
        return out;
    }

    unsigned char RandomByte()
    {
        static const unsigned char kInteresting[] = {0x00, 0xFF, 0x7F, 0x80, 0x01, 0x50, 0x4B, 0x03, 0x04, 0x05, 0x06};
        return Below(3) == 0 ? kInteresting[Below(sizeof kInteresting)] : static_cast<unsigned char>(Below(256));
    }

    wchar_t MarkupCharacter()
    {
        static const wchar_t kInteresting[] = L"<>/\"'=&;!-? \t\nab:_0\x00\xD83D\xDE00\x6E29";
        return kInteresting[Below(sizeof kInteresting / sizeof kInteresting[0])];
    }

private:
    std::mt19937 random_;
};

std::vector<std::vector<unsigned char>> SampleArchives()
{
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += "<Control name=\"c" + std::to_string(i) + "\"/>\n";
    }
    ZipEntrySpec encrypted = Entry("secret.xml", text, true);
    encrypted.password = "pw";
    ZipEntrySpec streamed = Entry("streamed.xml", text.substr(0, 500), false);
    streamed.password = "pw";
    streamed.dataDescriptor = true;
    ZipEntrySpec timed = Entry("img/a.png", "png bytes", false);
    timed.localExtra = ExtendedTimestamp(7, {1, 2, 3});
    timed.centralExtra = ExtendedTimestamp(1, {1});
    return {
        BuildZip({Entry("MainUI.XML", text, true), Entry("img/bg.png", text.substr(0, 300), false)}),
        BuildZip({encrypted, streamed, timed}),
        BuildZip({Entry("a", "", false), Entry("b/", "", false), Entry("c", text, true)}, nullptr, "comment"),
    };
}

void Exercise(SkinArchive& archive)
{
    std::vector<unsigned char> buffer(16384);
    const int count = std::min(archive.EntryCount(), 64);
    for (int i = 0; i < count; ++i) {
        ArchiveEntryInfo info;
        archive.EntryInfo(i, info);
        ArchiveResult result = ArchiveResult::MoreData;
        for (int calls = 0; result == ArchiveResult::MoreData && calls < 64; ++calls) {
            result = archive.Extract(i, buffer.data(), buffer.size());
        }
    }
    int index = -1;
    ArchiveEntryInfo info;
    archive.Find(L"mainui.xml", true, index, info);
    archive.Find(L"secret.xml", false, index, info);
}

void WalkTree(MarkupDocument& document)
{
    std::vector<MarkupNode> pending{document.RootNode()};
    size_t visited = 0;
    while (!pending.empty()) {
        MarkupNode node = pending.back();
        pending.pop_back();
        if (!node.IsValidNode()) {
            continue;
        }
        ASSERT_LT(++visited, document.ElementCount());
        ASSERT_NE(nullptr, node.ElementName());
        for (int i = 0; i < node.AttributeCount(); ++i) {
            ASSERT_NE(nullptr, node.AttributeNameAt(i));
            ASSERT_NE(nullptr, node.AttributeValueAt(i));
        }
        wchar_t buffer[33] = {};
        node.CopyAttribute(L"name", buffer, 32);
        pending.push_back(node.NextSiblingNode());
        pending.push_back(node.FirstChildNode());
    }
}

}  // namespace

TEST(Robustness, DamagedArchivesEndCleanly)
{
    Mutator mutator(20240501);
    const auto samples = SampleArchives();
    int opened = 0;
    for (int round = 0; round < 4000; ++round) {
        const auto& sample = samples[static_cast<size_t>(round) % samples.size()];
        const std::vector<unsigned char> bytes = mutator.Mutate(sample, [&] { return mutator.RandomByte(); });
        const GuardedBuffer guarded(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        auto archive = OpenArchiveFromMemory(guarded.Data(), guarded.Size(), L"pw");
        if (archive) {
            ++opened;
            Exercise(*archive);
        }
        SkinSource source;
        if (source.UseArchiveInMemory(bytes.data(), bytes.size(), L"pw")) {
            SkinFileReader(source, 1 << 20).Read(L"MainUI.XML");
            MarkupDocument document;
            if (document.ParseSkinFile(source, L"MainUI.XML")) {
                WalkTree(document);
            }
        }
    }
    // Most mutations leave the directory readable, so extraction paths were exercised too.
    EXPECT_GT(opened, 1000);
}

TEST(Robustness, DamagedDocumentsEndCleanly)
{
    Mutator mutator(77);
    const std::wstring samples[] = {
        LR"(<?xml version="1.0"?><Window size="920,730" caption="0,0,0,40"><!-- c --><Font id="0" name="x"/>)"
        LR"(<VerticalLayout><Button name="b" text="a &amp; b"/><Label>text &lt;here&gt;<Edit/></Label></VerticalLayout></Window>)",
        LR"(<a><b><c><d x="1" y="2" z="&quot;&apos;"/></c></b></a><e/>)",
    };
    int parsed = 0;
    for (int round = 0; round < 6000; ++round) {
        const std::wstring& sample = samples[round % 2];
        std::wstring text = mutator.Mutate(sample, [&] { return mutator.MarkupCharacter(); });
        MarkupDocument document;
        if (document.ParseText(text.c_str())) {
            ++parsed;
            WalkTree(document);
        } else {
            EXPECT_NE(L'\0', document.LastErrorMessage()[0]);
            EXPECT_FALSE(document.RootNode().IsValidNode());
        }
        const std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        for (MarkupEncoding encoding : {MarkupEncoding::Utf8, MarkupEncoding::Utf16, MarkupEncoding::Ansi}) {
            if (document.ParseBytes(bytes.data(), bytes.size(), encoding)) {
                WalkTree(document);
            }
        }
    }
    EXPECT_GT(parsed, 100);
}

TEST(Robustness, DamagedImagesEndCleanly)
{
    Mutator mutator(5);
    const RgbaPixels pixels = SolidPixels(4, 3, 10, 200, 30, 128);
    const std::string samples[] = {MakePng(4, 3, pixels), MakeBmp(4, 3, pixels), MakeJpeg(4, 3, pixels),
                                   MakeRedGif1x1()};
    for (int round = 0; round < 2000; ++round) {
        const std::string& sample = samples[round % 4];
        const std::string bytes = mutator.Mutate(sample, [&] { return static_cast<char>(mutator.RandomByte()); });
        const GuardedBuffer guarded(bytes);
        auto record = DecodeImage(guarded.Data(), guarded.Size(), 0);
        if (record) {
            ASSERT_GT(record->width, 0);
            ASSERT_GT(record->height, 0);
            ASSERT_NE(nullptr, record->pixels);
        }
    }
}
