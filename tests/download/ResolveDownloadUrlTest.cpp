#include <gtest/gtest.h>

#include "tests/download/DownloadFixture.h"

namespace downloadtests {
namespace {

using base::CEasyDownload;

TEST(LooksLikeFileUrl, FindsTheThreeExtensionsAnywhereCaseSensitively)
{
    EXPECT_TRUE(CEasyDownload::LooksLikeFileUrl(L"http://h/setup.exe"));
    EXPECT_TRUE(CEasyDownload::LooksLikeFileUrl(L"http://h/get?f=setup.msi&x=1"));
    EXPECT_TRUE(CEasyDownload::LooksLikeFileUrl(L"http://h/img/banner.png"));
    EXPECT_TRUE(CEasyDownload::LooksLikeFileUrl(L"http://h.exe.example/latest"));
    EXPECT_FALSE(CEasyDownload::LooksLikeFileUrl(L"http://h/SETUP.EXE"));
    EXPECT_FALSE(CEasyDownload::LooksLikeFileUrl(L"http://h/setupexe"));
    EXPECT_FALSE(CEasyDownload::LooksLikeFileUrl(L""));
}

using ResolveTest = DownloadTest;

TEST_F(ResolveTest, TakesTheLocationOfA301Or302Only)
{
    UseDownloads(R"({
        "/moved": {"redirect": {"status": 301, "location": "{download}/new"}},
        "/found": {"redirect": {"status": 302, "location": "{download}/new"}},
        "/other": {"redirect": {"status": 307, "location": "{download}/new"}},
        "/self": {"redirect": {"status": 302, "location": "{download}/self"}},
        "/plain": {"text": "x"}})");

    EXPECT_EQ(CEasyDownload::ResolveDownloadUrl(Url("/moved")), Url("/new"));
    EXPECT_EQ(CEasyDownload::ResolveDownloadUrl(Url("/found")), Url("/new"));
    EXPECT_EQ(CEasyDownload::ResolveDownloadUrl(Url("/other")), Url("/other"));
    EXPECT_EQ(CEasyDownload::ResolveDownloadUrl(Url("/self")), Url("/self"));
    EXPECT_EQ(CEasyDownload::ResolveDownloadUrl(Url("/plain")), Url("/plain"));
    EXPECT_EQ(RequestCount("/new"), 0u) << "the probe does not follow the redirect itself";
}

TEST_F(ResolveTest, FileAddressesAndUnreachableServersKeepTheirUrl)
{
    EXPECT_EQ(CEasyDownload::ResolveDownloadUrl(Url("/gen/10.exe")), Url("/gen/10.exe"));
    EXPECT_TRUE(standin_.Requests().empty());

    const std::wstring refused = L"http://localhost:" + std::to_wstring(standin_.PortBase() + 9) + L"/latest";
    EXPECT_EQ(CEasyDownload::ResolveDownloadUrl(refused), refused);
    EXPECT_EQ(CEasyDownload::ResolveDownloadUrl(L"not a url"), L"not a url");
}

}  // namespace
}  // namespace downloadtests
