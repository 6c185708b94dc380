#pragma once
// A list of pictures of one size, another source of a glyph button's glyph.
#include <vector>

#include "runtime/Exceptions.h"
#include "ui/LinkedComponent.h"

namespace dz {

class TCustomImageList : public TLinkedComponent {
 public:
  TCustomImageList(TComponent* owner, int width, int height)
      : TLinkedComponent(owner), width_(width), height_(height) {}
  const char* ClassName() const override { return "TCustomImageList"; }

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  int Count() const noexcept { return static_cast<int>(images_.size()); }

  // Adds a picture of the list's size; returns its index.
  int Add(Image image) {
    if (image.Width != width_ || image.Height != height_) throw Exception("Invalid image size");
    images_.push_back(std::move(image));
    return Count() - 1;
  }
  // The picture at `index`, or an empty one.
  Image GetImage(int index) const {
    if (index < 0 || index >= Count()) return {};
    return images_[static_cast<std::size_t>(index)];
  }

 private:
  int width_, height_;
  std::vector<Image> images_;
};

}  // namespace dz
