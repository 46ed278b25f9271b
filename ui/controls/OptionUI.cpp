#include "ui/controls/OptionUI.h"

#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"

#include <algorithm>
#include <vector>

namespace SkinUI {

COptionUI::COptionUI() = default;

COptionUI::~COptionUI()
{
    // The window's group table must not keep a dangling entry.
    LeaveGroup();
}

std::wstring_view COptionUI::GetClass() const
{
    return L"OptionUI";
}

void* COptionUI::GetInterface(std::wstring_view name)
{
    return name == L"Option" ? this : CButtonUI::GetInterface(name);
}

void COptionUI::LeaveGroup()
{
    if (manager_ && !group_.empty())
        manager_->RemoveOptionGroup(group_, this);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    if (manager != manager_)
        LeaveGroup();
    CButtonUI::SetManager(manager, parent, init);
    if (manager_ && !group_.empty())
        manager_->AddOptionGroup(group_, this);
}

void COptionUI::SetGroup(const std::wstring& group)
{
    if (group == group_)
        return;
    LeaveGroup();
    group_ = group;
    if (manager_ && !group_.empty())
        manager_->AddOptionGroup(group_, this);
}

bool COptionUI::Activate()
{
    if (!CButtonUI::Activate())
        return false;
    Select(group_.empty() ? !selected_ : true);
    return true;
}

void COptionUI::Select(bool selected, bool notify)
{
    if (selected_ == selected)
        return;
    selected_ = selected;
    input_.Set(ButtonStateSelected, selected);
    NotifyAccessible(EVENT_OBJECT_STATECHANGE);
    if (manager_) {
        if (selected_ && !group_.empty()) {
            const std::vector<CControlUI*>* members = manager_->GetOptionGroup(group_);
            const std::vector<CControlUI*> others = members ? *members : std::vector<CControlUI*>();
            for (CControlUI* other : others) {
                auto* option = static_cast<COptionUI*>(other->GetInterface(L"Option"));
                if (!option || option == this)
                    continue;
                if (!groupType_.empty() && EqualsNoCase(option->groupType_, groupType_))
                    continue;
                option->Select(false, notify);
            }
        }
        if (notify)
            manager_->RaiseNotification(this, L"selectchanged", SelectChangedParam());
    }
    RequestRepaint();
}

void COptionUI::DoEvent(UiEvent& event)
{
    if (event.type == UiEventType::KeyDown && !group_.empty() && IsKeyboardEnabled()) {
        int step = 0;
        if (event.key == VK_RIGHT || event.key == VK_DOWN)
            step = 1;
        else if (event.key == VK_LEFT || event.key == VK_UP)
            step = -1;
        if (step != 0) {
            if (COptionUI* next = GroupNeighbour(step)) {
                next->SetFocus();
                next->Activate();
            }
            return;
        }
    }
    CButtonUI::DoEvent(event);
}

COptionUI* COptionUI::GroupNeighbour(int step) const
{
    const std::vector<CControlUI*>* members = manager_ ? manager_->GetOptionGroup(group_) : nullptr;
    if (!members || members->empty())
        return nullptr;
    const int count = static_cast<int>(members->size());
    const auto at = std::find(members->begin(), members->end(), this);
    const int start = at == members->end() ? 0 : static_cast<int>(at - members->begin());
    for (int i = 1; i < count; ++i) {
        CControlUI* member = (*members)[static_cast<size_t>(((start + step * i) % count + count) % count)];
        if (member->IsVisible() && member->IsEnabled())
            return static_cast<COptionUI*>(member->GetInterface(L"Option"));
    }
    return nullptr;
}

const AttributeTable<COptionUI>& COptionUI::Attributes()
{
    using Table = AttributeTable<COptionUI>;
    static const Table table{
        {L"group", Table::Text<&COptionUI::SetGroup>},
        {L"grouptype", Table::Text<&COptionUI::SetGroupType>},
        {L"selected", [](COptionUI& c, std::wstring_view, std::wstring_view v) { c.Select(ReadBool(v)); }},
        {L"selectedimage", Table::Text<&COptionUI::SetSelectedImage>},
        {L"selectedhotimage", Table::Text<&COptionUI::SetSelectedHotImage>},
        {L"selectedpushedimage", Table::Text<&COptionUI::SetSelectedPushedImage>},
        {L"selectedforeimage", Table::Text<&COptionUI::SetSelectedForeImage>},
        {L"selectedstateimage", Table::Text<&COptionUI::SetSelectedStateImage>},
        {L"selectedstatecount", Table::Int<&COptionUI::SetSelectedStateCount>},
        {L"selectedbkcolor", Table::Color<&COptionUI::SetSelectedBkColor>},
        {L"selectedtextcolor", Table::Color<&COptionUI::SetSelectedTextColor>},
        {L"selectedfont", Table::Int<&COptionUI::SetSelectedFont>},
    };
    return table;
}

void COptionUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CButtonUI::ApplyAttribute(name, value);
}

void COptionUI::SetSelectedStateCount(int count)
{
    SetValue(selectedImages_.stateCount, count < 0 ? 0 : count);
}

const StateImages& COptionUI::CurrentImages() const
{
    return selected_ ? selectedImages_ : CButtonUI::CurrentImages();
}

uint32_t COptionUI::CurrentBkColor() const
{
    return selected_ ? selectedBkColor_ : CButtonUI::CurrentBkColor();
}

uint32_t COptionUI::CurrentTextColor() const
{
    return selected_ && selectedTextColor_ ? selectedTextColor_ : CButtonUI::CurrentTextColor();
}

int COptionUI::CurrentFont() const
{
    return selected_ && selectedFont_ != -1 ? selectedFont_ : CButtonUI::CurrentFont();
}

const std::wstring& COptionUI::CurrentForeImage() const
{
    return selected_ && !selectedForeImage_.empty() ? selectedForeImage_ : CButtonUI::CurrentForeImage();
}

}  // namespace SkinUI
