#include "controls/progressbar/bar_accessible_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <string>

#include "base/com_win.h"
#include "base/system_calls_win.h"

namespace corvane::progressbar {

namespace {

// COM objects are deleted by their own Release, never through a base pointer.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

class BarAccessible final : public IAccessible {
public:
    BarAccessible(HWND bar, IAccessible* client) : bar_(bar), client_(client) {}
    BarAccessible(const BarAccessible&) = delete;
    BarAccessible& operator=(const BarAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
            IsEqualIID(riid, __uuidof(IAccessible))) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&refs_);
        if (left == 0) {
            client_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return client_->GetTypeInfoCount(n); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID lcid, ITypeInfo** info) override {
        return client_->GetTypeInfo(i, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT n, LCID lcid, DISPID* ids) override {
        return client_->GetIDsOfNames(riid, names, n, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT* arg) override {
        return client_->Invoke(id, riid, lcid, flags, params, result, info, arg);
    }

    // IAccessible: role and value are the bar's own; the rest is the client object's.
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) {
            return client_->get_accRole(child, role);
        }
        if (!role) {
            return E_POINTER;
        }
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PROGRESSBAR;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child)) {
            return client_->get_accValue(child, value);
        }
        if (!value) {
            return E_POINTER;
        }
        PBRANGE range{};
        ::SendMessageW(bar_, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        const auto pos = static_cast<int>(::SendMessageW(bar_, PBM_GETPOS, 0, 0));
        // Digits are ASCII: widened by hand, since std::to_wstring links in a whole wide printf.
        const std::string digits = std::to_string(PercentOfRange(range.iLow, range.iHigh, pos));
        const std::wstring text = std::wstring(digits.begin(), digits.end()) + L"%";
        *value = sys::SysAllocString(text.c_str());
        return *value ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return client_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return client_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return client_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return client_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return client_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return client_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return client_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return client_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return client_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return client_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return client_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return client_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return client_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
        return client_->accLocation(x, y, w, h, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override {
        return client_->accNavigate(dir, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return client_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return client_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~BarAccessible() = default;

    HWND bar_;
    IAccessible* client_;
    LONG refs_ = 1;
};

} // namespace

int PercentOfRange(int low, int high, int pos) noexcept {
    if (high <= low) {
        return 0;
    }
    const long long span = static_cast<long long>(high) - low;
    const long long at = std::min<long long>(std::max<long long>(pos, low), high) - low;
    return static_cast<int>(at * 100 / span);
}

// The interface ids come from the headers' declarations (__uuidof): oleacc is loaded at its
// first use, so no import library supplies IID_IAccessible.
LRESULT AnswerGetObject(HWND bar, WPARAM wParam, LPARAM lParam) {
    if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        JoinComApartment();
        IAccessible* client = nullptr;
        if (SUCCEEDED(sys::CreateStdAccessibleObject(bar, OBJID_CLIENT, __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&client)))) {
            auto* accessible = new BarAccessible(bar, client);
            const LRESULT result = sys::LresultFromObject(__uuidof(IAccessible), wParam, accessible);
            accessible->Release();
            return result;
        }
    }
    return ::DefWindowProcA(bar, WM_GETOBJECT, wParam, lParam);
}

} // namespace corvane::progressbar
