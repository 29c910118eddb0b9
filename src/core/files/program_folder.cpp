#include "files/program_folder.h"

#include <filesystem>
#include <system_error>

namespace kwl {

std::string ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  const std::filesystem::path folder = exe.parent_path();
  if (std::filesystem::exists(folder / kCatalogueFileName, ec)) return folder.string();
  const std::filesystem::path shared = folder / ".." / "share" / "kestrawl";
  if (std::filesystem::exists(shared / kCatalogueFileName, ec)) return shared.lexically_normal().string();
  return folder.string();
}

}  // namespace kwl
