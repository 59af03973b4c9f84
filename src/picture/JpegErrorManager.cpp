#include "picture/JpegErrorManager.h"

namespace {

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

}  // namespace

void UseJpegErrorManager(jpeg_decompress_struct& info, JpegErrorManager& manager, char* message) {
  info.err = jpeg_std_error(&manager.pub);
  manager.pub.error_exit = ErrorExit;
  manager.pub.output_message = IgnoreMessage;
  manager.message = message;
}
