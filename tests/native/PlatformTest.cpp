#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "runtime/Platform.h"

namespace dz {

TEST(InOutErrorMessages, KnownCodesHaveTheirTextsAndOthersTheirNumber) {
  EXPECT_EQ(EInOutError(2).Message(), "File not found");
  EXPECT_EQ(EInOutError(5).Message(), "File access denied");
  EXPECT_EQ(EInOutError(100).Message(), "Read beyond end of file");
  EXPECT_EQ(EInOutError(101).Message(), "Disk full");
  EXPECT_EQ(EInOutError(32).Message(), "I/O error 32");
  EXPECT_EQ(EInOutError(32).Code(), 32u);
}

TEST(ScopedPlatform, RestoresThePreviousPortsAndMissingPortsThrow) {
  Clock* none = CurrentPlatform().clock;
  {
    Platform p;
    p.clock = reinterpret_cast<Clock*>(0x1);
    ScopedPlatform scope(p);
    EXPECT_EQ(CurrentPlatform().clock, p.clock);
  }
  EXPECT_EQ(CurrentPlatform().clock, none);
  EXPECT_THROW(Require<Clock>(nullptr, "clock"), Exception);
}

}  // namespace dz
