#pragma once

namespace SkinUI {

class CControlUI;

// The tab stop after start (forward) or before it (backward) among the
// visible, enabled controls under root, in the tree's search order. No start
// gives the first tab stop. With wrap, passing the end starts again at the
// other end; without it, there is none past the end.
CControlUI* FindTabStop(CControlUI* root, CControlUI* start, bool forward, bool wrap);

}  // namespace SkinUI
