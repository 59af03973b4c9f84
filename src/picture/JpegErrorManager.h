// libjpeg's error handling for the program's JPEG decoders. libjpeg's own handler ends the
// process on a corrupt file; this one formats the message and longjmps back to the setjmp
// of the decoding function, which keeps only trivially destructible locals so the jump
// skips no destructor. Warnings are ignored.
#pragma once

#include <QtGlobal>
#include <csetjmp>

// jpeglib.h uses FILE and size_t without declaring them.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  // JMSG_LENGTH_MAX characters that receive the message of a fatal error.
  char* message;
};

// Points info at manager; call setjmp(manager.jump) next, before any other libjpeg call.
void UseJpegErrorManager(jpeg_decompress_struct& info, JpegErrorManager& manager, char* message);

// libjpeg-turbo's output that lays pixels out as QImage::Format_RGB32 does.
inline constexpr J_COLOR_SPACE NativeRgb32 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
