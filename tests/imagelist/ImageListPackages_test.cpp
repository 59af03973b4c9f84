// Wallpaper packages: which files are a package's by their path, and which size suits a screen.
#include <gtest/gtest.h>

#include <vector>

#include "imagelist/FolderShape.h"
#include "imagelist/WallpaperPackage.h"

namespace {

TEST(ImageListPackages, TheSizeThatCoversWithTheNearestProportionsOrElseTheLargest) {
  const std::vector<QSize> sizes = {{1280, 1024}, {1920, 1080}, {2560, 1440}, {3840, 2160},
                                    {1080, 1920}, {1440, 2560}, {5120, 2880}};
  struct Case {
    const char* what;
    QSize screen;
    QSize chosen;
  };
  const Case cases[] = {
      {"landscape 16:9: the smallest of equal proportions", {1920, 1080}, {1920, 1080}},
      {"landscape between sizes", {2000, 1100}, {2560, 1440}},
      {"landscape 5:4 covered only by wider ones", {1280, 1024}, {1280, 1024}},
      {"landscape 4:3", {1600, 1200}, {2560, 1440}},
      {"portrait", {1080, 1920}, {1080, 1920}},
      {"portrait larger than every portrait size: the landscape one that covers", {1600, 2800}, {5120, 2880}},
      {"none covers: the largest", {8000, 5000}, {5120, 2880}},
      {"no screen: the largest", {}, {5120, 2880}},
  };
  for (const Case& c : cases) EXPECT_EQ(sizes[ChooseSize(sizes, c.screen)], c.chosen) << c.what;
}

TEST(ImageListPackages, APackageIsOneEntryWithItsDarkSizeAndNoScreenshot) {
  TFolderListing listing;
  listing.request = {"/w", true};
  listing.available = true;
  listing.files = {"/w/Sea/contents/images/1920x1080.jpg",      "/w/Sea/contents/images/3840x2160.jpg",
                   "/w/Sea/contents/images/1080x1920.jpg",      "/w/Sea/contents/images_dark/1920x1080.jpg",
                   "/w/Sea/contents/images_dark/3840x2160.jpg", "/w/Sea/contents/screenshot.png",
                   "/w/Loose/contents/images/800x600.jpg",      "/w/plain.jpg"};
  ShapeListing(listing, QSize(1920, 1080), [](const std::string& path) { return path == "/w/Sea/metadata.json"; });
  // Without metadata, a folder of that shape is no package.
  EXPECT_EQ(listing.files, (std::vector<std::string>{"/w/Sea/contents/images/1920x1080.jpg",
                                                     "/w/Loose/contents/images/800x600.jpg", "/w/plain.jpg"}));
  EXPECT_EQ(listing.partners,
            (std::vector<std::pair<std::string, std::string>>{
                {"/w/Sea/contents/images/1920x1080.jpg", "/w/Sea/contents/images_dark/1920x1080.jpg"}}));
  EXPECT_EQ(listing.withheld.size(), 5u);
}

}  // namespace
