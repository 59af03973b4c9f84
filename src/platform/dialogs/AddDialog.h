// The Add dialog as a seam: the real one (widgets/QtAddDialog.h) is a multi-selection file-open dialog, tests give
// the chosen file names directly.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

class IAddDialog {
 public:
  virtual ~IAddDialog() = default;
  // The chosen files in the dialog's order, or nullopt when the user cancels.
  virtual std::optional<std::vector<std::string>> Execute(const QString& filter, const std::string& initialDir) = 0;
};
