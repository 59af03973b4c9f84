// The image viewer: one picture of the image list at its own size, in a window that is
// created once, hidden when closed and reused for the next picture.
//
// Data flow: LoadImage decodes the file by its extension into ViewBitmap, asks
// ViewerLayout for the client size, the Close button's place and the window's place on
// the screen, and applies them with the caption; the caller then shows the window.
// PaintBox1 paints ViewBitmap; the Close button and a click on the picture hide the window.
#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "platform/screen/ScreenMetrics.h"

class QPainter;
class QPushButton;
class TPaintBox;
struct ViewerGeometry;

class TImgDispForm final : public QWidget {
 public:
  explicit TImgDispForm(const IScreenMetrics& screen, QWidget* parent = nullptr);

  // Shows name in the window, which the caller then shows. A file that cannot be opened,
  // or a GIF that does not decode, gives an empty picture in a 160 x 30 client area. Throws
  // TInvalidBitmap for a file that is not a valid bitmap, TDecodeError for a JPEG, PNG or
  // WebP that does not decode, TPictureTooLarge and TPictureMemoryError; the window then stays exactly as
  // it was (picture, name, size, place and caption).
  void LoadImage(const std::string& name);
  // Hides the window.
  void CloseClick();
  // Draws ViewBitmap at (0, 0) at its own size.
  void PaintBox1Paint(QPainter& painter) const;

  std::string ShowImageName;
  QImage ViewBitmap;

  QPushButton* Close = nullptr;
  TPaintBox* PaintBox1 = nullptr;

 private:
  void Arrange(const ViewerGeometry& geometry);

  const IScreenMetrics& screen_;
};
