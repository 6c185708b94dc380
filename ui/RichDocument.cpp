#include "ui/RichDocument.h"

#include <array>
#include <utility>

namespace dz {

std::optional<RichDocument> ReadPlainText(std::string_view data) {
  while (!data.empty() && data.back() == '\0') data.remove_suffix(1);
  if (data.find('\0') != std::string_view::npos) return std::nullopt;
  RichDocument doc;
  RichParagraph paragraph;
  const auto endParagraph = [&] { doc.Paragraphs.push_back(std::exchange(paragraph, {})); };
  for (std::size_t i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
      endParagraph();
      continue;
    }
    if (paragraph.Runs.empty()) paragraph.Runs.emplace_back();
    // Tabs show as a space: the label has no tab stops.
    paragraph.Runs.back().Text += c == '\t' ? ' ' : c;
  }
  // Text that ends with a line break has no further, empty line.
  if (!paragraph.Runs.empty()) endParagraph();
  return doc;
}

std::optional<char> AnsiFromUnicode(long codePoint) {
  if ((codePoint >= 0 && codePoint < 0x80) || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<char>(static_cast<unsigned char>(codePoint));
  // Windows-1252 places these characters at 0x80 to 0x9F.
  static constexpr std::array<std::pair<long, unsigned char>, 27> kHigh{{
      {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85},
      {0x2020, 0x86}, {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A},
      {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92},
      {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97},
      {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C},
      {0x017E, 0x9E}, {0x0178, 0x9F},
  }};
  for (const auto& [unicode, ansi] : kHigh) {
    if (unicode == codePoint) return static_cast<char>(ansi);
  }
  return std::nullopt;
}

}  // namespace dz
