// A picture the agent handed over: a sealed memfd of XRGB8888 rows, checked before it is
// read. It stays unmapped but while it is read, so the primary monitor's picture can be kept
// for outputs that come later without costing resident memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "background/BackgroundWire.h"

class TSharedPicture {
 public:
  // Takes the descriptor (closed on failure); nullptr with why in error when the file is not a
  // memfd sealed against shrinking or holds fewer bytes than the rows.
  static std::unique_ptr<TSharedPicture> Take(int fd, const PictureHeader& header, std::string& error);
  ~TSharedPicture();
  TSharedPicture(const TSharedPicture&) = delete;
  TSharedPicture& operator=(const TSharedPicture&) = delete;

  const PictureHeader& Header() const { return header_; }
  // The rows, mapped read-only if they were not; nullptr when they cannot be mapped.
  const std::uint32_t* Map();
  void Unmap();

 private:
  TSharedPicture(int fd, PictureHeader header) : fd_(fd), header_(std::move(header)) {}

  int fd_;
  PictureHeader header_;
  const std::uint32_t* pixels_ = nullptr;
};
