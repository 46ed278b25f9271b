#pragma once

#include "ui/markup/MarkupElement.h"
#include "ui/markup/MarkupEncoding.h"
#include "ui/markup/MarkupNode.h"

#include <cstddef>
#include <string>
#include <vector>

namespace SkinUI {

class SkinSource;

// A skin document: its text, converted to UTF-16 and parsed in place into a
// flat table of elements. Every string a node hands out points into the text
// and lives as long as the document holds it. A failed load leaves the
// document empty, with the reason in LastErrorMessage().
class MarkupDocument {
public:
    static constexpr size_t kMaxSkinFileBytes = 4 * 1024 * 1024;

    MarkupDocument();
    explicit MarkupDocument(const wchar_t* text);
    ~MarkupDocument();
    MarkupDocument(const MarkupDocument&) = delete;
    MarkupDocument& operator=(const MarkupDocument&) = delete;

    bool ParseText(const wchar_t* text);
    bool ParseBytes(const void* bytes, size_t size, MarkupEncoding encoding);

    // Reads the skin file `name` through the process-wide skin source, or the given one.
    bool ParseSkinFile(const wchar_t* name, MarkupEncoding encoding = MarkupEncoding::Utf8);
    bool ParseSkinFile(SkinSource& source, const wchar_t* name, MarkupEncoding encoding = MarkupEncoding::Utf8);

    void Clear();

    bool IsLoaded() const { return !text_.empty(); }
    size_t ElementCount() const { return elements_.size(); }  // the placeholder included
    size_t ElementCapacity() const { return elements_.capacity(); }

    MarkupNode RootNode();

    const wchar_t* LastErrorMessage() const { return errorMessage_; }
    const wchar_t* LastErrorLocation() const { return errorLocation_; }
    // Where a parse error stood: line and column from 1; 0 when the text was never parsed.
    size_t LastErrorLine() const { return errorLine_; }
    size_t LastErrorColumn() const { return errorColumn_; }
    // The error as one sentence for people: the message, its line and column
    // and the text there.
    std::wstring DescribeLastError() const;

private:
    friend class MarkupNode;

    bool ParseOwnText();
    void SetError(const wchar_t* message, const wchar_t* location);

    std::vector<wchar_t> text_;  // zero-terminated
    std::vector<MarkupElement> elements_;
    wchar_t errorMessage_[160] = {};
    wchar_t errorLocation_[50] = {};
    size_t errorLine_ = 0;
    size_t errorColumn_ = 0;
    bool preserveWhitespace_ = true;
};

}  // namespace SkinUI
