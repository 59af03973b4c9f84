#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "config/BigIni.h"
#include "support/FileBytes.h"

namespace {

class BigIniFileTest : public testing::Test {
 protected:
  std::string PathOf(const QString& name) const { return QDir(dir_.path()).filePath(name).toStdString(); }

  std::string WriteFile(const std::string& bytes, const QString& name = "test.INI") const {
    const std::string path = PathOf(name);
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }

  static std::string ReadFile(const std::string& path) { return ReadFileBytes(path); }

  QStringList Entries() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }

  QTemporaryDir dir_;
};

// Lowers the size limit for files this process writes, so a write fails the way it does
// on a full disk (EFBIG instead of ENOSPC); root is not exempt from it.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  bool Active() const { return active_; }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = SIG_DFL;
  bool active_ = false;
};

TEST_F(BigIniFileTest, MissingFileIsEmptyAndCreatedOnlyWhenSomethingChanged) {
  const std::string path = PathOf("new.INI");
  {
    TBigIniFile ini(path);
    EXPECT_EQ(ini.FileText(), "");
    EXPECT_FALSE(ini.Modified());
    ini.UpdateFile();
  }
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));

  TBigIniFile ini(path);
  ini.WriteString("Info", "k", "v");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), "[Info]\r\nk=v\r\n\r\n");
}

TEST_F(BigIniFileTest, UnchangedFileIsNeverRewritten) {
  const std::string path = WriteFile("[A]\nk=v\n");
  TBigIniFile ini(path);
  ini.WriteString("a", "k", "v");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), "[A]\nk=v\n");

  ini.WriteString("A", "k", "w");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), "[A]\r\nk=w\r\n\r\n");
  ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
  ini.UpdateFile();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

TEST_F(BigIniFileTest, EmptyFileNameKeepsEverythingInMemory) {
  TBigIniFile ini("");
  ini.WriteString("A", "k", "v");
  ini.UpdateFile();
  EXPECT_TRUE(ini.Modified());
  EXPECT_EQ(ini.ReadString("a", "K", "-"), "v");
}

// A text handed in reads as the same bytes read from a file do; the file it is said to come
// from is neither read nor written until a change is saved.
TEST_F(BigIniFileTest, TextHandedInReadsAsTheFileWouldAndIsWrittenOnlyWhenChanged) {
  for (const std::string& text : {std::string(), std::string("[A]\nk=v\n"),
                                  std::string("junk\r\n[A]\r\nk=v\r\n[a]\nk=w"), std::string("[B]\n\xFF=\x00x\n", 9)}) {
    const std::string path = PathOf("given.INI");
    WriteFile("[Other]\nk=file\n", "given.INI");
    TBigIniFile given(path, text);
    EXPECT_EQ(given.FileText(), TBigIniFile(WriteFile(text, "read.INI")).FileText()) << text;
    EXPECT_FALSE(given.Modified()) << text;
    EXPECT_EQ(given.ReadString("Other", "k", "-"), "-") << text;
    given.UpdateFile();
    EXPECT_EQ(ReadFile(path), "[Other]\nk=file\n") << text;
    given.WriteString("C", "k", "v");
    given.UpdateFile();
    EXPECT_EQ(ReadFile(path), given.FileText()) << text;
  }
}

TEST_F(BigIniFileTest, FileThatCannotBeReadIsAnError) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.INI"));
  const std::string path = PathOf("folder.INI");
  try {
    TBigIniFile ini(path);
    FAIL() << "a folder was read as an INI file";
  } catch (const TIniFileError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
}

TEST_F(BigIniFileTest, FailedWriteThrowsKeepsTheFlagAndCanBeRetried) {
  const std::string blocker = WriteFile("not a folder", "blocker");
  const std::string path = blocker + "/test.INI";
  TBigIniFile ini(path);
  ini.WriteString("A", "k", "v");
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      ini.UpdateFile();
      FAIL() << "writing below a regular file succeeded";
    } catch (const TIniFileError& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
    EXPECT_TRUE(ini.Modified());
  }

  ASSERT_TRUE(QFile::remove(QString::fromStdString(blocker)));
  ASSERT_TRUE(QDir().mkdir(QString::fromStdString(blocker)));
  ini.UpdateFile();
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(ReadFile(path), "[A]\r\nk=v\r\n\r\n");
}

TEST_F(BigIniFileTest, WriteFailingHalfwayLeavesTheOldFileIntact) {
  const std::string old = "[Bitmaps]\r\n/old.jpg=TILE.NOT\r\n\r\n";
  const std::string path = WriteFile(old);
  TBigIniFile ini(path);
  for (int i = 0; i < 200; ++i) ini.WriteString("Bitmaps", "/pictures/image" + std::to_string(i) + ".jpg", "TILE.NOT");
  ASSERT_GT(ini.FileText().size(), 4096u);
  {
    const FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.Active());
    EXPECT_THROW(ini.UpdateFile(), TIniFileError);
  }
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_TRUE(ini.Modified());
  EXPECT_EQ(Entries(), QStringList{"test.INI"});

  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), ini.FileText());
  EXPECT_FALSE(ini.Modified());
}

TEST_F(BigIniFileTest, RewriteKeepsPermissionsAndSymbolicLinks) {
  const std::string target = WriteFile("[A]\r\nk=v\r\n", "target.INI");
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  const std::string link = PathOf("link.INI");
  ASSERT_TRUE(QFile::link(QString::fromStdString(target), QString::fromStdString(link)));

  TBigIniFile ini(link);
  ini.WriteString("A", "k", "w");
  ini.UpdateFile();
  EXPECT_TRUE(QFileInfo(QString::fromStdString(link)).isSymLink());
  EXPECT_EQ(ReadFile(target), "[A]\r\nk=w\r\n\r\n");
  struct stat status {};
  ASSERT_EQ(stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(BigIniFileTest, PathThatIsNotUtf8NamesTheSameFile) {
  const std::string path = dir_.path().toStdString() + "/\xFF\xE9t\xE9.INI";
  {
    std::ofstream out(path, std::ios::binary);
    out << "[A]\r\nk=v\r\n";
  }
  TBigIniFile ini(path);
  EXPECT_EQ(ini.ReadString("A", "k", "-"), "v");
  ini.WriteString("A", "k", "w");
  ini.UpdateFile();
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[A]\r\nk=w\r\n\r\n");
  const auto folder = std::filesystem::directory_iterator(dir_.path().toStdString());
  EXPECT_EQ(std::distance(begin(folder), end(folder)), 1);
  std::filesystem::remove(path);
}

TEST_F(BigIniFileTest, DestructionWritesChangesAndSwallowsFailures) {
  const std::string path = WriteFile("[A]\r\nk=v\r\n");
  { TBigIniFile(path).WriteString("A", "n", "1"); }
  EXPECT_EQ(ReadFile(path), "[A]\r\nk=v\r\nn=1\r\n\r\n");

  const std::string blocker = WriteFile("", "blocker");
  EXPECT_NO_THROW({ TBigIniFile(blocker + "/x.INI").WriteString("A", "k", "v"); });
}

// A direct transcription of the line rules with linear scans, used as the reference for
// the indexed implementation.
class LinearIni {
 public:
  void Load(const std::vector<std::pair<std::string, std::vector<std::string>>>& sections) {
    for (const auto& [name, lines] : sections) sections_.push_back({name, lines});
  }

  std::string Read(const std::string& section, const std::string& key) const {
    const Section* found = Find(section);
    if (!found) return "<none>";
    for (const std::string& line : found->lines) {
      const auto equals = line.find('=');
      if (equals != std::string::npos && Lower(line.substr(0, equals)) == Lower(key)) return line.substr(equals + 1);
    }
    return "<none>";
  }

  void Write(const std::string& section, const std::string& key, const std::string& value) {
    Section* found = Find(section);
    if (!found) found = &sections_.emplace_back(Section{section, {}});
    const std::string text = key + "=" + value;
    for (std::string& line : found->lines) {
      const auto equals = line.find('=');
      if (equals != std::string::npos && Lower(line.substr(0, equals)) == Lower(key)) {
        if (line != text) modified = true;
        line = text;
        return;
      }
    }
    found->lines.push_back(text);
    modified = true;
  }

  // Every line of each key goes, in the first section of that name.
  void Delete(const std::string& section, const std::vector<std::string>& keys) {
    Section* found = Find(section);
    if (!found) return;
    const auto doomed = [&](const std::string& line) {
      const auto equals = line.find('=');
      if (equals == std::string::npos) return false;
      return std::any_of(keys.begin(), keys.end(),
                         [&](const std::string& key) { return Lower(line.substr(0, equals)) == Lower(key); });
    };
    const std::size_t before = found->lines.size();
    found->lines.erase(std::remove_if(found->lines.begin(), found->lines.end(), doomed), found->lines.end());
    if (found->lines.size() != before) modified = true;
  }

  void Erase(const std::string& section) {
    if (Section* found = Find(section)) {
      found->lines.clear();
      modified = true;
    }
  }

  std::string Text() const {
    std::string text;
    for (const Section& section : sections_) {
      if (section.lines.empty()) continue;
      text += "[" + section.name + "]\r\n";
      for (const std::string& line : section.lines) text += line + "\r\n";
      text += "\r\n";
    }
    return text;
  }

  bool modified = false;

 private:
  struct Section {
    std::string name;
    std::vector<std::string> lines;
  };

  static std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }
  const Section* Find(const std::string& name) const {
    for (const Section& section : sections_) {
      if (Lower(section.name) == Lower(name)) return &section;
    }
    return nullptr;
  }
  Section* Find(const std::string& name) { return const_cast<Section*>(std::as_const(*this).Find(name)); }

  std::vector<Section> sections_;
};

TEST_F(BigIniFileTest, IndexedLookupsAgreeWithLinearScansOverRandomEdits) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> initial = {
      {"S", {"k1=1", "K1=2", "note", "k2=x=y", "=e"}},
      {"T", {"k2=1"}},
      {"s", {"k1=9", "k3=3"}},
  };
  std::string bytes;
  for (const auto& [name, lines] : initial) {
    bytes += "[" + name + "]\n";
    for (const std::string& line : lines) bytes += line + "\n";
  }
  const std::string path = WriteFile(bytes);
  TBigIniFile ini(path);
  LinearIni model;
  model.Load(initial);

  const std::vector<std::string> sectionNames = {"S", "s", "T", "t", "U"};
  const std::vector<std::string> keys = {"k1", "K1", "k2", "K2", "k3", "k4", "K4", "k2=x", "note"};
  const std::vector<std::string> values = {"1", "2", "x=y", ""};
  std::mt19937 random(20240601);
  const auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };

  for (int step = 0; step < 2000; ++step) {
    const unsigned action = random() % 20;
    const std::string section = pick(sectionNames);
    if (action == 0) {
      ini.EraseSection(section);
      model.Erase(section);
    } else if (action == 1) {
      ini.UpdateFile();
      model.modified = false;
    } else if (action == 2) {
      const std::string key = pick(keys);
      ini.DeleteKey(section, key);
      model.Delete(section, {key});
    } else if (action == 3) {
      const std::vector<std::string> doomed = {pick(keys), pick(keys), pick(keys)};
      ini.DeleteKeys(section, doomed);
      model.Delete(section, doomed);
    } else {
      const std::string key = pick(keys);
      const std::string value = pick(values);
      ini.WriteString(section, key, value);
      model.Write(section, key, value);
    }
    ASSERT_EQ(ini.FileText(), model.Text()) << "step " << step;
    ASSERT_EQ(ini.Modified(), model.modified) << "step " << step;
    for (const std::string& name : sectionNames) {
      for (const std::string& key : keys) {
        ASSERT_EQ(ini.ReadString(name, key, "<none>"), model.Read(name, key))
            << "step " << step << " " << name << "/" << key;
      }
    }
  }
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), model.Text());
}

}  // namespace
