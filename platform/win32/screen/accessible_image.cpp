#include "accessible_image.h"

#include <oleacc.h>

#include <new>

#include "system_dll.h"

namespace kr2 {
namespace {

// oleacc and oleaut32 from the system directory, looked up only when
// assistive technology first asks; they stay loaded, since the objects
// handed out may outlive any window.
struct Library {
    decltype(&CreateStdAccessibleObject) createStd = nullptr;
    decltype(&LresultFromObject) lresultFrom = nullptr;
    BSTR(WINAPI* allocString)(const OLECHAR*) = nullptr;
    bool ready = false;
};

const Library& Accessibility() noexcept {
    static const Library library = [] {
        Library l;
        HMODULE oleacc = LoadSystemDll(L"oleacc.dll");
        HMODULE oleaut = LoadSystemDll(L"oleaut32.dll");
        l.createStd = SystemFunction<decltype(l.createStd)>(oleacc, "CreateStdAccessibleObject");
        l.lresultFrom = SystemFunction<decltype(l.lresultFrom)>(oleacc, "LresultFromObject");
        l.allocString = SystemFunction<decltype(l.allocString)>(oleaut, "SysAllocString");
        l.ready = l.createStd && l.lresultFrom && l.allocString;
        return l;
    }();
    return library;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The standard client object answers everything (location, state, parent,
// focus); only the name and the role are the control's own. Dynamic
// Annotation (IAccPropServices::SetHwndPropStr) would give those two without
// a proxy, but Wine's oleacc answers it with E_NOTIMPL.
class AccessibleImage final : public IAccessible {
public:
    AccessibleImage(IAccessible* standard, const wchar_t* name) : standard_(standard), name_(name) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return standard_->GetTypeInfoCount(n); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID lcid, ITypeInfo** info) override {
        return standard_->GetTypeInfo(i, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(riid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT* arg) override {
        return standard_->Invoke(id, riid, lcid, flags, params, result, info, arg);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return standard_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = Accessibility().allocString(name_);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return standard_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_GRAPHIC;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* cx, LONG* cy, VARIANT child) override {
        return standard_->accLocation(x, y, cx, cy, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(dir, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~AccessibleImage() = default;

    IAccessible* standard_;
    const wchar_t* name_;
    LONG refs_ = 1;
};

}  // namespace

LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const wchar_t* name) noexcept {
    // OBJID_CLIENT arrives in the low 32 bits only.
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT))
        return DefWindowProcW(hwnd, WM_GETOBJECT, wParam, lParam);
    const Library& lib = Accessibility();
    IAccessible* standard = nullptr;
    if (!lib.ready || FAILED(lib.createStd(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&standard))))
        return DefWindowProcW(hwnd, WM_GETOBJECT, wParam, lParam);
    auto* object = new (std::nothrow) AccessibleImage(standard, name);
    if (!object) {
        standard->Release();
        return 0;
    }
    // LresultFromObject holds its own reference for the caller.
    const LRESULT answer = lib.lresultFrom(__uuidof(IAccessible), wParam, object);
    object->Release();
    return answer;
}

}  // namespace kr2
