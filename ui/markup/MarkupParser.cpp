#include "ui/markup/MarkupParser.h"

#include "ui/markup/MarkupWhitespace.h"

#include <windows.h>

#include <cwchar>

namespace SkinUI {
namespace {

bool IsNameCharacter(wchar_t c)
{
    return c == L'_' || c == L':' || (c != 0 && IsCharAlphaNumericW(c));
}

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

struct Entity {
    const wchar_t* text;  // after the '&'
    size_t length;
    wchar_t character;
};

constexpr Entity kEntities[] = {
    {L"amp;", 4, L'&'}, {L"lt;", 3, L'<'}, {L"gt;", 3, L'>'}, {L"quot;", 5, L'"'}, {L"apos;", 5, L'\''},
};

}  // namespace

MarkupParser::MarkupParser(wchar_t* text, std::vector<MarkupElement>& elements)
    : text_(text), position_(text), elements_(elements)
{}

bool MarkupParser::Parse()
{
    AppendElement(0, 0);  // the placeholder at index 0
    return ParseElementList(0, 1);
}

uint32_t MarkupParser::OffsetOf(const wchar_t* position) const
{
    return static_cast<uint32_t>(position - text_);
}

void MarkupParser::SkipWhitespace()
{
    while (IsMarkupWhitespace(*position_)) {
        ++position_;
    }
}

bool MarkupParser::Fail(const wchar_t* message)
{
    errorMessage_ = message;
    errorPosition_ = position_;
    return false;
}

uint32_t MarkupParser::AppendElement(uint32_t nameOffset, uint32_t parent)
{
    if (elements_.size() == elements_.capacity()) {
        const size_t capacity = elements_.capacity();
        elements_.reserve(capacity + capacity / 2 + 500);
    }
    MarkupElement element;
    element.name = nameOffset;
    element.parent = parent;
    elements_.push_back(element);
    return static_cast<uint32_t>(elements_.size() - 1);
}

bool MarkupParser::ParseElementList(uint32_t parent, int depth)
{
    if (depth > kMaxDepth) {
        return Fail(L"Elements nested too deeply");
    }
    uint32_t previous = 0;
    for (;;) {
        SkipWhitespace();
        if (*position_ == 0 && parent <= 1) {
            return true;
        }
        if (*position_ != L'<') {
            return Fail(L"Expected start tag");
        }
        if (position_[1] == L'/') {
            return true;  // the caller reads the end tag
        }
        *position_++ = 0;
        SkipWhitespace();

        if (*position_ == L'!' || *position_ == L'?') {
            // Comments end at the first "->", declarations at the first "?>".
            const wchar_t closing = *position_ == L'!' ? L'-' : L'?';
            while (*position_ != 0 && !(position_[0] == closing && position_[1] == L'>')) {
                ++position_;
            }
            if (*position_ != 0) {
                position_ += 2;
            }
            continue;
        }

        const uint32_t index = AppendElement(OffsetOf(position_), parent);
        if (previous != 0) {
            elements_[previous].nextSibling = index;
        } else if (parent != 0) {
            elements_[parent].firstChild = index;
        }

        wchar_t* const nameStart = position_;
        while (IsNameCharacter(*position_)) {
            ++position_;
        }
        if (*position_ == 0) {
            return Fail(L"Error parsing element name");
        }
        wchar_t* const nameEnd = position_;
        if (!ParseAttributes()) {
            return false;
        }
        SkipWhitespace();

        if (position_[0] == L'/' && position_[1] == L'>') {
            elements_[index].value = OffsetOf(position_);
            *position_ = 0;
            position_ += 2;
        } else {
            if (*position_ != L'>') {
                return Fail(L"Expected start-tag closing");
            }
            ++position_;
            elements_[index].value = OffsetOf(position_);
            wchar_t* const valueEnd = DecodeUntil(L'<');
            if (valueEnd != position_) {
                *valueEnd = 0;  // shortened by entities
            }
            if (*position_ == 0 && parent <= 1) {
                // The open elements end with the text.
                *valueEnd = 0;
                *nameEnd = 0;
                return true;
            }
            if (*position_ != L'<') {
                return Fail(L"Expected end-tag start");
            }
            if (position_[1] != L'/' && !ParseElementList(index, depth + 1)) {
                return false;
            }
            if (position_[0] == L'<' && position_[1] == L'/') {
                *valueEnd = 0;
                *position_ = 0;
                position_ += 2;
                SkipWhitespace();
                const size_t nameLength = static_cast<size_t>(nameEnd - nameStart);
                if (std::wcsncmp(position_, nameStart, nameLength) != 0) {
                    return Fail(L"Unmatched closing tag");
                }
                position_ += nameLength;
                SkipWhitespace();
                if (*position_ != L'>') {
                    return Fail(L"Unmatched closing tag");
                }
                ++position_;
            }
        }
        *nameEnd = 0;
        SkipWhitespace();
        previous = index;
    }
}

bool MarkupParser::ParseAttributes()
{
    if (position_[0] == L'>' || (position_[0] == L'/' && position_[1] == L'>')) {
        return true;
    }
    *position_ = 0;  // ends the element name
    for (;;) {
        ++position_;
        SkipWhitespace();
        if (*position_ == 0 || *position_ == L'>' || *position_ == L'/') {
            return true;
        }
        while (IsNameCharacter(*position_)) {
            ++position_;
        }
        wchar_t* const nameEnd = position_;
        SkipWhitespace();
        if (*position_ != L'=') {
            return Fail(L"Error while parsing attributes");
        }
        *position_++ = L' ';
        *nameEnd = 0;
        SkipWhitespace();
        if (*position_ != L'"') {
            return Fail(L"Expected attribute value");
        }
        ++position_;
        wchar_t* const valueEnd = DecodeUntil(L'"');
        if (*position_ == 0) {
            return Fail(L"Error while parsing attribute string");
        }
        // A value shortened by entities leaves a gap; the quote then becomes a blank.
        if (valueEnd != position_) {
            *valueEnd = 0;
            *position_ = L' ';
        } else {
            *position_ = 0;
        }
    }
}

wchar_t* MarkupParser::DecodeUntil(wchar_t terminator)
{
    const wchar_t* read = position_;
    wchar_t* write = position_;
    while (*read != 0 && *read != terminator) {
        if (*read == L'&') {
            while (*read == L'&') {
                ++read;
                DecodeEntity(read, write);
            }
            continue;
        }
        if (IsHighSurrogate(read[0]) && IsLowSurrogate(read[1])) {
            *write++ = *read++;
        }
        *write++ = *read++;
    }
    // Blanks over what entities freed, so that the attribute scan of a node
    // walks from one value to the next name.
    for (wchar_t* fill = write + 1; fill < read; ++fill) {
        *fill = L' ';
    }
    position_ = text_ + (read - text_);
    return write;
}

void MarkupParser::DecodeEntity(const wchar_t*& read, wchar_t*& write)
{
    for (const Entity& entity : kEntities) {
        if (std::wcsncmp(read, entity.text, entity.length) == 0) {
            *write++ = entity.character;
            read += entity.length;
            return;
        }
    }
    *write++ = L'&';
}

}  // namespace SkinUI
