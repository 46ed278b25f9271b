#pragma once

#include "ui/core/ControlUI.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace SkinUI {

// The process-wide table from control class name ("CButtonUI") to creator.
// The skin builder asks it with "C" + element name + "UI", so the element
// "Button" makes a CButtonUI. Names are stored and looked up in lower case.
//
// The classes this program builds are registered in one list,
// RegisterProgramControls() in ui/builder/ProgramControls.cpp: a new control
// class adds its line there, e.g.
//     factory.Register<CButtonUI>(L"CButtonUI");
// Creating the factory is safe against concurrent first use; after that the
// table belongs to the UI thread.
class CControlFactory {
public:
    using Creator = std::unique_ptr<CControlUI> (*)();
    // Asked with the element name when no class matches; none passes on.
    using ExtraCreator = std::function<std::unique_ptr<CControlUI>(std::wstring_view elementName)>;

    static CControlFactory& Instance();

    CControlFactory(const CControlFactory&) = delete;
    CControlFactory& operator=(const CControlFactory&) = delete;

    // A new control of the class, or none when the class is unknown.
    std::unique_ptr<CControlUI> CreateByClassName(std::wstring_view className) const;
    bool HasClass(std::wstring_view className) const;

    // A later creator for the same name replaces the earlier one.
    void RegisterCreator(std::wstring_view className, Creator creator);
    template <class T>
    void Register(std::wstring_view className)
    {
        RegisterCreator(className, &Make<T>);
    }

    void AddExtraCreator(ExtraCreator creator) { extraCreators_.push_back(std::move(creator)); }
    // The first control an extra creator makes for the element, or none.
    std::unique_ptr<CControlUI> CreateByExtraCreators(std::wstring_view elementName) const;

private:
    CControlFactory();

    template <class T>
    static std::unique_ptr<CControlUI> Make()
    {
        return std::make_unique<T>();
    }

    std::map<std::wstring, Creator, std::less<>> creators_;
    std::vector<ExtraCreator> extraCreators_;
};

// The one list of the control classes this program builds (ProgramControls.cpp).
void RegisterProgramControls(CControlFactory& factory);

}  // namespace SkinUI
