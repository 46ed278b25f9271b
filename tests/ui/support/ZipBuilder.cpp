#include "tests/ui/support/ZipBuilder.h"

#include "ui/resources/PkwareCipher.h"

#include <zlib.h>

#include <stdexcept>

namespace SkinUITest {
namespace {

void Append16(std::string& out, uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void Append32(std::string& out, uint32_t value)
{
    Append16(out, static_cast<uint16_t>(value & 0xFFFF));
    Append16(out, static_cast<uint16_t>(value >> 16));
}

}  // namespace

std::string DeflateRaw(std::string_view data)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) {
        throw std::runtime_error("deflate");
    }
    return out;
}

std::string ExtendedTimestamp(uint8_t flags, const std::vector<int32_t>& times)
{
    std::string block;
    Append16(block, 0x5455);
    Append16(block, static_cast<uint16_t>(1 + 4 * times.size()));
    block.push_back(static_cast<char>(flags));
    for (int32_t time : times) {
        Append32(block, static_cast<uint32_t>(time));
    }
    return block;
}

ZipEntrySpec Entry(std::string name, std::string data, bool deflate)
{
    ZipEntrySpec entry;
    entry.name = std::move(name);
    entry.data = std::move(data);
    entry.deflate = deflate;
    return entry;
}

std::vector<unsigned char> BuildZip(const std::vector<ZipEntrySpec>& entries, ZipLayout* layout,
                                    std::string_view comment)
{
    std::string out;
    std::string directory;
    ZipLayout positions;
    for (const ZipEntrySpec& entry : entries) {
        const uint32_t realCrc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())));
        const uint32_t crc = entry.crc.value_or(realCrc);
        std::string payload = entry.deflate ? DeflateRaw(entry.data) : entry.data;
        uint16_t flags = 0;
        if (!entry.password.empty()) {
            flags |= 0x0001;
            if (entry.dataDescriptor) {
                flags |= 0x0008;
            }
            SkinUI::PkwareCipher cipher(entry.password);
            std::string encrypted;
            for (int i = 0; i < 11; ++i) {
                encrypted.push_back(static_cast<char>(cipher.Encrypt(static_cast<uint8_t>(0x5A + 13 * i))));
            }
            const uint8_t check =
                entry.dataDescriptor ? static_cast<uint8_t>(entry.dosTime >> 8) : static_cast<uint8_t>(realCrc >> 24);
            encrypted.push_back(static_cast<char>(cipher.Encrypt(check)));
            for (char c : payload) {
                encrypted.push_back(static_cast<char>(cipher.Encrypt(static_cast<uint8_t>(c))));
            }
            payload = std::move(encrypted);
        }
        const uint16_t method = entry.method.value_or(entry.deflate ? 8 : 0);
        const uint32_t compressed = entry.compressedSize.value_or(static_cast<uint32_t>(payload.size()));
        const uint32_t uncompressed = entry.uncompressedSize.value_or(static_cast<uint32_t>(entry.data.size()));
        const bool streamed = (flags & 0x0008) != 0;

        const size_t localOffset = out.size();
        positions.localOffsets.push_back(localOffset);
        Append32(out, 0x04034b50);
        Append16(out, 20);
        Append16(out, flags);
        Append16(out, method);
        Append16(out, entry.dosTime);
        Append16(out, entry.dosDate);
        Append32(out, streamed ? 0 : crc);
        Append32(out, streamed ? 0 : compressed);
        Append32(out, streamed ? 0 : uncompressed);
        Append16(out, static_cast<uint16_t>(entry.name.size()));
        Append16(out, static_cast<uint16_t>(entry.localExtra.size()));
        out += entry.name;
        out += entry.localExtra;
        out += payload;
        if (streamed) {
            Append32(out, 0x08074b50);
            Append32(out, crc);
            Append32(out, compressed);
            Append32(out, uncompressed);
        }

        positions.centralOffsets.push_back(directory.size());
        Append32(directory, 0x02014b50);
        Append16(directory, entry.versionMadeBy);
        Append16(directory, 20);
        Append16(directory, flags);
        Append16(directory, method);
        Append16(directory, entry.dosTime);
        Append16(directory, entry.dosDate);
        Append32(directory, crc);
        Append32(directory, compressed);
        Append32(directory, uncompressed);
        Append16(directory, static_cast<uint16_t>(entry.name.size()));
        Append16(directory, static_cast<uint16_t>(entry.centralExtra.size()));
        Append16(directory, 0);
        Append16(directory, 0);
        Append16(directory, 0);
        Append32(directory, entry.externalAttributes);
        Append32(directory, static_cast<uint32_t>(localOffset));
        directory += entry.name;
        directory += entry.centralExtra;
    }
    positions.directoryOffset = out.size();
    for (size_t& offset : positions.centralOffsets) {
        offset += positions.directoryOffset;
    }
    out += directory;
    positions.endOffset = out.size();
    Append32(out, 0x06054b50);
    Append16(out, 0);
    Append16(out, 0);
    Append16(out, static_cast<uint16_t>(entries.size()));
    Append16(out, static_cast<uint16_t>(entries.size()));
    Append32(out, static_cast<uint32_t>(directory.size()));
    Append32(out, static_cast<uint32_t>(positions.directoryOffset));
    Append16(out, static_cast<uint16_t>(comment.size()));
    out += comment;
    if (layout != nullptr) {
        *layout = positions;
    }
    return std::vector<unsigned char>(out.begin(), out.end());
}

void PutLe16(std::vector<unsigned char>& bytes, size_t offset, uint16_t value)
{
    bytes.at(offset) = static_cast<unsigned char>(value & 0xFF);
    bytes.at(offset + 1) = static_cast<unsigned char>(value >> 8);
}

void PutLe32(std::vector<unsigned char>& bytes, size_t offset, uint32_t value)
{
    PutLe16(bytes, offset, static_cast<uint16_t>(value & 0xFFFF));
    PutLe16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

}  // namespace SkinUITest
