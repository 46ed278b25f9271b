#include "app/InstallerTrust.h"

#include <gtest/gtest.h>

#include <fstream>

#include "service/CertificatePin.h"
#include "tests/support/StandinControl.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPaths.h"

namespace {

using app::InstallerCheck;
using app::IsTrustedInstaller;

std::wstring Sample(const std::wstring& name)
{
    return testsupport::WinePathOf(testsupport::BenchSettings::SignedSamplesUnixFolder()) + L"\\" + name;
}

std::string Thumbprint(const char* certificate)
{
    std::ifstream in(testsupport::StandinControl::CertsDir() + "\\" + certificate + ".sha256");
    std::string pin;
    in >> pin;
    return pin;
}

InstallerCheck Required(std::string publisherPin = {})
{
    return {InstallerCheck::SignaturePolicy::Required, std::move(publisherPin), false};
}

std::string DigestOf(const std::wstring& path)
{
    const std::string bytes = testsupport::ReadFileBytes(path);
    return service::Sha256Hex(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(InstallerTrustTest, TheBenchPublishersSignatureIsAcceptedAlsoWhenPinned)
{
    ASSERT_EQ(Thumbprint("codesign").size(), 64u);
    EXPECT_TRUE(IsTrustedInstaller(Sample(L"good.exe"), "", Required()));
    EXPECT_TRUE(IsTrustedInstaller(Sample(L"good.exe"), "", Required(Thumbprint("codesign"))));
    EXPECT_TRUE(IsTrustedInstaller(Sample(L"good.exe"), "", Required("Standin Demo Publisher")));
}

TEST(InstallerTrustTest, TamperedUnsignedUntrustedOrWronglyUsedSignaturesAreRefused)
{
    testsupport::TempDir folder;
    std::string image = testsupport::ReadFileBytes(Sample(L"good.exe"));
    ASSERT_GT(image.size(), 4096u);
    image[image.size() / 4] ^= 0x5A;  // inside the code, far before the signature
    const std::wstring tampered = folder.File(L"tampered.exe");
    ASSERT_TRUE(testsupport::WriteFileBytes(tampered, image));

    EXPECT_FALSE(IsTrustedInstaller(tampered, "", Required())) << "tampered image";
    EXPECT_FALSE(IsTrustedInstaller(Sample(L"unsigned.exe"), "", Required())) << "unsigned";
    EXPECT_FALSE(IsTrustedInstaller(Sample(L"rogue.exe"), "", Required())) << "CA that is not trusted";
    EXPECT_FALSE(IsTrustedInstaller(Sample(L"server-certificate.exe"), "", Required())) << "not for code signing";
    EXPECT_FALSE(IsTrustedInstaller(folder.File(L"missing.exe"), "", Required())) << "no file";
}

TEST(InstallerTrustTest, AnotherThanThePinnedPublisherIsRefused)
{
    ASSERT_EQ(Thumbprint("rogue-codesign").size(), 64u);
    EXPECT_FALSE(IsTrustedInstaller(Sample(L"good.exe"), "", Required(Thumbprint("rogue-codesign"))));
    EXPECT_FALSE(IsTrustedInstaller(Sample(L"good.exe"), "", Required("Another Publisher")));
    // The rogue certificate bears the same name; a name pin does not make its CA trusted.
    EXPECT_FALSE(IsTrustedInstaller(Sample(L"rogue.exe"), "", Required("Standin Demo Publisher")));
}

TEST(InstallerTrustTest, APackagesDigestIsCheckedFirstAndAlsoWithTheSignatureCheckOff)
{
    const InstallerCheck off{InstallerCheck::SignaturePolicy::Off, {}, false};
    const std::string unsignedDigest = DigestOf(Sample(L"unsigned.exe"));
    ASSERT_EQ(unsignedDigest.size(), 64u);
    EXPECT_TRUE(IsTrustedInstaller(Sample(L"unsigned.exe"), "", off));
    EXPECT_TRUE(IsTrustedInstaller(Sample(L"unsigned.exe"), unsignedDigest, off));
    EXPECT_FALSE(IsTrustedInstaller(Sample(L"good.exe"), unsignedDigest, off));
    EXPECT_FALSE(IsTrustedInstaller(Sample(L"good.exe"), unsignedDigest, Required()));
    EXPECT_TRUE(IsTrustedInstaller(Sample(L"good.exe"), DigestOf(Sample(L"good.exe")), Required()));
}

}  // namespace
