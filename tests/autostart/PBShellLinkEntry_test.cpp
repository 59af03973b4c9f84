#include <glib.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>
#include <vector>

#include "autostart/DesktopEntry.h"
#include "autostart/PBShellLink.h"

namespace {

// The Exec value, already unescaped as a string value, split into arguments the way the
// entry format says: double quotes hold an argument together and "\" escapes the next
// character inside them; then "%%" stands for "%". nullopt on any other field code.
std::optional<std::vector<std::string>> SplitExec(const std::string& value) {
  std::vector<std::string> args;
  std::string current;
  bool inArgument = false;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == ' ') {
      if (inArgument) args.push_back(current);
      current.clear();
      inArgument = false;
      continue;
    }
    inArgument = true;
    if (value[i] != '"') {
      if (value[i] == '%' && (i + 1 == value.size() || value[++i] != '%')) return std::nullopt;
      current += value[i];
      continue;
    }
    for (++i; i < value.size() && value[i] != '"'; ++i) {
      if (value[i] == '\\') ++i;
      if (value[i] == '%' && value[++i] != '%') return std::nullopt;
      current += value[i];
    }
  }
  if (inArgument) args.push_back(current);
  return args;
}

std::string KeyOf(GKeyFile* file, const char* key) {
  GError* error = nullptr;
  gchar* value = g_key_file_get_string(file, G_KEY_FILE_DESKTOP_GROUP, key, &error);
  if (!value) {
    ADD_FAILURE() << key << ": " << error->message;
    g_error_free(error);
    return {};
  }
  std::string text(value);
  g_free(value);
  return text;
}

TEST(DesktopEntry, HostileProgramPathValidatesAndReadsBackUnchanged) {
  QTemporaryDir dir;
  const std::string folder =
      dir.path().toStdString() + "/ we\"ird $HOME 100%% back\\\\slash `tick` 'q' \t;&|*?#()<>~=\xC3\xA9\n";
  const std::string program = folder + "/tess erine";
  TPBShellLink link;
  link.SetFileName(dir.path().toStdString() + "/Tesserine");
  link.SetDescription("Tesserine");
  link.SetWorkingDir(folder + "/");
  link.SetTarget(program);
  link.SetArguments("--x \"y\" 50%");
  link.SaveLink();

  const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
  ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate (desktop-file-utils) is needed";
  QProcess validate;
  validate.start(validator, {QString::fromStdString(link.FileName())});
  ASSERT_TRUE(validate.waitForFinished(-1));
  const QString report = validate.readAll();
  EXPECT_EQ(validate.exitCode(), 0) << report.toStdString();
  EXPECT_FALSE(report.contains("error")) << report.toStdString();

  GKeyFile* file = g_key_file_new();
  GError* error = nullptr;
  ASSERT_TRUE(g_key_file_load_from_file(file, link.FileName().c_str(), G_KEY_FILE_NONE, &error)) << error->message;
  EXPECT_EQ(KeyOf(file, "Path"), folder + "/");
  EXPECT_EQ(SplitExec(KeyOf(file, "Exec")), (std::vector<std::string>{program, "--x \"y\" 50%"}));
  g_key_file_free(file);
}

TEST(DesktopEntry, ArgumentsAreQuotedOnlyWhenNeeded) {
  const std::pair<std::string, std::string> cases[] = {
      {"/usr/bin/tesserine", "/usr/bin/tesserine"},
      {"/opt/100%/t", "/opt/100%%/t"},
      {"", "\"\""},
      {"/a b", "\"/a b\""},
      {"/a\"$`\\b", "\"/a\\\"\\$\\`\\\\b\""},
      {"/a'b", "\"/a'b\""},
  };
  for (const auto& [argument, quoted] : cases) {
    EXPECT_EQ(QuoteExecArgument(argument), quoted) << argument;
    EXPECT_EQ(SplitExec(quoted), std::vector<std::string>{argument}) << argument;
  }
}

TEST(DesktopEntry, StringValuesKeepLeadingBlanksAndControlCharacters) {
  EXPECT_EQ(EscapeEntryValue("  a \\ b\n\t\r"), "\\s\\sa \\\\ b\\n\\t\\r");
}

}  // namespace
