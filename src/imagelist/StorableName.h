// Which file names the list can keep. The configuration stores an entry as one
// "name=value" line whose name ends at the first "=", so a name holding "=" or a line
// break would come back from the file as another name, and the entry would be lost.
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

bool IsStorableName(std::string_view name);

// The error that names the files left out of the list (the first ten of them).
QString UnstorableNamesMessage(const std::vector<std::string>& names);
