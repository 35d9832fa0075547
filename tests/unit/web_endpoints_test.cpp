#include <gtest/gtest.h>

#include <string>

#include "app/web_endpoints.h"

namespace {
const std::wstring kDefaultHost = L"orvsoftware.example";
}

// The addresses on the maker's site, exactly, for a build with the default host.
TEST(WebEndpoints, SiteAddressesForDefaultHost) {
    if (SiteHost() != kDefaultHost) GTEST_SKIP() << "built for another site host";
    EXPECT_EQ(UserGuideUrl(), L"https://orvsoftware.example/vx/guide");
    EXPECT_EQ(ProductHomeUrl(), L"https://orvsoftware.example/vx");
    EXPECT_EQ(MakerHomeUrl(), L"https://orvsoftware.example");
    EXPECT_EQ(VersionFileUrl(), L"https://orvsoftware.example/vx/update/vxversion.orv");
    EXPECT_EQ(DownloadPageUrl(), L"https://orvsoftware.example/vx/update/?ver=100");
}

// Whatever the host, every site address is the scheme, the host and the path.
TEST(WebEndpoints, SiteAddressesFollowTheConfiguredHost) {
    const std::wstring site = std::wstring(L"https://") + SiteHost();
    EXPECT_EQ(UserGuideUrl(), site + L"/vx/guide");
    EXPECT_EQ(ProductHomeUrl(), site + L"/vx");
    EXPECT_EQ(MakerHomeUrl(), site);
    EXPECT_EQ(VersionFileUrl(), site + L"/vx/update/vxversion.orv");
    EXPECT_EQ(DownloadPageUrl(), site + L"/vx/update/?ver=100");
    EXPECT_EQ(std::wstring(SiteHost()).find_first_of(L"/ "), std::wstring::npos);
}

TEST(WebEndpoints, OutsideServices) {
    const std::wstring donation = DonationUrl();
    EXPECT_EQ(donation.rfind(L"https://", 0), 0u) << donation.c_str();
    const std::size_t query = donation.find(L"/donate/?hosted_button_id=");
    ASSERT_NE(query, std::wstring::npos) << donation.c_str();
    EXPECT_GT(donation.size(), query + std::wstring(L"/donate/?hosted_button_id=").size()) << "an identifier follows";
    EXPECT_EQ(InstagramUrl().rfind(L"https://", 0), 0u) << InstagramUrl().c_str();
}
