#include "webplugin.h"

#include <dlfcn.h>

#include <charconv>
#include <filesystem>

namespace zanthost {
namespace {

constexpr char kPluginName[] = "libzanthostweb.so";

// The plug-in is installed beside the program, as the page's files are.
std::filesystem::path PluginPath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return program.parent_path() / kPluginName;
}

}  // namespace

std::optional<int> WebPlugin::ParsePort(std::string_view text) {
  int port = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535)
    return std::nullopt;
  return port;
}

std::unique_ptr<WebPlugin> WebPlugin::Start(int port, const std::string& tintRules,
                                            std::string& error) {
  const std::string path = PluginPath().string();
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* why = dlerror();
    error = "the browser front end cannot be loaded: " + std::string(why ? why : path);
    return nullptr;
  }
  // The entry points' own signatures (web/webfrontend.h), with the front end kept opaque here.
  using StartFn = void* (*)(int, const std::string&, std::string&);
  auto start = reinterpret_cast<StartFn>(dlsym(library, "ZanthostStartWebFrontEnd"));
  auto stop = reinterpret_cast<Stop>(dlsym(library, "ZanthostStopWebFrontEnd"));
  if (start == nullptr || stop == nullptr) {
    error = path + " is not zanthost's browser front end";
    return nullptr;
  }
  void* frontEnd = start(port, tintRules, error);
  if (frontEnd == nullptr)
    return nullptr;
  return std::unique_ptr<WebPlugin>(new WebPlugin(frontEnd, stop));
}

WebPlugin::~WebPlugin() {
  stop_(frontEnd_);
}

}  // namespace zanthost
