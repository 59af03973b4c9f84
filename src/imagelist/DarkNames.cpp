#include "imagelist/DarkNames.h"

#include <array>
#include <optional>
#include <unordered_map>

#include "imagelist/ImageList.h"

namespace {

struct TSuffix {
  std::string_view text;
  NameTone tone;
};

constexpr std::array<TSuffix, 12> kSuffixes = {{{"-light", NameTone::Light},
                                                {"_light", NameTone::Light},
                                                {"-night", NameTone::Dark},
                                                {"_night", NameTone::Dark},
                                                {"-dark", NameTone::Dark},
                                                {"_dark", NameTone::Dark},
                                                {"-day", NameTone::Light},
                                                {"_day", NameTone::Light},
                                                {"-l", NameTone::Light},
                                                {"_l", NameTone::Light},
                                                {"-d", NameTone::Dark},
                                                {"_d", NameTone::Dark}}};

}  // namespace

TToneOfName ToneOfName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot <= nameStart) dot = path.size();
  const std::string folder(path.substr(0, nameStart));
  const std::string stem = TImageList::FoldKey(path.substr(nameStart, dot - nameStart));
  for (const TSuffix& suffix : kSuffixes)
    // A stem that is the suffix alone ("-d.png") shares nothing with another name.
    if (stem.size() > suffix.text.size() && stem.ends_with(suffix.text))
      return {suffix.tone, folder + stem.substr(0, stem.size() - suffix.text.size())};
  return {NameTone::Plain, folder + stem};
}

std::vector<std::pair<std::size_t, std::size_t>> PairByName(const std::vector<std::string>& files) {
  struct TTwins {
    std::optional<std::size_t> light;
    std::optional<std::size_t> plain;
    bool taken = false;
  };
  std::vector<TToneOfName> tones;
  tones.reserve(files.size());
  std::unordered_map<std::string, TTwins> twins;
  bool anyDark = false;
  for (std::size_t i = 0; i < files.size(); ++i) {
    tones.push_back(ToneOfName(files[i]));
    const TToneOfName& tone = tones.back();
    if (tone.tone == NameTone::Dark) {
      anyDark = true;
      continue;
    }
    TTwins& twin = twins[tone.key];
    std::optional<std::size_t>& slot = tone.tone == NameTone::Light ? twin.light : twin.plain;
    if (!slot) slot = i;
  }
  std::vector<std::pair<std::size_t, std::size_t>> pairs;
  if (!anyDark) return pairs;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (tones[i].tone != NameTone::Dark) continue;
    const auto found = twins.find(tones[i].key);
    if (found == twins.end() || found->second.taken) continue;
    const std::optional<std::size_t> partner = found->second.light ? found->second.light : found->second.plain;
    if (!partner) continue;
    found->second.taken = true;
    pairs.emplace_back(*partner, i);
  }
  return pairs;
}
