// A console helper for the end-to-end scripts: finds the program's windows by
// title and prints what X screenshots cannot tell (texts, states, owners).
//
//   dzprobe wait TITLE MS         until a visible window has TITLE; prints its handle
//   dzprobe info TITLE            screen, work area, window and client rectangles, state,
//                                 the focused window
//   dzprobe child TITLE X Y       the innermost visible child at client point X,Y:
//                                 class, handle, screen rectangle and its text
//   dzprobe popups TITLE          the other visible top-level windows of the
//                                 program owning TITLE (tooltips, boxes),
//                                 each followed by the texts of its labels
//   dzprobe close TITLE           posts WM_CLOSE to the window
//   dzprobe layout TITLE          every visible child window (class, screen rectangle,
//                                 text); then each pair of siblings overlapping by
//                                 more than two pixels each way and each child
//                                 reaching outside its parent's client area;
//                                 "faults N"
//
// Output is "key value..." lines; exit code 0 on success, 1 when the window
// is not there, 2 for a bad command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  std::string title;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (IsWindowVisible(hwnd) && search->title == text) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindTitled(const std::string& title) {
  Search search{title};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
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

int Child(HWND main, int x, int y) {
  HWND at = main;
  POINT point{x, y};  // client coordinates of `at`
  for (;;) {
    HWND inner = ChildWindowFromPointEx(at, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!inner || inner == at) break;
    MapWindowPoints(at, inner, &point, 1);
    at = inner;
  }
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: dzprobe wait|info|child|popups|close|layout TITLE ...\n");
    return 2;
  }
  const std::string command = argv[1];
  const std::string title = argv[2];
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
  HWND main = FindTitled(title);
  if (!main) {
    std::printf("missing\n");
    return 1;
  }
  if (command == "info") return Info(main);
  if (command == "popups") return ListPopups(main);
  if (command == "close") return PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == "layout") return PrintLayout(main);
  if (command == "child" && argc > 4) return Child(main, std::atoi(argv[3]), std::atoi(argv[4]));
  std::fprintf(stderr, "dzprobe: bad command line\n");
  return 2;
}
