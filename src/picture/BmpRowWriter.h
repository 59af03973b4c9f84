// A 24-bit Windows bitmap written row by row, so that a picture decoded row by row is never
// held whole in memory. The bytes are those Qt's BMP writer writes for a Format_RGB32
// picture of the same size, pixels and resolution: the rows bottom-up as blue, green, red,
// each padded with zeros to four bytes. The file at path is replaced only once the new one
// is complete.
#pragma once

#include <QRgb>
#include <QSaveFile>
#include <QSize>
#include <string>
#include <vector>

class TBmpRowWriter {
 public:
  // Opens the temporary file and writes the headers, with the resolution dotsPerMeter
  // states (a side of 0: 72 dots per inch, as Qt's writer stores it); a failure shows at
  // Commit.
  TBmpRowWriter(const std::string& path, QSize size, QSize dotsPerMeter);
  // Row y (0 is the top) of size.width() pixels. The rows come top-down, each once: they
  // are gathered in bands of about a megabyte, each band one write at its place in the
  // file. Never throws (it runs inside a decoder's error frame): a failure, a row out of
  // order included, shows at Commit.
  void Put(int y, const QRgb* row) noexcept;
  // Replaces the file. Throws TFileWriteError when a write failed or a row was not put; the
  // previous file is then left as it was.
  void Commit();

 private:
  // Writes the rows gathered so far.
  void WriteBand() noexcept;

  QSaveFile out_;
  std::string path_;
  QSize size_;
  qint64 rowBytes_ = 0;
  int bandRows_ = 1;
  // The band's rows bottom-up, as the file holds them, filled from its end.
  std::vector<char> band_;
  int bandCount_ = 0;
  int rowsPut_ = 0;
  bool failed_ = false;
};
