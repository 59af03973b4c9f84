// Case folding for INI section names and keys: two names match when their folds are
// equal. Valid UTF-8 folds as Unicode does; bytes that are not valid UTF-8 fold as
// themselves, so a name in another encoding still matches its own spelling.
#pragma once

#include <string>
#include <string_view>

std::string IniCaseFold(std::string_view text);
