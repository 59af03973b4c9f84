#include "picture/WebpDecoder.h"

#include <sys/stat.h>
#include <unistd.h>
#include <webp/decode.h>
#include <webp/demux.h>

#include <QScopeGuard>
#include <algorithm>
#include <memory>
#include <vector>

#include "picture/OverBlack.h"
#include "picture/PassingRows.h"
#include "picture/PictureErrors.h"
#include "picture/PictureFile.h"

namespace {

// libwebp's output that lays pixels out as QImage::Format_RGB32 and Format_ARGB32 do.
constexpr WEBP_CSP_MODE NativeBgra = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? MODE_BGRA : MODE_ARGB;
// How far a crop reaches beyond the part asked for, on each side: at a crop's edge libwebp's
// upsampling of the colour takes the edge's own samples where the whole decode takes their
// neighbours', so the crop's outermost pixels are not the whole decode's.
constexpr int CropMargin = 2;
// How much more of the file the row-by-row decode is given at a time.
constexpr std::size_t StepBytes = 256 * 1024;

// Qt's reader's words: its header read fails without a reason, its picture read with the
// other.
constexpr const char* HeaderFailure = "Unknown error";
constexpr const char* DataFailure = "Unable to read image data";

[[noreturn]] void Fail(const std::string& name, const char* reason) {
  throw TDecodeError("WebP error in \"" + name + "\": " + reason);
}

// The file's bytes, which libwebp decodes from memory. A read that fails leaves what was
// read, which then fails to decode, as with Qt's reader, which reads the file whole too.
std::string ReadFile(const std::string& path) {
  const int fd = OpenPictureFile(path);
  const auto closed = qScopeGuard([fd] { ::close(fd); });
  struct stat facts {};
  if (::fstat(fd, &facts) != 0) throw TFileOpenError("Cannot open file \"" + path + "\"");
  std::string bytes(static_cast<std::size_t>(facts.st_size), '\0');
  std::size_t held = 0;
  while (held < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + held, bytes.size() - held);
    if (got <= 0) break;
    held += static_cast<std::size_t>(got);
  }
  bytes.resize(held);
  return bytes;
}

struct WebpHeader {
  QSize size;
  bool alpha = false;
  bool animation = false;
};

// What Qt's reader learns from the file's first bytes before it decodes, the size (an
// animation's canvas) checked against the limit.
WebpHeader ReadHeader(std::string_view bytes, const std::string& name) {
  // Qt's reader looks at as many bytes as the features take, or the file's all when shorter.
  WebPBitstreamFeatures features{};
  if (WebPGetFeatures(reinterpret_cast<const std::uint8_t*>(bytes.data()), std::min(bytes.size(), sizeof features),
                      &features) != VP8_STATUS_OK)
    Fail(name, HeaderFailure);
  const WebpHeader header{{features.width, features.height}, features.has_alpha != 0, features.has_animation != 0};
  if (header.size.isEmpty()) Fail(name, HeaderFailure);
  CheckPictureSize(header.size.width(), header.size.height());
  return header;
}

struct DemuxDeleter {
  void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};

struct AnimationDeleter {
  void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

// An animation's first frame as libwebp's animation decoder composes it on the canvas, which
// starts transparent, over black: Qt's reader's pixels wherever its first frame covers its
// canvas (elsewhere Qt's reader leaves the canvas as it found the memory).
QImage DecodeFirstFrame(std::string_view bytes, const std::string& name) {
  WebPAnimDecoderOptions options;
  if (!WebPAnimDecoderOptionsInit(&options)) Fail(name, HeaderFailure);
  options.color_mode = NativeBgra;
  options.use_threads = 1;
  const WebPData file{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
  // Qt's reader reads an animation's frames while it reads its header.
  const std::unique_ptr<WebPAnimDecoder, AnimationDeleter> decoder(WebPAnimDecoderNew(&file, &options));
  WebPAnimInfo info{};
  if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) Fail(name, HeaderFailure);
  std::uint8_t* canvas = nullptr;
  int timestamp = 0;
  if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) Fail(name, DataFailure);
  const int width = static_cast<int>(info.canvas_width), height = static_cast<int>(info.canvas_height);
  QImage picture = NewPicture(width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    std::copy_n(reinterpret_cast<const QRgb*>(canvas) + static_cast<std::size_t>(width) * y, width, row);
    RowOverBlack(row, width);
  }
  return picture;
}

// The coded still picture, found as Qt's reader finds it: the first frame of the demuxed
// file; its data points into the file's bytes.
struct TStillData {
  WebPData data;
  bool lossless = false;
};

TStillData StillData(std::string_view bytes, const std::string& name) {
  const WebPData file{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
  const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&file));
  WebPIterator frame{};
  if (!demux || !WebPDemuxGetFrame(demux.get(), 1, &frame)) Fail(name, DataFailure);
  const WebPData data = frame.fragment;
  WebPDemuxReleaseIterator(&frame);
  WebPBitstreamFeatures features{};
  if (WebPGetFeatures(data.bytes, data.size, &features) != VP8_STATUS_OK) Fail(name, DataFailure);
  return {data, features.format == 2};
}

WebPDecoderConfig NewConfig(const std::string& name) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) Fail(name, DataFailure);
  config.options.use_threads = 1;
  config.output.colorspace = NativeBgra;
  config.output.is_external_memory = 1;
  return config;
}

void DecodeInto(QImage& picture, WebPDecoderConfig& config, const WebPData& data, const std::string& name) {
  WebPRGBABuffer& out = config.output.u.RGBA;
  out.rgba = picture.bits();
  out.stride = static_cast<int>(picture.bytesPerLine());
  out.size = static_cast<std::size_t>(picture.sizeInBytes());
  const VP8StatusCode status = WebPDecode(data.bytes, data.size, &config);
  WebPFreeDecBuffer(&config.output);
  if (status != VP8_STATUS_OK) Fail(name, DataFailure);
}

struct IncrementalDeleter {
  void operator()(WebPIDecoder* decoder) const { WebPIDelete(decoder); }
};

// Decodes only crop of the picture (its left and top even, as libwebp wants them).
void SetCrop(WebPDecoderConfig& config, const QRect& crop, QSize picture) {
  if (crop == QRect(QPoint(0, 0), picture)) return;
  config.options.use_cropping = 1;
  config.options.crop_left = crop.left();
  config.options.crop_top = crop.top();
  config.options.crop_width = crop.width();
  config.options.crop_height = crop.height();
}

// DecodeRows through libwebp's incremental decoder, given StepBytes more of the file each
// turn; each turn hands on the rows it completed and lets them go.
void DecodeRowsIncrementally(const WebPData& data, const WebpHeader& header, const QRect& crop, const std::string& name,
                             const TRowSink& sink) {
  const int width = crop.width(), height = crop.height();
  const std::size_t stride = sizeof(QRgb) * static_cast<std::size_t>(width);
  std::optional<TPassingRows> rows;
  std::vector<QRgb> row;
  try {
    rows.emplace(stride * static_cast<std::size_t>(height));
    row.resize(static_cast<std::size_t>(width));
  } catch (const std::bad_alloc&) {
    throw TPictureMemoryError(width, height);
  }
  WebPDecoderConfig config = NewConfig(name);
  SetCrop(config, crop, header.size);
  WebPRGBABuffer& out = config.output.u.RGBA;
  out.rgba = rows->Start();
  out.stride = static_cast<int>(stride);
  out.size = stride * static_cast<std::size_t>(height);
  const std::unique_ptr<WebPIDecoder, IncrementalDeleter> decoder(WebPIDecode(nullptr, 0, &config));
  if (!decoder) throw TPictureMemoryError(width, height);
  sink.start(sink.context, crop.size());
  int handed = 0;
  for (std::size_t given = 0;;) {
    given = std::min(data.size, given + StepBytes);
    const VP8StatusCode status = WebPIUpdate(decoder.get(), data.bytes, given);
    if (status != VP8_STATUS_OK && status != VP8_STATUS_SUSPENDED) Fail(name, DataFailure);
    int decoded = 0;
    WebPIDecGetRGB(decoder.get(), &decoded, nullptr, nullptr, nullptr);
    for (; handed < decoded; ++handed) {
      std::copy_n(reinterpret_cast<const QRgb*>(rows->Start() + stride * static_cast<std::size_t>(handed)), width,
                  row.data());
      if (header.alpha) RowOverBlack(row.data(), width);
      sink.row(sink.context, handed, row.data());
    }
    rows->Used(stride * static_cast<std::size_t>(handed));
    if (status == VP8_STATUS_OK) return;
    if (given == data.size) Fail(name, DataFailure);
  }
}

// DecodeRows in one call of libwebp's decoder, the crop held whole.
void DecodeRowsAtOnce(const WebPData& data, const WebpHeader& header, const QRect& crop, const std::string& name,
                      const TRowSink& sink) {
  QImage decoded = NewPicture(crop.width(), crop.height());
  WebPDecoderConfig config = NewConfig(name);
  SetCrop(config, crop, header.size);
  DecodeInto(decoded, config, data, name);
  sink.start(sink.context, crop.size());
  for (int y = 0; y < decoded.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(decoded.scanLine(y));
    if (header.alpha) RowOverBlack(row, decoded.width());
    sink.row(sink.context, y, row);
  }
}

// The rectangle crop of the still picture handed to sink row by row, crop.width() pixels
// each, the crop's top row first. libwebp goes through the whole file whatever the crop, so a
// file fails here exactly where the whole decode fails: a lossy picture through the
// incremental decoder, so that rows handed on are let go; a lossless one at once, since
// libwebp's lossless decoder holds the whole picture in any case and its incremental decode
// takes a stream that ends a little early, which the whole decode refuses.
void DecodeRows(const TStillData& still, const WebpHeader& header, const QRect& crop, const std::string& name,
                const TRowSink& sink) {
  if (still.lossless)
    DecodeRowsAtOnce(still.data, header, crop, name, sink);
  else
    DecodeRowsIncrementally(still.data, header, crop, name, sink);
}

// The rows of a crop that fall inside part (given within the crop), gathered into a picture
// of their own.
struct TPartRows {
  QImage picture;
  QRect part;
  static void Start(void*, QSize) noexcept {}
  static void Row(void* context, int y, const QRgb* pixels) noexcept {
    auto& rows = *static_cast<TPartRows*>(context);
    if (y < rows.part.top() || y > rows.part.bottom()) return;
    std::copy_n(pixels + rows.part.left(), rows.part.width(),
                reinterpret_cast<QRgb*>(rows.picture.scanLine(y - rows.part.top())));
  }
};

// Only part of the picture: the crop reaches CropMargin beyond it on each side, its left and
// top moved to even values, and down to the picture's bottom, so that the whole file is
// decoded and checked; of its rows only part's are kept.
QImage DecodePart(const TStillData& still, const WebpHeader& header, const QRect& part, const std::string& name) {
  const int left = std::max(0, part.left() - CropMargin) & ~1;
  const int top = std::max(0, part.top() - CropMargin) & ~1;
  const int right = std::min(header.size.width(), part.right() + 1 + CropMargin);
  const QRect crop(left, top, right - left, header.size.height() - top);
  TPartRows rows{NewPicture(part.width(), part.height()), part.translated(-crop.topLeft())};
  DecodeRows(still, header, crop, name, {&rows, TPartRows::Start, TPartRows::Row});
  return std::move(rows.picture);
}

TScaledPicture DecodeStill(std::string_view bytes, const WebpHeader& header, const std::string& name,
                           const std::optional<TDecodeTarget>& target) {
  const TStillData still = StillData(bytes, name);
  if (target && target->use == DecodeUse::Centred) {
    const QRect part = CenterPart(header.size, target->box);
    if (part.size() != header.size) return {DecodePart(still, header, part, name), header.size};
  }
  WebPDecoderConfig config = NewConfig(name);
  QSize output = header.size;
  if (const std::optional<QSize> reduced = target ? ReducedSize(header.size, *target) : std::nullopt) {
    config.options.use_scaling = 1;
    config.options.scaled_width = reduced->width();
    config.options.scaled_height = reduced->height();
    output = *reduced;
  }
  QImage decoded = NewPicture(output.width(), output.height());
  DecodeInto(decoded, config, still.data, name);
  // Without alpha in the file's header the fourth byte stays as libwebp wrote it, as in the
  // Format_RGB32 picture of Qt's reader.
  if (header.alpha)
    for (int y = 0; y < decoded.height(); ++y)
      RowOverBlack(reinterpret_cast<QRgb*>(decoded.scanLine(y)), decoded.width());
  return {std::move(decoded), header.size};
}

TScaledPicture DecodeBytes(std::string_view bytes, const std::string& name,
                           const std::optional<TDecodeTarget>& target) {
  const WebpHeader header = ReadHeader(bytes, name);
  if (!header.animation) return DecodeStill(bytes, header, name, target);
  return {DecodeFirstFrame(bytes, name), header.size};
}

}  // namespace

QImage DecodeWebp(const std::string& path) { return DecodeBytes(ReadFile(path), path, std::nullopt).picture; }

TScaledPicture DecodeWebpFor(const std::string& path, const TDecodeTarget& target) {
  return DecodeBytes(ReadFile(path), path, target);
}

TScaledPicture DecodeWebpBytes(std::string_view bytes, const std::string& name,
                               const std::optional<TDecodeTarget>& target) {
  return DecodeBytes(bytes, name, target);
}

void DecodeWebpRows(const std::string& path, const TRowSink& sink) {
  const std::string bytes = ReadFile(path);
  const WebpHeader header = ReadHeader(bytes, path);
  if (!header.animation) {
    DecodeRows(StillData(bytes, path), header, QRect(QPoint(0, 0), header.size), path, sink);
    return;
  }
  const QImage first = DecodeFirstFrame(bytes, path);
  sink.start(sink.context, first.size());
  for (int y = 0; y < first.height(); ++y)
    sink.row(sink.context, y, reinterpret_cast<const QRgb*>(first.constScanLine(y)));
}
