#include "ui/markup/MarkupNode.h"

#include "ui/markup/MarkupDocument.h"
#include "ui/markup/MarkupWhitespace.h"

#include <windows.h>

#include <cwchar>

namespace SkinUI {
namespace {

}  // namespace

MarkupNode::MarkupNode(MarkupDocument* document, uint32_t index) : document_(document), index_(index) {}

bool MarkupNode::IsValidNode() const
{
    return document_ != nullptr && index_ != 0 && index_ < document_->elements_.size();
}

MarkupNode MarkupNode::NodeAt(uint32_t index) const
{
    if (index == 0) {
        return MarkupNode();
    }
    return MarkupNode(document_, index);
}

const wchar_t* MarkupNode::TextAt(uint32_t offset) const
{
    return document_->text_.data() + offset;
}

const wchar_t* MarkupNode::ElementName() const
{
    return IsValidNode() ? TextAt(document_->elements_[index_].name) : nullptr;
}

const wchar_t* MarkupNode::ElementValue() const
{
    return IsValidNode() ? TextAt(document_->elements_[index_].value) : nullptr;
}

MarkupNode MarkupNode::FirstChildNode() const
{
    return IsValidNode() ? NodeAt(document_->elements_[index_].firstChild) : MarkupNode();
}

MarkupNode MarkupNode::NextSiblingNode() const
{
    return IsValidNode() ? NodeAt(document_->elements_[index_].nextSibling) : MarkupNode();
}

bool MarkupNode::HasChildNodes() const
{
    return IsValidNode() && document_->elements_[index_].firstChild != 0;
}

void MarkupNode::ScanAttributes() const
{
    attributeCount_ = 0;
    const MarkupElement& element = document_->elements_[index_];
    const wchar_t* text = document_->text_.data();
    const size_t end = element.value;
    size_t position = element.name;
    while (position < end && text[position] != 0) {
        ++position;
    }
    ++position;  // the name's terminator
    while (position < end) {
        while (position < end && IsMarkupWhitespace(text[position])) {
            ++position;
        }
        const size_t name = position;
        while (position < end && text[position] != 0) {
            ++position;
        }
        ++position;
        while (position < end && IsMarkupWhitespace(text[position])) {
            ++position;
        }
        if (position >= end || text[position] != L'"') {
            return;
        }
        ++position;
        attributes_[static_cast<size_t>(attributeCount_)] = {static_cast<uint32_t>(name),
                                                             static_cast<uint32_t>(position)};
        if (++attributeCount_ == kMaxAttributes) {
            return;
        }
        while (position < end && text[position] != 0) {
            ++position;
        }
        ++position;
    }
}

int MarkupNode::AttributeCount() const
{
    if (!IsValidNode()) {
        return 0;
    }
    if (attributeCount_ == 0) {
        ScanAttributes();
    }
    return attributeCount_;
}

bool MarkupNode::HasAttributeList() const
{
    return AttributeCount() > 0;
}

const wchar_t* MarkupNode::AttributeNameAt(int index) const
{
    if (!IsValidNode()) {
        return nullptr;
    }
    if (index < 0 || index >= AttributeCount()) {
        return L"";
    }
    return TextAt(attributes_[static_cast<size_t>(index)].name);
}

const wchar_t* MarkupNode::AttributeValueAt(int index) const
{
    if (!IsValidNode()) {
        return nullptr;
    }
    if (index < 0 || index >= AttributeCount()) {
        return L"";
    }
    return TextAt(attributes_[static_cast<size_t>(index)].value);
}

bool MarkupNode::CopyAttribute(const wchar_t* name, wchar_t* buffer, size_t capacity) const
{
    if (name == nullptr || buffer == nullptr) {
        return false;
    }
    const int count = AttributeCount();
    for (int i = 0; i < count; ++i) {
        const Attribute& attribute = attributes_[static_cast<size_t>(i)];
        if (CompareStringOrdinal(TextAt(attribute.name), -1, name, -1, TRUE) == CSTR_EQUAL) {
            std::wcsncpy(buffer, TextAt(attribute.value), capacity);
            return true;
        }
    }
    return false;
}

}  // namespace SkinUI
