// The Add dialog as a real multi-selection file-open dialog, and the folder chooser.
#pragma once

#include "platform/dialogs/AddDialog.h"

class TQtAddDialog final : public IAddDialog {
 public:
  std::optional<std::vector<std::string>> Execute(const QString& filter, const std::string& initialDir) override;
  std::optional<std::string> ChooseFolder(const std::string& initialDir) override;
};
