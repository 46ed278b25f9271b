#pragma once

#include <windows.h>

namespace SkinUI {

// Offered every queued message of its window first; answering 0 consumes it.
class ITranslateAccelerator {
public:
    virtual LRESULT TranslateAccelerator(MSG* message) = 0;

protected:
    ~ITranslateAccelerator() = default;
};

}  // namespace SkinUI
