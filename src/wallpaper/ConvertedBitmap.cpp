#include "wallpaper/ConvertedBitmap.h"

#include <algorithm>

#include "picture/BmpFile.h"
#include "picture/BmpRowWriter.h"
#include "picture/PictureErrors.h"
#include "picture/PictureLoader.h"

namespace {

std::string InFolder(const std::string& folder, const char* name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string ConvertFileName(const std::string& folder) { return InFolder(folder, ConvertBaseName); }

std::string DarkConvertFileName(const std::string& folder) { return InFolder(folder, DarkConvertBaseName); }

bool IsConvertedName(std::string_view name) {
  if (SameIgnoringAsciiCase(name, ConvertBaseName) || SameIgnoringAsciiCase(name, DarkConvertBaseName)) return true;
  // "Tesserina Convert <number>.BMP", the number of a further monitor.
  constexpr std::string_view stem = "Tesserina Convert ";
  constexpr std::string_view extension = ".BMP";
  if (name.size() <= stem.size() + extension.size() || !SameIgnoringAsciiCase(name.substr(0, stem.size()), stem) ||
      !SameIgnoringAsciiCase(name.substr(name.size() - extension.size()), extension))
    return false;
  const std::string_view number = name.substr(stem.size(), name.size() - stem.size() - extension.size());
  return number.find_first_not_of("0123456789") == std::string_view::npos && number.front() != '0' && number != "1";
}

QImage StretchPicture(const QImage& picture, std::optional<QSize> stretchTo) {
  if (!stretchTo || picture.size() == *stretchTo) return picture;
  if (stretchTo->isEmpty()) return {};
  CheckPictureSize(stretchTo->width(), stretchTo->height());
  if (picture.isNull()) {
    QImage black = NewPicture(stretchTo->width(), stretchTo->height());
    black.fill(Qt::black);
    return black;
  }
  QImage stretched = picture.scaled(*stretchTo, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (stretched.isNull()) throw TPictureMemoryError(stretchTo->width(), stretchTo->height());
  return stretched;
}

void WriteConverted(const QImage& picture, std::optional<QSize> stretchTo, const std::string& path) {
  WriteBmp(StretchPicture(picture, stretchTo), path);
}

namespace {

// The file being written as the rows are decoded; it is opened once the size is known.
struct RowsToFile {
  const std::string& path;
  std::optional<TBmpRowWriter> writer;
  bool failed = false;
};

void StartFile(void* context, QSize size) noexcept {
  auto& file = *static_cast<RowsToFile*>(context);
  try {
    // The resolution the whole decode's picture would carry into WriteBmp.
    const QImage fresh(1, 1, QImage::Format_RGB32);
    file.writer.emplace(file.path, size, QSize(fresh.dotsPerMeterX(), fresh.dotsPerMeterY()));
  } catch (...) {
    file.failed = true;
  }
}

void PutRow(void* context, int y, const QRgb* pixels) noexcept {
  auto& file = *static_cast<RowsToFile*>(context);
  if (file.writer) file.writer->Put(y, pixels);
}

}  // namespace

void WritePictureConverted(const std::string& picturePath, const std::string& path) {
  RowsToFile file{path, std::nullopt};
  DecodeStillPictureRows(picturePath, {&file, StartFile, PutRow});
  if (file.failed || !file.writer) throw TFileWriteError("Cannot write file \"" + path + "\"");
  file.writer->Commit();
}
