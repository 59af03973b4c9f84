// The real main window on a prepared configuration file, with every outside service
// replaced: scripted message boxes and Add dialog, a fixed screen, clock and random source,
// and a desktop that only remembers its values.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "agent/RandomSource.h"
#include "platform/dialogs/AddDialog.h"
#include "platform/screen/ScreenMetrics.h"
#include "platform/system/Clock.h"
#include "support/FixedScreenMetrics.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/StandInDesktop.h"
#include "window/Tessel.h"

class TFixedClock final : public IClock {
 public:
  double Now() const override { return now; }
  double now = 45000.5;
};

class TFirstRandom final : public IRandomSource {
 public:
  int Next(int) override { return 0; }
};

class TScriptedAddDialog final : public IAddDialog {
 public:
  std::optional<std::vector<std::string>> Execute(const QString& filter, const std::string& initialDir) override {
    lastFilter = filter;
    lastInitialDir = initialDir;
    return files;
  }
  std::optional<std::vector<std::string>> files;
  QString lastFilter;
  std::string lastInitialDir;
};

class FormTest : public ::testing::Test {
 protected:
  std::string IniPath() const { return (dir.path() + "/tesserine.INI").toStdString(); }

  void WriteIni(const QByteArray& bytes) {
    QFile file(QString::fromStdString(IniPath()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }

  QByteArray IniBytes() const {
    QFile file(QString::fromStdString(IniPath()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // Creates the window on the current file and shows it, which loads the configuration.
  void Open() {
    form = std::make_unique<TTesselForm1>(TFormServices{messages, screen, desktop, screenSaver, clock, random,
                                                        addDialog, (dir.path() + "/").toStdString(), IniPath()});
    QObject::connect(form.get(), &TTesselForm1::TerminateRequested, [this] { ++terminateRequests; });
    form->show();
  }

  void OpenWith(const QByteArray& bytes) {
    WriteIni(bytes);
    Open();
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < form->ImageList().Count(); ++i) names.push_back(form->ImageList().At(i).fileName);
    return names;
  }

  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < form->ImageList().Count(); ++i)
      if (form->ImageList().Selected(i)) rows.push_back(i);
    return rows;
  }

  QTemporaryDir dir;
  TScriptedMessageBoxes messages;
  TFixedScreenMetrics screen{QSize(1024, 768)};
  TMemoryDesktop desktop;
  TIdleScreenSaver screenSaver;
  TFixedClock clock;
  TFirstRandom random;
  TScriptedAddDialog addDialog;
  std::unique_ptr<TTesselForm1> form;
  int terminateRequests = 0;
};
