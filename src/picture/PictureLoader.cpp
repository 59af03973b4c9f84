#include "picture/PictureLoader.h"

#include "picture/BmpFile.h"
#include "picture/JpegDecoder.h"
#include "picture/PictureErrors.h"
#include "picture/PictureFormat.h"
#include "picture/PngDecoder.h"
#include "picture/TGIFImage.h"
#include "picture/WebpDecoder.h"

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
  switch (PictureFormatOf(path)) {
    case PictureFormat::Jpeg:
      return DecodeJpeg(path);
    case PictureFormat::Png:
      return DecodePng(path);
    case PictureFormat::Webp:
      return DecodeWebp(path);
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
  switch (PictureFormatOf(path)) {
    case PictureFormat::Jpeg:
      return DecodeJpegFor(path, target);
    case PictureFormat::Png:
      return DecodePngFor(path, target);
    case PictureFormat::Webp:
      return DecodeWebpFor(path, target);
    case PictureFormat::Gif:
    case PictureFormat::Bitmap:
      break;
  }
  return Whole(DecodeStillPicture(path));
}

void DecodeStillPictureRows(const std::string& path, const TRowSink& sink) {
  switch (PictureFormatOf(path)) {
    case PictureFormat::Jpeg:
      return DecodeJpegRows(path, sink);
    case PictureFormat::Png:
      return DecodePngRows(path, sink);
    case PictureFormat::Webp:
      return DecodeWebpRows(path, sink);
    case PictureFormat::Gif:
    case PictureFormat::Bitmap:
      break;
  }
  const QImage picture = DecodeStillPicture(path);
  sink.start(sink.context, picture.size());
  for (int y = 0; y < picture.height(); ++y)
    sink.row(sink.context, y, reinterpret_cast<const QRgb*>(picture.constScanLine(y)));
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
