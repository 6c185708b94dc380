#pragma once
// A windowless label that shows a short rich-text document (RTF) held in
// RichText. It has no caption or font of its own: fonts, sizes and colours
// come from the document alone.
//
// Every paint fills the background (unless Transparent), reads the document
// again, lays it out inside the formatting rectangle (the client area inset
// by one pixel at the left and the top) and draws only the lines that fit.
// Nothing survives from one paint to the next.
#include <string>

#include "ui/Controls.h"

namespace dz {

class TRTFLabel : public TGraphicControl {
 public:
  explicit TRTFLabel(TComponent* owner);
  const char* ClassName() const override { return "TRTFLabel"; }

  // The RTF document, a plain stored value: the next paint uses it.
  const std::string& RichText() const { return richText_; }
  void SetRichText(std::string text) { richText_ = std::move(text); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

  // Raises EOutOfResources "Failed to Load Stream" when the document is
  // accepted neither as RTF nor as plain text; the background is painted
  // by then.
  void Paint(Canvas& canvas) override;

 private:
  std::string richText_;
  bool transparent_ = false;
};

}  // namespace dz
