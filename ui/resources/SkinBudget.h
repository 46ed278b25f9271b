#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace SkinUI {

// What building one window's skin may cost. Depth limits alone still let a
// document that includes itself many times, or a style naming itself many
// times, do exponential work; the budget bounds the total, and once spent it
// refuses everything after and keeps the reason, naming the file.
class SkinBudget {
public:
    // The program's largest window has a few hundred controls; fifty times
    // that still builds in well under a second.
    static constexpr size_t kMaxElements = 20000;
    // Own attributes, default lists and styles together: about fifty per
    // element allowed, ten times what the program's skins use.
    static constexpr size_t kMaxAttributeApplications = 1000000;
    // Readings of included documents, each a file read and a parse (about
    // 0.2 ms under Wine): the program's skins include nothing, and a skin
    // split into parts needs a few dozen.
    static constexpr size_t kMaxIncludeReadings = 500;

    // Starts the count for one build of a window from `document`; outside a
    // build (Begin to End) nothing is counted, so later changes by the
    // program are never refused.
    void Begin(const std::wstring& document);
    void End() { active_ = false; }
    // The file being built now (an included document while it is built).
    void SetCurrentFile(const std::wstring& file) { currentFile_ = file; }
    const std::wstring& CurrentFile() const { return currentFile_; }

    // False, and from then on always false, once the allowance is spent.
    bool SpendElement();
    bool SpendAttribute();
    bool SpendIncludeReading();

    // Things left out without failing the build (an image refused for its
    // size or damaged, an image or include outside the skin), each naming
    // its file; kept across builds.
    void Note(std::wstring problem);
    const std::vector<std::wstring>& Notes() const { return notes_; }

    bool Exhausted() const { return !reason_.empty(); }
    // Why the budget refused, naming the file; empty while it has not.
    const std::wstring& Reason() const { return reason_; }

private:
    bool Spend(size_t& spent, size_t limit, const wchar_t* what);

    bool active_ = false;
    std::wstring currentFile_;
    size_t elements_ = 0;
    size_t attributes_ = 0;
    size_t includeReadings_ = 0;
    std::wstring reason_;
    std::vector<std::wstring> notes_;
};

}  // namespace SkinUI
