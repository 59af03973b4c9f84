// A control that leaves its drawing to its owner: OnPaint paints it whenever it is
// exposed, OnClick runs when the left button is pressed and released over it. It shows no
// tooltip of its parent's.
#pragma once

#include <QWidget>
#include <functional>

class QPainter;

class TPaintBox final : public QWidget {
 public:
  explicit TPaintBox(QWidget* parent);

  std::function<void(QPainter&)> OnPaint;
  std::function<void()> OnClick;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};
