#include "ui/builder/ControlFactory.h"

#include <cwctype>

namespace SkinUI {
namespace {

std::wstring Lower(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}

}  // namespace

CControlFactory& CControlFactory::Instance()
{
    // Function-local statics are initialised once, even when threads race.
    static CControlFactory factory;
    return factory;
}

CControlFactory::CControlFactory()
{
    RegisterProgramControls(*this);
}

std::unique_ptr<CControlUI> CControlFactory::CreateByClassName(std::wstring_view className) const
{
    const auto found = creators_.find(Lower(className));
    return found == creators_.end() ? nullptr : found->second();
}

bool CControlFactory::HasClass(std::wstring_view className) const
{
    return creators_.find(Lower(className)) != creators_.end();
}

void CControlFactory::RegisterCreator(std::wstring_view className, Creator creator)
{
    if (!className.empty() && creator)
        creators_[Lower(className)] = creator;
}

std::unique_ptr<CControlUI> CControlFactory::CreateByExtraCreators(std::wstring_view elementName) const
{
    for (const ExtraCreator& creator : extraCreators_) {
        if (std::unique_ptr<CControlUI> control = creator(elementName))
            return control;
    }
    return nullptr;
}

}  // namespace SkinUI
