// The GIF control: shows a TGIFImage tiled, stretched over the control, shrunk in
// proportion and centred, or at its own size at the top left, and plays its frames with
// the delays the file gives.
#pragma once

#include <QTimer>
#include <QWidget>
#include <string>

#include "picture/TGIFImage.h"

class TGIFImageView : public QWidget {
  Q_OBJECT

 public:
  explicit TGIFImageView(QWidget* parent = nullptr);

  // True when the file was decoded; otherwise the control shows nothing.
  bool LoadFromFile(const std::string& path);
  int PictureWidth() const { return gif_.Width(); }
  int PictureHeight() const { return gif_.Height(); }
  int FrameCount() const { return gif_.FrameCount(); }
  // The frame on show; empty before a successful load.
  QImage CurrentBitmap() const;

  void SetTile(bool tile);
  void SetStretch(bool stretch);
  void SetStretchRatio(bool ratio);
  void SetAnimate(bool animate);
  bool Animate() const { return animate_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void NextFrame();
  void Schedule();

  TGIFImage gif_;
  QTimer timer_;
  int frame_ = 0;
  bool tile_ = false;
  bool stretch_ = false;
  bool ratio_ = false;
  bool animate_ = false;
};
