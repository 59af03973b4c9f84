// A picture reduced while its rows arrive: each pixel of the smaller picture is the mean of
// the part of the larger one it covers, pixels cut by its edges weighted by the part inside,
// rounded to the nearest level. Only two rows of sums are held besides the result, so a
// decoder that hands out rows one at a time never holds the larger picture.
#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>
#include <cstdint>
#include <vector>

class TAreaAverage {
 public:
  // from is the larger picture's size, within MaxPicturePixels, to the result's, no larger
  // on either axis. Throws TPictureMemoryError when the result cannot be had.
  TAreaAverage(QSize from, QSize to);
  // Row y of the larger picture, from.width() Format_RGB32 pixels; the rows come top-down,
  // each once (a row out of order is ignored). Never throws.
  void Put(int y, const QRgb* row) noexcept;
  // The result, Format_RGB32; complete once every row has been put.
  QImage& Picture() { return picture_; }

 private:
  // Adds weight times each channel of row to sums.
  template <typename Sum>
  void Accumulate(std::vector<Sum>& sums, const QRgb* row, std::uint32_t weight) noexcept;
  // Writes output row oy from the sums of the row it has gathered, then clears them.
  template <typename Sum>
  void Finish(std::vector<Sum>& sums, int oy) noexcept;
  template <typename Sum>
  void PutWith(std::vector<Sum>& current, std::vector<Sum>& next, const QRgb* row) noexcept;

  QSize from_, to_;
  QImage picture_;
  // Where each output column starts in the input and how much of its first and last input
  // pixel it takes, in units of 1/to.width() of an input pixel.
  struct Column {
    int first = 0;
    int last = 0;
    std::uint32_t firstWeight = 0;
    std::uint32_t lastWeight = 0;
  };
  std::vector<Column> columns_;
  // The sums per channel of the output row being gathered and of the next one, which an
  // input row across their border starts; 32 bits while they cannot overflow, else 64.
  std::vector<std::uint32_t> current32_, next32_;
  std::vector<std::uint64_t> current64_, next64_;
  bool wide_ = false;
  int rowsPut_ = 0;
  double inverseArea_ = 0;
};
