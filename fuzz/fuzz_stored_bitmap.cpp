// ReadStoredBitmap on arbitrary bytes: it either gives a picture whose
// pixels are all there or raises Exception, and never reads past the data
// (the sanitizers watch); a picture read back is stored and read again the
// same. Inputs starting with an odd byte are first wrapped into the headers
// of a small stored bitmap (size, depth, row order and byte count taken
// from the input), so that most runs reach the pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "runtime/Exceptions.h"
#include "ui/StoredBitmap.h"

namespace {

void Put(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> Wrapped(const std::uint8_t* data, std::size_t size) {
  if (size < 5 || (data[0] & 1) == 0) return {data, data + size};
  const std::int32_t width = data[1] % 16 + 1;
  const std::int32_t height = (data[2] % 16 + 1) * ((data[3] & 1) ? -1 : 1);
  const std::uint32_t bits = (data[3] & 2) ? 32 : 24;
  std::vector<std::uint8_t> out(4 + 54);
  out.insert(out.end(), data + 5, data + size);
  // The byte count: what follows it, or (by data[4]) a little more or less.
  const auto count = static_cast<std::uint32_t>(out.size() - 4 + (data[4] % 8) - 4);
  Put(out, 0, count, 4);
  out[4] = 'B';
  out[5] = 'M';
  Put(out, 4 + 10, 54, 4);
  Put(out, 4 + 14, 40, 4);
  Put(out, 4 + 18, static_cast<std::uint32_t>(width), 4);
  Put(out, 4 + 22, static_cast<std::uint32_t>(height), 4);
  Put(out, 4 + 26, 1, 2);
  Put(out, 4 + 28, bits, 2);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> input = Wrapped(data, size);
  dz::Image image;
  try {
    image = dz::ReadStoredBitmap(input.data(), input.size());
  } catch (const dz::Exception& e) {
    if (e.Message() != "Bitmap image is not valid") std::abort();
    return 0;
  }
  if (image.Pixels.size() != static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height))
    std::abort();
  if (image.Empty()) return 0;
  dz::PixelImage copy(image.Width, image.Height);
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      const dz::TColor c = image.At(x, y);
      copy.Set(x, y, {static_cast<std::uint8_t>(dz::RedOf(c)), static_cast<std::uint8_t>(dz::GreenOf(c)),
                      static_cast<std::uint8_t>(dz::BlueOf(c))});
    }
  }
  const std::vector<std::uint8_t> stored = dz::StoredBitmap(copy);
  if (dz::ReadStoredBitmap(stored.data(), stored.size()).Pixels != image.Pixels) std::abort();
  return 0;
}
