#include "wallpaper/PictureLoader.h"

#include "wallpaper/BmpFile.h"
#include "wallpaper/JpegDecoder.h"
#include "widgets/PictureErrors.h"
#include "widgets/TGIFImage.h"

namespace {

QImage LoadGif(const std::string& path) {
  TGIFImage gif;
  if (gif.LoadFromFile(path)) return gif.Bitmap();
  try {
    std::rethrow_exception(gif.LastError());
  } catch (const TPictureTooLarge&) {
    throw;
  } catch (const TPictureMemoryError&) {
    throw;
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

std::string UpperExt(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  std::string ext(path.substr(dot));
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ext;
}

QImage LoadPicture(const std::string& path) {
  const std::string ext = UpperExt(path);
  try {
    if (ext == ".JPG" || ext == ".JPEG") return DecodeJpeg(path);
    if (ext == ".GIF") return LoadGif(path);
    return ReadBmp(path);
  } catch (const TFileOpenError&) {
    return {};
  } catch (const TDecodeError&) {
    return {};
  }
}
