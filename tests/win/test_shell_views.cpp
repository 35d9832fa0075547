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

// An empty window list that counts the refresh thread's rounds: each round
// asks for the number of windows once.
class CountingList final : public IShellWindows {
public:
    LONG rounds = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE get_Count(long* count) override {
        InterlockedIncrement(&rounds);
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FindWindowSW(VARIANT*, VARIANT*, int, long* window, int, IDispatch** item) override {
        *window = 0;
        *item = nullptr;
        return S_FALSE;  // no desktop
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Item(VARIANT, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Register(IDispatch*, long, int, long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterPending(long, VARIANT*, VARIANT*, int, long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Revoke(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnNavigate(long, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnActivated(long, VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnCreated(long, IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ProcessAttachDetach(VARIANT_BOOL) override { return E_NOTIMPL; }
};

CountingList g_list;

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
    SetShellWindowListMaker([]() -> IShellWindows* { return &g_list; });
    RefreshShellViewsBeside();
    for (int tries = 0; tries < 200 && g_list.rounds == 0; ++tries) Sleep(10);
    ASSERT_GE(g_list.rounds, 1);
    RefreshShellViewsBeside();
    RefreshShellViewsBeside();
    Sleep(500);
    // One round for the first press, one or two for the next two.
    EXPECT_LE(g_list.rounds, 3) << "the refresh thread did not go back to waiting after a press";
}
