#include "explorer/shell_views.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>

#include <atomic>

#include "app/handles.h"

namespace {

// The browser that hosts a shell window's item (on Windows 11 one per tab)
// redraws its active view, as F5 would.
void RefreshBrowserOf(IDispatch* item) {
    IServiceProvider* rawProvider = nullptr;
    if (FAILED(item->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&rawProvider))) || !rawProvider)
        return;
    const UniqueCom<IServiceProvider> provider(rawProvider);
    IShellBrowser* rawBrowser = nullptr;
    if (FAILED(
            provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, reinterpret_cast<void**>(&rawBrowser))) ||
        !rawBrowser)
        return;
    const UniqueCom<IShellBrowser> browser(rawBrowser);
    IShellView* rawView = nullptr;
    if (FAILED(browser->QueryActiveShellView(&rawView)) || !rawView) return;
    const UniqueCom<IShellView> view(rawView);
    view->Refresh();
}

VARIANT IntegerVariant(LONG value) {
    VARIANT variant = {};
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

// The folder windows, one item per tab, and the desktop, which the list
// holds apart and finds by its class.
void RefreshAllViews() {
    IShellWindows* rawWindows = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows,
                                reinterpret_cast<void**>(&rawWindows))) ||
        !rawWindows)
        return;
    const UniqueCom<IShellWindows> windows(rawWindows);
    LONG count = 0;
    if (FAILED(windows->get_Count(&count))) count = 0;
    for (LONG i = 0; i < count; ++i) {
        IDispatch* item = nullptr;
        if (windows->Item(IntegerVariant(i), &item) != S_OK || !item) continue;
        const UniqueCom<IDispatch> owned(item);
        RefreshBrowserOf(item);
    }
    VARIANT desktop = IntegerVariant(CSIDL_DESKTOP);
    VARIANT noRoot = {};  // VT_EMPTY
    LONG desktopWindow = 0;
    IDispatch* desktopItem = nullptr;
    if (windows->FindWindowSW(&desktop, &noRoot, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, &desktopItem) ==
            S_OK &&
        desktopItem) {
        const UniqueCom<IDispatch> owned(desktopItem);
        RefreshBrowserOf(desktopItem);
    }
}

// Requests not yet served; the thread that serves them runs while it is not 0.
std::atomic<unsigned> g_pendingRefreshes{0};

void CALLBACK RefreshOnPoolThread(PTP_CALLBACK_INSTANCE instance, void*) {
    CallbackMayRunLong(instance);  // it may wait on Explorer for long
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    unsigned served = 0;
    do {
        served = g_pendingRefreshes.load();
        if (SUCCEEDED(com)) RefreshAllViews();
    } while (g_pendingRefreshes.fetch_sub(served) != served);
    if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace

void RefreshShellViewsBeside() {
    if (g_pendingRefreshes.fetch_add(1) != 0) return;  // the running round takes this one too
    if (!TrySubmitThreadpoolCallback(RefreshOnPoolThread, nullptr, nullptr)) g_pendingRefreshes.store(0);
}
