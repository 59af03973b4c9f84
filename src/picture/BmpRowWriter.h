// A 24-bit Windows bitmap written row by row, for a picture that is never held whole in
// memory. The file's bytes are those WriteBmp writes for a Format_RGB32 picture of the same
// size and pixels: Qt's writer stores the rows bottom-up as blue, green, red, each padded
// with zeros to four bytes, with the resolution every new picture has. Like WriteBmp, it
// replaces the file at path only once the new one is complete.
#pragma once

#include <QRgb>
#include <QSaveFile>
#include <QSize>
#include <string>
#include <vector>

class TBmpRowWriter {
 public:
  // Opens the temporary file and writes the headers; a failure shows at Commit.
  TBmpRowWriter(const std::string& path, QSize size);
  // Row y (0 is the top) of size.width() pixels; the rows may come in any order. Never
  // throws (it runs inside a decoder's error frame): a failure shows at Commit.
  void Put(int y, const QRgb* row) noexcept;
  // Replaces the file. Throws TFileWriteError when a write failed or a row was not put; the
  // previous file is then left as it was.
  void Commit();

 private:
  QSaveFile out_;
  std::string path_;
  QSize size_;
  qint64 rowBytes_ = 0;
  std::vector<char> row_;
  int rowsPut_ = 0;
  bool failed_ = false;
};
