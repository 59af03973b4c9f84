// "Next image on each" and "One image across all" through the real window on two monitors
// of a fixed screen: the entries each change shows, the files it writes, an Apply that
// changes the primary monitor only, and the marks of a random cycle.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QPushButton>

#include "window/AgentFixture.h"

namespace {

const std::vector<std::string> kFour = {"a.bmp=TILE.NOT", "b.bmp=CENTER.NOT", "c.bmp=STRETCH.NOT",
                                        "d.bmp=BRICK_TILE.NOT"};

class AgentMonitorsTest : public AgentFormTest {
 protected:
  void SetUp() override {
    screen.SetMonitors({{"LEFT", QRect(0, 0, 64, 48), true}, {"RIGHT", QRect(64, 0, 32, 64), false}});
  }

  std::string File(const char* name) const { return (dir.path() + "/" + name).toStdString(); }

  std::vector<std::string> RecordedFiles() const {
    std::vector<std::string> files;
    for (const MonitorWallpaper& monitor : desktop.RecordedMonitors()) files.push_back(monitor.file);
    return files;
  }

  QByteArray Bytes(const char* name) const {
    QFile file(dir.path() + "/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST_F(AgentMonitorsTest, EachMonitorTakesTheNextEntryAndTheOrderGoesOnAfterTheLast) {
  Open("Monitors=EACH\r\nTrigger Measure=HOURS\r\nTrigger Qty=1\r\nSortImages=0\r\n", kFour);
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
  for (int i = 0; i < 4; ++i) {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(colours[i]);
    ASSERT_TRUE(picture.save(QString::fromStdString(Name(i)), "BMP"));
  }
  const auto secondShows = [this] { return QImage(dir.path() + "/Tesserina Convert 2.BMP").pixel(31, 63); };
  form->OKClick(form->OK);
  EXPECT_EQ(Selected(), 1) << "the primary monitor shows the display order's pick";
  EXPECT_EQ(secondShows(), colours[2]);
  const std::vector<std::string> files{File("Tesserina Convert.BMP"), File("Tesserina Convert 2.BMP")};
  EXPECT_EQ(RecordedFiles(), files);
  EXPECT_EQ(QImageReader(QString::fromStdString(files[0])).size(), QSize(64, 48));
  EXPECT_EQ(QImageReader(QString::fromStdString(files[1])).size(), QSize(32, 64));
  EXPECT_EQ(desktop.values["Wallpaper"], files[0]);
  EXPECT_EQ(form->Agent().State().LastImageNm, Name(1));

  // Two monitors showed entries 1 and 2: the next change shows 3 and 0.
  form->Next1Click(form->Next1);
  EXPECT_EQ(Selected(), 3);
  EXPECT_EQ(secondShows(), colours[0]);
  const QByteArray afterNext = Bytes("Tesserina Convert 2.BMP");

  // Apply changes the primary monitor only.
  Select(2);
  form->ApplyClick(form->Apply);
  EXPECT_EQ(Bytes("Tesserina Convert 2.BMP"), afterNext);
  EXPECT_EQ(RecordedFiles(), files);

  // Back to one picture for all: the second monitor's file goes.
  form->MonitorsComboBox->setCurrentIndex(0);
  form->Next1Click(form->Next1);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(files[1])));
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(AgentMonitorsTest, RandomCycleMarksEveryMonitorsEntry) {
  Open("Monitors=EACH\r\nDisplay Order=RANDOM_CYCLE\r\nTrigger Measure=HOURS\r\nTrigger Qty=1\r\nSortImages=0\r\n",
       kFour);
  // The agent's start: 4 unmarked; the primary draws 2 of {0..3} (entry 2, not the
  // current 0), the second monitor draws 0 of the unmarked {0, 1, 3}: entry 0.
  random.Add({2, 0});
  form->OKClick(form->OK);
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(Marks(), (std::vector<std::int32_t>{1, 0, 1, 0}));
  EXPECT_EQ(form->Agent().CycleRemaining(), 2);
}

TEST_F(AgentMonitorsTest, OneImageAcrossAllMonitors) {
  Open("Monitors=SPAN\r\nTrigger Measure=HOURS\r\nTrigger Qty=1\r\nSortImages=0\r\n",
       {"a.bmp=STRETCH.NOT", "b.bmp=STRETCH.NOT"});
  form->OKClick(form->OK);
  EXPECT_EQ(QImageReader(QString::fromStdString(File("Tesserina Convert.BMP"))).size(), QSize(64, 48));
  EXPECT_EQ(QImageReader(QString::fromStdString(File("Tesserina Convert 2.BMP"))).size(), QSize(32, 64));
  const QImage left(QString::fromStdString(File("Tesserina Convert.BMP")));
  const QImage right(QString::fromStdString(File("Tesserina Convert 2.BMP")));
  // The red picture stretched over the 96 x 64 span: the primary's lower band lies below it
  // only where the span is taller, so every pixel here is the picture's.
  EXPECT_EQ(left.pixel(63, 47), qRgb(255, 0, 0));
  EXPECT_EQ(right.pixel(0, 63), qRgb(255, 0, 0));
}

}  // namespace
