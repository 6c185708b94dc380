#include "ui/Picture.h"

namespace dz {

Picture::Picture(Image image, TColor transparent)
    : image_(std::move(image)), transparent_(transparent) {}

Picture::Picture(const Picture& other) : image_(other.image_), transparent_(other.transparent_) {}

Picture& Picture::operator=(const Picture& other) {
  if (this != &other) Assign(other.image_, other.transparent_);
  return *this;
}

void Picture::Assign(Image image, TColor transparent) {
  rendering_.reset();
  image_ = std::move(image);
  transparent_ = transparent;
}

}  // namespace dz
