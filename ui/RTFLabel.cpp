#include "ui/RTFLabel.h"

#include "runtime/Exceptions.h"
#include "ui/Canvas.h"
#include "ui/RichDocument.h"
#include "ui/RichLayout.h"

namespace dz {

namespace {

// Read as RTF first, then as plain text.
RichDocument LoadDocument(const std::string& data) {
  if (auto doc = ReadRtf(data)) return std::move(*doc);
  if (auto doc = ReadPlainText(data)) return std::move(*doc);
  throw EOutOfResources("Failed to Load Stream");
}

}  // namespace

TRTFLabel::TRTFLabel(TComponent* owner) : TGraphicControl(owner) {
  SetColor(clWindow);
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TRTFLabel::SetTransparent(bool on) {
  if (on == transparent_) return;
  transparent_ = on;
  Invalidate();
}

void TRTFLabel::Paint(Canvas& canvas) {
  const TRect client = ClientRect();
  if (!transparent_) {
    canvas.Brush = {Color(), bsSolid};
    canvas.FillRect(client);
  }
  // The text goes onto the parent's surface; without a parent there is none.
  if (!Parent()) return;
  const RichDocument doc = LoadDocument(richText_);
  // The text is drawn over the background without erasing behind the
  // glyphs, so the background colour needs no passing on. The rectangle is
  // worked out in twips, as the platform's renderers take it, and brought
  // back to this device's pixels.
  const TSize dpi = canvas.PixelsPerInch();
  RenderRichText(canvas, doc, TwipsToPixels(FormattingRectTwips(client, dpi), dpi));
}

}  // namespace dz
