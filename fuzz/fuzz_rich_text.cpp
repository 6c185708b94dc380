// The rich-text label's reader and layout on arbitrary bytes: reading never
// fails on data that starts as RTF, the runs it gives are well formed, and
// drawing stays inside the formatting rectangle with no more lines than fit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/RasterCanvas.h"
#include "ui/RichDocument.h"
#include "ui/RichLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  auto doc = dz::ReadRtf(bytes);
  const bool startsAsRtf = bytes.rfind("{\\rtf", 0) == 0 &&
                           (size == 5 || !((bytes[5] | 0x20) >= 'a' && (bytes[5] | 0x20) <= 'z'));
  if (startsAsRtf != doc.has_value()) std::abort();
  if (!doc) doc = dz::ReadPlainText(bytes);
  if (!doc) return 0;
  for (const dz::RichParagraph& paragraph : doc->Paragraphs) {
    for (const dz::RichRun& run : paragraph.Runs) {
      if (run.Text.empty() || run.Text.find('\0') != std::string::npos) std::abort();
      if (run.Format.HalfPoints < 1 || run.Format.HalfPoints > 3276) std::abort();
    }
  }
  // 10 points are 16-pixel lines on the raster: two fit in 34 rows.
  dz::RasterCanvas canvas(62, 36, dz::clFuchsia);
  const int lines = dz::RenderRichText(canvas, *doc, {1, 1, 61, 35});
  if (lines < 0 || lines > 8) std::abort();  // the smallest line is 4 pixels high
  // Nothing is drawn on the one-pixel ring around the rectangle.
  for (int x = 0; x < 62; ++x) {
    if (canvas.Pixel(x, 0) != dz::clFuchsia || canvas.Pixel(x, 35) != dz::clFuchsia) std::abort();
  }
  for (int y = 0; y < 36; ++y) {
    if (canvas.Pixel(0, y) != dz::clFuchsia || canvas.Pixel(61, y) != dz::clFuchsia) std::abort();
  }
  return 0;
}
