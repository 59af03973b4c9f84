// Pictures of ImageMagick's fractal plasma, a picture with detail at every scale as
// photographs have, made with `convert` in a test's folder: JPEGs of a chosen subsampling, and
// pictures in the format of their name's extension.
#pragma once

#include <QProcess>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

// The path of the picture made, or "" when convert failed. sampling is the chroma
// subsampling ("2x2" is 4:2:0, as photographs mostly are).
inline std::string MadePlasmaJpeg(const QTemporaryDir& dir, const QString& name, QSize size,
                                  const QString& sampling = "2x2", bool progressive = false) {
  const QString path = dir.filePath(name);
  QStringList arguments{"-seed",
                        "7",
                        "-size",
                        QString("%1x%2").arg(size.width()).arg(size.height()),
                        "plasma:fractal",
                        "-sampling-factor",
                        sampling,
                        "-quality",
                        "90"};
  if (progressive)
    arguments << "-interlace"
              << "JPEG";
  arguments << path;
  QProcess process;
  process.start("convert", arguments);
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return {};
  return path.toStdString();
}

// The path of the picture made in the format of name's extension (".png", ".webp", ...), or ""
// when convert failed.
inline std::string MadePlasmaPicture(const QTemporaryDir& dir, const QString& name, QSize size) {
  const QString path = dir.filePath(name);
  QProcess process;
  process.start("convert", {"-seed", "7", "-size", QString("%1x%2").arg(size.width()).arg(size.height()),
                            "plasma:fractal", "-quality", "90", path});
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return {};
  return path.toStdString();
}
