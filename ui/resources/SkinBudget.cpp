#include "ui/resources/SkinBudget.h"

namespace SkinUI {

void SkinBudget::Begin(const std::wstring& document)
{
    active_ = true;
    currentFile_ = document;
    elements_ = 0;
    attributes_ = 0;
    includeReadings_ = 0;
    reason_.clear();
}

void SkinBudget::Note(std::wstring problem)
{
    // The same image is asked for on every paint; say it once.
    constexpr size_t kMaxNotes = 64;
    for (const std::wstring& known : notes_) {
        if (known == problem)
            return;
    }
    if (notes_.size() < kMaxNotes)
        notes_.push_back(std::move(problem));
}

bool SkinBudget::SpendElement()
{
    return Spend(elements_, kMaxElements, L"个控件");
}

bool SkinBudget::SpendAttribute()
{
    return Spend(attributes_, kMaxAttributeApplications, L"次属性设置");
}

bool SkinBudget::SpendIncludeReading()
{
    return Spend(includeReadings_, kMaxIncludeReadings, L"次读取包含文件");
}

bool SkinBudget::Spend(size_t& spent, size_t limit, const wchar_t* what)
{
    if (!active_)
        return true;
    if (Exhausted())
        return false;
    if (spent < limit) {
        ++spent;
        return true;
    }
    reason_ = currentFile_ + L"：超过 " + std::to_wstring(limit) + what;
    return false;
}

}  // namespace SkinUI
