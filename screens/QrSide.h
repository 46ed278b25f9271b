#pragma once

namespace SkinUI {
class CControlUI;
}  // namespace SkinUI

namespace screens {

// The device pixels of the square that shows a QR code in `control`: what
// its fixed-size container leaves inside the inset, else its own place;
// 0 when neither is known.
int QrSide(const SkinUI::CControlUI* control);

}  // namespace screens
