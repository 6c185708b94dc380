#include "ui/PngFile.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace dz {

namespace {

void PutBe(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < count; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

// Length, type, data, and the checksum over type and data.
void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data) {
  PutBe(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBe(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored blocks of at most 65535 bytes each.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  std::size_t at = 0;
  do {
    const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(raw.size() - at, 0xFFFF));
    const bool last = at + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(length & 0xFF));
    out.push_back(static_cast<std::uint8_t>(length >> 8));
    out.push_back(static_cast<std::uint8_t>(~length & 0xFF));
    out.push_back(static_cast<std::uint8_t>((~length >> 8) & 0xFF));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBe(out, b << 16 | a);
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const PixelImage& picture, PixelColour transparent) {
  std::vector<std::uint8_t> header;
  PutBe(header, static_cast<std::uint32_t>(picture.Width()));
  PutBe(header, static_cast<std::uint32_t>(picture.Height()));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter method, not interlaced

  // Each row: filter type 0 (none), then the pixels.
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(picture.Height()) * (1 + 4 * static_cast<std::size_t>(picture.Width())));
  for (int y = 0; y < picture.Height(); ++y) {
    raw.push_back(0);
    for (int x = 0; x < picture.Width(); ++x) {
      const PixelColour c = picture.At(x, y);
      if (c == transparent)
        raw.insert(raw.end(), {0, 0, 0, 0});
      else
        raw.insert(raw.end(), {c.r, c.g, c.b, 0xFF});
    }
  }

  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", StoredZlib(raw));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace dz
