// Dialog templates: a header, then items each aligned on 4 bytes. Strings are NUL-terminated
// UTF-16; a leading 0xFFFF word means an ordinal follows instead.
#include "zwin32/dlgtemplate.h"

#include <stdexcept>

namespace zwin32 {
namespace {

constexpr DWORD kDsSetFont = 0x40;

// Reads little-endian fields and throws on any read past the end.
class Reader {
 public:
  Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}
  WORD Word() {
    Need(2);
    WORD value = static_cast<WORD>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return value;
  }
  DWORD Dword() {
    DWORD low = Word();
    return low | (static_cast<DWORD>(Word()) << 16);
  }
  short Short() { return static_cast<short>(Word()); }
  BYTE Byte() {
    Need(1);
    return data_[pos_++];
  }
  std::u16string String() {
    std::u16string text;
    for (char16_t c = Word(); c != 0; c = Word())
      text += c;
    return text;
  }
  // A string or, after 0xFFFF, an ordinal (then returned through *ordinal).
  std::u16string StringOrOrdinal(WORD* ordinal) {
    Need(2);
    if (data_[pos_] == 0xFF && data_[pos_ + 1] == 0xFF) {
      pos_ += 2;
      *ordinal = Word();
      return {};
    }
    *ordinal = 0;
    return String();
  }
  void Skip(size_t n) {
    Need(n);
    pos_ += n;
  }
  void AlignDword() { pos_ = std::min(size_, (pos_ + 3) & ~size_t{3}); }

 private:
  void Need(size_t n) const {
    if (size_ - pos_ < n)
      throw std::out_of_range("truncated at byte " + std::to_string(pos_));
  }
  const BYTE* data_;
  size_t size_;
  size_t pos_ = 0;
};

std::u16string PredefinedClass(WORD atom) {
  switch (atom) {
    case 0x80:
      return u"Button";
    case 0x81:
      return u"Edit";
    case 0x82:
      return u"Static";
    case 0x83:
      return u"ListBox";
    case 0x84:
      return u"ScrollBar";
    case 0x85:
      return u"ComboBox";
    default:
      return {};
  }
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t size,
                                                  std::string* error) {
  Reader in(static_cast<const BYTE*>(data), size);
  DialogTemplate dialog;
  try {
    WORD version = in.Word();
    WORD signature = in.Word();
    dialog.extended = version == 1 && signature == 0xFFFF;
    WORD count = 0;
    if (dialog.extended) {
      dialog.helpId = in.Dword();
      dialog.exStyle = in.Dword();
      dialog.style = in.Dword();
    } else {
      dialog.style = version | (static_cast<DWORD>(signature) << 16);
      dialog.exStyle = in.Dword();
    }
    count = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    dialog.menu = in.StringOrOrdinal(&dialog.menuOrdinal);
    WORD classOrdinal = 0;
    dialog.windowClass = in.StringOrOrdinal(&classOrdinal);
    dialog.caption = in.String();
    if (dialog.style & kDsSetFont) {
      dialog.pointSize = in.Word();
      if (dialog.extended) {
        dialog.weight = in.Word();
        dialog.italic = in.Byte() != 0;
        dialog.charset = in.Byte();
      }
      dialog.typeface = in.String();
    }
    for (WORD i = 0; i < count; ++i) {
      in.AlignDword();
      DialogItem item;
      if (dialog.extended) {
        item.helpId = in.Dword();
        item.exStyle = in.Dword();
        item.style = in.Dword();
      } else {
        item.style = in.Dword();
        item.exStyle = in.Dword();
      }
      item.x = in.Short();
      item.y = in.Short();
      item.cx = in.Short();
      item.cy = in.Short();
      item.id = dialog.extended ? in.Dword() : in.Word();
      item.className = in.StringOrOrdinal(&item.classAtom);
      if (item.classAtom != 0)
        item.className = PredefinedClass(item.classAtom);
      item.text = in.StringOrOrdinal(&item.textOrdinal);
      in.Skip(in.Word());  // creation data
      dialog.items.push_back(std::move(item));
    }
  } catch (const std::out_of_range& e) {
    *error = std::string("malformed dialog template: ") + e.what();
    return std::nullopt;
  }
  return dialog;
}

}  // namespace zwin32
