#include "app/web_endpoints.h"

#include "build_config.h"
#include "veilux_version.h"

namespace {
std::wstring OnSite(const wchar_t* pathAndQuery) {
    return std::wstring(L"https://") + SiteHost() + pathAndQuery;
}
}  // namespace

const wchar_t* SiteHost() { return VEILUX_SITE_HOST; }

std::wstring UserGuideUrl() { return OnSite(L"/vx/guide"); }
std::wstring ProductHomeUrl() { return OnSite(L"/vx"); }
std::wstring MakerHomeUrl() { return OnSite(L""); }
std::wstring VersionFileUrl() { return OnSite(L"/vx/update/vxversion.orv"); }
// The code as text from the build, the same number as CurrentVersionCode: formatting it at run time
// would link the C runtime's whole printf family into the program for three digits.
std::wstring DownloadPageUrl() { return OnSite(L"/vx/update/?ver=" VEILUX_VERSION_CODE_TEXT); }
std::wstring InstagramUrl() { return VEILUX_INSTAGRAM_URL; }
std::wstring DonationUrl() {
    return std::wstring(L"https://") + VEILUX_DONATE_HOST + L"/donate/?hosted_button_id=" + VEILUX_DONATE_BUTTON_ID;
}
