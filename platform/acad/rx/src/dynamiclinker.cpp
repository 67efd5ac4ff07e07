// Loading and unloading applications the way the host does: version handshake, load message,
// lock, unload message, unmap. Every refusal is explained through the host's display.
#include "dynamiclinker.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "dbapserv.h"
#include "libloaderapi.h"
#include "rxsrvice.h"
#include "sysregistry.h"
#include "textcase.h"
#include "zwin32/faultpoint.h"
#include "zwin32/hostpath.h"
#include "zwin32/loader.h"
#include "zwin32/utf.h"

namespace zacad {

namespace {

namespace fs = std::filesystem;

using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);
using ApiVersion = int (*)();

void display(const std::u16string& message) {
  acdbHostApplicationServices()->displayString(message.c_str(), -1);
}

std::u16string_view fileNamePart(std::u16string_view path) {
  const size_t slash = path.find_last_of(u"/\\");
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

bool hasExtension(std::u16string_view fileName) {
  const size_t dot = fileName.rfind(u'.');
  return dot != std::u16string_view::npos && dot > 0;
}

std::u16string_view stem(std::u16string_view fileName) {
  return hasExtension(fileName) ? fileName.substr(0, fileName.rfind(u'.')) : fileName;
}

// Whether `query` (a name, a file name or a path) names the application file `fileName`: case
// is ignored, and without an extension only the stems are compared.
bool namesApplication(std::u16string_view query, std::u16string_view fileName) {
  const std::u16string_view queried = fileNamePart(query);
  return hasExtension(queried) ? equalsIgnoringCase(queried, fileName)
                               : equalsIgnoringCase(queried, stem(fileName));
}

std::optional<fs::path> programFolder() {
  char16_t buffer[4096];
  const DWORD length = GetModuleFileNameW(NULL, buffer, 4096);
  if (length == 0 || length >= 4096)
    return std::nullopt;
  const auto hostPath = zwin32::HostPathFromWindows(std::u16string_view(buffer, length));
  if (!hostPath)
    return std::nullopt;
  return fs::path(*hostPath).parent_path();
}

// The host file an application name designates: ".arx" is added to a name without extension;
// a bare name is looked for in the program's folder, then the current folder.
std::optional<fs::path> locateApplication(std::u16string_view fileName) {
  std::optional<std::string> hostPath = zwin32::HostPathFromWindows(fileName);
  if (!hostPath || hostPath->empty())
    return std::nullopt;
  fs::path path(*hostPath);
  if (!hasExtension(fileNamePart(fileName)))
    path += ".arx";
  std::vector<fs::path> candidates;
  if (path.has_parent_path()) {
    candidates.push_back(path);
  } else {
    if (auto folder = programFolder())
      candidates.push_back(*folder / path);
    candidates.push_back(fs::current_path() / path);
  }
  for (const fs::path& candidate : candidates) {
    std::error_code error;
    if (fs::is_regular_file(candidate, error))
      return fs::absolute(candidate, error).lexically_normal();
  }
  return std::nullopt;
}

std::u16string versionText(int version) {
  return zwin32::FromUtf8(std::to_string(version >> 16) + "." + std::to_string(version & 0xFFFF));
}

}  // namespace

DynamicLinker::DynamicLinker() = default;

DynamicLinker::~DynamicLinker() = default;

DynamicLinker& DynamicLinker::instance() {
  return *static_cast<DynamicLinker*>(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER));
}

DynamicLinker::Application* DynamicLinker::find(const ACHAR* moduleName) const {
  if (moduleName == nullptr || moduleName[0] == 0)
    return nullptr;
  for (Application& app : applications_) {
    if (namesApplication(moduleName, app.info.name))
      return &app;
  }
  return nullptr;
}

DynamicLinker::Application* DynamicLinker::fromId(void* appId) const {
  for (Application& app : applications_) {
    if (&app == appId)
      return &app;
  }
  return nullptr;
}

AcRx::AppRetCode DynamicLinker::send(Application& app, AcRx::AppMsgCode msg) {
  try {
    return app.entryPoint(msg, &app);
  } catch (...) {
    display(u"\n" + app.info.name + u": an error escaped its entry point.");
    return AcRx::kRetError;
  }
}

bool DynamicLinker::loadModule(const ACHAR* fileName, bool printit, bool) {
  zwin32::FaultPoint("AcRxDynamicLinker::loadModule");
  const std::u16string requested = fileName == nullptr ? u"" : fileName;
  const std::u16string shownName(fileNamePart(requested));
  const auto refuse = [&](const std::u16string& why) {
    display(u"\nUnable to load " + shownName + u": " + why);
    return false;
  };
  const std::optional<fs::path> path = locateApplication(requested);
  if (!path)
    return refuse(u"file not found.");
  const std::u16string name = zwin32::FromUtf8(path->filename().string());
  if (find(name.c_str()) != nullptr) {
    if (printit)
      display(u"\n" + name + u" is already loaded.");
    return true;
  }

  const HMODULE module = LoadLibraryW(zwin32::FromUtf8(path->string()).c_str());
  if (module == NULL) {
    const std::string why = zwin32::LoaderDiagnostic();
    return refuse(why.empty() ? u"it is not a loadable module." : zwin32::FromUtf8(why));
  }
  const auto unloadRefusing = [&](const std::u16string& why) {
    FreeLibrary(module);
    return refuse(why);
  };
  const auto apiVersion = reinterpret_cast<ApiVersion>(GetProcAddress(module, "acrxGetApiVersion"));
  if (apiVersion == nullptr) {
    return unloadRefusing(u"it does not export acrxGetApiVersion (not an ObjectARX application).");
  }
  const int version = apiVersion();
  if ((version >> 16) != ACRX_API_VERSION_MAJOR || (version & 0xFFFF) > ACRX_API_VERSION_MINOR) {
    return unloadRefusing(u"it was built for ObjectARX " + versionText(version) +
                          u"; this host runs ObjectARX " + versionText(ACRX_API_VERSION) + u".");
  }
  const auto entryPoint = reinterpret_cast<EntryPoint>(GetProcAddress(module, "acrxEntryPoint"));
  if (entryPoint == nullptr)
    return unloadRefusing(u"it does not export acrxEntryPoint.");

  Application& app = applications_.emplace_back(Application{
      {name, zwin32::WindowsPathFromHost(path->string()), module, true, false}, entryPoint});
  initializing_ = &app;
  const AcRx::AppRetCode answer = send(app, AcRx::kInitAppMsg);
  initializing_ = nullptr;
  if (answer == AcRx::kRetError) {
    unmap(std::prev(applications_.end()));
    return refuse(u"its initialization failed.");
  }
  // A late-loaded application hears about the drawings already open.
  if (hooks_.started != nullptr)
    hooks_.started(&app);
  if (printit)
    display(u"\n" + name + u" loaded.");
  return true;
}

bool DynamicLinker::unloadModule(const ACHAR* fileName, bool asCmd) {
  zwin32::FaultPoint("AcRxDynamicLinker::unloadModule");
  const std::u16string shownName(fileNamePart(fileName == nullptr ? u"" : fileName));
  Application* app = find(fileName);
  if (app == nullptr) {
    display(u"\n" + shownName + u" is not loaded.");
    return false;
  }
  const std::u16string name = app->info.name;
  if (app->info.locked) {
    display(u"\n" + name + u" is locked and cannot be unloaded.");
    return false;
  }
  if (stop(*app) == AcRx::kRetError) {
    display(u"\n" + name + u" refused to be unloaded.");
    return false;
  }
  // The application may have been unloaded already by what it did while answering.
  if (Application* still = fromId(app)) {
    for (auto it = applications_.begin(); it != applications_.end(); ++it) {
      if (&*it == still) {
        unmap(it);
        break;
      }
    }
  }
  if (asCmd)
    display(u"\n" + name + u" unloaded.");
  return true;
}

AcRx::AppRetCode DynamicLinker::stop(Application& app) {
  if (hooks_.stopping != nullptr)
    hooks_.stopping(&app);
  // Answering the drawing messages may have unloaded it already.
  if (fromId(&app) == nullptr)
    return AcRx::kRetOK;
  return send(app, AcRx::kUnloadAppMsg);
}

void DynamicLinker::sendToAll(AcRx::AppMsgCode msg) {
  // An application may unload itself (or another) while answering: walk a snapshot of ids.
  std::vector<void*> ids;
  for (Application& app : applications_)
    ids.push_back(&app);
  for (void* id : ids)
    sendTo(id, msg);
}

void DynamicLinker::sendTo(void* appId, AcRx::AppMsgCode msg) {
  if (Application* app = fromId(appId))
    send(*app, msg);
}

void DynamicLinker::unmap(Applications::iterator app) {
  const HMODULE module = app->info.module;
  std::erase_if(serviceModules_, [&](const auto& entry) { return entry.second == module; });
  applications_.erase(app);
  FreeLibrary(module);
}

void DynamicLinker::unloadAll() {
  while (!applications_.empty()) {
    auto newest = std::prev(applications_.end());
    stop(*newest);
    // Answering may have unloaded it (or others) already.
    if (!applications_.empty() && std::prev(applications_.end()) == newest)
      unmap(newest);
  }
}

void* DynamicLinker::getSymbolAddress(const ACHAR* serviceName, const ACHAR* symbol) const {
  if (serviceName == nullptr || symbol == nullptr)
    return nullptr;
  HMODULE module = NULL;
  if (auto found = serviceModules_.find(serviceName); found != serviceModules_.end()) {
    module = found->second;
  } else if (Application* app = find(serviceName)) {
    module = app->info.module;
  }
  if (module == NULL)
    return nullptr;
  // The SDK hands exports out as data pointers; copy the bits rather than cast between pointer
  // kinds, which C++ leaves conditionally supported.
  FARPROC proc = GetProcAddress(module, zwin32::ToUtf8(symbol).c_str());
  void* address;
  static_assert(sizeof address == sizeof proc);
  std::memcpy(&address, &proc, sizeof address);
  return address;
}

bool DynamicLinker::registerService(const ACHAR* serviceName, AcRxService* serviceObj) {
  if (serviceName == nullptr || serviceObj == nullptr)
    return false;
  AcRxDictionary& services = serviceDictionary();
  if (services.has(serviceName))
    return false;
  services.atPut(serviceName, serviceObj);
  noteServiceRegistered(serviceName);
  return true;
}

void DynamicLinker::noteServiceRegistered(const std::u16string& serviceName) {
  if (initializing_ != nullptr)
    serviceModules_[serviceName] = initializing_->info.module;
}

bool DynamicLinker::isApplicationLocked(const ACHAR* moduleName) const {
  const Application* app = find(moduleName);
  return app != nullptr && app->info.locked;
}

bool DynamicLinker::lockApplication(void* appId) const {
  Application* app = fromId(appId);
  if (app == nullptr)
    return false;
  app->info.locked = true;
  return true;
}

bool DynamicLinker::unlockApplication(void* appId) const {
  Application* app = fromId(appId);
  if (app == nullptr)
    return false;
  app->info.locked = false;
  return true;
}

bool DynamicLinker::isAppMDIAware(const ACHAR* moduleName) const {
  const Application* app = find(moduleName);
  return app != nullptr && app->info.mdiAware;
}

bool DynamicLinker::registerAppMDIAware(void* appId) const {
  Application* app = fromId(appId);
  if (app == nullptr)
    return false;
  app->info.mdiAware = true;
  return true;
}

bool DynamicLinker::registerAppNotMDIAware(void* appId) const {
  Application* app = fromId(appId);
  if (app == nullptr)
    return false;
  app->info.mdiAware = false;
  return true;
}

HMODULE DynamicLinker::getModuleHandle(const ACHAR* moduleName) const {
  const Application* app = find(moduleName);
  return app == nullptr ? NULL : app->info.module;
}

std::vector<LoadedApplication> DynamicLinker::applications() const {
  std::vector<LoadedApplication> list;
  for (const Application& app : applications_)
    list.push_back(app.info);
  return list;
}

std::vector<LoadedApplication> loadedApplications() {
  return DynamicLinker::instance().applications();
}

void unloadAllApplications() {
  DynamicLinker::instance().unloadAll();
}

void sendToApplications(AcRx::AppMsgCode msg) {
  DynamicLinker::instance().sendToAll(msg);
}

void setApplicationHooks(ApplicationHooks hooks) {
  DynamicLinker::instance().setHooks(hooks);
}

void sendToApplication(void* appId, AcRx::AppMsgCode msg) {
  DynamicLinker::instance().sendTo(appId, msg);
}

}  // namespace zacad

ACRX_NO_CONS_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject);

AcRxDynamicLinker::~AcRxDynamicLinker() = default;

bool acrxLoadModule(const ACHAR* moduleName, bool printit, bool asCmd) {
  return zacad::DynamicLinker::instance().loadModule(moduleName, printit, asCmd);
}

bool acrxUnloadModule(const ACHAR* moduleName, bool asCmd) {
  return zacad::DynamicLinker::instance().unloadModule(moduleName, asCmd);
}

void* acrxGetServiceSymbolAddr(const ACHAR* serviceName, const ACHAR* symbol) {
  return zacad::DynamicLinker::instance().getSymbolAddress(serviceName, symbol);
}

bool acrxApplicationIsLocked(const ACHAR* moduleName) {
  return zacad::DynamicLinker::instance().isApplicationLocked(moduleName);
}

bool acrxLockApplication(void* appId) {
  return zacad::DynamicLinker::instance().lockApplication(appId);
}

bool acrxUnlockApplication(void* appId) {
  return zacad::DynamicLinker::instance().unlockApplication(appId);
}

bool acrxIsAppMDIAware(const ACHAR* moduleName) {
  return zacad::DynamicLinker::instance().isAppMDIAware(moduleName);
}

bool acrxRegisterAppMDIAware(void* appId) {
  return zacad::DynamicLinker::instance().registerAppMDIAware(appId);
}

bool acrxRegisterAppNotMDIAware(void* appId) {
  return zacad::DynamicLinker::instance().registerAppNotMDIAware(appId);
}
