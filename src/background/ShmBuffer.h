// One XRGB8888 wl_shm buffer in a memfd of its own. The memory is mapped into this process
// only while it is drawn or read (Map, Unmap), so a buffer that merely stays on the screen
// costs this process no resident memory beyond what the compositor shares with it.
#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>

class TShmBuffer {
 public:
  // nullptr when the memory or the buffer cannot be had.
  static std::unique_ptr<TShmBuffer> Create(wl_shm* shm, int width, int height);
  ~TShmBuffer();
  TShmBuffer(const TShmBuffer&) = delete;
  TShmBuffer& operator=(const TShmBuffer&) = delete;

  // The pixels, mapped if they were not; nullptr when they cannot be mapped.
  std::uint32_t* Map();
  void Unmap();

  wl_buffer* Buffer() const { return buffer_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // In pixels.
  int Stride() const { return width_; }
  // The compositor may read it until it releases it.
  bool Busy() const { return busy_; }
  void Attached() { busy_ = true; }

 private:
  TShmBuffer(int fd, int width, int height, wl_buffer* buffer);
  static void Released(void* data, wl_buffer* buffer);

  int fd_;
  int width_;
  int height_;
  wl_buffer* buffer_;
  std::uint32_t* pixels_ = nullptr;
  bool busy_ = false;
};
