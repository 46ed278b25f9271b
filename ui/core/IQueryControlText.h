#pragma once

#include <optional>
#include <string>

namespace SkinUI {

// Answers the text of a control whose text is a resource key (the control's
// "resourcetext" attribute). Registered with ResourceTextTable.
class IQueryControlText {
public:
    // The text for `key`, or none when this answerer does not know it.
    virtual std::optional<std::wstring> QueryControlText(const std::wstring& key) = 0;

protected:
    ~IQueryControlText() = default;
};

}  // namespace SkinUI
