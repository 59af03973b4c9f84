#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSet>
#include <algorithm>

#include "window/AboutPage.h"

namespace {

TEST(SplashAboutText, HasSixteenLinesWithTheirBlanks) {
  const QStringList lines = AboutText().split('\n');
  ASSERT_EQ(lines.size(), 16);
  // Line numbers as read on the page, from 1.
  const QSet<int> empty = {2, 6, 9, 14};
  const QSet<int> trailingBlank = {3, 4, 7, 10, 11, 12, 15};
  for (int number = 1; number <= 16; ++number) {
    const QString& line = lines[number - 1];
    EXPECT_EQ(line.isEmpty(), empty.contains(number)) << number;
    EXPECT_EQ(line.endsWith(' '), trailingBlank.contains(number)) << number;
    EXPECT_FALSE(line.endsWith("  ")) << number;
  }
  EXPECT_EQ(lines[14],
            "To start Tesserine every time your computer starts, press the \"Create Shortcut in Startup Folder\" ");
  EXPECT_EQ(lines[15], "button on the Schedule tab.");
  EXPECT_FALSE(AboutText().endsWith('\n'));
}

class SplashAboutPage : public ::testing::Test {
 protected:
  void SetUp() override {
    QFont small = page.font();
    small.setPointSize(8);
    page.setFont(small);
    page.resize(521, 309);
    BuildAboutPage(&page);
  }
  template <class T>
  T* Find(const char* name) {
    T* child = page.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QWidget page;
};

TEST_F(SplashAboutPage, ControlsStandAtTheirPlacesOnABlackBannerWithoutBevel) {
  const std::pair<const char*, QRect> places[] = {
      {"Panel1", QRect(0, 0, 521, 70)},
      {"Image3", QRect(0, 0, 262, 70)},
      {"Memo1", QRect(0, 72, 522, 234)},
  };
  for (const auto& [name, place] : places) {
    const QWidget* control = Find<QWidget>(name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), place) << name;
  }
  EXPECT_EQ(Find<QLabel>("Image3")->parentWidget(), Find<QFrame>("Panel1"));
  EXPECT_EQ(Find<QLabel>("Image3")->pixmap().size(), QSize(262, 70));
  const QFrame* banner = Find<QFrame>("Panel1");
  EXPECT_EQ(banner->frameShape(), QFrame::NoFrame);
  EXPECT_TRUE(banner->autoFillBackground());
  EXPECT_EQ(banner->palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(SplashAboutPage, ContactLinesAreWholeOnTheBannerRightOfThePicture) {
  const QFrame* banner = Find<QFrame>("Panel1");
  ASSERT_NE(banner, nullptr);
  QList<QLabel*> lines;
  for (QLabel* label : banner->findChildren<QLabel*>())
    if (label->objectName() != "Image3") lines.append(label);
  ASSERT_GE(lines.size(), 2);
  std::sort(lines.begin(), lines.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
  for (int i = 0; i < lines.size(); ++i) {
    const QLabel* line = lines[i];
    SCOPED_TRACE(line->text().toStdString());
    EXPECT_EQ(line->x(), 280);
    EXPECT_TRUE(banner->rect().contains(line->geometry()));
    EXPECT_GE(line->width(), line->sizeHint().width());
    EXPECT_FALSE(line->autoFillBackground());
    EXPECT_EQ(line->font().bold(), i == 0);
    EXPECT_EQ(line->palette().color(QPalette::WindowText), i == 0 ? QColor(Qt::white) : QColor(192, 192, 192));
    if (i > 0) {
      EXPECT_GE(line->y(), lines[i - 1]->geometry().bottom());
    }
  }
}

TEST_F(SplashAboutPage, MemoHoldsTheTextReadOnlyWithAScrollBar) {
  const QPlainTextEdit* memo = Find<QPlainTextEdit>("Memo1");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->toPlainText(), AboutText());
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

}  // namespace
