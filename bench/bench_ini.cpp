// A "Bitmaps" section of N lines: load the file, ReadString every key, WriteString every
// line with a new value, UpdateFile. TBigIniFile against a plain vector of lines searched
// linearly (the naive peer), doing the same operations in the same run.
#include <benchmark/benchmark.h>
#include <strings.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "config/BigIni.h"

namespace {

const QTemporaryDir& Folder() {
  static const QTemporaryDir folder(QDir::tempPath() + "/bench-ini-XXXXXX");
  return folder;
}

std::string KeyOf(int i) {
  char name[96];
  const char* album = i % 10 == 0 ? "\xC3\x89t\xC3\xA9" : "Album";
  std::snprintf(name, sizeof name, "/home/user/Pictures/%s%03d/image%06d.jpg", album, i / 1000, i);
  return name;
}

// The input file for a section of lines entries, written once per size.
const std::string& InputFile(int lines) {
  static std::map<int, std::string> files;
  auto& path = files[lines];
  if (path.empty()) {
    std::string text = "[Info]\r\nDisplay Order=RANDOM\r\n\r\n[Bitmaps]\r\n";
    for (int i = 0; i < lines; ++i) text += KeyOf(i) + "=TILE.NOT\r\n";
    path = QDir(Folder().path()).filePath(QString("in-%1.INI").arg(lines)).toStdString();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(text.data(), static_cast<qint64>(text.size()));
  }
  return path;
}

std::string OutputFile() { return QDir(Folder().path()).filePath("out.INI").toStdString(); }

void FreshCopy(const std::string& input, const std::string& output) {
  QFile::remove(QString::fromStdString(output));
  if (!QFile::copy(QString::fromStdString(input), QString::fromStdString(output))) std::abort();
}

void IndexedIni(benchmark::State& state) {
  const std::string& input = InputFile(static_cast<int>(state.range(0)));
  const std::string output = OutputFile();
  for (auto _ : state) {
    FreshCopy(input, output);
    TBigIniFile ini(output);
    std::vector<std::string> keys;
    ini.ReadSection("bitmaps", keys);
    std::size_t found = 0;
    for (const std::string& key : keys) found += ini.ReadString("Bitmaps", key, "").size();
    for (const std::string& key : keys) ini.WriteString("Bitmaps", key, "STRETCH.NOT");
    ini.UpdateFile();
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The naive peer: one vector of lines per section, every lookup a scan from the top.
class LinearIni {
 public:
  explicit LinearIni(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) std::abort();
    const QByteArray bytes = file.readAll();
    std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    while (!text.empty()) {
      const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
      const std::string_view line = text.substr(0, end);
      text.remove_prefix(std::min(text.size(), end + (text.substr(end, 2) == "\r\n" ? 2 : 1)));
      if (line.empty()) continue;
      if (line.front() == '[' && line.back() == ']') {
        sections_.push_back({std::string(line.substr(1, line.size() - 2)), {}});
      } else if (!sections_.empty()) {
        sections_.back().lines.emplace_back(line);
      }
    }
  }

  std::vector<std::string> Keys(std::string_view section) const {
    std::vector<std::string> keys;
    for (const std::string& line : Find(section)->lines) keys.push_back(line.substr(0, line.find('=')));
    return keys;
  }

  std::string Read(std::string_view section, std::string_view key) const {
    for (const std::string& line : Find(section)->lines) {
      if (KeyMatches(line, key)) return line.substr(key.size() + 1);
    }
    return {};
  }

  void Write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string text = std::string(key) + "=" + std::string(value);
    for (std::string& line : Find(section)->lines) {
      if (KeyMatches(line, key)) {
        line = text;
        return;
      }
    }
    Find(section)->lines.push_back(text);
  }

  void Save(const std::string& path) const {
    std::string text;
    for (const Section& section : sections_) {
      text += "[" + section.name + "]\r\n";
      for (const std::string& line : section.lines) text += line + "\r\n";
      text += "\r\n";
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.commit();
  }

 private:
  struct Section {
    std::string name;
    std::vector<std::string> lines;
  };

  static bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
  }
  static bool KeyMatches(std::string_view line, std::string_view key) {
    return line.size() > key.size() && line[key.size()] == '=' &&
           SameIgnoringAsciiCase(line.substr(0, key.size()), key);
  }
  Section* Find(std::string_view name) const {
    for (const Section& section : sections_) {
      if (SameIgnoringAsciiCase(section.name, name)) return const_cast<Section*>(&section);
    }
    std::abort();
  }

  std::vector<Section> sections_;
};

void LinearPeer(benchmark::State& state) {
  const std::string& input = InputFile(static_cast<int>(state.range(0)));
  const std::string output = OutputFile();
  for (auto _ : state) {
    FreshCopy(input, output);
    LinearIni ini(output);
    const std::vector<std::string> keys = ini.Keys("bitmaps");
    std::size_t found = 0;
    for (const std::string& key : keys) found += ini.Read("Bitmaps", key).size();
    for (const std::string& key : keys) ini.Write("Bitmaps", key, "STRETCH.NOT");
    ini.Save(output);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(IndexedIni)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(LinearPeer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(LinearPeer)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
