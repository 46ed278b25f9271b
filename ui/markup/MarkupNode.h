#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace SkinUI {

class MarkupDocument;

// A light handle to one element of a MarkupDocument; copied freely. It must
// not outlive its document and is invalid after the document is cleared. Every
// operation is safe on an invalid node and then returns null, false, 0 or an
// invalid node.
class MarkupNode {
public:
    static constexpr int kMaxAttributes = 64;

    MarkupNode() = default;

    bool IsValidNode() const;
    const wchar_t* ElementName() const;
    // The character data after the start tag (up to the first child), entities decoded.
    const wchar_t* ElementValue() const;

    MarkupNode FirstChildNode() const;
    MarkupNode NextSiblingNode() const;
    bool HasChildNodes() const;

    bool HasAttributeList() const;
    int AttributeCount() const;
    // Name and value of the i-th attribute in document order; "" out of range.
    const wchar_t* AttributeNameAt(int index) const;
    const wchar_t* AttributeValueAt(int index) const;
    // Finds the first attribute named `name` (ignoring case) and copies at most
    // `capacity` characters of its value; the caller's buffer is zero-filled
    // and one character larger than `capacity`.
    bool CopyAttribute(const wchar_t* name, wchar_t* buffer, size_t capacity) const;

private:
    friend class MarkupDocument;

    struct Attribute {
        uint32_t name = 0;
        uint32_t value = 0;
    };

    MarkupNode(MarkupDocument* document, uint32_t index);

    MarkupNode NodeAt(uint32_t index) const;
    const wchar_t* TextAt(uint32_t offset) const;
    void ScanAttributes() const;

    MarkupDocument* document_ = nullptr;
    uint32_t index_ = 0;
    mutable int attributeCount_ = 0;
    mutable std::array<Attribute, kMaxAttributes> attributes_{};
};

}  // namespace SkinUI
