// Module enumeration over dl_iterate_phdr. A module's base is the lowest address of its loadable
// segments, which is where its ELF header lies: the equivalent of a Windows image base.
#include "moduletable.h"

#include <link.h>
#include <unistd.h>

#include <climits>

namespace zwin32 {
namespace {

struct Segmented {
  MappedModule module;
  std::vector<std::pair<uintptr_t, uintptr_t>> ranges;
};

std::string ProgramPath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

std::vector<Segmented> Enumerate() {
  std::vector<Segmented> all;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* out) {
        auto& list = *static_cast<std::vector<Segmented>*>(out);
        bool program = list.empty();
        std::string name = info->dlpi_name != nullptr ? info->dlpi_name : "";
        // The vDSO and other objects without a file are no modules of a Windows process.
        if (!program && !name.starts_with('/'))
          return 0;
        Segmented entry;
        entry.module.path = program ? ProgramPath() : name;
        uintptr_t lowest = UINTPTR_MAX;
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          const ElfW(Phdr)& ph = info->dlpi_phdr[i];
          if (ph.p_type != PT_LOAD)
            continue;
          uintptr_t start = info->dlpi_addr + ph.p_vaddr;
          entry.ranges.emplace_back(start, start + ph.p_memsz);
          uintptr_t pageStart = (info->dlpi_addr + ph.p_vaddr - ph.p_offset);
          if (pageStart < lowest)
            lowest = pageStart;
        }
        if (lowest == UINTPTR_MAX)
          return 0;
        entry.module.base = lowest;
        list.push_back(std::move(entry));
        return 0;
      },
      &all);
  return all;
}

}  // namespace

std::vector<MappedModule> MappedModules() {
  std::vector<MappedModule> modules;
  for (Segmented& entry : Enumerate())
    modules.push_back(std::move(entry.module));
  return modules;
}

std::optional<MappedModule> ModuleContaining(const void* address) {
  auto value = reinterpret_cast<uintptr_t>(address);
  for (Segmented& entry : Enumerate()) {
    for (auto [start, end] : entry.ranges) {
      if (value >= start && value < end)
        return std::move(entry.module);
    }
  }
  return std::nullopt;
}

std::optional<MappedModule> ModuleAt(HMODULE module) {
  auto base = reinterpret_cast<uintptr_t>(module);
  std::vector<MappedModule> modules = MappedModules();
  if (modules.empty())
    return std::nullopt;
  if (module == nullptr)
    return modules.front();
  for (MappedModule& m : modules) {
    if (m.base == base)
      return std::move(m);
  }
  return std::nullopt;
}

std::map<uintptr_t, ModuleRecord>& Records() {
  // Never destroyed: modules detach from ELF destructors that run after this library's static
  // objects are gone at exit.
  static auto* records = new std::map<uintptr_t, ModuleRecord>;
  return *records;
}

std::mutex& RecordsMutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}

}  // namespace zwin32
