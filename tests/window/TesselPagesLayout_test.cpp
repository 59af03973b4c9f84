// The properties window at the real font: on every page each caption is whole, lies inside
// its parent and overlaps no neighbour, at the default font and at one and a half times it.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "widgets/PaintBox.h"
#include "window/FormFixture.h"

namespace {

// The size a control's caption needs, or an empty size for a control without caption.
QSize CaptionNeed(const QWidget* widget) {
  const QFontMetrics metrics(widget->font());
  if (const auto* label = qobject_cast<const QLabel*>(widget))
    return label->text().trimmed().isEmpty() ? QSize() : label->sizeHint();
  if (const auto* button = qobject_cast<const QPushButton*>(widget))
    return {metrics.horizontalAdvance(button->text()) + 8, metrics.height()};
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->sizeHint();
  if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
    return {widest + 16, metrics.height()};
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(widget))
    return {metrics.horizontalAdvance(group->title()) + 8, 0};
  return {};
}

// Inner parts of composite controls (an up-down's arrows, a splitter's handle, whose grab
// area reaches over its neighbours on purpose).
bool Internal(const QWidget* widget) {
  return widget->objectName().isEmpty() || widget->objectName().startsWith("qt_");
}

class PagesLayoutTest : public FormTest, public ::testing::WithParamInterface<double> {
 protected:
  void SetUp() override {
    saved = QApplication::font();
    QFont font = saved;
    font.setPointSizeF(saved.pointSizeF() * GetParam());
    QApplication::setFont(font);
  }
  void TearDown() override {
    form.reset();
    QApplication::setFont(saved);
  }
  QFont saved;
};

TEST_P(PagesLayoutTest, EveryCaptionIsWholeAndOverlapsNothing) {
  Open();
  QStringList faults;
  for (int page = 0; page < form->PageControl1->count(); ++page) {
    form->PageControl1->setCurrentIndex(page);
    QCoreApplication::processEvents();
    QWidget* root = form->PageControl1->widget(page);
    for (QWidget* widget : root->findChildren<QWidget*>()) {
      const QSize need = CaptionNeed(widget);
      if (need.isEmpty() && need.width() == 0) continue;
      if (!widget->isVisible() || Internal(widget)) continue;
      const QRect place = widget->geometry();
      const QString name = widget->objectName();
      if (place.width() < need.width() || place.height() < need.height())
        faults << QString("%1 is %2x%3, needs %4x%5")
                      .arg(name)
                      .arg(place.width())
                      .arg(place.height())
                      .arg(need.width())
                      .arg(need.height());
      if (!widget->parentWidget()->rect().contains(place)) faults << name + " leaves its parent";
      for (QWidget* other : widget->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == widget || !other->isVisible() || Internal(other)) continue;
        const QRect there = other->geometry();
        if (there.contains(place) || place.contains(there)) continue;
        if (place.intersects(there)) faults << name + " overlaps " + other->objectName();
      }
    }
  }
  // Every tab's caption shows whole, without the tab bar's scroll buttons.
  const QTabBar* tabs = form->PageControl1->tabBar();
  for (int tab = 0; tab < tabs->count(); ++tab)
    if (!tabs->rect().contains(tabs->tabRect(tab))) faults << "the tab " + tabs->tabText(tab) + " is cut off";
  EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
  // Fitting never gives up and takes the largest scale: the window stays near the font's size.
  EXPECT_LT(form->width(), 528 * 2 * GetParam());
  // The preview keeps the designed 4:3 proportion at any scale.
  EXPECT_NEAR(form->ImgListImage->width() * 3.0, form->ImgListImage->height() * 4.0, 8.0);
}

INSTANTIATE_TEST_SUITE_P(Fonts, PagesLayoutTest, ::testing::Values(1.0, 1.5));

}  // namespace
