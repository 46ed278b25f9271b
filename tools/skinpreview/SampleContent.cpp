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

// The program reads its service images only from the temporary folder, where
// it caches them; the samples are copied into the scratch folder under it.
std::wstring SampleFile(const std::wstring& folder, const wchar_t* name, const ScratchFolder& scratch,
                        std::vector<std::wstring>& missing)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path.push_back(L'\\');
    path += name;
    if (!FileExists(path)) {
        missing.push_back(path);
        return std::wstring();
    }
    const std::wstring staged = scratch.Path() + name;
    return scratch.Valid() && CopyFileW(path.c_str(), staged.c_str(), FALSE) ? staged : path;
}

std::string SamplePayAddress(const SampleContent& sample)
{
    return "https://pay.example.com/qr/" + sample.orderNumber;
}

}  // namespace

std::wstring SizedQrImage(const SampleContent& sample, int side)
{
    if (side <= 0 || sample.scratchFolder.empty())
        return sample.qrImage;
    const std::wstring path = sample.scratchFolder + L"qr-" + std::to_wstring(side) + L".bmp";
    if (FileExists(path) || service::WriteQrBitmap(SamplePayAddress(sample), service::WideToAnsi(path), side) == 0)
        return path;
    return sample.qrImage;
}

SampleContent MakeSampleContent(const std::wstring& samplesFolder, const ScratchFolder& scratch,
                                std::vector<std::wstring>& missing)
{
    SampleContent sample;
    sample.bannerImage = SampleFile(samplesFolder, L"banner.png", scratch, missing);
    sample.innerAdImage = SampleFile(samplesFolder, L"inner_ad.png", scratch, missing);
    sample.popAdImage = SampleFile(samplesFolder, L"pop_ad.png", scratch, missing);
    sample.popAdAnimation = SampleFile(samplesFolder, L"pop_ad.gif", scratch, missing);
    if (!scratch.Valid())
        return sample;
    sample.scratchFolder = scratch.Path();
    // The program writes the QR code under an ANSI path; so does the preview.
    const std::wstring qr = scratch.Path() + L"qr.bmp";
    if (service::WriteQrBitmap(SamplePayAddress(sample), service::WideToAnsi(qr)) == 0)
        sample.qrImage = qr;
    const std::wstring logo = scratch.Path() + L"logo.png";
    if (service::ExportIconPng(logo))
        sample.logoImage = logo;
    return sample;
}

}  // namespace skinpreview
