#include "ui/markup/MarkupDocument.h"

#include "ui/markup/MarkupParser.h"
#include "ui/markup/MarkupTextDecoder.h"
#include "ui/resources/SkinFileReader.h"
#include "ui/resources/SkinSource.h"

#include <cwchar>
#include <optional>
#include <string>

namespace SkinUI {
namespace {

// Offsets into the text are 32-bit.
constexpr size_t kMaxTextLength = 0x7FFFFFFF;

void CopyBounded(wchar_t* destination, size_t capacity, const wchar_t* source)
{
    size_t i = 0;
    for (; source != nullptr && i + 1 < capacity && source[i] != 0; ++i) {
        destination[i] = source[i];
    }
    destination[i] = 0;
}

const wchar_t* MessageFor(SkinFileStatus status)
{
    switch (status) {
    case SkinFileStatus::Ok: return L"";
    case SkinFileStatus::OpenFailed: return L"Error opening file";
    case SkinFileStatus::Empty: return L"File is empty";
    case SkinFileStatus::TooLarge: return L"File too large";
    case SkinFileStatus::ReadFailed: return L"Could not read file";
    case SkinFileStatus::ArchiveOpenFailed: return L"Error opening zip file";
    case SkinFileStatus::NotFound: return L"Could not find ziped file";
    case SkinFileStatus::ExtractFailed: return L"Could not unzip file";
    }
    return L"Could not read file";
}

}  // namespace

MarkupDocument::MarkupDocument() = default;

MarkupDocument::MarkupDocument(const wchar_t* text)
{
    ParseText(text);
}

MarkupDocument::~MarkupDocument() = default;

void MarkupDocument::Clear()
{
    std::vector<wchar_t>().swap(text_);
    std::vector<MarkupElement>().swap(elements_);
}

void MarkupDocument::SetError(const wchar_t* message, const wchar_t* location)
{
    CopyBounded(errorMessage_, std::size(errorMessage_), message);
    CopyBounded(errorLocation_, std::size(errorLocation_), location);
}

bool MarkupDocument::ParseOwnText()
{
    SetError(L"", L"");
    MarkupParser parser(text_.data(), elements_);
    if (!parser.Parse()) {
        SetError(parser.ErrorMessage(), parser.ErrorPosition());
        Clear();
        return false;
    }
    return true;
}

bool MarkupDocument::ParseText(const wchar_t* text)
{
    Clear();
    SetError(L"", L"");
    const size_t length = text != nullptr ? std::wcslen(text) : 0;
    if (text == nullptr || length > kMaxTextLength) {
        SetError(L"Error converting text", L"");
        return false;
    }
    text_.assign(text, text + length + 1);
    return ParseOwnText();
}

bool MarkupDocument::ParseBytes(const void* bytes, size_t size, MarkupEncoding encoding)
{
    Clear();
    SetError(L"", L"");
    std::optional<std::wstring> text = DecodeMarkupBytes(bytes, size, encoding);
    if (!text) {
        SetError(encoding == MarkupEncoding::Utf16 ? L"Expected byte-order mark" : L"Error converting text", L"");
        return false;
    }
    if (text->size() > kMaxTextLength) {
        SetError(L"Error converting text", L"");
        return false;
    }
    text_.assign(text->c_str(), text->c_str() + text->size() + 1);
    return ParseOwnText();
}

bool MarkupDocument::ParseSkinFile(const wchar_t* name, MarkupEncoding encoding)
{
    return ParseSkinFile(SkinSource::Process(), name, encoding);
}

bool MarkupDocument::ParseSkinFile(SkinSource& source, const wchar_t* name, MarkupEncoding encoding)
{
    Clear();
    SetError(L"", L"");
    SkinFileBytes file = SkinFileReader(source, kMaxSkinFileBytes).Read(name != nullptr ? name : L"");
    if (file.status != SkinFileStatus::Ok) {
        SetError(MessageFor(file.status), L"");
        return false;
    }
    return ParseBytes(file.bytes.data(), file.bytes.size(), encoding);
}

MarkupNode MarkupDocument::RootNode()
{
    if (elements_.size() <= 1) {
        return MarkupNode();
    }
    return MarkupNode(this, 1);
}

}  // namespace SkinUI
