// GIF decoding through giflib: every frame composed on the logical screen as a viewer
// shows it (frame offsets, local or global palette, the transparent index and disposal
// method of each frame's Graphics Control Extension), with its delay, plus the first
// frame as a plain bitmap for the wallpaper.
//
// Data flow: DecodeGif reads the file record by record, keeps only the part of each frame
// that lies on the screen, composes it onto an ARGB canvas and stores a copy of the canvas
// per frame. TGIFImage wraps the result as the program's GIF image component.
#pragma once

#include <QImage>
#include <string>
#include <string_view>
#include <vector>

struct GifFrame {
  QImage image;  // Format_ARGB32, the size of the logical screen
  int delayMs = 0;
};

struct GifAnimation {
  // Format_RGB32: the first frame with every pixel in its palette colour, the transparent
  // index included; the rest of the screen in the background colour (black without a
  // global palette).
  QImage firstBitmap;
  std::vector<GifFrame> frames;
};

// Decodes the file at path. The logical screen must be within MaxPicturePixels (a screen
// of 0 takes the first frame's extent); the composed frames are kept until they total
// MaxPicturePixels, later frames are left out. A file that breaks off after its first
// complete frame keeps the frames read so far. Throws TFileOpenError when the file cannot
// be opened, TDecodeError when it is not a GIF or no frame can be read, TPictureTooLarge
// for a screen beyond the limit and TPictureMemoryError when memory runs out.
GifAnimation DecodeGif(const std::string& path);

// DecodeGif on a picture's bytes in memory; its error messages call the picture name.
GifAnimation DecodeGifBytes(std::string_view bytes, const std::string& name);
