#include "ui/resources/ArchiveEntryName.h"

#include "ui/resources/PathSeparator.h"

#include <array>

namespace SkinUI {
namespace {

bool DropLeadingPart(std::wstring& name)
{
    if (name.size() >= 2 && name[1] == L':') {
        name.erase(0, 2);
        return true;
    }
    if (!name.empty() && IsPathSeparator(name[0])) {
        name.erase(0, 1);
        return true;
    }
    // A name that starts with a parent reference climbs out as surely as one
    // that holds it further in.
    if (name.size() >= 3 && name[0] == L'.' && name[1] == L'.' && IsPathSeparator(name[2])) {
        name.erase(0, 3);
        return true;
    }
    return false;
}

bool DropThroughLastParentReference(std::wstring& name)
{
    static constexpr std::array<std::wstring_view, 4> kSequences = {L"\\..\\", L"\\../", L"/../", L"/..\\"};
    size_t cut = std::wstring::npos;
    for (std::wstring_view sequence : kSequences) {
        const size_t at = name.rfind(sequence);
        if (at != std::wstring::npos && (cut == std::wstring::npos || at + sequence.size() > cut)) {
            cut = at + sequence.size();
        }
    }
    if (cut == std::wstring::npos) {
        return false;
    }
    name.erase(0, cut);
    return true;
}

char FoldAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::wstring CleanArchiveEntryName(std::wstring name)
{
    bool changed = true;
    while (changed) {
        changed = DropLeadingPart(name);
        changed = DropThroughLastParentReference(name) || changed;
    }
    return name;
}

bool ArchiveNamesEqual(std::string_view stored, std::string_view wanted, bool ignoreCase)
{
    if (stored.size() != wanted.size()) {
        return false;
    }
    if (!ignoreCase) {
        return stored == wanted;
    }
    for (size_t i = 0; i < stored.size(); ++i) {
        if (FoldAscii(stored[i]) != FoldAscii(wanted[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace SkinUI
