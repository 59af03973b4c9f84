#include "background/SharedPicture.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::size_t Bytes(const PictureHeader& header) { return static_cast<std::size_t>(header.stride) * header.height; }

}  // namespace

std::unique_ptr<TSharedPicture> TSharedPicture::Take(int fd, const PictureHeader& header, std::string& error) {
  // A file that could shrink while it is mapped would end this program with SIGBUS.
  const int seals = fcntl(fd, F_GET_SEALS);
  struct stat status {};
  if (seals < 0 || !(seals & F_SEAL_SHRINK)) {
    error = "a picture is not a memfd sealed against shrinking";
  } else if (fstat(fd, &status) != 0 || static_cast<std::size_t>(status.st_size) < Bytes(header)) {
    error = "a picture's file holds fewer bytes than its rows";
  } else {
    return std::unique_ptr<TSharedPicture>(new TSharedPicture(fd, header));
  }
  close(fd);
  return nullptr;
}

TSharedPicture::~TSharedPicture() {
  Unmap();
  close(fd_);
}

const std::uint32_t* TSharedPicture::Map() {
  if (pixels_) return pixels_;
  void* memory = mmap(nullptr, Bytes(header_), PROT_READ, MAP_SHARED, fd_, 0);
  if (memory == MAP_FAILED) return nullptr;
  pixels_ = static_cast<const std::uint32_t*>(memory);
  return pixels_;
}

void TSharedPicture::Unmap() {
  if (!pixels_) return;
  munmap(const_cast<std::uint32_t*>(pixels_), Bytes(header_));
  pixels_ = nullptr;
}
