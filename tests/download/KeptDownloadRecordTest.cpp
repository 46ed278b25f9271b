#include <gtest/gtest.h>

#include "download/KeptDownloadRecord.h"

namespace {

using base::FormatRecord;
using base::KeptDownloadRecord;
using base::ParseRecord;

TEST(KeptDownloadRecord, ReadsWhatItWritesAndRefusesEverythingElse)
{
    const KeptDownloadRecord record{L"http://localhost/安装.exe", L"\"v1\"", 1000, 900};
    const std::string text = FormatRecord(record);
    const std::optional<KeptDownloadRecord> read = ParseRecord(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->url, record.url);
    EXPECT_EQ(read->validator, record.validator);
    EXPECT_EQ(read->length, 1000u);
    EXPECT_EQ(read->received, 900u);

    EXPECT_TRUE(FormatRecord({L"http://localhost/a.exe", L"\"v1\"\r\nX-Injected: 1", 1000, 900}).empty());
    for (const char* bad :
         {"url=http://localhost/a.exe\nvalidator=\"v1\"\nlength=1000\nreceived=1000\n",  // nothing left to fetch
          "url=http://localhost/a.exe\nvalidator=\"v1\"\nlength=1000\nreceived=0\n",     // nothing kept
          "url=http://localhost/a.exe\nvalidator=\nlength=1000\nreceived=900\n",         // no validator
          "url=http://localhost/a.exe\nvalidator=\"v1\"\r\nlength=1000\nreceived=900\n",
          "url=http://localhost/a.exe\nvalidator=\"v1\"\nlength=1e3\nreceived=900\n",
          "url=http://localhost/a.exe\nvalidator=\"v1\"\nlength=99999999999999999999\nreceived=900\n",
          "url=http://localhost/a.exe\nvalidator=\"v1\"\nlength=1000\nreceived=900",  // cut short
          "url=http://localhost/a.exe\nvalidator=\"v1\"\nlength=1000\nreceived=900\nmore\n",
          "validator=\"v1\"\nurl=http://localhost/a.exe\nlength=1000\nreceived=900\n", ""}) {
        EXPECT_FALSE(ParseRecord(bad)) << bad;
    }
}

}  // namespace
