#pragma once
// The file-open dialog component and the port it runs through.
//
// Port: the platform installs a FileDialogs as CurrentPlatform().fileDialogs.
// ExecuteOpen shows the modal dialog (a nested message loop: timers keep
// ticking), starting on request.fileName, and on OK stores the chosen path
// in request.fileName and returns true; on cancel it leaves the request
// alone and returns false.
#include <string>

#include "ui/Controls.h"

namespace dz {

enum TOpenOption : unsigned {
  ofReadOnly = 1u << 0,
  ofOverwritePrompt = 1u << 1,
  ofHideReadOnly = 1u << 2,
  ofNoChangeDir = 1u << 3,
  ofAllowMultiSelect = 1u << 4,
  ofPathMustExist = 1u << 5,
  ofFileMustExist = 1u << 6,
  ofEnableSizing = 1u << 7,
};
using TOpenOptions = unsigned;

struct OpenFileRequest {
  std::string title;
  std::string filter;      // "Name|pattern|Name|pattern..."
  int filterIndex = 0;     // 1-based entry; 0 means the first
  std::string initialDir;
  TOpenOptions options = 0;
  std::string fileName;    // in: where to start; out: the choice
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual bool ExecuteOpen(OpenFileRequest& request) = 0;
};

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TOpenDialog"; }

  std::string Title;
  std::string Filter;
  int FilterIndex = 1;
  std::string InitialDir;
  TOpenOptions Options = ofHideReadOnly | ofEnableSizing;

  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }

  // Shows the dialog; true when the user chose a file (then FileName holds
  // it). A cancel keeps FileName.
  bool Execute();

 private:
  std::string fileName_;
};

}  // namespace dz
