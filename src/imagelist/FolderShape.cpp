#include "imagelist/FolderShape.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "imagelist/DarkNames.h"
#include "imagelist/WallpaperPackage.h"

namespace {

struct TPackage {
  std::vector<std::size_t> images;
  std::vector<std::size_t> darkImages;
  std::vector<std::size_t> screenshots;
};

std::vector<QSize> SizesOf(const std::vector<std::size_t>& indexes, const std::vector<std::string>& files) {
  std::vector<QSize> sizes;
  sizes.reserve(indexes.size());
  for (const std::size_t i : indexes) sizes.push_back(PackageFileOf(files[i])->size);
  return sizes;
}

// The index of indexes that suits screen, and every other one marked withheld.
std::optional<std::size_t> Choose(const std::vector<std::size_t>& indexes, const std::vector<std::string>& files,
                                  QSize screen, std::vector<bool>& withheld) {
  if (indexes.empty()) return std::nullopt;
  const std::size_t chosen = indexes[ChooseSize(SizesOf(indexes, files), screen)];
  for (const std::size_t i : indexes) withheld[i] = i != chosen;
  return chosen;
}

}  // namespace

void ShapeListing(TFolderListing& listing, QSize screen, const std::function<bool(const std::string&)>& exists) {
  const std::vector<std::string>& files = listing.files;
  std::vector<bool> withheld(files.size(), false);
  std::vector<std::pair<std::string, std::string>> partners;

  std::map<std::string, TPackage> packages;
  std::vector<std::size_t> loose;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::optional<TPackageFile> file = PackageFileOf(files[i]);
    if (!file) {
      loose.push_back(i);
      continue;
    }
    TPackage& package = packages[file->package];
    (file->kind == TPackageFile::Kind::Image       ? package.images
     : file->kind == TPackageFile::Kind::DarkImage ? package.darkImages
                                                   : package.screenshots)
        .push_back(i);
  }
  for (const auto& [folder, package] : packages) {
    // Without its metadata a folder of that shape is no package: its pictures stand alone.
    if (!exists(folder + "/metadata.json") && !exists(folder + "/metadata.desktop")) {
      for (const auto* group : {&package.images, &package.darkImages, &package.screenshots})
        loose.insert(loose.end(), group->begin(), group->end());
      continue;
    }
    for (const std::size_t i : package.screenshots) withheld[i] = true;
    const std::optional<std::size_t> light = Choose(package.images, files, screen, withheld);
    const std::optional<std::size_t> dark = Choose(package.darkImages, files, screen, withheld);
    if (light && dark) {
      withheld[*dark] = true;
      partners.emplace_back(files[*light], files[*dark]);
    }
  }

  std::sort(loose.begin(), loose.end());
  std::vector<std::string> looseFiles;
  looseFiles.reserve(loose.size());
  for (const std::size_t i : loose) looseFiles.push_back(files[i]);
  for (const auto& [light, dark] : PairByName(looseFiles)) {
    withheld[loose[dark]] = true;
    partners.emplace_back(looseFiles[light], looseFiles[dark]);
  }

  std::vector<std::string> kept;
  kept.reserve(files.size());
  listing.withheld.clear();
  for (std::size_t i = 0; i < files.size(); ++i) (withheld[i] ? listing.withheld : kept).push_back(files[i]);
  listing.files = std::move(kept);
  std::sort(partners.begin(), partners.end());
  listing.partners = std::move(partners);
}

TListingShape ListingShapeFor(QSize screen) {
  return [screen](TFolderListing& listing) {
    ShapeListing(listing, screen, [](const std::string& path) {
      std::error_code error;
      return std::filesystem::is_regular_file(path, error);
    });
  };
}
