// Every address the program reaches, all formed from one build-time host.
#pragma once

#include <string>

// The maker's website host, e.g. L"orvsoftware.example" or L"localhost:8443".
const wchar_t* SiteHost();

std::wstring UserGuideUrl();  // https://HOST/vx/guide
std::wstring ProductHomeUrl();  // https://HOST/vx
std::wstring MakerHomeUrl();  // https://HOST  (no trailing slash)
std::wstring VersionFileUrl();  // https://HOST/vx/update/vxversion.orv
std::wstring DownloadPageUrl();  // https://HOST/vx/update/?ver=100
std::wstring InstagramUrl();  // the maker's profile page
std::wstring DonationUrl();  // https://DONATE_HOST/donate/?hosted_button_id=ID
