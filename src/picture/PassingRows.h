// Memory for a picture's rows that is given back as they are used: a decoder writes the rows
// of the whole picture into it, and each row handed on is dropped from the process's memory,
// so that only the rows decoded and not yet handed on are held, while the address range stays
// whole for the decoder.
#pragma once

#include <cstddef>
#include <cstdint>

class TPassingRows {
 public:
  // Reserves bytes of address space; throws std::bad_alloc when it cannot be had.
  explicit TPassingRows(std::size_t bytes);
  ~TPassingRows();
  TPassingRows(const TPassingRows&) = delete;
  TPassingRows& operator=(const TPassingRows&) = delete;

  std::uint8_t* Start() const { return start_; }
  // Gives back the whole pages of the first used bytes; what is read there afterwards is 0.
  void Used(std::size_t used);

 private:
  std::uint8_t* start_ = nullptr;
  std::size_t bytes_ = 0;
  std::size_t given_ = 0;
};
