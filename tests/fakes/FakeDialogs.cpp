#include "fakes/FakeDialogs.h"

#include <algorithm>

namespace dz {

void FakeDialogs::Show(Kind kind, const std::string& text, const std::string& caption) {
  boxes.push_back(Box{kind, text, caption});
  Box shown = boxes.back();  // the vector may grow while the box is open
  ++openNow;
  mostOpenAtOnce = std::max(mostOpenAtOnce, openNow);
  struct Closing {
    int& open;
    ~Closing() { --open; }
  } closing{openNow};
  if (whileOpen) {
    std::function<void(const Box&)> callback = whileOpen;
    callback(shown);
  }
}

void FakeDialogs::ShowErrorBox(const std::string& text, const std::string& caption) {
  Show(Kind::Error, text, caption);
}

void FakeDialogs::ShowNoticeBox(const std::string& text, const std::string& caption) {
  Show(Kind::Notice, text, caption);
}

std::vector<std::string> FakeDialogs::ErrorTexts() const {
  std::vector<std::string> texts;
  for (const Box& box : boxes) {
    if (box.kind == Kind::Error) texts.push_back(box.text);
  }
  return texts;
}

std::vector<std::string> FakeDialogs::NoticeTexts() const {
  std::vector<std::string> texts;
  for (const Box& box : boxes) {
    if (box.kind == Kind::Notice) texts.push_back(box.text);
  }
  return texts;
}

}  // namespace dz
