#include "app/command_line.h"

#include "core/strutil.h"

namespace korvane {

namespace {

// The argument without its switch prefix, or nothing when it has none of the prefixes
// and is not bare.
std::string_view StripPrefix(std::string_view arg) {
  if (arg.starts_with("--")) return arg.substr(2);
  if (arg.starts_with("-") || arg.starts_with("/") || arg.starts_with("\\")) return arg.substr(1);
  return arg;
}

}  // namespace

CommandLine::CommandLine(std::vector<std::string> args) : args_(std::move(args)) {
  for (size_t i = 0; i < args_.size(); ++i) {
    const std::string_view name = StripPrefix(args_[i]);
    auto value = [&](std::string_view option) -> std::optional<std::string> {
      if (SameTextAscii(name, option) && i + 1 < args_.size()) return args_[++i];
      const std::string prefix = std::string(option) + "=";
      if (name.size() > prefix.size() && SameTextAscii(name.substr(0, prefix.size()), prefix))
        return std::string(name.substr(prefix.size()));
      return std::nullopt;
    };
    if (auto dir = value("data-dir")) {
      dataDir_ = fs::path(*dir);
    } else if (auto seed = value("seed")) {
      if (auto v = ParseInt64(Trim(*seed)); v && *v >= 0) seed_ = static_cast<uint64_t>(*v);
    }
  }
}

CommandLine CommandLine::FromArgv(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return CommandLine(std::move(args));
}

bool CommandLine::HasSwitch(std::string_view name) const {
  for (const std::string& a : args_)
    if (SameTextAscii(StripPrefix(a), name)) return true;
  return false;
}

}  // namespace korvane
