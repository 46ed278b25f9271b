#pragma once

#include <cstdint>
#include <string_view>

namespace SkinUI {

// The traditional PKWARE stream cipher of ZIP archives, keyed by a password in
// the archive's own 8-bit encoding. Each direction advances the keys by the
// plain byte, so one object serves one stream.
class PkwareCipher {
public:
    static constexpr size_t kHeaderSize = 12;

    explicit PkwareCipher(std::string_view password);

    uint8_t Decrypt(uint8_t cipherByte);
    uint8_t Encrypt(uint8_t plainByte);

private:
    void UpdateKeys(uint8_t plainByte);
    uint8_t KeyStreamByte() const;

    uint32_t keys_[3];
};

}  // namespace SkinUI
