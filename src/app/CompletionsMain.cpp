// Writes the shell completions into a folder at build time: "tesserine" for bash,
// "_tesserine" for zsh and "tesserine.fish" for fish.
#include <cstdio>
#include <fstream>
#include <string>

#include "app/Completions.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: tesserine_completions <folder>\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  const std::pair<const char*, std::string> files[] = {
      {"tesserine", BashCompletion()}, {"_tesserine", ZshCompletion()}, {"tesserine.fish", FishCompletion()}};
  for (const auto& [name, text] : files) {
    std::ofstream file(folder + "/" + name, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file.flush()) {
      std::fprintf(stderr, "tesserine_completions: cannot write %s/%s\n", folder.c_str(), name);
      return 1;
    }
  }
  return 0;
}
