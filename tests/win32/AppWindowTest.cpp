#include <gtest/gtest.h>

#include "platform/win32/AppWindow.h"
#include "runtime/Platform.h"

namespace dz::win32 {

TEST(ApplicationWindow, IsAHiddenTopLevelWindowNamedAfterTheTitle) {
  ApplicationTitle() = "Dozewell";
  HWND app = ApplicationWindowHandle();
  ASSERT_NE(app, nullptr);
  EXPECT_FALSE(IsWindowVisible(app));
  EXPECT_EQ(GetParent(app), nullptr);
  char text[256] = {};
  GetWindowTextA(app, text, sizeof text);
  EXPECT_STREQ(text, "Dozewell");
}

}  // namespace dz::win32
