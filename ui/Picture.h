#pragma once
// A picture drawn again and again (button faces, glyph cells): pixels and
// the one colour left out when it is drawn. The canvas it is drawn on may
// keep its own rendering of the picture here (on the platform a device
// bitmap and its mask), made at the first draw and kept until the pixels
// change or the picture goes, so a repaint only copies what is made.
#include <memory>

#include "ui/Graphics.h"

namespace dz {

// What a canvas keeps of a picture it has drawn.
class PictureRendering {
 public:
  virtual ~PictureRendering() = default;
};

class Picture {
 public:
  Picture() = default;
  // `transparent` clNone draws every pixel.
  Picture(Image image, TColor transparent);
  // A copy has the pixels; it makes its own rendering when drawn.
  Picture(const Picture& other);
  Picture& operator=(const Picture& other);
  Picture(Picture&&) noexcept = default;
  Picture& operator=(Picture&&) noexcept = default;
  ~Picture() = default;

  const Image& Pixels() const noexcept { return image_; }
  TColor Transparent() const noexcept { return transparent_; }
  int Width() const noexcept { return image_.Width; }
  int Height() const noexcept { return image_.Height; }
  bool Empty() const noexcept { return image_.Empty(); }

  // New pixels: the rendering made of the old ones goes.
  void Assign(Image image, TColor transparent);

  // For canvases: the rendering kept with the picture, or nullptr.
  PictureRendering* Rendering() const noexcept { return rendering_.get(); }
  void KeepRendering(std::unique_ptr<PictureRendering> rendering) const noexcept {
    rendering_ = std::move(rendering);
  }

 private:
  Image image_;
  TColor transparent_ = clNone;
  mutable std::unique_ptr<PictureRendering> rendering_;
};

}  // namespace dz
