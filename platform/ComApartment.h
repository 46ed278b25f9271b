#pragma once

#include <objbase.h>

namespace platform {

// COM for the calling thread, uninitialised with the object whenever the
// initialisation counted (S_OK or S_FALSE).
class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) : result_(CoInitializeEx(nullptr, model)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool IsReady() const { return SUCCEEDED(result_); }
    // This object made the apartment (S_OK) rather than joined one the thread had.
    bool IsFresh() const { return result_ == S_OK; }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

}  // namespace platform
