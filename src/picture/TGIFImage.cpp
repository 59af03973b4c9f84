#include "picture/TGIFImage.h"

bool TGIFImage::LoadFromFile(const std::string& path) {
  animation_ = {};
  lastError_ = nullptr;
  try {
    animation_ = DecodeGif(path);
    return true;
  } catch (const std::exception&) {
    lastError_ = std::current_exception();
    return false;
  }
}
