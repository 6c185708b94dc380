// The platform's standard controls as peers: push buttons (plain and
// owner-drawn), check boxes, one-line edits and editable combo boxes.
#include <exception>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Win32PeerKinds.h"
#include "runtime/Dispatch.h"

namespace dz::win32 {

namespace {

// Child identifiers start above IDOK and IDCANCEL.
int g_nextControlId = 100;

RepeatingDispatch& DrawReports() {
  static RepeatingDispatch reports;
  return reports;
}

}  // namespace

// --- NativePeer -------------------------------------------------------------

NativePeer::~NativePeer() {
  if (!window_) return;
  // Detached first: the messages of its destruction go to the control's own
  // procedure, not to a model that may be going too.
  Detach();
  window_.Reset();
}

bool NativePeer::Create(const char* cls, DWORD style, DWORD exStyle) {
  TWinControl& control = Control();
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (control.Visible()) style |= WS_VISIBLE;
  if (control.TabStop()) style |= WS_TABSTOP;
  window_ = OwnedWindow(CreateWindowExA(exStyle, cls, control.Text().c_str(), style, control.Left(),
                                        control.Top(), control.Width(), control.Height(), ParentHwnd(),
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_nextControlId++)),
                                        GetModuleHandleA(nullptr), nullptr));
  if (!window_) return false;
  // Subclassed by replacing the procedure, not through the common controls'
  // subclass chain: that reads a window property on every message, which is
  // a request to the window server under Wine.
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      window_.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativePeer::SubclassProc)));
  Attach(window_.Get());
  return true;
}

std::string NativePeer::WindowText() const {
  const int length = GetWindowTextLengthA(Hwnd());
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  const int got = GetWindowTextA(Hwnd(), text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

void NativePeer::SetWindowTextQuietly(const std::string& text) noexcept {
  updating_ = true;
  SetWindowTextA(Hwnd(), text.c_str());
  updating_ = false;
}

bool NativePeer::Subclassed(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_CONTEXTMENU:
      result = 0;
      return ContextMenuHandled(Hwnd(), Control(), lParam);
    case WM_SETFOCUS:
      result = CallOriginal(msg, wParam, lParam);
      Control().HandleFocusReceived();
      return true;
    case WM_KEYDOWN: {
      auto key = static_cast<std::uint16_t>(wParam);
      Control().HandleKeyDown(key, KeyboardShift());
      if (key == 0) {
        result = 0;  // a handler took the key
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

LRESULT NativePeer::CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  return CallWindowProcA(original_, Hwnd(), msg, wParam, lParam);
}

LRESULT CALLBACK NativePeer::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = dynamic_cast<NativePeer*>(FromHwnd(hwnd));
  if (!self) {
    // Detached (its peer is going): the control's class procedure, which
    // the window had before it was subclassed.
    return CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)), hwnd, msg,
                           wParam, lParam);
  }
  if (msg == WM_NCDESTROY) {
    // Gone with its parent.
    self->Detach();
    const LRESULT result = self->CallOriginal(msg, wParam, lParam);
    self->window_.Release();
    return result;
  }
  // Taken before the program's part runs, which could let the peer go.
  const WNDPROC original = self->original_;
  return GuardMessage([&] {
    LRESULT result = 0;
    if (self->Subclassed(msg, wParam, lParam, result)) return result;
    return IsWindow(hwnd) ? CallWindowProcA(original, hwnd, msg, wParam, lParam) : 0;
  });
}

// --- ButtonPeer -------------------------------------------------------------

ButtonPeer::ButtonPeer(TButton& button) : NativePeer(button), button_(button) {
  Create("BUTTON", button.OwnerDrawn() ? BS_OWNERDRAW : BS_PUSHBUTTON, 0);
}

bool ButtonPeer::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  button_.HandleClick();
  return true;
}

bool ButtonPeer::OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
  std::exception_ptr failure;
  {
    DoubleBuffer buffer(item.hDC, item.rcItem);
    // What the platform's erase would have left where a face does not cover
    // (the corners of a themed face).
    FillRect(buffer.Dc(), &item.rcItem, OnCtlColor(buffer.Dc()));
    try {
      GdiCanvas canvas(buffer.Dc());
      button_.DrawItem(canvas, (item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0);
    } catch (...) {
      failure = std::current_exception();
    }
  }
  if (failure) DrawReports()([&] { std::rethrow_exception(failure); });
  return true;
}

bool ButtonPeer::Subclassed(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_CANCELMODE || (msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) != Hwnd())) {
    // The button lets itself up; the model drops a press of its own.
    result = CallOriginal(msg, wParam, lParam);
    button_.HandleCancelMode();
    return true;
  }
  if (button_.OwnerDrawn() && OwnerDrawnMessage(msg, wParam, lParam, result)) return true;
  return NativePeer::Subclassed(msg, wParam, lParam, result);
}

bool ButtonPeer::OwnerDrawnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  pointer_.Heard(Hwnd(), msg, lParam, button_);
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;  // the face covers the whole button
      return true;
    case WM_MOUSEMOVE:
      button_.HandleMouseMove(KeyboardShift() | ((wParam & MK_LBUTTON) ? ssLeft : 0u), x, y);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      result = Press(msg, wParam, lParam);
      return true;
    case WM_LBUTTONUP:
      button_.HandleMouseUp(mbLeft, KeyboardShift(), x, y);
      return false;
    case WM_THEMECHANGED:
      InvalidateRect(Hwnd(), nullptr, FALSE);
      return false;
    default:
      return false;
  }
}

LRESULT ButtonPeer::Press(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = Hwnd();
  if (!button_.TakeFocusForPress() || Hwnd() != hwnd) return 0;
  // A double click is a second press, not a notice of its own.
  const LRESULT result = CallOriginal(WM_LBUTTONDOWN, wParam, lParam);
  const TShiftState shift = KeyboardShift() | ssLeft | (msg == WM_LBUTTONDBLCLK ? ssDouble : 0u);
  button_.HandleMouseDown(mbLeft, shift, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  return result;
}

// --- CheckBoxPeer -----------------------------------------------------------

CheckBoxPeer::CheckBoxPeer(TCheckBox& box) : NativePeer(box), box_(box) {
  if (Create("BUTTON", BS_AUTOCHECKBOX, 0)) Changed(PeerChange::Checked);
}

void CheckBoxPeer::Changed(PeerChange what) {
  if (what != PeerChange::Checked) {
    NativePeer::Changed(what);
    return;
  }
  updating_ = true;
  SendMessageA(Hwnd(), BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  updating_ = false;
}

bool CheckBoxPeer::OnCommand(WORD code) {
  if (code != BN_CLICKED || updating_) return false;
  box_.HandleChecked(SendMessageA(Hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED);
  return true;
}

// --- EditPeer ---------------------------------------------------------------

EditPeer::EditPeer(TEdit& edit) : NativePeer(edit), edit_(edit) {
  if (Create("EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE)) Changed(PeerChange::MaxLength);
}

void EditPeer::Changed(PeerChange what) {
  switch (what) {
    case PeerChange::MaxLength:
      // 0 lifts the limit, as in the model.
      SendMessageA(Hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(edit_.MaxLength()), 0);
      break;
    case PeerChange::Text:
      SetWindowTextQuietly(edit_.Text());
      break;
    default:
      NativePeer::Changed(what);
      break;
  }
}

bool EditPeer::OnCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (!updating_) edit_.HandleTextEdited(WindowText());
  return true;
}

// --- ComboBoxPeer -----------------------------------------------------------

ComboBoxPeer::ComboBoxPeer(TComboBox& combo) : NativePeer(combo), combo_(combo) {
  if (!Create("COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0)) return;
  FillItems();
  ApplySelection();
  SendMessageA(Hwnd(), CB_LIMITTEXT, static_cast<WPARAM>(combo.MaxLength()), 0);
  ApplyBounds();
}

void ComboBoxPeer::FillItems() noexcept {
  updating_ = true;
  SendMessageA(Hwnd(), CB_RESETCONTENT, 0, 0);
  for (const std::string& item : combo_.Items()) {
    SendMessageA(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageA(Hwnd(), CB_SETITEMHEIGHT, 0, combo_.ItemHeight());
  updating_ = false;
}

void ComboBoxPeer::ApplySelection() {
  updating_ = true;
  SendMessageA(Hwnd(), CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0);
  updating_ = false;
  // No selection clears the field natively; the model keeps its text.
  if (WindowText() != combo_.Text()) SetWindowTextQuietly(combo_.Text());
}

void ComboBoxPeer::ApplyBounds() noexcept {
  HWND hwnd = Hwnd();
  // The window's own height includes the dropped-down list.
  const int listHeight = combo_.ItemHeight() * combo_.DropDownCount() + 2;
  SetWindowPos(hwnd, nullptr, combo_.Left(), combo_.Top(), combo_.Width(),
               combo_.Height() + listHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  // The closed box takes the layout's height: size the selection field to
  // it. What the field reports back is not always what was asked for (the
  // platform may add its own margin), so steer by the box's measured height.
  LRESULT request = SendMessageA(hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 3 && request != CB_ERR; ++attempt) {
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    const int difference = combo_.Height() - (outer.bottom - outer.top);
    if (difference == 0 || request + difference <= 0) break;
    request += difference;
    SendMessageA(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), request);
  }
  // A new font or size resets the list's item height too.
  SendMessageA(hwnd, CB_SETITEMHEIGHT, 0, combo_.ItemHeight());
}

void ComboBoxPeer::Changed(PeerChange what) {
  switch (what) {
    case PeerChange::Items:
      FillItems();
      ApplySelection();
      break;
    case PeerChange::ItemIndex:
      ApplySelection();
      break;
    case PeerChange::Text:
      SetWindowTextQuietly(combo_.Text());
      break;
    case PeerChange::MaxLength:
      SendMessageA(Hwnd(), CB_LIMITTEXT, static_cast<WPARAM>(combo_.MaxLength()), 0);
      break;
    case PeerChange::Font:
      NativePeer::Changed(what);
      ApplyBounds();  // a new font resizes the field
      break;
    default:
      NativePeer::Changed(what);
      break;
  }
}

bool ComboBoxPeer::OnCommand(WORD code) {
  if (updating_) return code == CBN_EDITCHANGE || code == CBN_SELCHANGE;
  switch (code) {
    case CBN_EDITCHANGE:
      combo_.HandleTextEdited(WindowText());
      return true;
    case CBN_SELCHANGE: {
      const LRESULT index = SendMessageA(Hwnd(), CB_GETCURSEL, 0, 0);
      if (index != CB_ERR) combo_.HandleItemSelected(static_cast<int>(index));
      return true;
    }
    case CBN_SETFOCUS:
      combo_.HandleFocusReceived();
      return true;
    default:
      return false;
  }
}

}  // namespace dz::win32
