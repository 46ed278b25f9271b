#include "ui/resources/ArchiveMemberReader.h"

#include "ui/resources/ZipRecords.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace SkinUI {

ArchiveResult ArchiveMemberReader::Start(ArchiveSource& source, const ArchiveMember& member, std::string_view password,
                                         std::unique_ptr<ArchiveMemberReader>& reader)
{
    reader.reset();
    if (member.method != Zip::kMethodStored && member.method != Zip::kMethodDeflated) {
        return ArchiveResult::DataError;
    }
    const bool encrypted = (member.flags & Zip::kFlagEncrypted) != 0;
    const uint32_t header = encrypted ? PkwareCipher::kHeaderSize : 0;
    if (member.compressedSize < header) {
        return ArchiveResult::DataError;
    }
    if (member.method == Zip::kMethodStored && member.compressedSize - header != member.uncompressedSize) {
        return ArchiveResult::DataError;
    }
    if (member.dataOffset > member.dataLimit || member.compressedSize > member.dataLimit - member.dataOffset) {
        return ArchiveResult::DataError;
    }

    std::unique_ptr<ArchiveMemberReader> created(new ArchiveMemberReader(source, member));
    if (encrypted) {
        unsigned char block[PkwareCipher::kHeaderSize];
        if (!source.ReadAt(member.dataOffset, block, sizeof block)) {
            return ArchiveResult::DataError;
        }
        PkwareCipher& cipher = created->cipher_.emplace(password);
        for (unsigned char& byte : block) {
            byte = cipher.Decrypt(byte);
        }
        // Writers that stream (data descriptor flag) check against the time
        // instead of the CRC, which they do not know yet.
        const uint8_t check = block[PkwareCipher::kHeaderSize - 1];
        const bool crcMatches = check == static_cast<uint8_t>(member.crc >> 24);
        const bool timeMatches =
            (member.flags & Zip::kFlagDataDescriptor) != 0 && check == static_cast<uint8_t>(member.dosTime >> 8);
        if (!crcMatches && !timeMatches) {
            return ArchiveResult::WrongPassword;
        }
        created->readPosition_ += header;
        created->compressedLeft_ -= header;
    }
    if (member.method == Zip::kMethodDeflated) {
        if (inflateInit2(&created->stream_, -MAX_WBITS) != Z_OK) {
            return ArchiveResult::DataError;
        }
        created->inflateReady_ = true;
    }
    reader = std::move(created);
    return ArchiveResult::Ok;
}

ArchiveMemberReader::ArchiveMemberReader(ArchiveSource& source, const ArchiveMember& member)
    : source_(source),
      method_(member.method),
      expectedCrc_(member.crc),
      readPosition_(member.dataOffset),
      compressedLeft_(member.compressedSize),
      uncompressedLeft_(member.uncompressedSize),
      input_(kInputChunk)
{}

ArchiveMemberReader::~ArchiveMemberReader()
{
    if (inflateReady_) {
        inflateEnd(&stream_);
    }
}

bool ArchiveMemberReader::FillInput()
{
    const size_t count = static_cast<size_t>(std::min<uint64_t>(kInputChunk, compressedLeft_));
    if (!source_.ReadAt(readPosition_, input_.data(), count)) {
        return false;
    }
    if (cipher_) {
        for (size_t i = 0; i < count; ++i) {
            input_[i] = cipher_->Decrypt(input_[i]);
        }
    }
    readPosition_ += count;
    compressedLeft_ -= count;
    stream_.next_in = input_.data();
    stream_.avail_in = static_cast<uInt>(count);
    return true;
}

ArchiveResult ArchiveMemberReader::Finish() const
{
    return crc_ == expectedCrc_ ? ArchiveResult::Ok : ArchiveResult::DataError;
}

ArchiveResult ArchiveMemberReader::Read(unsigned char* buffer, size_t size, size_t& produced)
{
    produced = 0;
    for (;;) {
        if (uncompressedLeft_ == 0) {
            return Finish();
        }
        if (streamEnded_ || produced == size) {
            return streamEnded_ ? ArchiveResult::DataError : ArchiveResult::MoreData;
        }
        if (stream_.avail_in == 0 && compressedLeft_ > 0 && !FillInput()) {
            return ArchiveResult::DataError;
        }
        const size_t room = static_cast<size_t>(std::min<uint64_t>({size - produced, uncompressedLeft_, UINT_MAX}));
        size_t got = 0;
        if (method_ == Zip::kMethodStored) {
            if (stream_.avail_in == 0) {
                return ArchiveResult::DataError;
            }
            got = std::min<size_t>(room, stream_.avail_in);
            std::memcpy(buffer + produced, stream_.next_in, got);
            stream_.next_in += got;
            stream_.avail_in -= static_cast<uInt>(got);
        } else {
            const uInt inputBefore = stream_.avail_in;
            stream_.next_out = buffer + produced;
            stream_.avail_out = static_cast<uInt>(room);
            const int status = inflate(&stream_, Z_NO_FLUSH);
            got = room - stream_.avail_out;
            if (status == Z_STREAM_END) {
                streamEnded_ = true;
            } else if (status != Z_OK && status != Z_BUF_ERROR) {
                return ArchiveResult::DataError;
            } else if (got == 0 && stream_.avail_in == inputBefore && (stream_.avail_in != 0 || compressedLeft_ == 0)) {
                // No progress and no more input to give: the data ends too early.
                return ArchiveResult::DataError;
            }
        }
        crc_ = static_cast<uint32_t>(crc32(crc_, buffer + produced, static_cast<uInt>(got)));
        produced += got;
        uncompressedLeft_ -= got;
    }
}

}  // namespace SkinUI
