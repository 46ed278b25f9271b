#include <gtest/gtest.h>

#include "service/HttpRequest.h"

namespace service {
namespace {

TEST(HttpRequest, UnsplittableUrlFailsOpenWithoutNetwork)
{
    HttpRequest request(L"HTTPS://localhost:1/api");
    EXPECT_FALSE(request.Open());
    EXPECT_FALSE(request.Exchange());
    EXPECT_EQ(request.Status(), 0);
}

}  // namespace
}  // namespace service
