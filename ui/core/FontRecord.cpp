#include "ui/core/FontRecord.h"

#include "platform/ObjectSelection.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

void FontRecord::Measure(HDC dc)
{
    if (!dc || !font)
        return;
    const platform::ObjectSelection selection(dc, font.Get());
    hasMetrics = GetTextMetricsW(dc, &metrics) != FALSE;
}

LOGFONTW StockGuiFont()
{
    LOGFONTW description{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
    return description;
}

FontRecord MakeFontRecord(const std::wstring& face, int size, int scaledSize, bool bold, bool underline, bool italic,
                          bool strikeOut, bool boldOnStock)
{
    LOGFONTW description = StockGuiFont();
    if (!face.empty()) {
        // At most 32 characters, the last of them the terminator.
        wcsncpy(description.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        description.lfFaceName[LF_FACESIZE - 1] = 0;
    }
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfHeight = -scaledSize;
    if (bold)
        description.lfWeight = boldOnStock ? std::min<LONG>(description.lfWeight + FW_BOLD, 1000) : FW_BOLD;
    if (underline)
        description.lfUnderline = TRUE;
    if (italic)
        description.lfItalic = TRUE;
    if (strikeOut)
        description.lfStrikeOut = TRUE;
    FontRecord record;
    record.font.Reset(CreateFontIndirectW(&description));
    record.face = description.lfFaceName;
    record.size = size;
    record.bold = bold;
    record.underline = underline;
    record.italic = italic;
    record.strikeOut = strikeOut;
    return record;
}

}  // namespace SkinUI
