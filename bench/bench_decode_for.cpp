// The decoding alone, as the one-shot agent decodes a wallpaper for the screen: one picture
// decoded for a stretch or a centred picture on a screen of the given size and, centred,
// the whole picture written row by row into a converted file, as the agent writes it after
// the screen shows the middle; in a process of its own, so that the peer benchmark
// (bench_peers.sh) can time it and read its peak memory beside the whole program's. Prints
// the decoded size and the seconds of each step.
//
//   bench_decode_for PICTURE WxH STRETCH|CENTER
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

#include "picture/PictureLoader.h"
#include "wallpaper/ConvertedBitmap.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  const QStringList size = args.value(2).split('x');
  if (args.size() != 4 || size.size() != 2 || (args[3] != "STRETCH" && args[3] != "CENTER")) {
    std::fprintf(stderr, "usage: bench_decode_for PICTURE WxH STRETCH|CENTER\n");
    return 2;
  }
  const std::string picture = args[1].toStdString();
  const QSize screen(size[0].toInt(), size[1].toInt());
  const bool centred = args[3] == "CENTER";
  const TDecodeTarget target = centred ? TDecodeTarget{screen, false, DecodeUse::Centred} : TDecodeTarget{screen};
  try {
    QElapsedTimer clock;
    clock.start();
    const QSize decoded = DecodeStillPictureFor(picture, target).picture.size();
    std::printf("decoded at %dx%d in %.3f s", decoded.width(), decoded.height(), clock.nsecsElapsed() / 1e9);
    if (centred) {
      const QTemporaryDir dir;
      clock.restart();
      WritePictureConverted(picture, ConvertFileName(dir.path().toStdString()));
      std::printf(", the whole picture's converted file written in %.3f s", clock.nsecsElapsed() / 1e9);
    }
    std::printf("\n");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
