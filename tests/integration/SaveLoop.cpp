// Helper of the kill test: saves versions first, first + 1, ... of one file, printing each
// number before its save starts, until killed or count versions are written.
//   save_loop config|bitmap|entry <path> <first> <count>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "SaveVersions.h"

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  const SavedFile kind = std::strcmp(argv[1], "config") == 0   ? SavedFile::Config
                         : std::strcmp(argv[1], "bitmap") == 0 ? SavedFile::Bitmap
                                                               : SavedFile::Entry;
  const std::string path = argv[2];
  const int first = std::atoi(argv[3]);
  const int count = std::atoi(argv[4]);
  TBigIniFile ini(kind == SavedFile::Config ? path : std::string());
  for (int k = first; k < first + count; ++k) {
    std::printf("%d\n", k);
    std::fflush(stdout);
    if (kind == SavedFile::Config)
      SaveConfigVersion(ini, k);
    else
      SaveVersion(kind, path, k);
  }
  return 0;
}
