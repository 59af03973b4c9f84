#include "platform/system/PathParts.h"

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : fileName.substr(0, slash);
}
