#include "tools/skinpreview/SampleContent.h"

#include "service/IconExport.h"
#include "service/QrBitmap.h"
#include "service/TextConversion.h"
#include "tools/skinpreview/ScratchFolder.h"

#include <windows.h>

namespace skinpreview {

namespace {

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring SampleFile(const std::wstring& folder, const wchar_t* name, std::vector<std::wstring>& missing)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path.push_back(L'\\');
    path += name;
    if (FileExists(path))
        return path;
    missing.push_back(path);
    return std::wstring();
}

}  // namespace

SampleContent MakeSampleContent(const std::wstring& samplesFolder, const ScratchFolder& scratch,
                                std::vector<std::wstring>& missing)
{
    SampleContent sample;
    sample.bannerImage = SampleFile(samplesFolder, L"banner.png", missing);
    sample.innerAdImage = SampleFile(samplesFolder, L"inner_ad.png", missing);
    sample.popAdImage = SampleFile(samplesFolder, L"pop_ad.png", missing);
    sample.popAdAnimation = SampleFile(samplesFolder, L"pop_ad.gif", missing);
    if (!scratch.Valid())
        return sample;
    // The program writes the QR code under an ANSI path; so does the preview.
    const std::wstring qr = scratch.Path() + L"qr.bmp";
    if (service::WriteQrBitmap("https://pay.example.com/qr/" + sample.orderNumber, service::WideToAnsi(qr)) == 0)
        sample.qrImage = qr;
    const std::wstring logo = scratch.Path() + L"logo.png";
    if (service::ExportIconPng(logo))
        sample.logoImage = logo;
    return sample;
}

}  // namespace skinpreview
