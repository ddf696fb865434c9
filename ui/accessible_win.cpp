#include "ui/accessible.h"

#include "ui/late_load.h"
#include "ui/window.h"

namespace {

// The COM and oleacc calls, loaded on a reader's first question.
struct ReaderLibraries {
  decltype(&LresultFromObject) lresultFromObject = LateFunction<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  decltype(&AccessibleObjectFromWindow) objectFromWindow =
      LateFunction<decltype(AccessibleObjectFromWindow)>(L"oleacc.dll", "AccessibleObjectFromWindow");
  decltype(&SysAllocString) allocString = LateFunction<decltype(SysAllocString)>(L"oleaut32.dll", "SysAllocString");
  ReaderLibraries() {
    // The thread that answers readers lives in a single-threaded apartment.
    if (auto* init = LateFunction<decltype(CoInitialize)>(L"ole32.dll", "CoInitialize")) init(nullptr);
  }
};
const ReaderLibraries& Libraries() {
  static const ReaderLibraries libraries;
  return libraries;
}

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = Libraries().allocString ? Libraries().allocString(text.c_str()) : nullptr;
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetLong(VARIANT* v, LONG value) {
  v->vt = VT_I4;
  v->lVal = value;
}

// The client object of a window of the program.
class ClientObject final : public IAccessible {
 public:
  ClientObject(HWND window, std::shared_ptr<AccessibleSource*> source) : window_(window), source_(std::move(source)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: readers use the interface's own methods.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!Alive()) return E_FAIL;
    HWND up = GetParent(window_);
    const auto from = Libraries().objectFromWindow;
    if (!from) return S_FALSE;
    // A control's parent is its form's client; a form's is its own window frame.
    return from(up ? up : window_, up ? static_cast<DWORD>(OBJID_CLIENT) : static_cast<DWORD>(OBJID_WINDOW),
                __uuidof(IDispatch), reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = Alive() ? static_cast<long>(Source().ReaderChildren().size()) : 0;
    return Alive() ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    HWND window = nullptr;
    if (const HRESULT r = ChildWindow(child, window); r != S_OK) return r;
    if (!window) return S_FALSE;  // a simple element
    const auto from = Libraries().objectFromWindow;
    return from ? from(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IDispatch), reinterpret_cast<void**>(out))
                : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return Text(child, out, &AccessibleFacts::name, &IAccessible::get_accName);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return Text(child, out, &AccessibleFacts::value, &IAccessible::get_accValue);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { return ReturnText(L"", out); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    return Number(child, out, &AccessibleFacts::role, &IAccessible::get_accRole);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    return Number(child, out, &AccessibleFacts::state, &IAccessible::get_accState);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return ReturnText(L"", out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long*) override { return ReturnText(L"", file); }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override { return ReturnText(L"", out); }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    if (!Alive()) return E_FAIL;
    HWND focus = GetFocus();
    if (focus == window_) {
      SetLong(out, CHILDID_SELF);
      return S_OK;
    }
    const std::vector<HWND> children = Source().ReaderChildren();
    for (size_t i = 0; i < children.size(); ++i) {
      if (children[i] && children[i] == focus) {
        VARIANT id;
        SetLong(&id, static_cast<LONG>(i + 1));
        IDispatch* object = nullptr;
        if (get_accChild(id, &object) != S_OK || !object) return S_FALSE;
        out->vt = VT_DISPATCH;
        out->pdispVal = object;
        return S_OK;
      }
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (out) out->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return Text(child, out, &AccessibleFacts::defaultAction, &IAccessible::get_accDefaultAction);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (!Alive()) return E_FAIL;
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF || !(flags & SELFLAG_TAKEFOCUS)) return DISP_E_MEMBERNOTFOUND;
    SetFocus(window_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    AccessibleFacts facts;
    if (const HRESULT r = Facts(child, facts); r != S_OK) return r;
    *left = facts.place.left;
    *top = facts.place.top;
    *width = facts.place.right - facts.place.left;
    *height = facts.place.bottom - facts.place.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* out) override {
    if (out) out->vt = VT_EMPTY;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    if (!Alive()) return E_FAIL;
    const POINT at{x, y};
    const RECT own = ScreenRectOf(window_);
    if (!PtInRect(&own, at)) return S_FALSE;
    const std::vector<HWND> children = Source().ReaderChildren();
    for (size_t i = 0; i < children.size(); ++i) {
      const LONG id = static_cast<LONG>(i + 1);
      const RECT place = children[i] ? ScreenRectOf(children[i]) : Source().Describe(id).place;
      if (!PtInRect(&place, at)) continue;
      VARIANT child;
      SetLong(&child, id);
      IDispatch* object = nullptr;
      if (children[i] && get_accChild(child, &object) == S_OK && object) {
        out->vt = VT_DISPATCH;
        out->pdispVal = object;
      } else {
        *out = child;
      }
      return S_OK;
    }
    SetLong(out, CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    AccessibleFacts facts;
    if (const HRESULT r = Facts(child, facts); r != S_OK) return r;
    if (facts.defaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
    // Run after the reader's call returns: the action may open a modal box.
    return PostMessageW(window_, kAccessibleActionMessage, static_cast<WPARAM>(child.lVal), 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  bool Alive() const { return *source_ != nullptr && IsWindow(window_); }
  AccessibleSource& Source() const { return **source_; }

  // The window of a child id: null for the window itself or a simple element.
  HRESULT ChildWindow(const VARIANT& child, HWND& window) const {
    if (!Alive()) return E_FAIL;
    if (child.vt != VT_I4) return E_INVALIDARG;
    window = nullptr;
    if (child.lVal == CHILDID_SELF) return S_OK;
    const std::vector<HWND> children = Source().ReaderChildren();
    if (child.lVal < 1 || static_cast<size_t>(child.lVal) > children.size()) return E_INVALIDARG;
    window = children[static_cast<size_t>(child.lVal - 1)];
    return S_OK;
  }
  HRESULT Facts(const VARIANT& child, AccessibleFacts& facts) const {
    HWND window = nullptr;
    if (const HRESULT r = ChildWindow(child, window); r != S_OK) return r;
    if (window) return E_INVALIDARG;  // a child with its own object answers for itself
    facts = Source().Describe(child.lVal);
    if (child.lVal == CHILDID_SELF) facts.place = ScreenRectOf(window_);
    return S_OK;
  }
  // A property of the window or a simple child, or asked of a child window's own object.
  template <class Out>
  HRESULT Forward(const VARIANT& child, Out* out, HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, Out*)) {
    VARIANT self;
    SetLong(&self, CHILDID_SELF);
    IDispatch* object = nullptr;
    if (get_accChild(child, &object) != S_OK || !object) return E_INVALIDARG;
    IAccessible* accessible = nullptr;
    HRESULT r = object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&accessible));
    object->Release();
    if (r != S_OK || !accessible) return E_INVALIDARG;
    r = (accessible->*ask)(self, out);
    accessible->Release();
    return r;
  }
  HRESULT Text(const VARIANT& child, BSTR* out, std::wstring AccessibleFacts::*field,
               HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, BSTR*)) {
    if (!out) return E_POINTER;
    *out = nullptr;
    AccessibleFacts facts;
    const HRESULT r = Facts(child, facts);
    if (r == E_INVALIDARG && child.vt == VT_I4 && child.lVal != CHILDID_SELF) return Forward(child, out, ask);
    return r == S_OK ? ReturnText(facts.*field, out) : r;
  }
  HRESULT Number(const VARIANT& child, VARIANT* out, LONG AccessibleFacts::*field,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, VARIANT*)) {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    AccessibleFacts facts;
    const HRESULT r = Facts(child, facts);
    if (r == E_INVALIDARG && child.vt == VT_I4 && child.lVal != CHILDID_SELF) return Forward(child, out, ask);
    if (r == S_OK) SetLong(out, facts.*field);
    return r;
  }

  HWND window_;
  std::shared_ptr<AccessibleSource*> source_;
  LONG references_ = 1;
};

}  // namespace

std::optional<LRESULT> AccessibleSource::AnswerGetObject(HWND window, WPARAM flags, LONG objectId) {
  if (objectId != OBJID_CLIENT) return std::nullopt;
  const auto answer = Libraries().lresultFromObject;
  if (!answer) return std::nullopt;
  auto* object = new ClientObject(window, self_);
  const LRESULT result = answer(__uuidof(IAccessible), flags, object);
  object->Release();  // the answer holds its own reference
  return result;
}

void NotifyFocus(HWND window, LONG child) { NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, child); }
void NotifyStateChange(HWND window, LONG child) { NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, child); }

RECT ScreenRectOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
