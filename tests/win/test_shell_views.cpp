// The refresh of the shell's views: which views it reaches, and its thread's
// rest between requests.
#include <windows.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "explorer/shell_views.h"

namespace {

// Stand-ins laid out as COM lays out any object, a pointer to its methods in the interface's order, with only those
// the refresh calls: a shell window's active view (a folder's, or a page's, which answers no IFolderView), and an
// empty window list that counts the refresh thread's rounds.
struct Standin {
    const void* const* methods;
    bool folder;
    int refreshes;
    LONG rounds;
};

HRESULT STDMETHODCALLTYPE Query(Standin* self, REFIID iid, void** object) {
    *object = self->folder && IsEqualIID(iid, IID_IFolderView) ? self : nullptr;  // only asked for and let go
    return *object ? S_OK : E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE Keep(Standin*) { return 1; }
HRESULT STDMETHODCALLTYPE Refresh(Standin* self) {
    ++self->refreshes;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE Count(Standin* self, long* count) {
    InterlockedIncrement(&self->rounds);
    *count = 0;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE NoDesktop(Standin*, VARIANT*, VARIANT*, int, long* window, int, IDispatch** item) {
    *window = 0;
    *item = nullptr;
    return S_FALSE;
}

template <typename Method>
const void* At(Method method) {
    return reinterpret_cast<const void*>(method);
}
// IShellView: IUnknown's three, IOleWindow's two, TranslateAccelerator, EnableModeless, UIActivate, Refresh.
const void* const kView[] = {At(Query), At(Keep), At(Keep), nullptr, nullptr, nullptr, nullptr, nullptr, At(Refresh)};
// IShellWindows: IUnknown's three, IDispatch's four, get_Count, Item, _NewEnum, Register, RegisterPending, Revoke,
// OnNavigate, OnActivated, FindWindowSW.
const void* const kList[] = {At(Query), At(Keep), At(Keep), nullptr, nullptr, nullptr, nullptr, At(Count),
                             nullptr,   nullptr,  nullptr,  nullptr, nullptr, nullptr, nullptr, At(NoDesktop)};
Standin g_list = {kList, false, 0, 0};

}  // namespace

// The shell's window list holds web browser windows too: a page there is never reloaded.
TEST(ShellViews, OnlyFolderViewsAreRefreshed) {
    Standin folder = {kView, true, 0, 0}, page = {kView, false, 0, 0};
    EXPECT_TRUE(RefreshIfFolderView(reinterpret_cast<IShellView*>(&folder)));
    EXPECT_FALSE(RefreshIfFolderView(reinterpret_cast<IShellView*>(&page)));
    EXPECT_EQ(folder.refreshes, 1);
    EXPECT_EQ(page.refreshes, 0);
}

TEST(ShellViews, TheRefreshThreadRestsBetweenPresses) {
    SetShellWindowListMaker([] { return reinterpret_cast<IShellWindows*>(&g_list); });
    RefreshShellViewsBeside();
    for (int tries = 0; tries < 200 && g_list.rounds == 0; ++tries) Sleep(10);
    ASSERT_GE(g_list.rounds, 1);
    RefreshShellViewsBeside();
    RefreshShellViewsBeside();
    Sleep(500);
    EXPECT_LE(g_list.rounds, 3) << "the refresh thread did not go back to waiting after a press";
}
