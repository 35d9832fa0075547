#include "app/web_endpoints.h"

#include "build_config.h"
#include "update/version_rule.h"

namespace {
std::wstring OnSite(const wchar_t* pathAndQuery) { return std::wstring(L"https://") + SiteHost() + pathAndQuery; }
}  // namespace

const wchar_t* SiteHost() { return VEILUX_SITE_HOST; }

std::wstring UserGuideUrl() { return OnSite(L"/vx/guide"); }
std::wstring ProductHomeUrl() { return OnSite(L"/vx"); }
std::wstring MakerHomeUrl() { return OnSite(L""); }
std::wstring VersionFileUrl() { return OnSite(L"/vx/update/vxversion.orv"); }
std::wstring DownloadPageUrl() { return OnSite(L"/vx/update/?ver=") + std::to_wstring(CurrentVersionCode); }
std::wstring InstagramUrl() { return VEILUX_INSTAGRAM_URL; }
std::wstring DonationUrl() {
    return std::wstring(L"https://") + VEILUX_DONATE_HOST + L"/donate/?hosted_button_id=" + VEILUX_DONATE_BUTTON_ID;
}
