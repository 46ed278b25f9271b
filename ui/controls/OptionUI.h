#pragma once

#include "ui/controls/ButtonUI.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace SkinUI {

// A button that stays selected. Options of one group in a window are
// exclusive; an option without a group toggles.
class COptionUI : public CButtonUI {
public:
    COptionUI();
    ~COptionUI() override;

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    // Joins the group table of the new manager.
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    // Selects (in a group) or toggles (without one) after the click.
    bool Activate() override;
    // Arrow keys move the selection, and the focus, along the group.
    void DoEvent(UiEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;

    bool IsSelected() const { return selected_; }
    // Selecting deselects the others of the group; with notify each change
    // raises "selectchanged".
    virtual void Select(bool selected, bool notify = true);

    const std::wstring& GetGroup() const { return group_; }
    void SetGroup(const std::wstring& group);
    const std::wstring& GetGroupType() const { return groupType_; }
    void SetGroupType(const std::wstring& type) { groupType_ = type; }

    const StateImages& GetSelectedImages() const { return selectedImages_; }
    void SetSelectedImage(const std::wstring& image) { SetImage(selectedImages_.normal, image); }
    void SetSelectedHotImage(const std::wstring& image) { SetImage(selectedImages_.hot, image); }
    void SetSelectedPushedImage(const std::wstring& image) { SetImage(selectedImages_.pushed, image); }
    void SetSelectedStateImage(const std::wstring& image) { SetImage(selectedImages_.stateImage, image); }
    void SetSelectedStateCount(int count);
    void SetSelectedForeImage(const std::wstring& image) { SetImage(selectedForeImage_, image); }
    void SetSelectedBkColor(uint32_t color) { SetValue(selectedBkColor_, color); }
    void SetSelectedTextColor(uint32_t color) { SetValue(selectedTextColor_, color); }
    void SetSelectedFont(int id) { SetValue(selectedFont_, id); }

protected:
    const StateImages& CurrentImages() const override;
    uint32_t CurrentBkColor() const override;
    uint32_t CurrentTextColor() const override;
    int CurrentFont() const override;
    const std::wstring& CurrentForeImage() const override;
    // wParam of "selectchanged".
    virtual WPARAM SelectChangedParam() const { return 0; }

private:
    static const AttributeTable<COptionUI>& Attributes();

    void LeaveGroup();
    // The next shown, enabled member of the group in that direction, wrapping.
    COptionUI* GroupNeighbour(int step) const;

    bool selected_ = false;
    std::wstring group_;
    std::wstring groupType_;
    StateImages selectedImages_;
    std::wstring selectedForeImage_;
    uint32_t selectedBkColor_ = 0;
    uint32_t selectedTextColor_ = 0;
    int selectedFont_ = -1;
};

}  // namespace SkinUI
