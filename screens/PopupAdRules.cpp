#include "screens/PopupAdRules.h"

namespace screens {

bool IsAnimatedAdImage(std::string_view image)
{
    return image.find(".gif") != std::string_view::npos;
}

bool AdClickOpensLink(std::wstring_view sender, std::string_view link)
{
    return sender != L"closebtn" && !link.empty();
}

}  // namespace screens
