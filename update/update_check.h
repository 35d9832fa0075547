// The start-up update check and the download page it offers.
#pragma once

#include <string>

// Where the version file is downloaded: beside the executable. Empty when
// the executable's path could not be had in full.
std::wstring VersionFilePath();

// Opens the download page, told the version the user runs, in the default browser.
void OpenDownloadPage();
