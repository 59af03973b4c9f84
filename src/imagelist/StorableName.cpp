#include "imagelist/StorableName.h"

#include <QStringList>

bool IsStorableName(std::string_view name) { return name.find_first_of("=\r\n") == std::string_view::npos; }

QString UnstorableNamesMessage(const std::vector<std::string>& names) {
  constexpr std::size_t kShown = 10;
  QStringList lines;
  for (std::size_t i = 0; i < names.size() && i < kShown; ++i) lines << QString::fromStdString(names[i]);
  if (names.size() > kShown) lines << QString("... and %1 more").arg(names.size() - kShown);
  return QString(
             "These files were not added: the configuration file cannot hold a name that contains \"=\" or a "
             "line break.\n\n%1")
      .arg(lines.join('\n'));
}
