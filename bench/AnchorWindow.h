#pragma once
// The yardstick of the paint benchmark: a plain Win32 window with what the
// main window shows, written the plain way. The same size and place, the
// same native child controls (a panel window holding two combo boxes, three
// check boxes, two edits, the push buttons, the player's bar and the glyph
// buttons' places) and about the same text, drawn with DrawText in
// WM_PAINT from fonts made once. No control model, no double buffer.
#include <windows.h>

#include <string>
#include <vector>

#include "alarm/Form1Texts.h"

namespace bench {

class AnchorWindow {
 public:
  // Shown maximised, like the main window.
  explicit AnchorWindow(double scale) : scale_(scale) {
    Register();
    hwnd_ = CreateWindowExA(0, kMainClass, "Dozewell anchor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, S(51),
                            S(30), S(1093), S(800), nullptr, nullptr, GetModuleHandleA(nullptr), this);
    ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
  }
  ~AnchorWindow() {
    DestroyWindow(hwnd_);
    for (HFONT font : fonts_) DeleteObject(font);
  }
  AnchorWindow(const AnchorWindow&) = delete;
  AnchorWindow& operator=(const AnchorWindow&) = delete;

  HWND Window() const { return hwnd_; }

  // What the flash timer does: the next background colour, to be painted.
  void Flash() {
    background_ = background_ == RGB(255, 255, 255) ? RGB(128, 128, 128) : RGB(255, 255, 255);
    InvalidateRect(hwnd_, nullptr, FALSE);
  }

 private:
  static constexpr const char* kMainClass = "DozewellBenchAnchor";
  static constexpr const char* kPanelClass = "DozewellBenchAnchorPanel";
  static constexpr const char* kBarClass = "DozewellBenchAnchorBar";

  struct Text {
    int left, top, width, height;
    std::string text;
    int font;  // index into fonts_
    COLORREF colour;
    UINT format;
  };

  int S(int value) const { return static_cast<int>(value * scale_ + 0.5); }

  static void Register() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSA cls{};
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.lpfnWndProc = MainProc;
    cls.lpszClassName = kMainClass;
    RegisterClassA(&cls);
    cls.lpfnWndProc = PanelProc;
    cls.lpszClassName = kPanelClass;
    RegisterClassA(&cls);
    cls.lpfnWndProc = BarProc;
    cls.lpszClassName = kBarClass;
    RegisterClassA(&cls);
  }

  int MakeFont(int height, bool bold, bool underline, const char* face = "Arial") {
    fonts_.push_back(CreateFontA(-S(height), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE,
                                 ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, face));
    return static_cast<int>(fonts_.size()) - 1;
  }

  HWND Child(const char* cls, const char* text, DWORD style, int left, int top, int width, int height,
             HWND parent, int font) {
    HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, S(left), S(top), S(width),
                                 S(height), parent, nullptr, GetModuleHandleA(nullptr), this);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[font]), FALSE);
    return child;
  }

  void Build(HWND hwnd) {
    hwnd_ = hwnd;
    const int heading = MakeFont(19, true, true), body = MakeFont(11, false, false),
              link = MakeFont(16, true, true), url = MakeFont(16, true, false),
              small = MakeFont(16, false, true), today = MakeFont(21, true, false),
              clock = MakeFont(220, true, false), mid = MakeFont(21, false, false),
              note = MakeFont(13, false, false), noteBold = MakeFont(13, true, false),
              button = MakeFont(15, true, false), big = MakeFont(21, true, false),
              glyph = MakeFont(13, true, false), window = MakeFont(11, false, false, "MS Sans Serif");
    const COLORREF black = RGB(0, 0, 0), silver = RGB(192, 192, 192), yellow = RGB(255, 255, 0),
                   aqua = RGB(0, 255, 255), navy = RGB(0, 0, 128), maroon = RGB(128, 0, 0);
    const UINT wrap = DT_WORDBREAK | DT_EXPANDTABS, line = DT_SINGLELINE;
    const std::string products =
        "Dozewell Pocket Timer  A tiny countdown timer for the corner of your screen that rings when the tea, "
        "the oven or the meeting is due.";
    const std::string planner =
        "Dozewell Day Planner  A one-page planner that shows the day's appointments and reminds you of each "
        "with a gentle chime.";
    mainTexts_ = {
        {672, 8, 197, 22, "Note from the author:", heading, black, line},
        {672, 40, 359, 126, dz::AuthorNoteCaption(), body, black, wrap},
        {672, 160, 381, 112, dz::FreeSoftwareCaption(), body, black, wrap},
        {672, 280, 118, 22, "Instructions:", heading, silver, line},
        {672, 304, 394, 252, dz::InstructionsCaption(), body, silver, wrap},
        {16, 560, 48, 22, "Tips:", heading, black, line},
        {104, 560, 369, 126, dz::TipsCaption(), body, black, wrap},
        {16, 688, 239, 19, "Other software from the author:", link, yellow, line},
        {264, 688, 335, 19, dz::WebSiteLinkCaption(), url, aqua, line},
        {16, 712, 921, 17, products, body, black, line},
        {16, 728, 905, 17, planner, body, black, line},
    };
    panelTexts_ = {
        {16, 8, 215, 18, "Present time on your computer:", small, navy, line},
        {24, 32, 62, 24, "Today", today, maroon, line},
        {32, 64, 561, 251, "00:00", clock, maroon, line},
        {529, 16, 99, 18, "Time to alarm:", small, navy, line | DT_RIGHT},
        {528, 40, 51, 24, "h:m:  ", mid, maroon, line},
        {576, 40, 54, 24, "00:00", mid, maroon, line},
        {14, 296, 17, 24, "h:", mid, maroon, line},
        {96, 296, 22, 24, "m:", mid, maroon, line},
        {184, 344, 150, 16, "minutes from end of song.", note, black, line},
        {80, 432, 296, 32, "Test sound file.   Make sure volume is set high \r\nenough to wake you.", noteBold,
         maroon, wrap},
        {488, 304, 106, 16, "Snooze (minutes):", note, black, line},
    };
    buttonFont_ = button;

    panel_ = Child(kPanelClass, "", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 8, 8, 649, 545, hwnd, window);
    const auto combo = [&](int left, int count, int step, int selected) {
      HWND box = Child("COMBOBOX", "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, left, 296, 57, 200, panel_, note);
      for (int i = 0; i < count; ++i) {
        const std::string item = (step == 1 && i < 10 ? "0" : "") + std::to_string(i * step);
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
      SendMessageA(box, CB_SETCURSEL, selected, 0);
    };
    combo(32, 24, 1, 6);
    combo(120, 12, 5, 10);
    const auto check = [&](int left, int top, int width, const char* text) {
      HWND box = Child("BUTTON", text, BS_AUTOCHECKBOX | WS_TABSTOP, left, top, width, 17, panel_, note);
      SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    };
    check(16, 324, 121, "Sound Alarm?");
    check(16, 344, 129, "Repeat song after ");
    check(144, 324, 233, "Flash screen on Alarm?");
    Child("EDIT", "2", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 144, 342, 33, 21, panel_, window);
    Child("EDIT", "5", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 600, 302, 33, 21, panel_, window);
    Child("BUTTON", "Set volume", BS_PUSHBUTTON | WS_TABSTOP, 240, 368, 137, 41, panel_, button);
    Child("BUTTON", "Switch off screen - Go to sleep", BS_PUSHBUTTON | WS_TABSTOP, 16, 488, 529, 41, panel_, big);
    Child("BUTTON", "Exit", BS_PUSHBUTTON | WS_TABSTOP, 552, 488, 81, 41, panel_, big);
    Child("BUTTON", "Snooze", BS_PUSHBUTTON | BS_BOTTOM | WS_TABSTOP, 384, 328, 253, 153, panel_, glyph);
    HWND repeatOff = Child("BUTTON", "Repeat off", BS_PUSHBUTTON | BS_BOTTOM | WS_TABSTOP, 384, 328, 125, 153,
                           panel_, glyph);
    ShowWindow(repeatOff, SW_HIDE);
    Child(kBarClass, "", WS_TABSTOP, 16, 432, 57, 30, panel_, window);
  }

  void DrawTexts(HDC dc, const std::vector<Text>& texts) const {
    SetBkMode(dc, TRANSPARENT);
    for (const Text& t : texts) {
      RECT r{S(t.left), S(t.top), S(t.left + t.width), S(t.top + t.height)};
      HGDIOBJ old = SelectObject(dc, fonts_[t.font]);
      SetTextColor(dc, t.colour);
      DrawTextA(dc, t.text.c_str(), static_cast<int>(t.text.size()), &r, t.format);
      SelectObject(dc, old);
    }
  }

  void PaintMain(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH ground = CreateSolidBrush(background_);
    FillRect(dc, &ps.rcPaint, ground);
    DeleteObject(ground);
    DrawTexts(dc, mainTexts_);
    EndPaint(hwnd, &ps);
  }

  void PaintPanel(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT all;
    GetClientRect(hwnd, &all);
    HBRUSH aqua = CreateSolidBrush(RGB(0, 255, 255));
    FillRect(dc, &ps.rcPaint, aqua);
    DeleteObject(aqua);
    DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
    DrawTexts(dc, panelTexts_);
    // The song button, drawn on the panel.
    RECT song{S(16), S(368), S(16 + 217), S(368 + 41)};
    FillRect(dc, &song, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &song, EDGE_RAISED, BF_RECT);
    HGDIOBJ old = SelectObject(dc, fonts_[buttonFont_]);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, "Select song to wake you up", -1, &song, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
  }

  // The player's bar: two framed cells with a mark each.
  static void PaintBar(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT all;
    GetClientRect(hwnd, &all);
    const int half = (all.right + 1) / 2;
    for (int i = 0; i < 2; ++i) {
      RECT cell{i * half, 0, i == 0 ? half : all.right, all.bottom};
      FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
      DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
      RECT mark{cell.left + 10, 10, cell.right - 10, all.bottom - 10};
      FillRect(dc, &mark, static_cast<HBRUSH>(GetStockObject(i == 0 ? GRAY_BRUSH : BLACK_BRUSH)));
    }
    EndPaint(hwnd, &ps);
  }

  static AnchorWindow* From(HWND hwnd, UINT msg, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* self = static_cast<AnchorWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      return self;
    }
    return reinterpret_cast<AnchorWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }

  static LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    AnchorWindow* self = From(hwnd, msg, lParam);
    if (self && msg == WM_CREATE) self->Build(hwnd);
    if (self && msg == WM_ERASEBKGND) return 1;
    if (self && msg == WM_PAINT) {
      self->PaintMain(hwnd);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }

  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    AnchorWindow* self = From(hwnd, msg, lParam);
    if (self && msg == WM_ERASEBKGND) return 1;
    if (self && msg == WM_PAINT) {
      self->PaintPanel(hwnd);
      return 0;
    }
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0, 255, 255));
      static HBRUSH aqua = CreateSolidBrush(RGB(0, 255, 255));
      return reinterpret_cast<LRESULT>(aqua);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }

  static LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    From(hwnd, msg, lParam);
    if (msg == WM_PAINT) {
      PaintBar(hwnd);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }

  double scale_;
  HWND hwnd_ = nullptr;
  HWND panel_ = nullptr;
  COLORREF background_ = RGB(128, 128, 128);
  std::vector<HFONT> fonts_;
  int buttonFont_ = 0;
  std::vector<Text> mainTexts_, panelTexts_;
};

}  // namespace bench
