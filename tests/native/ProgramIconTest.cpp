// The program's icon file as the program carries it. (How the built program
// draws it, pixel for pixel, is read back under Wine in ProgramResourcesTest.)
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/ProgramIcon.h"

namespace dz {
namespace {

TEST(ProgramIcon, TheCheckedInFileIsWhatTheSourceDraws) {
  std::ifstream in(std::string(DZ_RESOURCES_DIR) + "/dozewell.ico", std::ios::binary);
  const std::vector<std::uint8_t> checkedIn{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_TRUE(checkedIn == ProgramIconFile())
      << "resources/dozewell.ico is missing or out of date; rewrite it with\n"
         "  cmake --preset native && cmake --build --preset native --target resources";
}

}  // namespace
}  // namespace dz
