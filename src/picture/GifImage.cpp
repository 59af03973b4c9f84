#include "picture/GifImage.h"

#include <gif_lib.h>

#include <QRect>
#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

#include "picture/PictureErrors.h"
#include "picture/PictureFile.h"

namespace {

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

using ColorTable = std::array<QRgb, 256>;

// The canvas the frames are drawn on, and what the last frame asks to be done with its
// area before the next one is drawn.
struct Canvas {
  QImage image;
  QImage beforeLastFrame;
  int disposal = DISPOSAL_UNSPECIFIED;
  QRect lastFrame;
  std::int64_t keptPixels = 0;
};

TDecodeError GifError(const std::string& path, int code) {
  const char* text = GifErrorString(code);
  return TDecodeError("GIF error in \"" + path + "\": " + (text ? text : "unknown error"));
}

// gif is what giflib's open gave, null with error set when it failed.
GifPtr Opened(GifFileType* gif, int error, const std::string& path) {
  GifPtr opened(gif);
  if (!opened) throw GifError(path, error);
  if (opened->SWidth > 0 && opened->SHeight > 0) CheckPictureSize(opened->SWidth, opened->SHeight);
  return opened;
}

// giflib closes the descriptor, on failure too.
GifPtr OpenFile(const std::string& path) {
  int error = 0;
  GifFileType* gif = DGifOpenFileHandle(OpenPictureFile(path), &error);
  return Opened(gif, error, path);
}

// The bytes in memory giflib reads from, and how many it has read.
struct GifBytes {
  std::string_view bytes;
  std::size_t read = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int wanted) {
  auto& source = *static_cast<GifBytes*>(gif->UserData);
  const std::size_t count = std::min(static_cast<std::size_t>(std::max(wanted, 0)), source.bytes.size() - source.read);
  std::copy_n(source.bytes.data() + source.read, count, out);
  source.read += count;
  return static_cast<int>(count);
}

// Colours missing from the palette (or a frame without any palette) are black.
ColorTable MakeColorTable(const ColorMapObject* map) {
  ColorTable table;
  table.fill(qRgb(0, 0, 0));
  const int count = map ? std::min(map->ColorCount, 256) : 0;
  for (int i = 0; i < count; ++i) table[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
  return table;
}

void ReadExtension(GifFileType* gif, const std::string& path, GraphicsControlBlock& control) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) throw GifError(path, gif->Error);
  if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4) DGifExtensionToGCB(block[0], block + 1, &control);
  while (block)
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) throw GifError(path, gif->Error);
}

std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  constexpr std::array<std::pair<int, int>, 4> passes = {{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
  for (const auto& [start, step] : passes)
    for (int y = start; y < height; y += step) rows.push_back(y);
  return rows;
}

// The frame's palette indices inside visible (canvas coordinates), row by row; rows and
// columns off the canvas are read and dropped.
std::vector<GifByteType> ReadIndices(GifFileType* gif, const std::string& path, const QRect& frame,
                                     const QRect& visible) {
  std::vector<GifByteType> line(static_cast<std::size_t>(frame.width()));
  std::vector<GifByteType> indices(static_cast<std::size_t>(visible.width()) * visible.height());
  for (const int row : RowOrder(frame.height(), gif->Image.Interlace)) {
    if (DGifGetLine(gif, line.data(), frame.width()) == GIF_ERROR) throw GifError(path, gif->Error);
    const int y = frame.top() + row;
    if (y < visible.top() || y > visible.bottom()) continue;
    std::copy_n(line.begin() + (visible.left() - frame.left()), visible.width(),
                indices.begin() + static_cast<std::ptrdiff_t>(y - visible.top()) * visible.width());
  }
  return indices;
}

void Draw(QImage& target, const std::vector<GifByteType>& indices, const QRect& visible, const ColorTable& colors,
          int transparent) {
  for (int y = 0; y < visible.height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(visible.top() + y)) + visible.left();
    const GifByteType* in = indices.data() + static_cast<std::ptrdiff_t>(y) * visible.width();
    for (int x = 0; x < visible.width(); ++x)
      if (in[x] != transparent) out[x] = colors[in[x]];
  }
}

void StartCanvas(const GifFileType* gif, const QRect& frame, Canvas& canvas, GifAnimation& animation) {
  const int width = gif->SWidth > 0 ? gif->SWidth : frame.left() + frame.width();
  const int height = gif->SHeight > 0 ? gif->SHeight : frame.top() + frame.height();
  CheckPictureSize(width, height);
  canvas.image = NewPicture(width, height, QImage::Format_ARGB32);
  canvas.image.fill(Qt::transparent);
  animation.firstBitmap = NewPicture(width, height);
  const ColorMapObject* global = gif->SColorMap;
  const bool hasBackground = global && gif->SBackGroundColor < global->ColorCount;
  animation.firstBitmap.fill(hasBackground ? MakeColorTable(global)[gif->SBackGroundColor] : qRgb(0, 0, 0));
}

void Dispose(Canvas& canvas) {
  if (canvas.disposal == DISPOSE_BACKGROUND) {
    for (int y = canvas.lastFrame.top(); y <= canvas.lastFrame.bottom(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(canvas.image.scanLine(y));
      std::fill(row + canvas.lastFrame.left(), row + canvas.lastFrame.right() + 1, qRgba(0, 0, 0, 0));
    }
  } else if (canvas.disposal == DISPOSE_PREVIOUS) {
    canvas.image = canvas.beforeLastFrame;
  }
}

// Reads one frame and adds it; false when the frame would exceed the pixels kept in memory.
bool ReadFrame(GifFileType* gif, const std::string& path, const GraphicsControlBlock& control, Canvas& canvas,
               GifAnimation& animation) {
  if (DGifGetImageDesc(gif) == GIF_ERROR) throw GifError(path, gif->Error);
  const GifImageDesc& desc = gif->Image;
  if (desc.Width <= 0 || desc.Height <= 0) throw TDecodeError("GIF error in \"" + path + "\": empty frame");
  const QRect frame(desc.Left, desc.Top, desc.Width, desc.Height);
  if (canvas.image.isNull()) StartCanvas(gif, frame, canvas, animation);
  const std::int64_t framePixels = std::int64_t{canvas.image.width()} * canvas.image.height();
  if (!animation.frames.empty() && canvas.keptPixels + framePixels > MaxPicturePixels) return false;

  const QRect visible = frame & canvas.image.rect();
  const std::vector<GifByteType> indices = ReadIndices(gif, path, frame, visible);
  const ColorTable colors = MakeColorTable(desc.ColorMap ? desc.ColorMap : gif->SColorMap);
  if (animation.frames.empty()) Draw(animation.firstBitmap, indices, visible, colors, NO_TRANSPARENT_COLOR);

  Dispose(canvas);
  if (control.DisposalMode == DISPOSE_PREVIOUS) canvas.beforeLastFrame = canvas.image.copy();
  Draw(canvas.image, indices, visible, colors, control.TransparentColor);
  animation.frames.push_back({canvas.image, control.DelayTime * 10});
  canvas.keptPixels += framePixels;
  canvas.disposal = control.DisposalMode;
  canvas.lastFrame = visible;
  return true;
}

GraphicsControlBlock NoControl() { return {DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR}; }

// Reads every record of an opened GIF; path is what error messages call the picture.
GifAnimation Decode(GifPtr gif, const std::string& path) {
  GifAnimation animation;
  Canvas canvas;
  GraphicsControlBlock control = NoControl();
  try {
    for (bool more = true; more;) {
      GifRecordType type = UNDEFINED_RECORD_TYPE;
      if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) throw GifError(path, gif->Error);
      if (type == TERMINATE_RECORD_TYPE) {
        more = false;
      } else if (type == EXTENSION_RECORD_TYPE) {
        ReadExtension(gif.get(), path, control);
      } else if (type == IMAGE_DESC_RECORD_TYPE) {
        more = ReadFrame(gif.get(), path, control, canvas, animation);
        control = NoControl();
      }
    }
  } catch (const TDecodeError&) {
    if (animation.frames.empty()) throw;
  }
  if (animation.frames.empty()) throw TDecodeError("GIF error in \"" + path + "\": no image");
  return animation;
}

}  // namespace

GifAnimation DecodeGif(const std::string& path) { return Decode(OpenFile(path), path); }

GifAnimation DecodeGifBytes(std::string_view bytes, const std::string& name) {
  GifBytes source{bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&source, ReadGifBytes, &error);
  return Decode(Opened(gif, error, name), name);
}
