#include "persistence.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "params_logic.h"
#include "session.h"
#include "text_file.h"
#include "files/paths.h"
#include "settings/settings_file.h"
#include "window_state.h"

namespace kwl {
namespace {

// What the messages say about a failed read or write of a settings file.
std::string Description(const Status& status) {
  if (status.kind == Status::Kind::kBadFormat) return status.detail;
  // A folder is described by its errno, as a failed write of one is.
  if (status.kind == Status::Kind::kNotRegular && status.err == 0) return status.path + " is " + status.detail;
  return std::strerror(status.err != 0 ? status.err : EIO);
}

}  // namespace

std::string SaveState(Session& s, const std::string& path) {
  const Status status = WriteSettingsFile(path.empty() ? s.run.strStateFile : path, CurrentSettings(s));
  if (!status.Ok()) return "Error when attempting to save settings: " + Description(status);
  return {};
}

std::string RestoreSavedState(Session& s, const std::string& path) {
  const std::string failed = "Error when attempting to restore settings: ";
  const SettingsRead read = ReadSettingsFile(path.empty() ? s.run.strStateFile : path);
  // The values read before a failure are applied all the same.
  try {
    ApplySettings(s, read.settings, read.lines);
  } catch (const std::bad_alloc&) {
    return failed + std::strerror(ENOMEM);
  }
  // The size labels describe the input named in the box, or nothing.
  if (TrimBlanks(s.main.txbFile[0].Text()) != s.run.strInputTaken) ForgetInputSizes(s);
  if (!read.status.Ok()) return failed + Description(read.status);
  UpdateDisableOutputCheckBox(s);
  const Params& p = s.params;
  const MainControls& m = s.main;
  for (const ComboBox* list : {&p.cboShortWordSize, &p.cboLongWordSize, &p.cboThresholdFrequency,
                               &m.cboWordOrder, &m.cboDisplayFormat})
    if (list->ListIndex() == -1) return "Invalid combo box index";
  return {};
}

}  // namespace kwl
