#pragma once
// Dialogs port that records every box. A box counts as open while
// `whileOpen` runs, so a test can let time pass "under" a box.
#include <functional>
#include <string>
#include <vector>

#include "runtime/Dialogs.h"

namespace dz {

class FakeDialogs final : public Dialogs {
 public:
  enum class Kind { Error, Notice };
  struct Box {
    Kind kind;
    std::string text;
    std::string caption;
  };

  void CancelMouseCapture() override { ++captureCancels; }
  void ShowErrorBox(const std::string& text, const std::string& caption) override;
  void ShowNoticeBox(const std::string& text, const std::string& caption) override;

  // Texts of the error boxes, in order.
  std::vector<std::string> ErrorTexts() const;
  std::vector<std::string> NoticeTexts() const;

  std::vector<Box> boxes;
  int captureCancels = 0;
  int openNow = 0;       // boxes open at this moment
  int mostOpenAtOnce = 0;
  // Runs while each box is open (the box is already recorded).
  std::function<void(const Box&)> whileOpen;

 private:
  void Show(Kind kind, const std::string& text, const std::string& caption);
};

}  // namespace dz
