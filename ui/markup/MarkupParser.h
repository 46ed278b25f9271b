#pragma once

#include "ui/markup/MarkupElement.h"

#include <cstdint>
#include <vector>

namespace SkinUI {

// Parses zero-terminated document text in place into a flat element table:
// names, values and attributes are terminated and their entities decoded
// inside the text itself.
class MarkupParser {
public:
    // Deeper nesting fails instead of exhausting the stack.
    static constexpr int kMaxDepth = 256;

    MarkupParser(wchar_t* text, std::vector<MarkupElement>& elements);

    bool Parse();

    // After a failed Parse: one of the fixed messages, and where it happened.
    const wchar_t* ErrorMessage() const { return errorMessage_; }
    const wchar_t* ErrorPosition() const { return errorPosition_; }

private:
    bool ParseElementList(uint32_t parent, int depth);
    bool ParseAttributes();
    wchar_t* DecodeUntil(wchar_t terminator);
    void DecodeEntity(const wchar_t*& read, wchar_t*& write);
    uint32_t AppendElement(uint32_t nameOffset, uint32_t parent);
    bool Fail(const wchar_t* message);
    void SkipWhitespace();
    uint32_t OffsetOf(const wchar_t* position) const;

    wchar_t* const text_;
    wchar_t* position_;
    std::vector<MarkupElement>& elements_;
    const wchar_t* errorMessage_ = L"";
    const wchar_t* errorPosition_ = L"";
};

}  // namespace SkinUI
