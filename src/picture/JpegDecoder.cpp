#include "picture/JpegDecoder.h"

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <string_view>

#include "picture/DecodeScale.h"
#include "picture/JpegErrorManager.h"
#include "picture/PictureErrors.h"
#include "picture/PictureFile.h"
#include "platform/system/ImageMemory.h"

namespace {

enum class JpegStatus { Ok, Corrupt, TooLarge, NoMemory };

// What the decode learnt, kept outside the frame that calls setjmp so a longjmp never skips
// a destructor.
struct JpegOutcome {
  JpegStatus status = JpegStatus::Ok;
  std::int64_t width = 0;
  std::int64_t height = 0;
  QSize fileSize;
  char message[JMSG_LENGTH_MAX] = {};
};

inline std::uint8_t Scale(unsigned a, unsigned b) { return static_cast<std::uint8_t>((a * b + 127) / 255); }

// Adobe's writers store CMYK inverted (0 = full ink); others store it plainly.
void CmykRowToRgb32(const JSAMPLE* cmyk, QRgb* out, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    out[x] = qRgb(Scale(c, k), Scale(m, k), Scale(y, k));
  }
}

void ReadRgbRows(jpeg_decompress_struct& info, QImage& picture) {
  JSAMPROW rows[16];
  while (info.output_scanline < info.output_height) {
    const JDIMENSION first = info.output_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(16, info.output_height - first);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = picture.scanLine(static_cast<int>(first + i));
    jpeg_read_scanlines(&info, rows, count);
  }
}

void ReadCmykRows(jpeg_decompress_struct& info, QImage& picture) {
  JSAMPARRAY row =
      (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1);
  const bool inverted = info.saw_Adobe_marker;
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, row, 1);
    CmykRowToRgb32(row[0], reinterpret_cast<QRgb*>(picture.scanLine(y)), info.output_width, inverted);
  }
}

// Where the compressed bytes come from: an open file, or else bytes in memory.
struct JpegInput {
  std::FILE* file = nullptr;
  std::string_view bytes;
};

JpegStatus Stop(jpeg_decompress_struct& info, JpegStatus status) {
  jpeg_destroy_decompress(&info);
  return status;
}

// How far the decode scales down: a thumbnail's shorter side (minSide), a stretch target,
// or neither (full size).
struct JpegScaling {
  int minSide = 0;
  const TDecodeTarget* target = nullptr;
};

void SetScale(jpeg_decompress_struct& info, const JpegScaling& scaling) {
  const int width = static_cast<int>(info.image_width);
  const int height = static_cast<int>(info.image_height);
  if (scaling.minSide > 0) {
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(JpegThumbnailDenominator(width, height, scaling.minSide));
  } else if (scaling.target) {
    // 8/8 is left to libjpeg's defaults, so the whole picture decodes exactly as without a target.
    const int eighths = DecodeEighths(QSize(width, height), *scaling.target);
    if (eighths < 8) {
      info.scale_num = static_cast<unsigned>(eighths);
      info.scale_denom = 8;
    }
  }
}

// The rectangle of the output that is decoded: CenterPart for a centred target, otherwise
// the whole output. The size limit has been checked on the whole picture, so a part is
// refused exactly where the whole picture would be.
QRect PartToDecode(const jpeg_decompress_struct& info, const JpegScaling& scaling) {
  const QSize output(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  if (!scaling.target || scaling.target->use != DecodeUse::Centred) return {QPoint(0, 0), output};
  return CenterPart(output, scaling.target->box);
}

// Decodes only part's rows and columns. libjpeg widens the columns to whole iMCUs; at the
// edge of that range its upsampling of subsampled colour repeats the edge sample where the
// whole decode would have its neighbour, so the range asked for reaches one iMCU further on
// each side, and only part is copied out. The pixels are then those of the whole decode.
void ReadPart(jpeg_decompress_struct& info, const QRect& part, bool cmyk, QImage& picture) {
  const int margin = info.max_h_samp_factor * DCTSIZE;
  const int left = std::max(0, part.left() - margin);
  const int right = std::min(static_cast<int>(info.output_width), part.right() + 1 + margin);
  JDIMENSION first = static_cast<JDIMENSION>(left);
  JDIMENSION width = static_cast<JDIMENSION>(right - left);
  jpeg_crop_scanline(&info, &first, &width);
  if (part.top() > 0) jpeg_skip_scanlines(&info, static_cast<JDIMENSION>(part.top()));
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * static_cast<JDIMENSION>(info.output_components), 1);
  const int skip = part.left() - static_cast<int>(first);
  const bool inverted = info.saw_Adobe_marker;
  for (int y = 0; y < part.height(); ++y) {
    jpeg_read_scanlines(&info, row, 1);
    auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
    if (cmyk)
      CmykRowToRgb32(row[0] + skip * 4, out, static_cast<JDIMENSION>(part.width()), inverted);
    else
      std::copy_n(reinterpret_cast<const QRgb*>(row[0]) + skip, part.width(), out);
  }
  // The rows below the part are never read; destroying the decompressor ends the decode.
}

// Every local here is trivially destructible; the picture lives in the caller's frame.
void Decode(const JpegInput& input, const JpegScaling& scaling, QImage& picture, JpegOutcome& outcome) {
  jpeg_decompress_struct info;
  JpegErrorManager manager;
  UseJpegErrorManager(info, manager, outcome.message);
  if (setjmp(manager.jump)) {
    outcome.status = Stop(info, JpegStatus::Corrupt);
    return;
  }
  jpeg_create_decompress(&info);
  if (input.file)
    jpeg_stdio_src(&info, input.file);
  else
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(input.bytes.data()), input.bytes.size());
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : NativeRgb32;
  outcome.fileSize = QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
  SetScale(info, scaling);
  jpeg_calc_output_dimensions(&info);
  outcome.width = info.output_width;
  outcome.height = info.output_height;
  if (outcome.width * outcome.height > MaxPicturePixels) {
    outcome.status = Stop(info, JpegStatus::TooLarge);
    return;
  }
  jpeg_start_decompress(&info);
  const QRect part = PartToDecode(info, scaling);
  picture = AllocateImage(part.size(), QImage::Format_RGB32);
  if (picture.isNull()) {
    outcome.status = Stop(info, JpegStatus::NoMemory);
    return;
  }
  if (part.size() != outcome.fileSize) {
    ReadPart(info, part, cmyk, picture);
    jpeg_destroy_decompress(&info);
    return;
  }
  if (cmyk)
    ReadCmykRows(info, picture);
  else
    ReadRgbRows(info, picture);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

// Decodes the whole picture one row at a time into sink: nothing is held but that row. The
// row buffers come from libjpeg's pool, so a longjmp leaves nothing to destroy.
void DecodeRows(std::FILE* file, const TRowSink& sink, JpegOutcome& outcome) {
  jpeg_decompress_struct info;
  JpegErrorManager manager;
  UseJpegErrorManager(info, manager, outcome.message);
  if (setjmp(manager.jump)) {
    outcome.status = Stop(info, JpegStatus::Corrupt);
    return;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : NativeRgb32;
  jpeg_calc_output_dimensions(&info);
  outcome.width = info.output_width;
  outcome.height = info.output_height;
  outcome.fileSize = QSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  if (outcome.width * outcome.height > MaxPicturePixels) {
    outcome.status = Stop(info, JpegStatus::TooLarge);
    return;
  }
  jpeg_start_decompress(&info);
  const auto pool = reinterpret_cast<j_common_ptr>(&info);
  JSAMPARRAY row = (*info.mem->alloc_sarray)(pool, JPOOL_IMAGE, info.output_width * 4, 1);
  JSAMPARRAY rgb = cmyk ? (*info.mem->alloc_sarray)(pool, JPOOL_IMAGE, info.output_width * 4, 1) : row;
  sink.start(sink.context, outcome.fileSize);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, row, 1);
    if (cmyk) CmykRowToRgb32(row[0], reinterpret_cast<QRgb*>(rgb[0]), info.output_width, info.saw_Adobe_marker);
    sink.row(sink.context, y, reinterpret_cast<const QRgb*>(rgb[0]));
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

void ThrowFor(const JpegOutcome& outcome, const std::string& name) {
  switch (outcome.status) {
    case JpegStatus::Ok:
      return;
    case JpegStatus::Corrupt:
      throw TDecodeError("JPEG error in \"" + name + "\": " + outcome.message);
    case JpegStatus::TooLarge:
      throw TPictureTooLarge(outcome.width, outcome.height);
    case JpegStatus::NoMemory:
      throw TPictureMemoryError(outcome.width, outcome.height);
  }
}

// name is what an error message calls the picture.
TScaledPicture DecodeInput(const JpegInput& input, const std::string& name, const JpegScaling& scaling) {
  QImage picture;
  JpegOutcome outcome;
  Decode(input, scaling, picture, outcome);
  switch (outcome.status) {
    case JpegStatus::Ok:
      return {picture, outcome.fileSize};
    case JpegStatus::Corrupt:
      throw TDecodeError("JPEG error in \"" + name + "\": " + outcome.message);
    case JpegStatus::TooLarge:
      throw TPictureTooLarge(outcome.width, outcome.height);
    case JpegStatus::NoMemory:
      throw TPictureMemoryError(outcome.width, outcome.height);
  }
  return {};
}

TScaledPicture DecodeFile(const std::string& path, const JpegScaling& scaling) {
  const TPictureStream file = OpenPictureStream(path);
  return DecodeInput({file.get(), {}}, path, scaling);
}

}  // namespace

QImage DecodeJpeg(const std::string& path) { return DecodeFile(path, {}).picture; }

void DecodeJpegRows(const std::string& path, const TRowSink& sink) {
  const TPictureStream file = OpenPictureStream(path);
  JpegOutcome outcome;
  DecodeRows(file.get(), sink, outcome);
  ThrowFor(outcome, path);
}

QImage DecodeJpegBytes(std::string_view bytes, const std::string& name) {
  return DecodeInput({nullptr, bytes}, name, {}).picture;
}

QImage DecodeJpegThumbnail(const std::string& path, int minSide) {
  return DecodeFile(path, {std::max(minSide, 1), nullptr}).picture;
}

TScaledPicture DecodeJpegFor(const std::string& path, const TDecodeTarget& target) {
  TScaledPicture scaled = DecodeFile(path, {0, &target});
  if (scaled.picture.size() == scaled.fileSize || target.use == DecodeUse::Centred) return scaled;
  // The N/8 decode is at most 8/7 of the size on the screen in some direction; averaging it
  // down by area here leaves the stretch nothing to drop.
  const QSize onScreen = StretchedSize(scaled.fileSize, target);
  if (scaled.picture.size() != onScreen) {
    QImage reduced = scaled.picture.scaled(onScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (reduced.isNull()) throw TPictureMemoryError(onScreen.width(), onScreen.height());
    scaled.picture = std::move(reduced);
  }
  return scaled;
}

int JpegThumbnailDenominator(int width, int height, int minSide) {
  const int longer = std::max(width, height);
  int denominator = 1;
  while (denominator < 8 && longer / (denominator * 2) >= minSide) denominator *= 2;
  return denominator;
}
