#pragma once
// A windowless label that shows a short rich-text document. For now it
// paints its background only; the document's text is drawn later.
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

  void Paint(Canvas& canvas) override;

 private:
  std::string richText_;
  bool transparent_ = false;
};

}  // namespace dz
