// reg: the command-line registry editor, as Windows' reg.exe: add, query and delete keys and
// values, with its messages and exit codes (0 success, 1 failure).
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "windows.h"
#include "zwin32/utf.h"

namespace {

struct Args {
  std::string operation;
  HKEY root = nullptr;
  std::u16string rootName, path;
  bool hasValue = false, defaultValue = false, force = false, hasData = false;
  std::u16string value, data;
  std::string type = "REG_SZ";
};

int Fail(const std::string& message, const std::string& operation = "") {
  std::cout << "ERROR: " << message << "\n";
  if (!operation.empty())
    std::cout << "Type \"REG " << operation << " /?\" for usage.\n";
  return 1;
}

bool ParseKey(const std::string& text, Args* args) {
  std::u16string key = zwin32::FromUtf8(text);
  size_t slash = key.find(u'\\');
  std::u16string root = key.substr(0, slash);
  for (char16_t& c : root)
    c = (c >= u'a' && c <= u'z') ? c - 32 : c;
  struct {
    const char16_t* shortName;
    const char16_t* longName;
    HKEY hkey;
  } roots[] = {{u"HKLM", u"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
               {u"HKCU", u"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
               {u"HKCR", u"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
               {u"HKU", u"HKEY_USERS", HKEY_USERS},
               {u"HKCC", u"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}};
  for (const auto& r : roots) {
    if (root == r.shortName || root == r.longName) {
      args->root = r.hkey;
      args->rootName = r.longName;
      args->path = slash == std::u16string::npos ? u"" : key.substr(slash + 1);
      return true;
    }
  }
  return false;
}

bool Confirm(const std::string& question) {
  std::cout << question << " (Yes/No)? " << std::flush;
  std::string answer;
  std::getline(std::cin, answer);
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

std::string ValueLabel(const std::u16string& name) {
  return name.empty() ? "(Default)" : zwin32::ToUtf8(name);
}

bool EncodeData(const Args& args, DWORD* type, std::vector<BYTE>* bytes) {
  auto wide = [&](std::u16string text) {
    bytes->resize(text.size() * 2 + 2, 0);
    for (size_t i = 0; i < text.size(); ++i) {
      (*bytes)[2 * i] = static_cast<BYTE>(text[i] & 0xFF);
      (*bytes)[2 * i + 1] = static_cast<BYTE>(text[i] >> 8);
    }
  };
  std::string data = zwin32::ToUtf8(args.data);
  if (args.type == "REG_SZ" || args.type == "REG_EXPAND_SZ") {
    *type = args.type == "REG_SZ" ? REG_SZ : REG_EXPAND_SZ;
    wide(args.data);
  } else if (args.type == "REG_MULTI_SZ") {
    *type = REG_MULTI_SZ;
    std::u16string list;
    for (size_t i = 0; i < args.data.size(); ++i) {
      if (args.data.compare(i, 2, u"\\0") == 0) {
        list += u'\0';
        ++i;
      } else {
        list += args.data[i];
      }
    }
    list += u'\0';
    wide(list);
  } else if (args.type == "REG_DWORD" || args.type == "REG_QWORD") {
    char* end = nullptr;
    unsigned long long number = std::strtoull(data.c_str(), &end, 0);
    if (data.empty() || *end != '\0')
      return false;
    *type = args.type == "REG_DWORD" ? REG_DWORD : REG_QWORD;
    if (*type == REG_DWORD && number > 0xFFFFFFFFull)
      return false;
    for (size_t i = 0; i < (*type == REG_DWORD ? 4u : 8u); ++i) {
      bytes->push_back(static_cast<BYTE>(number >> (8 * i)));
    }
  } else if (args.type == "REG_BINARY") {
    *type = REG_BINARY;
    if (data.size() % 2 != 0)
      return false;
    for (size_t i = 0; i < data.size(); i += 2) {
      char* end = nullptr;
      std::string pair = data.substr(i, 2);
      bytes->push_back(static_cast<BYTE>(std::strtoul(pair.c_str(), &end, 16)));
      if (*end != '\0')
        return false;
    }
  } else {
    return false;
  }
  return true;
}

std::string Render(DWORD type, const std::vector<BYTE>& data) {
  auto text = [&](bool multi) {
    std::u16string s;
    for (size_t i = 0; i + 1 < data.size(); i += 2)
      s += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    while (!s.empty() && s.back() == 0)
      s.pop_back();
    std::string out;
    for (char16_t c : s)
      out += c == 0 && multi ? std::string("\\0") : zwin32::ToUtf8(std::u16string(1, c));
    return out;
  };
  char number[32];
  switch (type) {
    case REG_SZ:
      return "REG_SZ    " + text(false);
    case REG_EXPAND_SZ:
      return "REG_EXPAND_SZ    " + text(false);
    case REG_MULTI_SZ:
      return "REG_MULTI_SZ    " + text(true);
    case REG_DWORD:
    case REG_QWORD: {
      unsigned long long value = 0;
      for (size_t i = data.size(); i-- > 0;)
        value = (value << 8) | data[i];
      std::snprintf(number, sizeof number, "0x%llx", value);
      return std::string(type == REG_DWORD ? "REG_DWORD    " : "REG_QWORD    ") + number;
    }
    default: {
      std::string out = type == REG_BINARY ? "REG_BINARY    " : "REG_NONE    ";
      for (BYTE b : data) {
        std::snprintf(number, sizeof number, "%02X", b);
        out += number;
      }
      return out;
    }
  }
}

int Add(const Args& args) {
  bool setsValue = args.hasValue || args.defaultValue || args.hasData;
  DWORD type = 0;
  std::vector<BYTE> bytes;
  if (setsValue && !EncodeData(args, &type, &bytes))
    return Fail("Invalid syntax.", "ADD");
  HKEY key = nullptr;
  LONG result = RegCreateKeyExW(args.root, args.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) {
    return Fail(result == ERROR_ACCESS_DENIED ? "Access is denied." : "Invalid key name.");
  }
  if (setsValue) {
    if (!args.force &&
        RegQueryValueExW(key, args.value.c_str(), nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS &&
        !Confirm("Value " + ValueLabel(args.value) + " exists, overwrite")) {
      RegCloseKey(key);
      std::cout << "The operation was cancelled by the user.\n";
      return 0;
    }
    result = RegSetValueExW(key, args.value.c_str(), 0, type, bytes.data(),
                            static_cast<DWORD>(bytes.size()));
  }
  RegCloseKey(key);
  if (result != ERROR_SUCCESS)
    return Fail("Access is denied.");
  std::cout << "The operation completed successfully.\n";
  return 0;
}

void QueryKey(HKEY key, const std::u16string& fullName, const Args& args) {
  std::cout << "\n" << zwin32::ToUtf8(fullName) << "\n";
  WCHAR name[16384];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = 16384, type = 0, size = 0;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      break;
    }
    std::vector<BYTE> data(size);
    nameLength = 16384;
    RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
    std::cout << "    " << ValueLabel(name) << "    " << Render(type, data) << "\n";
  }
  if (args.hasValue || args.defaultValue)
    return;
  std::cout << "\n";
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = 16384;
    if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    std::cout << zwin32::ToUtf8(fullName + u"\\" + name) << "\n";
  }
}

int Query(const Args& args) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(args.root, args.path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return Fail("The system was unable to find the specified registry key or value.");
  }
  std::u16string fullName = args.rootName + (args.path.empty() ? u"" : u"\\" + args.path);
  if (args.hasValue || args.defaultValue) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, args.value.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      RegCloseKey(key);
      return Fail("The system was unable to find the specified registry key or value.");
    }
    std::vector<BYTE> data(size);
    RegQueryValueExW(key, args.value.c_str(), nullptr, &type, data.data(), &size);
    std::cout << "\n"
              << zwin32::ToUtf8(fullName) << "\n    " << ValueLabel(args.value) << "    "
              << Render(type, data) << "\n\n";
  } else {
    QueryKey(key, fullName, args);
  }
  RegCloseKey(key);
  return 0;
}

int Delete(const Args& args) {
  std::u16string fullName = args.rootName + (args.path.empty() ? u"" : u"\\" + args.path);
  bool value = args.hasValue || args.defaultValue;
  if (!args.force &&
      !Confirm(value ? "Delete the registry value " + ValueLabel(args.value)
                     : "Permanently delete the registry key " + zwin32::ToUtf8(fullName))) {
    std::cout << "The operation was cancelled by the user.\n";
    return 0;
  }
  LONG result = ERROR_SUCCESS;
  if (value) {
    HKEY key = nullptr;
    result = RegOpenKeyExW(args.root, args.path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result == ERROR_SUCCESS) {
      result = RegDeleteValueW(key, args.value.c_str());
      RegCloseKey(key);
    }
  } else if (args.path.empty()) {
    return Fail("Invalid key name.", "DELETE");
  } else {
    result = RegDeleteTreeW(args.root, args.path.c_str());
  }
  if (result == ERROR_ACCESS_DENIED)
    return Fail("Access is denied.");
  if (result != ERROR_SUCCESS) {
    return Fail("The system was unable to find the specified registry key or value.");
  }
  std::cout << "The operation completed successfully.\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3)
    return Fail("Invalid syntax.", argc == 2 ? argv[1] : "");
  Args args;
  for (char c : std::string(argv[1]))
    args.operation += static_cast<char>(std::toupper(c));
  if (args.operation != "ADD" && args.operation != "QUERY" && args.operation != "DELETE") {
    return Fail("Invalid syntax.");
  }
  if (!ParseKey(argv[2], &args))
    return Fail("Invalid key name.", args.operation);
  for (int i = 3; i < argc; ++i) {
    std::string option = argv[i];
    for (char& c : option)
      c = static_cast<char>(std::tolower(c));
    bool hasNext = i + 1 < argc;
    if (option == "/v" && hasNext) {
      args.hasValue = true;
      args.value = zwin32::FromUtf8(argv[++i]);
    } else if (option == "/ve") {
      args.defaultValue = true;
    } else if (option == "/t" && hasNext && args.operation == "ADD") {
      args.type = argv[++i];
      for (char& c : args.type)
        c = static_cast<char>(std::toupper(c));
    } else if (option == "/d" && hasNext && args.operation == "ADD") {
      args.hasData = true;
      args.data = zwin32::FromUtf8(argv[++i]);
    } else if (option == "/f" && args.operation != "QUERY") {
      args.force = true;
    } else {
      return Fail("Invalid syntax.", args.operation);
    }
  }
  if (args.hasValue && args.defaultValue)
    return Fail("Invalid syntax.", args.operation);
  if (args.operation == "ADD")
    return Add(args);
  if (args.operation == "QUERY")
    return Query(args);
  return Delete(args);
}
