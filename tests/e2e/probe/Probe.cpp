// A console helper for the end-to-end scripts: finds the program's windows by
// title and prints what X screenshots cannot tell (texts, states, owners).
//
//   dzprobe wait TITLE MS         until a visible window has TITLE; prints its handle
//   dzprobe info TITLE            screen, work area, window and client rectangles, state,
//                                 the focused window (also of a hidden window)
//   dzprobe child TITLE X Y       the innermost visible child at client point X,Y:
//                                 class, handle, screen rectangle and its text
//   dzprobe popups TITLE          the other visible top-level windows of the
//                                 program owning TITLE (tooltips, boxes),
//                                 each followed by the texts of its labels
//   dzprobe close TITLE           posts WM_CLOSE to the window (also to a hidden one)
//   dzprobe minimize TITLE        minimises the window as its caption button does
//   dzprobe text TITLE PX PY X Y W H PIXELS BOLD RRGGBB TEXT
//                                 compares the area X,Y,W,H of the window that
//                                 holds client point PX,PY (a label's place on
//                                 its parent) with TEXT drawn there in Arial of
//                                 PIXELS height, bold (1) or not (0), in colour
//                                 RRGGBB on the area's own background: prints
//                                 the background, the pixels that are not
//                                 background, and the pixels that differ
//   dzprobe version FILE          the strings of the file's version block, as
//                                 "Name value" lines (the file need not run)
//   dzprobe layout TITLE          every visible child window (class, screen rectangle,
//                                 text); then each pair of siblings overlapping by
//                                 more than two pixels each way and each child
//                                 reaching outside its parent's client area;
//                                 "faults N"
//   dzprobe start EXE             starts EXE in its own folder as a shortcut set to
//                                 "Minimized" does (minimised, never activated),
//                                 waits for it to end and returns its exit code
//
// Output is "key value..." lines; exit code 0 on success, 1 when the window
// is not there, 2 for a bad command line.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

struct Search {
  std::string title;
  bool hiddenToo = false;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if ((search->hiddenToo || IsWindowVisible(hwnd)) && search->title == text) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// A visible window with the title; with hiddenToo a hidden one when no
// visible one has it (a minimised main window hides).
HWND FindTitled(const std::string& title, bool hiddenToo = false) {
  Search search{title};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
  if (!search.found && hiddenToo) {
    search.hiddenToo = true;
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND hwnd) {
  const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

void PrintRect(const char* key, const RECT& r) {
  std::printf("%s %ld %ld %ld %ld\n", key, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

int Info(HWND main) {
  std::printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  PrintRect("workarea", work);
  RECT window{};
  GetWindowRect(main, &window);
  PrintRect("window", window);
  RECT client{};
  GetClientRect(main, &client);
  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  OffsetRect(&client, origin.x, origin.y);
  PrintRect("client", client);
  const LONG style = GetWindowLongA(main, GWL_STYLE);
  std::printf("visible %d\n", IsWindowVisible(main) ? 1 : 0);
  std::printf("zoomed %d\n", IsZoomed(main) ? 1 : 0);
  std::printf("iconic %d\n", IsIconic(main) ? 1 : 0);
  std::printf("hscroll %d\n", (style & WS_HSCROLL) ? 1 : 0);
  std::printf("vscroll %d\n", (style & WS_VSCROLL) ? 1 : 0);
  std::printf("class %s\n", ClassOf(main).c_str());
  // The window with the keyboard focus in the program's thread: a handle
  // that changes once the program has handled a focus-moving key.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  const DWORD thread = GetWindowThreadProcessId(main, nullptr);
  std::printf("focus %p\n", GetGUIThreadInfo(thread, &gui) ? static_cast<void*>(gui.hwndFocus) : nullptr);
  return 0;
}

HWND InnermostAt(HWND main, int x, int y) {
  HWND at = main;
  POINT point{x, y};  // client coordinates of `at`
  for (;;) {
    HWND inner = ChildWindowFromPointEx(at, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!inner || inner == at) break;
    MapWindowPoints(at, inner, &point, 1);
    at = inner;
  }
  return at;
}

int Child(HWND main, int x, int y) {
  HWND at = InnermostAt(main, x, y);
  if (at == main) {
    std::printf("none\n");
    return 1;
  }
  std::printf("class %s\n", ClassOf(at).c_str());
  std::printf("hwnd %p\n", static_cast<void*>(at));
  RECT r{};
  GetWindowRect(at, &r);
  PrintRect("rect", r);
  std::printf("text %s\n", TextOf(at).c_str());
  return 0;
}

BOOL CALLBACK PrintLabel(HWND hwnd, LPARAM) {
  if (ClassOf(hwnd) == "Static" && IsWindowVisible(hwnd)) {
    const std::string text = TextOf(hwnd);
    if (!text.empty()) std::printf("label %s\n", text.c_str());
  }
  return TRUE;
}

struct Popups {
  DWORD process;
  HWND main;
  int count = 0;
};

BOOL CALLBACK ListPopup(HWND hwnd, LPARAM param) {
  auto* popups = reinterpret_cast<Popups*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  // The application window (the main window's owner) holds the taskbar
  // button and is no box.
  if (process != popups->process || hwnd == popups->main || hwnd == GetWindow(popups->main, GW_OWNER) ||
      !IsWindowVisible(hwnd))
    return TRUE;
  RECT r{};
  GetWindowRect(hwnd, &r);
  std::printf("popup %s %ld %ld %ld %ld %s\n", ClassOf(hwnd).c_str(), r.left, r.top, r.right - r.left,
              r.bottom - r.top, TextOf(hwnd).c_str());
  ++popups->count;
  EnumChildWindows(hwnd, PrintLabel, 0);
  return TRUE;
}

int ListPopups(HWND main) {
  Popups popups{0, main};
  GetWindowThreadProcessId(main, &popups.process);
  EnumWindows(ListPopup, reinterpret_cast<LPARAM>(&popups));
  std::printf("count %d\n", popups.count);
  return 0;
}

// A top-down 32-bit picture of w x h pixels with its own memory DC.
class Picture {
 public:
  Picture(int w, int h) : w_(w), h_(h), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~Picture() {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  bool Ok() const { return old_ != nullptr && bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  std::uint32_t At(int x, int y) const { return bits_[y * w_ + x] & 0xFFFFFF; }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// Text as a label draws it: its font, left and top, tabs expanded, "&"
// marking the next letter, on the ground the label stands on.
int Text(HWND main, int argc, char** argv) {
  HWND parent = InnermostAt(main, std::atoi(argv[3]), std::atoi(argv[4]));
  const int x = std::atoi(argv[5]), y = std::atoi(argv[6]);
  const int w = std::atoi(argv[7]), h = std::atoi(argv[8]);
  const int pixels = std::atoi(argv[9]);
  const bool bold = std::atoi(argv[10]) != 0;
  const unsigned long rgb = std::strtoul(argv[11], nullptr, 16);
  std::string text;
  for (int i = 12; i < argc; ++i) text += (i > 12 ? " " : "") + std::string(argv[i]);
  if (w <= 0 || h <= 0) return 2;

  Picture seen(w, h), drawn(w, h);
  if (!seen.Ok() || !drawn.Ok()) return 1;
  POINT origin{x, y};
  ClientToScreen(parent, &origin);
  HDC screen = GetDC(nullptr);
  BitBlt(seen.Dc(), 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
  ReleaseDC(nullptr, screen);

  // The ground: the commonest colour of the area.
  std::map<std::uint32_t, int> counts;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) ++counts[seen.At(i, j)];
  std::uint32_t ground = 0;
  int most = 0;
  for (const auto& [colour, n] : counts) {
    if (n > most) {
      most = n;
      ground = colour;
    }
  }
  RECT all{0, 0, w, h};
  HBRUSH brush = CreateSolidBrush(RGB((ground >> 16) & 0xFF, (ground >> 8) & 0xFF, ground & 0xFF));
  FillRect(drawn.Dc(), &all, brush);
  DeleteObject(brush);

  LOGFONTA lf{};
  lf.lfHeight = -pixels;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ oldFont = SelectObject(drawn.Dc(), font);
  SetBkMode(drawn.Dc(), TRANSPARENT);
  SetTextColor(drawn.Dc(), RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  DrawTextA(drawn.Dc(), text.c_str(), static_cast<int>(text.size()), &all, DT_LEFT | DT_TOP | DT_EXPANDTABS);
  SelectObject(drawn.Dc(), oldFont);
  DeleteObject(font);

  int ink = 0, differ = 0;
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      if (seen.At(i, j) != ground) ++ink;
      if (seen.At(i, j) != drawn.At(i, j)) ++differ;
    }
  }
  std::printf("background %06X\n", static_cast<unsigned>(ground));
  std::printf("ink %d\n", ink);
  std::printf("differ %d\n", differ);
  return 0;
}

struct Layout {
  std::vector<HWND> windows;
  int faults = 0;
};

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM param) {
  if (IsWindowVisible(hwnd)) reinterpret_cast<Layout*>(param)->windows.push_back(hwnd);
  return TRUE;
}

int PrintLayout(HWND main) {
  Layout layout;
  EnumChildWindows(main, CollectVisible, reinterpret_cast<LPARAM>(&layout));
  std::vector<RECT> rects;
  for (HWND hwnd : layout.windows) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    rects.push_back(r);
    std::printf("control %s %ld %ld %ld %ld %s\n", ClassOf(hwnd).c_str(), r.left, r.top, r.right - r.left,
                r.bottom - r.top, TextOf(hwnd).c_str());
  }
  for (std::size_t i = 0; i < layout.windows.size(); ++i) {
    HWND hwnd = layout.windows[i];
    HWND parent = GetParent(hwnd);
    RECT client{};
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT inside{};
    IntersectRect(&inside, &rects[i], &client);
    if (!EqualRect(&inside, &rects[i])) {
      std::printf("clipped %s %s\n", ClassOf(hwnd).c_str(), TextOf(hwnd).c_str());
      ++layout.faults;
    }
    for (std::size_t j = i + 1; j < layout.windows.size(); ++j) {
      RECT both{};
      // The layout lets some neighbours touch by a pixel; more is an overlap.
      if (GetParent(layout.windows[j]) == parent && IntersectRect(&both, &rects[i], &rects[j]) &&
          both.right - both.left > 2 && both.bottom - both.top > 2) {
        std::printf("overlap %s '%s' %s '%s'\n", ClassOf(hwnd).c_str(), TextOf(hwnd).c_str(),
                    ClassOf(layout.windows[j]).c_str(), TextOf(layout.windows[j]).c_str());
        ++layout.faults;
      }
    }
  }
  std::printf("faults %d\n", layout.faults);
  return 0;
}

// The program started as a shortcut set to "Minimized" starts it. Waits
// for it, so that the script can follow it through this process.
int StartMinimisedWithoutActivation(const std::string& exe) {
  std::string folder = exe.substr(0, exe.find_last_of("\\/") + 1);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINNOACTIVE;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    std::printf("failed %lu\n", GetLastError());
    return 1;
  }
  std::printf("pid %lu\n", process.dwProcessId);
  std::fflush(stdout);
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

// The names the file properties of the system show.
int PrintVersion(const char* file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file, &ignored);
  if (size == 0) return 1;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(file, 0, size, block.data())) return 1;
  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                      &length) ||
      length < sizeof(Translation))
    return 1;
  char table[32];
  std::snprintf(table, sizeof table, "\\StringFileInfo\\%04x%04x\\", translation->language,
                translation->codePage);
  for (const char* name : {"ProductName", "ProductVersion", "FileVersion", "FileDescription", "CompanyName",
                           "LegalCopyright"}) {
    char* value = nullptr;
    if (VerQueryValueA(block.data(), (std::string(table) + name).c_str(), reinterpret_cast<void**>(&value),
                       &length) &&
        value)
      std::printf("%s %s\n", name, value);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: dzprobe wait|info|child|popups|close|minimize|text|layout|start|version TITLE ...\n");
    return 2;
  }
  const std::string command = argv[1];
  const std::string title = argv[2];
  if (command == "start") return StartMinimisedWithoutActivation(argv[2]);
  if (command == "version") return PrintVersion(argv[2]);
  if (command == "wait") {
    const DWORD limit = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 10000;
    const DWORD start = GetTickCount();
    for (;;) {
      if (HWND hwnd = FindTitled(title)) {
        std::printf("hwnd %p\n", static_cast<void*>(hwnd));
        return 0;
      }
      if (GetTickCount() - start > limit) return 1;
      Sleep(50);
    }
  }
  // A minimised main window hides; it is still there to ask and to close.
  HWND main = FindTitled(title, command == "info" || command == "close");
  if (!main) {
    std::printf("missing\n");
    return 1;
  }
  if (command == "info") return Info(main);
  if (command == "popups") return ListPopups(main);
  if (command == "close") return PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == "minimize") return PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0) ? 0 : 1;
  if (command == "text" && argc > 12) return Text(main, argc, argv);
  if (command == "layout") return PrintLayout(main);
  if (command == "child" && argc > 4) return Child(main, std::atoi(argv[3]), std::atoi(argv[4]));
  std::fprintf(stderr, "dzprobe: bad command line\n");
  return 2;
}
