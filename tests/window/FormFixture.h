// The real main window on a prepared configuration file, with every outside service
// replaced by the test kit's stand-ins (support/StandInServices.h).
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "support/StandInServices.h"
#include "window/Tessel.h"

class FormTest : public ::testing::Test, protected TStandInServices {
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
    form = std::make_unique<TTesselForm1>(Services((dir.path() + "/").toStdString(), IniPath()));
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
  std::unique_ptr<TTesselForm1> form;
  int terminateRequests = 0;
};
