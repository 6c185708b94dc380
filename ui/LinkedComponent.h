#pragma once
// A component that other objects point at without owning it (a button's
// drop-down menu, its image list): each registers what to do when the
// component goes, so no pointer to it outlives it.
#include <functional>
#include <utility>
#include <vector>

#include "ui/Controls.h"

namespace dz {

class TLinkedComponent : public TComponent {
 public:
  using TComponent::TComponent;
  ~TLinkedComponent() override {
    auto links = std::move(links_);
    for (auto& link : links) link.second();
  }
  const char* ClassName() const override { return "TLinkedComponent"; }

  // `gone` runs when this component is destroyed; one link per `who`.
  void Link(const void* who, std::function<void()> gone) {
    Unlink(who);
    links_.emplace_back(who, std::move(gone));
  }
  void Unlink(const void* who) noexcept {
    std::erase_if(links_, [who](const auto& link) { return link.first == who; });
  }

 private:
  std::vector<std::pair<const void*, std::function<void()>>> links_;
};

}  // namespace dz
