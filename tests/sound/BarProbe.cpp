// The bar probe: the media player's bar, set up as the program's window sets
// it, in a real window on the screen. It looks at the faces before and after
// a song is opened, clicks Play, lets the song play, clicks Stop, and saves
// what it saw as bar-*.bmp for people to look at. The sound that reaches the
// null sink is checked from outside (bar-click.sh).
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "SoundSupport.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiHandles.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"
#include "ui/PixelArt.h"

namespace dz::sound {

namespace {

constexpr TColor kGreen = RGBColor(0, 255, 0), kRed = RGBColor(255, 0, 0), kGrey = RGBColor(128, 128, 128);
const TRect kPlayGlyph{6, 7, 23, 23}, kStopGlyph{34, 7, 51, 23};

// What the window shows now, read from the screen.
PixelImage Capture(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  PixelImage shot(client.right, client.bottom);
  BITMAPINFO info = win32::TopDown32BitInfo(client.right, client.bottom);
  void* bits = nullptr;
  win32::WindowDc screen(hwnd);
  win32::MemoryDc memory(screen.Get());
  win32::Bitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return shot;
  {
    win32::SelectGuard pick(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY);
  }
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const DWORD p = pixels[y * shot.Width() + x];
      shot.Set(x, y, {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                      static_cast<std::uint8_t>(p)});
    }
  }
  return shot;
}

int Count(const PixelImage& shot, const TRect& area, TColor colour) {
  int n = 0;
  for (int y = area.Top; y < area.Bottom && y < shot.Height(); ++y) {
    for (int x = area.Left; x < area.Right && x < shot.Width(); ++x) {
      const PixelColour c = shot.At(x, y);
      if (RGBColor(c.r, c.g, c.b) == colour) ++n;
    }
  }
  return n;
}

// Looks at the bar; false (with a line saying why) when a face is not as
// expected. The flags say whether Play and Stop show their colour.
bool Look(HWND hwnd, const std::string& shots, const char* name, bool playColoured, bool stopColoured) {
  PumpUntil([] { return false; }, 300);
  const PixelImage shot = Capture(hwnd);
  WriteBmpFile(shot, shots + "\\bar-" + name + ".bmp");
  const int green = Count(shot, kPlayGlyph, kGreen), red = Count(shot, kStopGlyph, kRed);
  const int playGrey = Count(shot, kPlayGlyph, kGrey), stopGrey = Count(shot, kStopGlyph, kGrey);
  std::printf("%-8s Play: %3d green %3d grey   Stop: %3d red %3d grey\n", name, green, playGrey, red, stopGrey);
  const bool ok = (playColoured ? green > 20 : green == 0 && playGrey > 10) &&
                  (stopColoured ? red > 20 : red == 0 && stopGrey > 10);
  if (!ok) std::printf("the %s bar does not show the faces it should\n", name);
  return ok;
}

void Click(HWND hwnd, int x, int y) {
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace

int RunBarProbe(const std::string& file, const std::string& shots) {
  win32::InstallWin32Platform();
  win32::AddWin32ControlPorts(CurrentPlatform());
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 200, 120);
  form->SetCaption("Bar probe");
  auto* player = new TMediaPlayer(form.get());
  player->Loading();
  player->SetParent(form.get());
  player->SetBounds(16, 16, 57, 30);
  player->SetVisibleButtons({btPlay, btStop});
  player->SetEnabledButtons({btPlay, btStop});
  player->SetColoredButtons({btPlay, btStop, btBack});
  player->SetAutoRewind(false);
  player->Loaded();
  // As the program's handler: Stop goes back to the start first.
  player->OnClick = [&](TObject*, TMPBtnType button, bool&) {
    if (button == btStop) player->Rewind();
  };
  form->Show();
  const HWND hwnd = reinterpret_cast<HWND>(player->Peer()->NativeHandle());

  int failures = 0;
  if (!Look(hwnd, shots, "closed", false, false)) ++failures;
  try {
    player->SetFileName(file);
    player->Open();
    if (!Look(hwnd, shots, "open", true, false)) ++failures;
    Click(hwnd, 14, 15);
    if (!PumpUntil([&] { return player->Mode() == mpPlaying; }, 3000)) {
      std::printf("a click on Play did not play\n");
      ++failures;
    }
    if (!Look(hwnd, shots, "playing", false, true)) ++failures;
    PumpUntil([] { return false; }, 4000);
    Click(hwnd, 42, 15);
    PumpUntil([] { return false; }, 300);
    const TMPModes mode = player->Mode();
    const std::int32_t position = player->Position();
    std::printf("after Stop: mode %d, position %d\n", static_cast<int>(mode), position);
    if (mode != mpStopped || position != 0) ++failures;
    if (!Look(hwnd, shots, "stopped", true, false)) ++failures;
    PumpUntil([] { return false; }, 3000);  // the recording hears the silence
  } catch (const Exception& e) {
    std::printf("failed: %s\n", e.what());
    ++failures;
  }
  form.reset();
  win32::Application::Instance().ResetForTesting();
  return failures == 0 ? 0 : 1;
}

}  // namespace dz::sound
