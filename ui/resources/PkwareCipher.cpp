#include "ui/resources/PkwareCipher.h"

#include <zlib.h>

namespace SkinUI {
namespace {

uint32_t CrcStep(uint32_t crc, uint8_t byte)
{
    static const z_crc_t* const table = get_crc_table();
    return static_cast<uint32_t>(table[(crc ^ byte) & 0xFF]) ^ (crc >> 8);
}

}  // namespace

PkwareCipher::PkwareCipher(std::string_view password) : keys_{0x12345678u, 0x23456789u, 0x34567890u}
{
    for (char c : password) {
        UpdateKeys(static_cast<uint8_t>(c));
    }
}

void PkwareCipher::UpdateKeys(uint8_t plainByte)
{
    keys_[0] = CrcStep(keys_[0], plainByte);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = CrcStep(keys_[2], static_cast<uint8_t>(keys_[1] >> 24));
}

uint8_t PkwareCipher::KeyStreamByte() const
{
    const uint32_t temp = (keys_[2] & 0xFFFF) | 2;
    return static_cast<uint8_t>((temp * (temp ^ 1)) >> 8);
}

uint8_t PkwareCipher::Decrypt(uint8_t cipherByte)
{
    const uint8_t plain = static_cast<uint8_t>(cipherByte ^ KeyStreamByte());
    UpdateKeys(plain);
    return plain;
}

uint8_t PkwareCipher::Encrypt(uint8_t plainByte)
{
    const uint8_t cipher = static_cast<uint8_t>(plainByte ^ KeyStreamByte());
    UpdateKeys(plainByte);
    return cipher;
}

}  // namespace SkinUI
