#include "config/SettingsIo.h"

#include <stdexcept>

#include "config/BigIni.h"
#include "config/DateTimeText.h"

namespace {

void Expect(const ConfigKey& key, bool typeFits) {
  if (!typeFits) throw std::logic_error("key \"" + std::string(key.name) + "\" is read as another type");
}

bool IsDefault(const ConfigKey& key, const TKeyValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text == key.defaultText;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number == key.defaultInt;
  return std::get<bool>(value) == (key.defaultInt != 0);
}

}  // namespace

std::string TInfoReader::Text(const ConfigKey& key) const {
  Expect(key, key.type == KeyType::Text || key.type == KeyType::Folder);
  switch (key.defaultKind) {
    case KeyDefault::AddDialogFolder:
      return ini_.ReadString(InfoSection, key.name, defaults_.addDialogFolder);
    case KeyDefault::ProgramFolder:
      return ini_.ReadString(InfoSection, key.name, defaults_.programFolder);
    default:
      return ini_.ReadString(InfoSection, key.name, key.defaultText);
  }
}

std::int32_t TInfoReader::Integer(const ConfigKey& key) const {
  Expect(key, key.type == KeyType::Integer);
  return ini_.ReadInteger(InfoSection, key.name, key.defaultInt);
}

bool TInfoReader::Bool(const ConfigKey& key) const {
  Expect(key, key.type == KeyType::Bool);
  return ini_.ReadBool(InfoSection, key.name, key.defaultInt != 0);
}

double TInfoReader::DateTime(const ConfigKey& key) const {
  Expect(key, key.type == KeyType::DateTime);
  const std::string text = ini_.ReadString(InfoSection, key.name, "");
  const std::optional<double> days = text.empty() ? std::nullopt : TextToDateTime(text);
  return days ? *days : defaults_.now - 1000;
}

void WriteSettings(TBigIniFile& ini, const std::function<TKeyValue(const ConfigKey&)>& valueOf) {
  for (const ConfigKey* key : InfoKeys) {
    if (key->role != KeyRole::Setting) continue;
    const TKeyValue value = valueOf(*key);
    if (key->onlyWhenChanged && IsDefault(*key, value)) {
      ini.DeleteKey(InfoSection, key->name);
      continue;
    }
    switch (key->type) {
      case KeyType::Integer:
        ini.WriteInteger(InfoSection, key->name, std::get<std::int32_t>(value));
        break;
      case KeyType::Bool:
        ini.WriteBool(InfoSection, key->name, std::get<bool>(value));
        break;
      case KeyType::Folder:
      case KeyType::Text:
      case KeyType::DateTime:
        ini.WriteString(InfoSection, key->name, std::get<std::string>(value));
        break;
    }
  }
}
