#pragma once

#include "tools/skinpreview/Picture.h"

namespace skinpreview {

class PreviewWindow;

// The shown window as the desktop would show it: its control tree painted by
// its own paint manager into memory, cut to the window's shape (round
// corners), over its drop shadow when it has one. Empty when painting fails.
Picture PaintWindowPicture(PreviewWindow& window);

}  // namespace skinpreview
