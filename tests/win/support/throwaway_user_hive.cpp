// Every Windows test program runs with HKEY_CURRENT_USER mapped to a
// throwaway key, so that the tests' clean slates and the program's writes
// never reach the real user's settings: run on a developer's own machine,
// the fixtures would otherwise delete their Explorer view values, the Run
// entry and "Software\Veilux". RegOverridePredefKey maps the predefined
// handle for the whole process, so the code under test, which opens
// HKEY_CURRENT_USER directly, lands there too.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr wchar_t kThrowawayParent[] = L"Software\\Veilux test hives";

class ThrowawayUserHive : public testing::Environment {
public:
    void SetUp() override {
        path_ = std::wstring(kThrowawayParent) + L"\\" + std::to_wstring(GetCurrentProcessId());
        HKEY hive = nullptr;
        // Created while HKEY_CURRENT_USER is still the real one; left over
        // from a crashed run with the same id, it starts empty all the same.
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &hive, nullptr) != ERROR_SUCCESS ||
            RegOverridePredefKey(HKEY_CURRENT_USER, hive) != ERROR_SUCCESS) {
            // No test may run against the real user's settings.
            std::fputs("could not map HKEY_CURRENT_USER to a throwaway key; no test runs\n", stderr);
            std::exit(2);
        }
        RegCloseKey(hive);  // the override holds its own handle
    }

    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, kThrowawayParent);  // fails, as it should, while another run's key is in it
    }

private:
    std::wstring path_;
};

const auto* const kThrowawayUserHive = testing::AddGlobalTestEnvironment(new ThrowawayUserHive);

}  // namespace
