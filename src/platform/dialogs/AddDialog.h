// The dialogs that choose what joins the list, as a seam: the real ones (widgets/QtAddDialog.h)
// are a multi-selection file-open dialog and a folder chooser; tests give the choice directly.
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
  // The chosen folder, or nullopt when the user cancels.
  virtual std::optional<std::string> ChooseFolder(const std::string& initialDir) = 0;
};
