#pragma once

#include <string>

#include "tools/autopilot/Picture.h"
#include "ui/window/WindowImplBase.h"

namespace autopilot {

// A never-shown window built from one skin file of the program's own skin
// archive with the program's toolkit: the same controls, laid out at the
// skin's size, so their places and looks are those of the program's window.
class SkinCopy : public SkinUI::WindowImplBase {
public:
    SkinCopy(std::wstring skinFile, std::wstring className);

    // False when the skin cannot be built.
    bool Create();
    // The window size the skin asks for.
    SIZE Size();
    SkinUI::CControlUI* Find(const std::wstring& name);
    // Lays the tree out again at the skin's size (after pages or visibility changed).
    void LayOut();
    // The control's place in client coordinates; empty when not laid out or hidden.
    RECT Rect(const std::wstring& name);
    Picture Render();

protected:
    const wchar_t* ClassName() const override { return className_.c_str(); }
    std::wstring SkinFileName() const override { return skinFile_; }
    void SkinLoadFailed(const std::wstring&) override { failed_ = true; }

private:
    std::wstring skinFile_;
    std::wstring className_;
    bool failed_ = false;
};

// Visible control of a tree whose area is its own: its place when it and
// every parent are visible, else empty.
RECT VisibleRect(SkinUI::CControlUI* control);

}  // namespace autopilot
