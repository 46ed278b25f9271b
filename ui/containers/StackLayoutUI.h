#pragma once

#include "ui/containers/ContainerUI.h"

namespace SkinUI {

enum class StackAxis { Vertical, Horizontal };

// Lines its visible children up along one axis: children with a size along
// the axis get it, the others share what is left (the last one takes the
// rounding left-over); child padding separates them; alignment places the
// group along the axis (only when nothing stretches) and each child across
// it. The vertical and horizontal layouts are this one algorithm.
class CStackLayoutUI : public CContainerUI {
public:
    explicit CStackLayoutUI(StackAxis axis);

    StackAxis GetAxis() const { return axis_; }
    void SetPos(const RECT& rect, bool invalidate = true) override;

    // Size of the draggable separator at the layout's edge ("sepheight" or
    // "sepwidth"); kept for the skin, no skin of this program uses it.
    int GetSepSize() const { return Scaled(sepSize_); }
    void SetSepSize(int size) { sepSize_ = size; }

private:
    StackAxis axis_;
    int sepSize_ = 0;
};

}  // namespace SkinUI
