// Dark partners found by name among one folder's pictures: "sea-dark.png" goes with
// "sea-light.jpg", or with "sea.png" when no light-named twin is there. A name before its
// extension that ends in -d, _d, -dark, _dark, -night or _night (any letter case) is dark;
// one that ends in -l, _l, -light, _light, -day or _day is light; the rest of the stem is what
// the two share, compared in any letter case. The extensions may differ.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class NameTone { Plain, Light, Dark };

struct TToneOfName {
  NameTone tone = NameTone::Plain;
  // The folder, "/" and the stem without its tone's suffix, letter case folded: what twins share.
  std::string key;
};

TToneOfName ToneOfName(std::string_view path);

// The pairs among files (full paths): (index of the light or plain picture, index of its dark
// partner). A light-named twin comes before a plain one; each picture has at most one partner,
// the first dark one in files' order, and a dark picture without a twin is in no pair.
std::vector<std::pair<std::size_t, std::size_t>> PairByName(const std::vector<std::string>& files);
