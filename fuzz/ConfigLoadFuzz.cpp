// Fuzzes the configuration load of the main window, headless and in memory: one window,
// never shown, serves the whole run; each input becomes the text of a fresh TBigIniFile
// without a file and is loaded into the controls and the image list (ReloadClick). Saving
// what was loaded and loading and saving that again must give the same lines: a load keeps
// what a save wrote.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "FuzzWorkspace.h"
#include "config/BigIni.h"
#include "support/StandInServices.h"
#include "window/Tessel.h"

namespace {

struct Window {
  TStandInServices services;
  TTesselForm1 form{services.Services(FuzzWorkspace::Get().Folder(), "")};

  // Loads bytes as the configuration and saves it; returns the text saved.
  std::string LoadAndSave(const std::string& bytes) {
    form.BigIni = std::make_unique<TBigIniFile>("", bytes);
    form.ReloadClick();
    form.SaveClick();
    services.messages.asked.clear();
    return form.BigIni->FileText();
  }
};

// The lines of a file text in byte order. With "SortImages", two names that differ only in
// letter case share one line whose place follows the first of them, so a list sorted again
// after the next load may write its lines in another order; only the lines must not change.
std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
    end = std::min(text.find("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Window window;
  const std::string saved = window.LoadAndSave(std::string(reinterpret_cast<const char*>(data), size));
  const std::string again = window.LoadAndSave(saved);
  const bool same = SortedLines(again) == SortedLines(saved);
  if (!same) std::fprintf(stderr, "Saved:\n%s\nSaved again:\n%s\n", saved.c_str(), again.c_str());
  FuzzRequire(same, "loading and saving a saved configuration keeps every line");
  return 0;
}
