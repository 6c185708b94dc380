// What every peer shares: placing, state, fonts, colours, hints, routing of
// child notifications, tab order, and the factory.
#include <windows.h>
#include <commctrl.h>

#include <unordered_map>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Win32ButtonTheme.h"
#include "platform/win32/Win32FaceResources.h"
#include "platform/win32/Win32MediaPlayerPeer.h"
#include "platform/win32/Win32PeerKinds.h"
#include "platform/win32/Win32PopupMenus.h"
#include "ui/ExtCtrls.h"

namespace dz::win32 {

namespace {

// Which peer each window belongs to, kept in the process: a window property
// is a request to the window server under Wine (about 40 us), and a repaint
// asks for a child's peer on every WM_CTLCOLOR* it sends. User-interface
// thread only, like the windows themselves.
std::unordered_map<HWND, WinPeer*>& Peers() {
  static std::unordered_map<HWND, WinPeer*> peers;
  return peers;
}

// The form whose window holds `hwnd`, or nullptr.
FormPeer* FormPeerOf(HWND hwnd) noexcept {
  return dynamic_cast<FormPeer*>(WinPeer::FromHwnd(GetAncestor(hwnd, GA_ROOT)));
}

void CollectTabSequence(TWinControl& container, std::vector<TWinControl*>& out) {
  for (TWinControl* child : container.TabList()) {
    if (!child->CanFocus()) continue;
    if (child->TabStop() && child->Peer()) out.push_back(child);
    CollectTabSequence(*child, out);
  }
}

}  // namespace

HWND HintWindowOf(HWND form) noexcept {
  FormPeer* peer = FormPeerOf(form);
  return peer ? peer->HintWindow(false) : nullptr;
}

// --- WinPeer ----------------------------------------------------------------

WinPeer::~WinPeer() = default;

WinPeer* WinPeer::FromHwnd(HWND hwnd) noexcept {
  if (!hwnd) return nullptr;
  const auto& peers = Peers();
  const auto found = peers.find(hwnd);
  return found == peers.end() ? nullptr : found->second;
}

void WinPeer::Attach(HWND hwnd) {
  Peers()[hwnd] = this;
  ApplyFont();
  ApplyHint();
  if (!control_.Enabled()) EnableWindow(hwnd, FALSE);
}

void WinPeer::Detach() noexcept {
  if (HWND hwnd = Hwnd()) {
    if (HWND tip = HintWindowOf(hwnd)) {
      TTTOOLINFOA tool{};
      tool.cbSize = TTTOOLINFOA_V1_SIZE;
      tool.hwnd = GetParent(hwnd) ? GetParent(hwnd) : hwnd;
      tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
      SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    const auto found = Peers().find(hwnd);
    if (found != Peers().end() && found->second == this) Peers().erase(found);
  }
}

HWND WinPeer::ParentHwnd() const noexcept {
  TWinControl* parent = control_.Parent();
  if (!parent || !parent->Peer()) return nullptr;
  return reinterpret_cast<HWND>(parent->Peer()->NativeHandle());
}

void WinPeer::ApplyBounds() noexcept {
  SetWindowPos(Hwnd(), nullptr, control_.Left(), control_.Top(), control_.Width(),
               control_.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinPeer::ApplyFont() {
  SharedFont font = CachedFont(control_.Font());
  SendMessageA(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  font_ = std::move(font);  // the one it had goes once the window let go of it
}

void WinPeer::ApplyHint() {
  HWND hwnd = Hwnd();
  if (!hwnd) return;
  // A hint for this control only when it asks for one itself.
  const bool wanted = control_.ShowHint() && !control_.Hint().empty();
  FormPeer* form = FormPeerOf(hwnd);
  HWND tip = form ? form->HintWindow(wanted) : nullptr;
  if (!tip) return;
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(hwnd) ? GetParent(hwnd) : hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  if (!wanted) return;
  std::string text = control_.Hint();  // the hint window keeps its own copy
  tool.lpszText = text.data();
  SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void WinPeer::Changed(PeerChange what) {
  HWND hwnd = Hwnd();
  if (!hwnd) return;
  switch (what) {
    case PeerChange::Bounds:
      ApplyBounds();
      break;
    case PeerChange::Text:
    case PeerChange::Caption:
      updating_ = true;
      SetWindowTextA(hwnd, control_.Text().c_str());
      updating_ = false;
      break;
    case PeerChange::Visible:
      ShowWindow(hwnd, control_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case PeerChange::Enabled:
      EnableWindow(hwnd, control_.Enabled() ? TRUE : FALSE);
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case PeerChange::Font:
      ApplyFont();
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case PeerChange::Color:
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case PeerChange::Hint:
      ApplyHint();
      break;
    default:
      break;  // tab order is read from the model when Tab is pressed
  }
}

void WinPeer::Invalidate(const TRect& area) {
  if (!Hwnd()) return;
  const RECT r{area.Left, area.Top, area.Right, area.Bottom};
  InvalidateRect(Hwnd(), &r, FALSE);
}

void WinPeer::SetFocus() {
  if (Hwnd() && GetFocus() != Hwnd()) ::SetFocus(Hwnd());
}

TPoint WinPeer::ClientToScreen(TPoint point) const {
  POINT p{point.X, point.Y};
  if (Hwnd()) ::ClientToScreen(Hwnd(), &p);
  return {p.x, p.y};
}

void WinPeer::CancelHint() {
  if (HWND tip = HintWindowOf(GetAncestor(Hwnd(), GA_ROOT))) SendMessageA(tip, TTM_POP, 0, 0);
}

HBRUSH WinPeer::OnCtlColor(HDC dc) noexcept {
  const COLORREF colour = ResolveColorRef(control_.Color());
  if (!background_ || colour != backgroundColor_) {
    background_ = Brush(CreateSolidBrush(colour));
    backgroundColor_ = colour;
  }
  SetBkColor(dc, colour);
  SetTextColor(dc, ResolveColorRef(control_.Enabled() ? control_.Font().Color : clGrayText));
  return background_.Get();
}

TShiftState KeyboardShift() noexcept {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

bool RouteToChildPeer(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (WinPeer* peer = WinPeer::FromHwnd(reinterpret_cast<HWND>(lParam))) {
        if (peer->OnCommand(HIWORD(wParam))) {
          result = 0;
          return true;
        }
      }
      return false;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (WinPeer* peer = item ? WinPeer::FromHwnd(item->hwndItem) : nullptr) {
        if (peer->OnDrawItem(*item)) {
          result = TRUE;
          return true;
        }
      }
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (WinPeer* peer = WinPeer::FromHwnd(reinterpret_cast<HWND>(lParam))) {
        result = reinterpret_cast<LRESULT>(peer->OnCtlColor(reinterpret_cast<HDC>(wParam)));
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool ContextMenuHandled(HWND hwnd, TWinControl& control, LPARAM lParam) {
  POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  TPoint pos{-1, -1};
  if (lParam == -1) {
    screen = {0, 0};  // the menu key: the menu opens at the control's corner
    ClientToScreen(hwnd, &screen);
  } else {
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    pos = {client.x, client.y};
  }
  return control.HandleContextPopup(pos, {screen.x, screen.y});
}

// --- Tab order --------------------------------------------------------------

std::vector<TWinControl*> TabSequence(TWinControl& form) {
  std::vector<TWinControl*> sequence;
  CollectTabSequence(form, sequence);
  return sequence;
}

void FocusNextInTabOrder(TWinControl& form, bool forward) {
  const std::vector<TWinControl*> sequence = TabSequence(form);
  if (sequence.empty()) return;
  const int count = static_cast<int>(sequence.size());
  int current = -1;
  // The focus may sit in a part of a control (a combo box's edit field).
  for (HWND hwnd = GetFocus(); hwnd && current < 0; hwnd = GetParent(hwnd)) {
    WinPeer* peer = WinPeer::FromHwnd(hwnd);
    if (!peer) continue;
    for (int i = 0; i < count; ++i) {
      if (sequence[i] == &peer->Control()) current = i;
    }
  }
  int next = 0;
  if (current < 0) {
    next = forward ? 0 : count - 1;
  } else {
    next = (current + (forward ? 1 : count - 1)) % count;
  }
  TWinControl* target = sequence[next];
  target->SetFocus();
  const HWND hwnd = reinterpret_cast<HWND>(target->Peer()->NativeHandle());
  if (dynamic_cast<TEdit*>(target)) SendMessageA(hwnd, EM_SETSEL, 0, -1);
  if (dynamic_cast<TComboBox*>(target)) SendMessageA(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// --- Factory ----------------------------------------------------------------

std::unique_ptr<ControlPeer> Win32PeerFactory::CreatePeer(TWinControl& control) {
  if (auto* form = dynamic_cast<TForm*>(&control)) {
    auto peer = std::make_unique<FormPeer>(*form);
    if (!peer->Hwnd()) return nullptr;
    return peer;
  }
  if (!control.Parent() || !control.Parent()->Peer()) return nullptr;

  std::unique_ptr<WinPeer> peer;
  if (auto* combo = dynamic_cast<TComboBox*>(&control)) {
    peer = std::make_unique<ComboBoxPeer>(*combo);
  } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
    peer = std::make_unique<EditPeer>(*edit);
  } else if (auto* box = dynamic_cast<TCheckBox*>(&control)) {
    peer = std::make_unique<CheckBoxPeer>(*box);
  } else if (auto* button = dynamic_cast<TButton*>(&control)) {
    peer = std::make_unique<ButtonPeer>(*button);
  } else if (auto* player = dynamic_cast<TMediaPlayer*>(&control)) {
    auto surface = std::make_unique<MediaPlayerPeer>(*player);
    if (surface->CreateChild()) peer = std::move(surface);
  } else {
    auto surface = std::make_unique<SurfacePeer>(control);
    if (surface->CreateChild()) peer = std::move(surface);
  }
  if (!peer || !peer->Hwnd()) return nullptr;
  return peer;
}

void AddWin32ControlPorts(Platform& platform) {
  static Win32PeerFactory peers;
  static ScreenTextMeasurer text;
  static Win32ButtonTheme theme;
  static Win32PopupMenus menus;
  static Win32FaceResources faces;
  platform.peers = &peers;
  platform.text = &text;
  platform.theme = &theme;
  platform.menus = &menus;
  platform.faces = &faces;
}

}  // namespace dz::win32
