// A plain panel whose painting and resizing are handled by its owner.
#pragma once

#include <QFrame>
#include <QPainter>
#include <functional>

class TPanel : public QFrame {
 public:
  using QFrame::QFrame;

  std::function<void(QPainter&)> OnPaint;
  std::function<void()> OnResize;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    if (!OnPaint) return;
    QPainter painter(this);
    OnPaint(painter);
  }
  void resizeEvent(QResizeEvent* event) override {
    QFrame::resizeEvent(event);
    if (OnResize) OnResize();
  }
};
