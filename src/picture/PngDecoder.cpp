#include "picture/PngDecoder.h"

#include <unistd.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <vector>

#include "picture/PictureErrors.h"
#include "picture/PictureFile.h"
#include "picture/PictureRows.h"
#include "picture/PngPixels.h"

namespace {

enum class PngStatus { Ok, Corrupt, TooLarge, NoMemory };

// How much of the file is fed to libpng at once.
constexpr std::size_t PieceBytes = 64 * 1024;

// Where the compressed bytes come from: an open file of size bytes, or else bytes in memory.
struct PngInput {
  int file = -1;
  std::string_view bytes;
  std::int64_t size = 0;
};

// What the decode learns and holds, kept outside the frame that calls setjmp so a longjmp
// never skips a destructor.
struct PngRun {
  const TRowSink* sink = nullptr;
  PngStatus status = PngStatus::Ok;
  bool headerRead = false;  // libpng has read every chunk before the picture data
  bool finished = false;    // and the picture and the end of the file
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool interlaced = false;
  std::size_t rowBytes = 0;
  TPngPixels pixels;
  std::vector<png_byte> whole;  // an interlaced picture's rows as libpng gives them
  std::vector<QRgb> row;
  std::vector<char> piece;
};

PngRun& RunOf(png_structp png) { return *static_cast<PngRun*>(png_get_progressive_ptr(png)); }

[[noreturn]] void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp, png_const_charp) {}

bool Allocate(PngRun& run) noexcept {
  try {
    run.row.resize(static_cast<std::size_t>(run.width));
    if (run.interlaced) run.whole.assign(run.rowBytes * static_cast<std::size_t>(run.height), 0);
    return true;
  } catch (...) {
    return false;
  }
}

void HeaderRead(png_structp png, png_infop info) {
  PngRun& run = RunOf(png);
  run.headerRead = true;
  run.width = png_get_image_width(png, info);
  run.height = png_get_image_height(png, info);
  if (run.width * run.height > MaxPicturePixels) {
    run.status = PngStatus::TooLarge;
    png_error(png, "too large");
  }
  run.pixels = SetUpPngPixels(png, info);
  run.interlaced = png_set_interlace_handling(png) > 1;
  png_read_update_info(png, info);
  run.rowBytes = png_get_rowbytes(png, info);
  if (!Allocate(run)) {
    run.status = PngStatus::NoMemory;
    png_error(png, "no memory");
  }
  if (!run.interlaced)
    run.sink->start(run.sink->context, QSize(static_cast<int>(run.width), static_cast<int>(run.height)));
}

void RowRead(png_structp png, png_bytep row, png_uint_32 y, int) {
  PngRun& run = RunOf(png);
  if (!row || y >= run.height) return;
  if (run.interlaced) {
    png_progressive_combine_row(png, run.whole.data() + run.rowBytes * y, row);
    return;
  }
  ConvertPngRow(run.pixels, row, static_cast<int>(run.width), run.row.data());
  run.sink->row(run.sink->context, static_cast<int>(y), run.row.data());
}

void EndRead(png_structp png, png_infop) { RunOf(png).finished = true; }

// Reads up to count bytes of input from offset into to; fewer at its end or on a failed read.
std::size_t ReadInput(const PngInput& input, std::int64_t offset, char* to, std::size_t count) {
  if (input.file < 0) {
    const std::size_t available = std::min<std::size_t>(count, input.bytes.size() - static_cast<std::size_t>(offset));
    std::copy_n(input.bytes.data() + offset, available, to);
    return available;
  }
  const ssize_t got = ::pread(input.file, to, count, offset);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

// Qt's reader takes a file whose last chunk, IEND, lacks some or all of its checksum as if it
// were there. How many bytes of that checksum the file holds (0 to 3), or -1 when it ends
// otherwise.
int CutChecksum(const PngInput& input) {
  static constexpr char End[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D'};
  char tail[11] = {};
  const auto length = static_cast<std::size_t>(std::min<std::int64_t>(input.size, sizeof tail));
  if (ReadInput(input, input.size - static_cast<std::int64_t>(length), tail, length) != length) return -1;
  for (std::size_t held = 0; held < 4; ++held)
    if (length >= sizeof End + held && std::equal(End, End + sizeof End, tail + length - held - sizeof End))
      return static_cast<int>(held);
  return -1;
}

// Feeds the input to libpng piece by piece until the end of the file has been read. Every
// local is trivially destructible; what must outlive a longjmp is in run.
void Decode(const PngInput& input, PngRun& run) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    run.status = PngStatus::NoMemory;
    return;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    if (run.status == PngStatus::Ok) run.status = PngStatus::Corrupt;
    return;
  }
  // As Qt's reader: files whose compressed data claims a smaller window than it uses decode.
  png_set_option(png, PNG_MAXIMUM_INFLATE_WINDOW, PNG_OPTION_ON);
  png_set_progressive_read_fn(png, &run, HeaderRead, RowRead, EndRead);
  const int cut = CutChecksum(input);
  const std::int64_t end = input.size - std::max(cut, 0);
  for (std::int64_t at = 0; at < end && !run.finished;) {
    const auto want = static_cast<std::size_t>(std::min<std::int64_t>(PieceBytes, end - at));
    const std::size_t got = ReadInput(input, at, run.piece.data(), want);
    if (got == 0) break;
    png_process_data(png, info, reinterpret_cast<png_bytep>(run.piece.data()), got);
    at += static_cast<std::int64_t>(got);
  }
  if (!run.finished && cut >= 0) {
    png_byte checksum[] = {0xae, 0x42, 0x60, 0x82};
    png_process_data(png, info, checksum, sizeof checksum);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (!run.finished) run.status = PngStatus::Corrupt;
}

void ThrowFor(const PngRun& run, const std::string& name) {
  switch (run.status) {
    case PngStatus::Ok:
      return;
    case PngStatus::Corrupt:
      // Qt's reader's words: its header read fails without a reason, its picture read with
      // this one.
      throw TDecodeError("PNG error in \"" + name +
                         "\": " + (run.headerRead ? "Unable to read image data" : "Unknown error"));
    case PngStatus::TooLarge:
      throw TPictureTooLarge(run.width, run.height);
    case PngStatus::NoMemory:
      throw TPictureMemoryError(run.width, run.height);
  }
}

void DecodeInput(const PngInput& input, const std::string& name, const TRowSink& sink) {
  PngRun run;
  run.sink = &sink;
  run.piece.resize(PieceBytes);
  Decode(input, run);
  ThrowFor(run, name);
  if (!run.interlaced) return;
  sink.start(sink.context, QSize(static_cast<int>(run.width), static_cast<int>(run.height)));
  for (std::int64_t y = 0; y < run.height; ++y) {
    ConvertPngRow(run.pixels, run.whole.data() + run.rowBytes * static_cast<std::size_t>(y),
                  static_cast<int>(run.width), run.row.data());
    sink.row(sink.context, static_cast<int>(y), run.row.data());
  }
}

// The open file at path, closed when it goes.
class TPngFile {
 public:
  explicit TPngFile(const std::string& path) : fd_(OpenPictureFile(path)) {}
  ~TPngFile() { ::close(fd_); }
  TPngFile(const TPngFile&) = delete;
  TPngFile& operator=(const TPngFile&) = delete;
  PngInput Input() const { return {fd_, {}, ::lseek(fd_, 0, SEEK_END)}; }

 private:
  int fd_;
};

void DecodeFile(const std::string& path, const TRowSink& sink) {
  const TPngFile file(path);
  DecodeInput(file.Input(), path, sink);
}

TScaledPicture DecodeFileFor(const std::string& path, const std::optional<TDecodeTarget>& target) {
  TPictureRows rows(target);
  DecodeFile(path, rows.Sink());
  return rows.Take();
}

}  // namespace

QImage DecodePng(const std::string& path) { return DecodeFileFor(path, std::nullopt).picture; }

TScaledPicture DecodePngFor(const std::string& path, const TDecodeTarget& target) {
  return DecodeFileFor(path, target);
}

TScaledPicture DecodePngBytes(std::string_view bytes, const std::string& name,
                              const std::optional<TDecodeTarget>& target) {
  TPictureRows rows(target);
  DecodeInput({-1, bytes, static_cast<std::int64_t>(bytes.size())}, name, rows.Sink());
  return rows.Take();
}

void DecodePngRows(const std::string& path, const TRowSink& sink) { DecodeFile(path, sink); }
