// The start-up update check and the download page it offers.
#pragma once

#include <string>

// Where the version file is downloaded: the user's temporary folder. Empty
// when that folder's path could not be had in full.
std::wstring VersionFilePath();

// Whether the download of the version file has started and not yet ended.
bool VersionDownloadRunning();

// Opens the download page, told the version the user runs, in the default browser.
void OpenDownloadPage();
