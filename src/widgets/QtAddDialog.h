// The Add dialog as a real multi-selection file-open dialog.
#pragma once

#include "platform/dialogs/AddDialog.h"

class TQtAddDialog final : public IAddDialog {
 public:
  std::optional<std::vector<std::string>> Execute(const QString& filter, const std::string& initialDir) override;
};
