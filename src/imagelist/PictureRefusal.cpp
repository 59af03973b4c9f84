#include "imagelist/PictureRefusal.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "imagelist/FolderPictures.h"
#include "imagelist/StorableName.h"
#include "wallpaper/CompositionCache.h"

std::string PictureRefusal(const std::string& path) {
  const QFileInfo info(QFile::decodeName(QByteArray::fromStdString(path)));
  if (!info.exists()) return "no such file";
  if (!info.isFile()) return "not a file";
  if (!IsPictureName(path)) return "not a picture Tesserine reads (BMP, JPEG, GIF, PNG or WebP)";
  if (!IsStorableName(path) || TrimName(path) != path)
    return "the configuration file cannot hold a name that contains \"=\", a line break or surrounding spaces";
  return {};
}

TOpenedFiles SortOpenedFiles(const std::vector<std::string>& files) {
  TOpenedFiles opened;
  QStringList refused;
  for (const std::string& file : files) {
    const std::string why = PictureRefusal(file);
    if (why.empty())
      opened.pictures.push_back(file);
    else
      refused << QFile::decodeName(QByteArray::fromStdString(file)) + ": " + QString::fromStdString(why);
  }
  if (!refused.isEmpty()) opened.refusedText = "These files were not added:\n\n" + refused.join('\n');
  return opened;
}
