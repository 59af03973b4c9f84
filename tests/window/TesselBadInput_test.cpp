// Damaged configuration files load without harm and save back into a sane file.
#include <QCheckBox>
#include <QLineEdit>
#include <random>

#include "FormFixture.h"
#include "config/BigIni.h"

namespace {

QByteArray Garbage(std::size_t size, unsigned seed) {
  std::mt19937 engine(seed);
  QByteArray bytes;
  for (std::size_t i = 0; i < size; ++i) bytes.append(static_cast<char>(engine() % 256));
  return bytes;
}

}  // namespace

class BadInputTest : public FormTest {
 protected:
  // Saves, then checks that the saved file is stable: a fresh window reads it back, saves the
  // same bytes, and reads the same list again.
  void ExpectSaneRoundTrip() {
    form->SaveClick();
    const QByteArray saved = IniBytes();
    form.reset();
    Open();
    const std::vector<std::string> names = Names();
    form->SaveClick();
    EXPECT_EQ(IniBytes(), saved);
    form.reset();
    Open();
    EXPECT_EQ(Names(), names);
    EXPECT_NE(TBigIniFile(IniPath()).ReadString("Info", "Display Order", ""), "");
  }
};

TEST_F(BadInputTest, RandomBytes) {
  for (unsigned seed : {1u, 2u, 3u}) {
    OpenWith(Garbage(20000, seed));
    ExpectSaneRoundTrip();
  }
}

TEST_F(BadInputTest, BinaryBytesInsideSections) {
  QByteArray bytes = "[Info]\r\nTrigger Qty=\x01\x02\xff\r\nAutoClose Minutes=\x80\x80\r\n[Bitmaps]\r\n";
  bytes += "/pics/\xff\xfe\x01.bmp=TILE.NOT\r\n/ok.bmp=\x1b[31m\r\n\x1a\r\n/z.bmp=CENTER.NOT\r\n";
  OpenWith(bytes);
  EXPECT_EQ(form->execQty->text(), "1");
  EXPECT_EQ(form->ImageList().Count(), 3);
  ExpectSaneRoundTrip();
}

TEST_F(BadInputTest, NulByteEndsTheText) {
  QByteArray bytes = "[Info]\r\nSortImages=0\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n";
  bytes.append('\0');
  bytes += "/b.bmp=TILE.NOT\r\n";
  OpenWith(bytes);
  EXPECT_EQ(Names(), std::vector<std::string>{"/a.bmp"});
  ExpectSaneRoundTrip();
}

TEST_F(BadInputTest, VeryLongLines) {
  const std::string longName = "/" + std::string(300000, 'n') + ".bmp";
  QByteArray bytes = "[Info]\r\nLastImageNm=" + QByteArray(200000, 'x') + "\r\n[Bitmaps]\r\n";
  bytes += QByteArray::fromStdString(longName) + "=TILE.NOT" + QByteArray(5000, 'Q') + "\r\n";
  OpenWith(bytes);
  ASSERT_EQ(form->ImageList().Count(), 1);
  EXPECT_EQ(form->ImageList().At(0).fileName, longName);
  ExpectSaneRoundTrip();
}

TEST_F(BadInputTest, DuplicateSectionsAndKeys) {
  OpenWith(
      "[Info]\r\nTrigger Qty=3\r\nTrigger Qty=4\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n/A.BMP=CENTER.NOT\r\n"
      "[Info]\r\nTrigger Qty=8\r\n[Bitmaps]\r\n/b.bmp=STRETCH.NOT\r\n");
  EXPECT_EQ(form->execQty->text(), "3");
  EXPECT_TRUE(form->SortImages->isChecked());
  form->SaveClick();
  const TBigIniFile ini(IniPath());
  std::vector<std::string> keys;
  ini.ReadSection("Bitmaps", keys);
  EXPECT_EQ(keys.size(), 1u);
  ExpectSaneRoundTrip();
}

TEST_F(BadInputTest, SecondBitmapsSectionDoesNotComeBackWhenTheListIsEmptied) {
  OpenWith("[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n[Info]\r\nSortImages=0\r\n[bitmaps]\r\n/b.bmp=STRETCH.NOT\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"/a.bmp"});
  form->ImageList().Clear();
  form->ListChanged();
  ExpectSaneRoundTrip();
  EXPECT_EQ(Names(), std::vector<std::string>{});
}

TEST_F(BadInputTest, CommentsAndLinesWithoutEquals) {
  OpenWith("; comment\r\n[Info]\r\n; kept\r\nTrigger Qty=2\r\nnonsense line\r\n[Bitmaps]\r\n/whole line.bmp\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"/whole line.bmp"});
  EXPECT_EQ(form->ImageList().At(0).disp, DispObj::Tile);
  form->SaveClick();
  EXPECT_TRUE(IniBytes().startsWith("[Info]\r\n; kept\r\nTrigger Qty=2\r\nnonsense line\r\n"));
  EXPECT_TRUE(IniBytes().contains("/whole line.bmp=TILE.NOT\r\n"));
  ExpectSaneRoundTrip();
}
