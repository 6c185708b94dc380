#include "ui/OpenDialog.h"

#include "runtime/Platform.h"

namespace dz {

bool TOpenDialog::Execute() {
  FileDialogs& dialogs = Require(CurrentPlatform().fileDialogs, "file dialogs");
  OpenFileRequest request{Title, Filter, FilterIndex, InitialDir, Options, fileName_};
  if (!dialogs.ExecuteOpen(request)) return false;
  fileName_ = request.fileName;
  FilterIndex = request.filterIndex;
  return true;
}

}  // namespace dz
