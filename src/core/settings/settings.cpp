#include "settings/settings.h"

namespace kwl {

Settings::Settings() {
  for (const SettingLine& line : kSettingsFile) {
    if (line.text != nullptr) this->*line.text = line.defaultText;
    else this->*line.number = line.defaultNumber;
  }
}

}  // namespace kwl
