// The image list at scale, through the real main window: IniLoad and SaveClick of a
// 100,000-entry configuration and one Add of 10,000 new files into it (sorted by name).
// Peers measured in the same run: a plain read of the same file split into lines, and
// std::sort of the same 100,000 file names. Prints each time and its ratio to the peer.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "support/StandInServices.h"
#include "window/Tessel.h"

namespace {

std::string NameOf(int i, const char* folder) {
  char name[128];
  std::snprintf(name, sizeof name, "/home/user/Pictures/%s%03d/image%06d.jpg", folder, i % 997, i);
  return name;
}

template <class F>
double Seconds(F&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Report(const char* what, double seconds, const char* peer, double peerSeconds) {
  std::printf("%-34s %8.3f s   %-28s %8.3f s   ratio %6.1f\n", what, seconds, peer, peerSeconds, seconds / peerSeconds);
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const std::string ini = (dir.path() + "/tesserine.INI").toStdString();
  constexpr int kEntries = 100000;
  constexpr int kAdded = 10000;

  std::vector<std::string> names;
  for (int i = 0; i < kEntries; ++i) names.push_back(NameOf(i, i % 10 == 0 ? "\xC3\x89t\xC3\xA9" : "Album"));
  std::shuffle(names.begin(), names.end(), std::mt19937(7));
  {
    QFile file(QString::fromStdString(ini));
    file.open(QIODevice::WriteOnly);
    file.write("[Info]\r\nDisplay Order=RANDOM_CYCLE\r\n\r\n[Bitmaps]\r\n");
    for (std::size_t i = 0; i < names.size(); ++i)
      file.write((names[i] + (i % 3 ? "=TILE.NOT\r\n" : "=BRICK_TILE.MARKED\r\n")).c_str());
  }

  const double plainRead = Seconds([&] {
    QFile file(QString::fromStdString(ini));
    file.open(QIODevice::ReadOnly);
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.size() < kEntries) std::abort();
  });
  const double plainSort = Seconds([names]() mutable { std::sort(names.begin(), names.end()); });

  TStandInServices services;
  services.screen.SetScreenSize(QSize(1920, 1080));
  std::vector<std::string> added;
  for (int i = 0; i < kAdded; ++i) added.push_back(NameOf(i, "New"));
  services.addDialog.files = added;

  std::unique_ptr<TTesselForm1> form;
  const double load = Seconds([&] {
    form = std::make_unique<TTesselForm1>(services.Services((dir.path() + "/").toStdString(), ini));
    form->show();
  });
  if (form->ImageList().Count() != kEntries) std::abort();
  const double save = Seconds([&] { form->SaveClick(); });
  const double add = Seconds([&] { form->AddClick(); });
  if (form->ImageList().Count() != kEntries + kAdded || form->ImageList().SelCount() != kAdded) std::abort();
  const double saveAfterAdd = Seconds([&] { form->SaveClick(); });

  Report("IniLoad, 100,000 entries", load, "plain read of the file", plainRead);
  Report("SaveClick, 100,000 entries", save, "plain read of the file", plainRead);
  Report("AddClick, 10,000 new files", add, "std::sort of 100,000 names", plainSort);
  Report("SaveClick, 110,000 entries", saveAfterAdd, "plain read of the file", plainRead);
  form.reset();
  return 0;
}
