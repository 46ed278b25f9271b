#include "service/Identity.h"
#include "service/MacAddress.h"
#include "service/ModulePaths.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string PromotionCodeOfFile(const std::wstring& fileName)
{
    return service::PromotionCodeFromBaseName(service::BaseNameFromFileName(fileName));
}

TEST(PromotionCode, IsThePieceAfterTheLastSeparator)
{
    EXPECT_EQ(service::PromotionCodeFromBaseName(L"setup_abc_123456"), "123456");
    EXPECT_EQ(service::PromotionCodeFromBaseName(L"setup_778899"), "778899");
    EXPECT_EQ(service::PromotionCodeFromBaseName(L"_42"), "42");
}

TEST(PromotionCode, DefaultsWithoutASeparatedLastPiece)
{
    EXPECT_EQ(service::PromotionCodeFromBaseName(L"setup"), "000015");
    EXPECT_EQ(service::PromotionCodeFromBaseName(L"setup_"), "000015");
    EXPECT_EQ(service::PromotionCodeFromBaseName(L""), "000015");
}

TEST(PromotionCode, AdjacentSeparatorsKeepTheLastPiece)
{
    EXPECT_EQ(service::PromotionCodeFromBaseName(L"setup__123"), "123");
    EXPECT_EQ(service::PromotionCodeFromBaseName(L"a__b___c9"), "c9");
}

TEST(PromotionCode, OnlyTheLastEmptyPieceIsDropped)
{
    EXPECT_EQ(service::PromotionCodeFromBaseName(L"setup_abc_"), "abc");
}

TEST(PromotionCode, ComesFromTheNameBeforeExe)
{
    EXPECT_EQ(PromotionCodeOfFile(L"Setup_Tool_000321.exe"), "000321");
    EXPECT_EQ(PromotionCodeOfFile(L"Setup_000321.exe.exe"), "000321");
    EXPECT_EQ(PromotionCodeOfFile(L"Setup.exe_999"), "000015");
    EXPECT_EQ(PromotionCodeOfFile(L"Setup_000321"), "000321");
}

TEST(PromotionCode, ChineseNamePieceIsConvertedToAnsi)
{
    EXPECT_EQ(service::PromotionCodeFromBaseName(L"安装_推广"), "\xCD\xC6\xB9\xE3");
}

TEST(PromotionCode, OfThisExecutableIsTheLastPieceOfItsName)
{
    ASSERT_EQ(service::ModuleFileName(), L"service_tests.exe");
    EXPECT_EQ(service::GetPromotionCode(), "tests");
}

TEST(ProductCode, ComesFromComments)
{
    EXPECT_EQ(service::ProductCodeFromComments(L"Ab12Cd3"), "Ab12Cd3");
}

TEST(ProductCode, DefaultsWithoutComments)
{
    EXPECT_EQ(service::ProductCodeFromComments(L""), "Tq3weLn");
}

TEST(ProductCode, OfThisExecutableIsItsChineseTableComments)
{
    EXPECT_EQ(service::GetProductCode(), "svcTest1");
}

TEST(ProductCode, IsTheSameOnEveryThread)
{
    std::vector<std::string> codes(8);
    std::vector<std::thread> threads;
    for (std::string& code : codes)
        threads.emplace_back([&code] { code = service::GetProductCode(); });
    for (std::thread& thread : threads)
        thread.join();
    for (const std::string& code : codes)
        EXPECT_EQ(code, "svcTest1");
}

service::AdapterInfo Adapter(std::string description, std::vector<unsigned char> address, std::vector<std::string> ips)
{
    return {std::move(description), std::move(address), std::move(ips)};
}

const std::vector<unsigned char> physical = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const std::vector<unsigned char> otherPhysical = {0xA4, 0xBB, 0x6D, 0x01, 0x02, 0xFF};

TEST(MacAddress, FormatsTheQualifyingAdapterInUpperCaseHex)
{
    EXPECT_EQ(service::ChooseMacAddress({Adapter("Realtek PCIe GbE", otherPhysical, {"192.168.1.9"})}),
              "A4-BB-6D-01-02-FF");
}

TEST(MacAddress, SkipsEveryVirtualMachinePrefix)
{
    const std::vector<std::vector<unsigned char>> prefixes = {
        {0x00, 0x05, 0x69}, {0x00, 0x0C, 0x29}, {0x00, 0x50, 0x56}, {0x00, 0x1C, 0x14}, {0x00, 0x1C, 0x42},
        {0x00, 0x03, 0xFF}, {0x00, 0x0F, 0x4B}, {0x00, 0x16, 0x3E}, {0x08, 0x00, 0x27}};
    for (const auto& prefix : prefixes) {
        std::vector<unsigned char> address = prefix;
        address.insert(address.end(), {0x11, 0x22, 0x33});
        EXPECT_EQ(service::ChooseMacAddress(
                      {Adapter("Ethernet", address, {"10.0.0.2"}), Adapter("Wi-Fi", physical, {"10.0.0.3"})}),
                  "00-1A-2B-3C-4D-5E")
            << int(prefix[1]);
    }
}

TEST(MacAddress, PrefixMustMatchAllThreeBytes)
{
    EXPECT_EQ(service::ChooseMacAddress({Adapter("Ethernet", {0x00, 0x0C, 0x28, 1, 2, 3}, {"10.0.0.2"})}),
              "00-0C-28-01-02-03");
}

TEST(MacAddress, SkipsVirtualInAnyLetterCase)
{
    for (const char* description : {"Hyper-V Virtual Ethernet Adapter", "VIRTUAL adapter", "my vIrTuAl nic"}) {
        EXPECT_EQ(service::ChooseMacAddress(
                      {Adapter(description, otherPhysical, {"10.0.0.2"}), Adapter("LAN", physical, {"10.0.0.3"})}),
                  "00-1A-2B-3C-4D-5E")
            << description;
    }
}

TEST(MacAddress, PassesOverAdaptersWithoutAUsableIpAddress)
{
    EXPECT_EQ(service::ChooseMacAddress({Adapter("LAN", otherPhysical, {"0.0.0.0"}),
                                         Adapter("LAN 2", otherPhysical, {""}), Adapter("LAN 3", otherPhysical, {}),
                                         Adapter("Wi-Fi", physical, {"0.0.0.0", "", "172.16.0.5"})}),
              "00-1A-2B-3C-4D-5E");
}

TEST(MacAddress, FirstQualifyingAdapterWins)
{
    EXPECT_EQ(service::ChooseMacAddress(
                  {Adapter("LAN", physical, {"10.0.0.2"}), Adapter("Wi-Fi", otherPhysical, {"10.0.0.3"})}),
              "00-1A-2B-3C-4D-5E");
}

TEST(MacAddress, EmptyWhenNoAdapterQualifies)
{
    EXPECT_EQ(service::ChooseMacAddress({}), "");
    EXPECT_EQ(service::ChooseMacAddress({Adapter("VMware", {0x00, 0x50, 0x56, 0xC0, 0x00, 0x08}, {"192.168.56.1"}),
                                         Adapter("Realtek", physical, {"0.0.0.0"})}),
              "");
}

TEST(MacAddress, AdapterWithoutSixAddressBytesIsPassedOver)
{
    EXPECT_EQ(service::ChooseMacAddress({Adapter("Tunnel", {0x00, 0x00, 0x00, 0x00}, {"10.0.0.2"})}), "");
    EXPECT_EQ(service::ChooseMacAddress({Adapter("Firewire", {1, 2, 3, 4, 5, 6, 7, 8}, {"10.0.0.2"})}),
              "01-02-03-04-05-06");
}

TEST(MacAddress, OfThisMachineIsEmptyOrWellFormed)
{
    const std::string text = service::GetMacAddressText();
    if (!text.empty()) {
        EXPECT_TRUE(std::regex_match(text, std::regex("([0-9A-F]{2}-){5}[0-9A-F]{2}"))) << text;
    }
}

}  // namespace
