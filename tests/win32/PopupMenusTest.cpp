#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/Win32PopupMenus.h"

namespace dz::win32 {
namespace {

// Moves down twice and chooses, once the menu is on screen.
void CALLBACK ChooseTheSecondEntry(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  KillTimer(nullptr, id);
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(menu, WM_KEYDOWN, key, 0);
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

}  // namespace

TEST(Win32PopupMenus, GivesTheIndexOfTheChosenEntry) {
  Win32PopupMenus menus;
  const UINT_PTR chooser = SetTimer(nullptr, 0, 100, &ChooseTheSecondEntry);
  const UINT_PTR deadline = SetTimer(nullptr, 0, 5000, &GiveUp);
  const int chosen = menus.Track({{"Play"}, {"Stop"}, {"Eject", false}}, 100, 100);
  KillTimer(nullptr, chooser);
  KillTimer(nullptr, deadline);
  EXPECT_EQ(chosen, 1);
}

}  // namespace dz::win32
