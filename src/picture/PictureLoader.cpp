#include "picture/PictureLoader.h"

#include "picture/BmpFile.h"
#include "picture/JpegDecoder.h"
#include "picture/PictureErrors.h"
#include "picture/PictureFormat.h"
#include "picture/QtImageDecoder.h"
#include "picture/TGIFImage.h"

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

// A picture decoded whole: the file states its size.
TScaledPicture Whole(QImage picture) {
  const QSize size = picture.size();
  return {std::move(picture), size};
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

QImage DecodeStillPicture(const std::string& path) {
  switch (const PictureFormat format = PictureFormatOf(path)) {
    case PictureFormat::Jpeg:
      return DecodeJpeg(path);
    case PictureFormat::Png:
    case PictureFormat::Webp:
      return DecodeQtImage(path, format);
    case PictureFormat::Gif:
    case PictureFormat::Bitmap:
      break;
  }
  return ReadBmp(path);
}

QImage LoadPicture(const std::string& path) {
  try {
    if (PictureFormatOf(path) == PictureFormat::Gif) return LoadGif(path);
    return DecodeStillPicture(path);
  } catch (const TFileOpenError&) {
    return {};
  } catch (const TDecodeError&) {
    return {};
  }
}

TScaledPicture DecodeStillPictureFor(const std::string& path, const TDecodeTarget& target) {
  if (PictureFormatOf(path) == PictureFormat::Jpeg) return DecodeJpegFor(path, target);
  return Whole(DecodeStillPicture(path));
}

TScaledPicture LoadPictureFor(const std::string& path, const TDecodeTarget& target) {
  if (PictureFormatOf(path) == PictureFormat::Gif) return Whole(LoadGif(path));
  try {
    return DecodeStillPictureFor(path, target);
  } catch (const TFileOpenError&) {
    return {};
  } catch (const TDecodeError&) {
    return {};
  }
}
