// The real main window with the agent's outside world under the test's control: a clock
// the test moves, a screen saver it switches, scripted random numbers and answers, a tray
// that is there or not, and small bitmap files to apply.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <memory>

#include "agent/ScriptedRandom.h"
#include "config/BigIni.h"
#include "config/DateTimeText.h"
#include "imagelist/ListEdits.h"
#include "support/StandInServices.h"
#include "window/Tessel.h"

class AgentFormTest : public ::testing::Test, protected TStandInServicesOf<TFixedScreenMetrics, TScriptedRandom> {
 protected:
  AgentFormTest() { screen.SetScreenSize(QSize(64, 48)); }

  static constexpr double kMsPerDay = 86400000.0;

  std::string Picture(const char* name) const { return (dir.path() + "/" + name).toStdString(); }

  // An INI file with the given "Info" lines and one entry per picture ("name=METHOD.MARK").
  void Open(const std::string& info, const std::vector<std::string>& entries) {
    std::string text = "[Info]\r\n" + info + "\r\n[Bitmaps]\r\n";
    for (const std::string& entry : entries) {
      const std::string name = entry.substr(0, entry.find('='));
      QImage picture(4, 3, QImage::Format_RGB32);
      picture.fill(Qt::red);
      picture.save(QString::fromStdString(Picture(name.c_str())), "BMP");
      text += Picture(entry.c_str()) + "\r\n";
    }
    QFile file(dir.path() + "/tesserine.INI");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.c_str());
    file.close();
    form = std::make_unique<TTesselForm1>(
        Services((dir.path() + "/").toStdString(), (dir.path() + "/tesserine.INI").toStdString()));
    form->TrayAvailable = [this] { return trayAvailable; };
    QObject::connect(form.get(), &TTesselForm1::TerminateRequested, [this] { ++terminateRequests; });
    form->show();
  }

  std::string LastChange(double daysBeforeNow) const {
    return "LastChgDateTime=" + DateTimeToText(clock.now - daysBeforeNow) + "\r\n";
  }

  void AdvanceMs(double ms) { clock.now += ms / kMsPerDay; }

  int Selected() const { return form->ImageList().FirstSelected(); }

  void Select(int index) {
    SelectOnly(form->ImageList(), index);
    form->ListChanged();
    form->ItemSelectUpdt();
  }

  std::string Name(int index) const { return form->ImageList().At(index).fileName; }

  std::vector<std::int32_t> Marks() const {
    std::vector<std::int32_t> marks;
    for (int i = 0; i < form->ImageList().Count(); ++i) marks.push_back(form->ImageList().At(i).mark);
    return marks;
  }

  bool TimerArmed(int interval) const { return form->Timer1->isActive() && form->Timer1->interval() == interval; }

  bool ShowsIcon(const QIcon& icon) const { return form->RxTrayIcon1->icon().cacheKey() == icon.cacheKey(); }

  QTemporaryDir dir;
  bool trayAvailable = true;
  std::unique_ptr<TTesselForm1> form;
  int terminateRequests = 0;
};
