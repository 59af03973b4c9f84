#include "widgets/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "widgets/DesignedLayout.h"

TUpDown::TUpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum), position_(minimum) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(button);
  }
  connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
  if (!buddy_) return;
  setGeometry(buddy_->geometry().right() + 1, buddy_->y(), 16, buddy_->height());
  // Right of the buddy's designed place, so the window's scaling keeps the two together.
  const QRect designed = buddy_->property(DesignedRectProperty).toRect();
  if (designed.isValid())
    setProperty(DesignedRectProperty, QRect(designed.right() + 1, designed.y(), 16, designed.height()));
}

void TUpDown::SetPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void TUpDown::Step(int delta) {
  bool ok = false;
  const int typed = buddy_ ? buddy_->text().trimmed().toInt(&ok) : 0;
  SetPosition((ok ? typed : position_) + delta);
  if (buddy_) buddy_->setText(QString::number(position_));
}
