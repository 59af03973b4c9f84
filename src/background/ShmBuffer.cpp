#include "background/ShmBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

std::unique_ptr<TShmBuffer> TShmBuffer::Create(wl_shm* shm, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const std::size_t size = static_cast<std::size_t>(width) * height * 4;
  const int fd = memfd_create("tesserine-background", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  if (ftruncate(fd, static_cast<off_t>(size)) != 0) {
    close(fd);
    return nullptr;
  }
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<std::int32_t>(size));
  wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  return std::unique_ptr<TShmBuffer>(new TShmBuffer(fd, width, height, buffer));
}

TShmBuffer::TShmBuffer(int fd, int width, int height, wl_buffer* buffer)
    : fd_(fd), width_(width), height_(height), buffer_(buffer) {
  static const wl_buffer_listener listener = {&TShmBuffer::Released};
  wl_buffer_add_listener(buffer_, &listener, this);
}

TShmBuffer::~TShmBuffer() {
  Unmap();
  wl_buffer_destroy(buffer_);
  close(fd_);
}

std::uint32_t* TShmBuffer::Map() {
  if (pixels_) return pixels_;
  void* memory =
      mmap(nullptr, static_cast<std::size_t>(width_) * height_ * 4, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
  if (memory == MAP_FAILED) return nullptr;
  pixels_ = static_cast<std::uint32_t*>(memory);
  return pixels_;
}

void TShmBuffer::Unmap() {
  if (!pixels_) return;
  munmap(pixels_, static_cast<std::size_t>(width_) * height_ * 4);
  pixels_ = nullptr;
}

void TShmBuffer::Released(void* data, wl_buffer*) { static_cast<TShmBuffer*>(data)->busy_ = false; }
