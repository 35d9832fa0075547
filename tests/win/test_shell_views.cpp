// The refresh of the shell's views: which views it reaches, and its thread's
// rest between requests.
#include <windows.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "explorer/shell_views.h"

namespace {

// A shell window's active view: a folder's, or a web page's, which answers no IFolderView.
class FakeView final : public IShellView {
public:
    explicit FakeView(bool folder) : folder_(folder) {}
    int refreshes = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = nullptr;
        // The program only asks whether a folder view is there and lets it go,
        // so the stand-in hands out its IUnknown part for it.
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IShellView) ||
            (folder_ && IsEqualIID(iid, IID_IFolderView)))
            *object = static_cast<IShellView*>(this);
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Refresh() override {
        ++refreshes;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UIActivate(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewWindow(IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*, HWND*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DestroyViewWindow() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentInfo(LPFOLDERSETTINGS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SaveViewState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectItem(PCUITEMID_CHILD, SVSIF) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItemObject(UINT, REFIID, void**) override { return E_NOTIMPL; }

private:
    bool folder_;
};

// The CPU time the whole process has used, in milliseconds.
ULONGLONG ProcessCpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ms = [](const FILETIME& time) {
        return ((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000;
    };
    return ms(kernel) + ms(user);
}

}  // namespace

// The shell's window list holds web browser windows too: a page there is never reloaded.
TEST(ShellViews, OnlyFolderViewsAreRefreshed) {
    FakeView folder(true), page(false);
    EXPECT_TRUE(RefreshIfFolderView(&folder));
    EXPECT_FALSE(RefreshIfFolderView(&page));
    EXPECT_EQ(folder.refreshes, 1);
    EXPECT_EQ(page.refreshes, 0);
}

// Between requests the refresh thread waits: it must not spin.
TEST(ShellViews, TheRefreshThreadRestsBetweenPresses) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (int press = 0; press < 3; ++press) RefreshShellViewsBeside();
    Sleep(1000);  // the rounds asked for are done by now, whatever the shell's list answers
    const ULONGLONG before = ProcessCpuMs();
    Sleep(1000);
    EXPECT_LT(ProcessCpuMs() - before, 200u) << "the refresh thread did not go back to waiting after a press";
    CoUninitialize();
}
