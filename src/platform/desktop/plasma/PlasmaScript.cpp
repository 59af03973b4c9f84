#include "platform/desktop/plasma/PlasmaScript.h"

#include <QFile>
#include <QUrl>

#include "platform/system/FileNameText.h"

namespace {

int FillMode(WallpaperLayout layout) {
  switch (layout) {
    case WallpaperLayout::Tile:
      return 3;
    case WallpaperLayout::Stretch:
      return 0;
    case WallpaperLayout::Center:
      break;
  }
  return 6;
}

const char kEachImageDesktop[] =
    "var all = desktops();\n"
    "for (var i = 0; i < all.length; i++) {\n"
    "  var d = all[i];\n"
    "  if (d.wallpaperPlugin != \"org.kde.image\") continue;\n"
    "  d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n";

}  // namespace

QString JsStringLiteral(const QString& text) {
  QString out = "\"";
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == '\\' || u == '"') {
      out += '\\';
      out += c;
    } else if (u == '\n') {
      out += "\\n";
    } else if (u == '\r') {
      out += "\\r";
    } else if (u < 0x20 || u == 0x7f || u == 0x2028 || u == 0x2029) {
      out += QString("\\u%1").arg(static_cast<unsigned>(u), 4, 16, QChar('0'));
    } else {
      out += c;
    }
  }
  return out + "\"";
}

QString PlasmaImageUrl(const std::string& file) {
  if (file.empty()) return {};
  return QUrl::fromLocalFile(FileNameAsText("kde", file)).toString(QUrl::FullyEncoded);
}

QString PlasmaApplyScript(const WallpaperValues& values) {
  const QString url = JsStringLiteral(PlasmaImageUrl(values.file));
  // Plasma ignores a write of the value it already holds, so the same file is first cleared.
  return QString(kEachImageDesktop) + "  if (d.readConfig(\"Image\") == " + url +
         ") d.writeConfig(\"Image\", \"\");\n" + "  d.writeConfig(\"FillMode\", " +
         QString::number(FillMode(values.layout)) + ");\n" + "  d.writeConfig(\"Image\", " + url + ");\n" + "}\n";
}

QString PlasmaMonitorsScript(const std::vector<MonitorWallpaper>& monitors) {
  QString script = "var pictures = [\n";
  for (const MonitorWallpaper& monitor : monitors)
    script += QString("  {x: %1, y: %2, width: %3, height: %4, url: %5},\n")
                  .arg(monitor.rect.x())
                  .arg(monitor.rect.y())
                  .arg(monitor.rect.width())
                  .arg(monitor.rect.height())
                  .arg(JsStringLiteral(PlasmaImageUrl(monitor.file)));
  // A screen whose geometry matches no monitor shows the primary's picture.
  return script + "];\n" + kEachImageDesktop +
         "  var url = pictures.length ? pictures[0].url : \"\";\n"
         "  if (d.screen >= 0) {\n"
         "    var g = screenGeometry(d.screen);\n"
         "    for (var j = 0; j < pictures.length; j++) {\n"
         "      var p = pictures[j];\n"
         "      if (p.x == g.x && p.y == g.y && p.width == g.width && p.height == g.height) { url = p.url; break; }\n"
         "    }\n"
         "  }\n"
         "  if (d.readConfig(\"Image\") == url) d.writeConfig(\"Image\", \"\");\n"
         "  d.writeConfig(\"FillMode\", " +
         QString::number(FillMode(WallpaperLayout::Stretch)) +
         ");\n"
         "  d.writeConfig(\"Image\", url);\n"
         "}\n";
}

QString PlasmaQueryScript() {
  return QString(kEachImageDesktop) +
         "  print(d.readConfig(\"Image\") + \"\\n\" + d.readConfig(\"FillMode\"));\n"
         "  break;\n"
         "}\n";
}

std::optional<ShownWallpaper> ParsePlasmaQuery(const QString& printed) {
  const QStringList lines = printed.split('\n');
  if (lines.size() < 2) return std::nullopt;
  const QUrl url(lines[0].trimmed());
  ShownWallpaper shown;
  shown.file = QFile::encodeName(url.isLocalFile() ? url.toLocalFile() : lines[0].trimmed()).toStdString();
  shown.tiled = lines[1].trimmed() == "3";
  return shown;
}
