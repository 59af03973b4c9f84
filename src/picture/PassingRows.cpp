#include "picture/PassingRows.h"

#include <sys/mman.h>
#include <unistd.h>

#include <new>

TPassingRows::TPassingRows(std::size_t bytes) : bytes_(bytes) {
  void* at = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (at == MAP_FAILED) throw std::bad_alloc();
  start_ = static_cast<std::uint8_t*>(at);
}

TPassingRows::~TPassingRows() { ::munmap(start_, bytes_); }

void TPassingRows::Used(std::size_t used) {
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t end = used / page * page;
  if (end <= given_) return;
  ::madvise(start_ + given_, end - given_, MADV_DONTNEED);
  given_ = end;
}
