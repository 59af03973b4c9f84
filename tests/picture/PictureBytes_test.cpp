// The decoders' entries for bytes in memory against their file entries: the same file's
// bytes give the same pixels and frames, or the same error naming the picture as the file's
// does (giflib's own part of the text may differ: it words a failed open of a file and of
// bytes differently).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "picture/GifImage.h"
#include "picture/JpegDecoder.h"
#include "picture/PictureErrors.h"
#include "picture/PictureTestTools.h"
#include "support/FileBytes.h"

namespace {

// What a decode gave: its frames' pixels, or the error's type and the text up to giflib's or
// libjpeg's own part.
struct Outcome {
  std::vector<QImage> pictures;
  std::string error;
  bool operator==(const Outcome&) const = default;
};

Outcome Decoded(const std::function<std::vector<QImage>()>& decode) {
  try {
    return {decode(), ""};
  } catch (const TDecodeError& error) {
    const std::string text = error.what();
    return {{}, "decode: " + text.substr(0, text.find("\": ") + 1)};
  } catch (const TPictureTooLarge& error) {
    return {{}, std::string("too large: ") + error.what()};
  }
}

std::vector<QImage> Frames(const GifAnimation& animation) {
  std::vector<QImage> pictures{animation.firstBitmap};
  for (const GifFrame& frame : animation.frames) pictures.push_back(frame.image);
  return pictures;
}

TEST(PictureBytes, JpegBytesDecodeAsTheFileDoes) {
  for (const char* name : {"ok/baseline.jpg", "ok/progressive.jpg", "ok/grey.jpg", "ok/cmyk.jpg", "bad/truncated.jpg",
                           "bad/empty.jpg", "bad/header-only.jpg", "bad/garbage-after-soi.jpg", "bad/random.jpg",
                           "bad/sof-zero.jpg", "bad/sof-65535.jpg"}) {
    const std::string path = DataFile(name);
    const Outcome fromFile = Decoded([&] { return std::vector<QImage>{DecodeJpeg(path)}; });
    const Outcome fromBytes = Decoded([&] { return std::vector<QImage>{DecodeJpegBytes(ReadFileBytes(path), path)}; });
    EXPECT_EQ(fromBytes, fromFile) << name << ": " << fromBytes.error << " / " << fromFile.error;
  }
}

TEST(PictureBytes, GifBytesDecodeAsTheFileDoes) {
  for (const char* name :
       {"ok/anim.gif", "ok/interlaced.gif", "ok/noscreen.gif", "ok/rose.gif", "bad/cut-in-first-frame.gif",
        "bad/cut-in-second-frame.gif", "bad/empty.gif", "bad/header-only.gif", "bad/magic-then-garbage.gif",
        "bad/random.gif", "bad/screen-65535.gif", "bad/frame-65535.gif"}) {
    const std::string path = DataFile(name);
    const Outcome fromFile = Decoded([&] { return Frames(DecodeGif(path)); });
    const Outcome fromBytes = Decoded([&] { return Frames(DecodeGifBytes(ReadFileBytes(path), path)); });
    EXPECT_EQ(fromBytes, fromFile) << name << ": " << fromBytes.error << " / " << fromFile.error;
  }
}

}  // namespace
