// The Add dialog as the test sets it: it gives the files set (or a cancel when none are set)
// and records the filter and folder it was opened with.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs/AddDialog.h"

class TScriptedAddDialog final : public IAddDialog {
 public:
  std::optional<std::vector<std::string>> Execute(const QString& filter, const std::string& initialDir) override {
    lastFilter = filter;
    lastInitialDir = initialDir;
    return files;
  }
  std::optional<std::vector<std::string>> files;
  QString lastFilter;
  std::string lastInitialDir;
};
