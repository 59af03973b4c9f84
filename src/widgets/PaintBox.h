// A control that leaves its drawing to its owner: OnPaint paints it whenever it is
// exposed (over the frame, if one is set), OnResize runs after every change of size, and
// OnClick runs when the left button is pressed and released over it. It shows no tooltip
// of its parent's.
#pragma once

#include <QFrame>
#include <functional>

class QPainter;

class TPaintBox final : public QFrame {
 public:
  explicit TPaintBox(QWidget* parent);

  std::function<void(QPainter&)> OnPaint;
  std::function<void()> OnResize;
  std::function<void()> OnClick;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};
