#include "platform/desktop/plasma/PlasmaScript.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QUrl>

namespace {

// Reads one double-quoted JavaScript string literal starting at pos, as a JavaScript parser
// would; nullopt when the literal is malformed or holds a raw line terminator.
std::optional<QString> DecodeJsLiteral(const QString& text, qsizetype& pos) {
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  QString out;
  for (++pos; pos < text.size(); ++pos) {
    const char16_t c = text[pos].unicode();
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c == '\n' || c == '\r' || c == 0x2028 || c == 0x2029) return std::nullopt;
    if (c != '\\') {
      out += text[pos];
      continue;
    }
    if (++pos >= text.size()) return std::nullopt;
    const char16_t e = text[pos].unicode();
    if (e == 'n') {
      out += '\n';
    } else if (e == 'r') {
      out += '\r';
    } else if (e == 'u') {
      bool ok = false;
      const char16_t code = static_cast<char16_t>(text.mid(pos + 1, 4).toUInt(&ok, 16));
      if (!ok || text.mid(pos + 1, 4).size() != 4) return std::nullopt;
      out += QChar(code);
      pos += 4;
    } else if (e == '\n' || e == '\r') {
      return std::nullopt;
    } else {
      out += QChar(e);
    }
  }
  return std::nullopt;
}

// Every literal given to writeConfig("Image", ...) in the script, decoded.
QStringList ImageLiterals(const QString& script) {
  QStringList found;
  const QString marker = "d.writeConfig(\"Image\", ";
  for (qsizetype at = script.indexOf(marker); at >= 0; at = script.indexOf(marker, at)) {
    qsizetype pos = at + marker.size();
    const auto literal = DecodeJsLiteral(script, pos);
    EXPECT_TRUE(literal.has_value()) << script.toStdString();
    if (!literal) break;
    EXPECT_EQ(script.mid(pos, 2), ");") << "literal does not end where the call does";
    found << *literal;
    at = pos;
  }
  return found;
}

const char* const kHostileNames[] = {
    "/home/u/Pictures/plain.bmp",      "/home/u/it's \"quoted\".bmp",
    "/home/u/$(touch /tmp/owned).bmp", "/home/u/`id`.bmp",
    "/home/u/back\\slash\\\\.bmp",     "/home/u/two  spaces .bmp",
    "/home/u/line\nbreak\r.bmp",       "/home/u/sep\xe2\x80\xa8para\xe2\x80\xa9.bmp",
    "/home/u/#hash?q=1%20&x.bmp",      "/home/u/\xc3\xbc\xc3\xb1\xc3\xaf.bmp",
    "/home/u/\");print(\"x.bmp",       "/home/u/tab\there\x01.bmp",
};

TEST(PlasmaScript, HostileFileNamesReachPlasmaUnchanged) {
  for (const char* name : kHostileNames) {
    const QString script = PlasmaApplyScript({name, WallpaperLayout::Center});
    const QStringList literals = ImageLiterals(script);
    ASSERT_EQ(literals.size(), 2) << name;  // the clearing write and the real one
    EXPECT_EQ(literals[0], "") << name;
    const QUrl url(literals[1], QUrl::StrictMode);
    ASSERT_TRUE(url.isValid()) << name;
    EXPECT_EQ(url.toLocalFile(), QString::fromUtf8(name)) << name;
    // The comparison that guards the clearing write carries the same literal.
    qsizetype pos = script.indexOf("readConfig(\"Image\") == ") + 23;
    EXPECT_EQ(DecodeJsLiteral(script, pos), literals[1]) << name;
  }
}

TEST(PlasmaScript, LiteralEscapesExactly) {
  const std::pair<QString, QString> rows[] = {
      {"a\"b", R"("a\"b")"},
      {"a\\b", R"("a\\b")"},
      {"a\nb\rc", R"("a\nb\rc")"},
      {QString::fromUtf8("x\xe2\x80\xa8y\xe2\x80\xa9"), R"("x\u2028y\u2029")"},
      {QString("t\x01\x7f"), R"("t\u0001\u007f")"},
      {"$(rm -rf ~) 'single'", R"("$(rm -rf ~) 'single'")"},
      {"", R"("")"},
  };
  for (const auto& [text, literal] : rows) EXPECT_EQ(JsStringLiteral(text), literal) << text.toStdString();
}

TEST(PlasmaScript, FillModesAndOnlyImagePluginDesktops) {
  const std::pair<WallpaperLayout, QString> rows[] = {
      {WallpaperLayout::Tile, "3"}, {WallpaperLayout::Center, "6"}, {WallpaperLayout::Stretch, "0"}};
  for (const auto& [layout, mode] : rows) {
    const QString script = PlasmaApplyScript({"/a.bmp", layout});
    EXPECT_TRUE(script.contains("d.writeConfig(\"FillMode\", " + mode + ");")) << script.toStdString();
    EXPECT_TRUE(script.contains("if (d.wallpaperPlugin != \"org.kde.image\") continue;"));
    EXPECT_LT(script.indexOf("FillMode"), script.lastIndexOf("writeConfig(\"Image\""));
  }
}

TEST(PlasmaScript, NameThatIsNotTextIsRefusedRatherThanSentAsAnotherFile) {
  EXPECT_THROW(PlasmaApplyScript({"/home/u/latin1 \xe9t\xe9.bmp", WallpaperLayout::Center}), TDesktopError);
}

TEST(PlasmaScript, NoFileClearsTheImage) {
  EXPECT_EQ(ImageLiterals(PlasmaApplyScript({"", WallpaperLayout::Center})).last(), "");
}

TEST(PlasmaScript, QueryAnswerGivesFileAndTiling) {
  const auto tiled = ParsePlasmaQuery(PlasmaImageUrl("/p/a b#1.bmp") + "\n3\n");
  ASSERT_TRUE(tiled);
  EXPECT_EQ(tiled->file, "/p/a b#1.bmp");
  EXPECT_TRUE(tiled->tiled);
  const auto centred = ParsePlasmaQuery("file:///p/c.png\n6");
  ASSERT_TRUE(centred);
  EXPECT_EQ(centred->file, "/p/c.png");
  EXPECT_FALSE(centred->tiled);
  EXPECT_FALSE(ParsePlasmaQuery(""));
}

}  // namespace
