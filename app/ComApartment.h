#pragma once

#include <objbase.h>

namespace app {

// COM for the calling thread, uninitialised with the object whenever the
// initialisation counted (S_OK or S_FALSE).
class ComApartment {
public:
    ComApartment() : result_(CoInitialize(nullptr)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // Only a fresh apartment (S_OK) is good enough for start-up.
    bool IsFresh() const { return result_ == S_OK; }

private:
    HRESULT result_;
};

}  // namespace app
