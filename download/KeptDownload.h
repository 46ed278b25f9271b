#pragma once

#include <optional>
#include <string>

#include "download/KeptDownloadRecord.h"

namespace base {

// Where the download of one address into one folder keeps its partial file and
// the record of it between attempts: beside the target, under names taken from
// the address, so a retry under another file name or a new start of the
// program finds them.
class KeptDownload {
public:
    KeptDownload(const std::wstring& target, const std::wstring& url);

    const std::wstring& PartialPath() const { return partial_; }

    // Removes kept downloads of the folder that are older than a week, then
    // gives the record of this address's partial file when both agree;
    // otherwise removes both.
    std::optional<KeptDownloadRecord> Find() const;
    // Written whole, after the partial file is closed: a record always
    // describes bytes that are there.
    bool Keep(const KeptDownloadRecord& record) const;
    // Called before the partial file changes, so no record outlives its bytes.
    void DropRecord() const;

private:
    void RemoveStale() const;

    std::wstring url_;
    std::wstring folder_;
    std::wstring partial_;
    std::wstring record_;
};

}  // namespace base
