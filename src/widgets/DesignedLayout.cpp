#include "widgets/DesignedLayout.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>
#include <cmath>
#include <map>

namespace {

int Scaled(int value, double scale) { return static_cast<int>(std::lround(value * scale)); }

bool Captioned(const TDesignedItem& item) { return item.needed.width() > 0 || item.needed.height() > 0; }

QSize AreaOf(const TDesignedItem& item, double scale) { return ScaledRect(item, scale).size() - item.inset; }

// The width a push button needs for its caption and icon: the style's own minimum width
// (some styles ask for 80 pixels whatever the caption) is not a caption's need.
QSize ButtonNeed(const QPushButton* button) {
  const QFontMetrics metrics(button->font());
  int width = metrics.horizontalAdvance(button->text()) + 12;
  if (!button->icon().isNull()) width += button->iconSize().width() + 4;
  return {width, button->sizeHint().height()};
}

QSize NeededSize(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget))
    // A label that is empty now still needs the height of the text it will show.
    return label->text().isEmpty() && label->pixmap().isNull() ? QSize(0, QFontMetrics(label->font()).height())
                                                               : label->sizeHint();
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) return ButtonNeed(button);
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->sizeHint();
  if (const auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->sizeHint();
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
    QFont font = group->font();
    font.setBold(true);
    return {QFontMetrics(font).horizontalAdvance(group->title()) + 24, 0};
  }
  if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) return {tabs->tabBar()->sizeHint().width() + 4, 0};
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
    const int digits = edit->property("maxDigits").toInt();
    if (digits > 0)
      return {QFontMetrics(edit->font()).horizontalAdvance(QString(digits, QLatin1Char('0'))) + 10,
              edit->sizeHint().height()};
  }
  return {};
}

bool PlacedByParent(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  if (!parent) return false;
  if (qobject_cast<const QSplitter*>(parent)) return true;
  return parent->layout() && parent->layout()->indexOf(widget) >= 0;
}

bool Designed(const QWidget* widget) {
  return widget->property(DesignedRectProperty).isValid() || widget->property(DesignedAreaProperty).isValid();
}

}  // namespace

QRect ScaledRect(const TDesignedItem& item, double scale) {
  const QRect& d = item.designed;
  const int width = d.width() > 0 ? Scaled(d.width(), scale) : item.needed.width();
  const int height = d.height() > 0 ? Scaled(d.height(), scale) : item.needed.height();
  return {Scaled(d.x(), scale), Scaled(d.y(), scale), width, height};
}

bool FitsAt(const std::vector<TDesignedItem>& items, double scale) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TDesignedItem& item = items[i];
    if (!Captioned(item) || item.area || !item.shown) continue;
    const QRect rect = ScaledRect(item, scale);
    if (rect.width() < item.needed.width() || rect.height() < item.needed.height()) return false;
    if (item.parent >= 0) {
      const QSize area = AreaOf(items[static_cast<std::size_t>(item.parent)], scale);
      if (rect.x() + rect.width() > area.width() || rect.y() + rect.height() > area.height()) return false;
    }
    for (std::size_t j = 0; j < items.size(); ++j) {
      const TDesignedItem& other = items[j];
      if (j == i || other.parent != item.parent || other.area || !other.shown) continue;
      const QRect neighbour = ScaledRect(other, scale);
      if (neighbour.contains(rect) || rect.contains(neighbour)) continue;
      if (rect.intersects(neighbour)) return false;
    }
  }
  return true;
}

double FitScale(const std::vector<TDesignedItem>& items, double maxScale) {
  constexpr double step = 1.0 / 32;
  for (double scale = 1.0; scale < maxScale; scale += step)
    if (FitsAt(items, scale)) return scale;
  return maxScale;
}

double ApplyDesignedLayout(QWidget* window) {
  std::vector<TDesignedItem> items;
  std::vector<QWidget*> widgets;
  std::map<const QWidget*, int> indexOf;
  const auto add = [&](QWidget* widget, int parent) {
    TDesignedItem item;
    item.parent = parent;
    item.area = widget->property(DesignedAreaProperty).isValid();
    item.designed =
        (item.area ? widget->property(DesignedAreaProperty) : widget->property(DesignedRectProperty)).toRect();
    item.inset = widget->property(DesignedInsetProperty).toSize();
    item.needed = NeededSize(widget);
    item.shown = item.area || !widget->isHidden();
    indexOf[widget] = static_cast<int>(items.size());
    items.push_back(item);
    widgets.push_back(widget);
  };
  if (Designed(window)) add(window, -1);
  // The walk goes down the tree itself so that every parent is known before its children.
  std::vector<QWidget*> pending{window};
  while (!pending.empty()) {
    QWidget* parent = pending.back();
    pending.pop_back();
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      pending.push_back(child);
      if (!Designed(child)) continue;
      const QWidget* ancestor = child->parentWidget();
      while (ancestor && !indexOf.count(ancestor)) ancestor = ancestor->parentWidget();
      add(child, ancestor ? indexOf[ancestor] : -1);
    }
  }
  const double scale = FitScale(items);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].area) continue;
    QWidget* widget = widgets[i];
    const QRect rect = ScaledRect(items[i], scale);
    if (widget == window) {
      window->setFixedSize(rect.size());
    } else if (PlacedByParent(widget)) {
      // The parent's layout or splitter decides the place; a fixed height still follows the font.
      if (widget->minimumHeight() == widget->maximumHeight() && items[i].designed.height() > 0)
        widget->setFixedHeight(rect.height());
    } else {
      widget->setGeometry(rect);
    }
  }
  return scale;
}
