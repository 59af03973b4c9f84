// The Add dialog and the folder chooser as the test sets them: they give the files or the
// folder set (or a cancel when none is set) and record the filter and folder they opened with.
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
  std::optional<std::string> ChooseFolder(const std::string& initialDir) override {
    lastInitialDir = initialDir;
    return folder;
  }
  std::optional<std::vector<std::string>> files;
  std::optional<std::string> folder;
  QString lastFilter;
  std::string lastInitialDir;
};
