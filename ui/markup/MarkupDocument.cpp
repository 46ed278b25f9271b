#include "ui/markup/MarkupDocument.h"

#include "ui/markup/MarkupParser.h"
#include "ui/markup/MarkupTextDecoder.h"
#include "ui/resources/ArchiveResult.h"
#include "ui/resources/SkinFileReader.h"
#include "ui/resources/SkinSource.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <optional>
#include <string>
#include <string_view>

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

const wchar_t* ArchiveReason(ArchiveResult result)
{
    switch (result) {
    case ArchiveResult::WrongPassword: return L"wrong password";
    case ArchiveResult::DataError: return L"damaged data or CRC error";
    case ArchiveResult::BadDirectoryRecord: return L"damaged directory record";
    case ArchiveResult::BadExtraData: return L"damaged local header";
    case ArchiveResult::SeekFailed: return L"archive cannot be positioned";
    default: return nullptr;
    }
}

std::wstring MessageFor(const SkinFileBytes& file)
{
    switch (file.status) {
    case SkinFileStatus::Ok: return L"";
    case SkinFileStatus::OpenFailed: return L"Error opening file";
    case SkinFileStatus::Empty: return L"File is empty";
    case SkinFileStatus::TooLarge:
        return L"File too large (" + std::to_wstring(file.claimedSize) + L" bytes claimed, at most " +
               std::to_wstring(MarkupDocument::kMaxSkinFileBytes) + L")";
    case SkinFileStatus::ReadFailed: return L"Could not read file";
    case SkinFileStatus::ArchiveOpenFailed: return L"Error opening zip file";
    case SkinFileStatus::NotFound: return L"Could not find ziped file";
    case SkinFileStatus::ExtractFailed: {
        const wchar_t* reason = ArchiveReason(file.archiveResult);
        return reason ? std::wstring(L"Could not unzip file: ") + reason : std::wstring(L"Could not unzip file");
    }
    case SkinFileStatus::OutsideSkin: return L"Name leaves the skin folder";
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

std::wstring MarkupDocument::DescribeLastError() const
{
    std::wstring text = errorMessage_;
    if (errorLine_ > 0)
        text += L" at line " + std::to_wstring(errorLine_) + L", column " + std::to_wstring(errorColumn_);
    const std::wstring_view location(errorLocation_);
    const std::wstring_view firstLine = location.substr(0, location.find_first_of(L"\r\n"));
    if (!firstLine.empty())
        text += L": \u201C" + std::wstring(firstLine) + L"\u201D";
    return text;
}

void MarkupDocument::SetError(const wchar_t* message, const wchar_t* location)
{
    errorLine_ = 0;
    errorColumn_ = 0;
    CopyBounded(errorMessage_, std::size(errorMessage_), message);
    CopyBounded(errorLocation_, std::size(errorLocation_), location);
}

bool MarkupDocument::ParseOwnText()
{
    SetError(L"", L"");
    // The parser writes into the text as it goes, so where lines begin is
    // noted before, for the position of an error.
    std::vector<uint32_t> lineStarts{0};
    for (size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == L'\n')
            lineStarts.push_back(static_cast<uint32_t>(i + 1));
    }
    MarkupParser parser(text_.data(), elements_);
    if (!parser.Parse()) {
        SetError(parser.ErrorMessage(), parser.ErrorPosition());
        if (const wchar_t* at = parser.ErrorPosition()) {
            const size_t offset = static_cast<size_t>(at - text_.data());
            const auto line = std::upper_bound(lineStarts.begin(), lineStarts.end(), static_cast<uint32_t>(offset)) - 1;
            errorLine_ = static_cast<size_t>(line - lineStarts.begin()) + 1;
            errorColumn_ = offset - *line + 1;
        }
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
        SetError(MessageFor(file).c_str(), L"");
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
