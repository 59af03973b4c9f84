// Section "Info" read and written by the key table: each key is read and written as its
// type says, and a missing value, or one that does not convert, gives the key's default.
//
// Data flow: IniLoad asks a TInfoReader for one key after another in its own order of steps;
// SaveClick hands WriteSettings a function that gives the value of one setting key, which
// it asks for each setting in table order as it writes them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

#include "config/ConfigKeys.h"

class TBigIniFile;

// A key's value: text for Folder, Text and DateTime keys, else its integer or boolean.
using TKeyValue = std::variant<std::string, std::int32_t, bool>;

// What the defaults that are not fixed come from in this run.
struct TRunDefaults {
  std::string addDialogFolder;
  // The program's folder without its trailing "/".
  std::string programFolder;
  // The moment of loading, in days.
  double now = 0;
};

class TInfoReader {
 public:
  TInfoReader(const TBigIniFile& ini, TRunDefaults defaults) : ini_(ini), defaults_(std::move(defaults)) {}

  // A Text or Folder key. Each of these reads throws std::logic_error for a key of another
  // type: that is a fault of the caller, not of the file.
  std::string Text(const ConfigKey& key) const;
  std::int32_t Integer(const ConfigKey& key) const;
  bool Bool(const ConfigKey& key) const;
  // A DateTime key in days; a text that is empty or not a date of the locale gives the
  // key's default.
  double DateTime(const ConfigKey& key) const;

 private:
  const TBigIniFile& ini_;
  TRunDefaults defaults_;
};

// Writes every setting key of InfoKeys in table order, asking valueOf for each value just
// before it is written: a value that cannot be had (valueOf throws) stops the save at its
// key, and the keys before it stay written. A key written only when changed is removed
// when its value is its default. State keys are left alone.
void WriteSettings(TBigIniFile& ini, const std::function<TKeyValue(const ConfigKey&)>& valueOf);
