#include "afxstr.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "afxwin.h"
#include "casemap.h"
#include "zmfc/format.h"
#include "zwin32/utf.h"

struct CStringW::Data {
  int length;
  int capacity;  // characters the buffer holds, not counting the terminator
};

namespace {

using View = std::u16string_view;

View ViewOf(const char16_t* psz) {
  return psz == nullptr ? View() : View(psz);
}

int Clamp(size_t n) {
  return static_cast<int>(std::min<size_t>(n, INT32_MAX / 2));
}

bool IsWhiteSpace(char16_t ch) {
  return ch == u' ' || (ch >= u'\t' && ch <= u'\r');
}

}  // namespace

CStringW::PXSTR CStringW::NilChars() noexcept {
  static constinit struct {
    Data header{0, 0};
    XCHAR text[2]{};
  } nil;
  return nil.text;
}

CStringW::Data* CStringW::GetData() const noexcept {
  return reinterpret_cast<Data*>(reinterpret_cast<char*>(m_pszData) - sizeof(Data));
}

int CStringW::GetLength() const noexcept {
  return GetData()->length;
}

void CStringW::Reserve(int nLength) {
  Data* old = GetData();
  if (!IsNil() && nLength <= old->capacity)
    return;
  int capacity = std::max(nLength, IsNil() ? 0 : old->capacity + old->capacity / 2);
  void* block = ::operator new(sizeof(Data) + (size_t(capacity) + 1) * sizeof(XCHAR));
  Data* data = new (block) Data{old->length, capacity};
  PXSTR chars = reinterpret_cast<PXSTR>(data + 1);
  std::memcpy(chars, m_pszData, size_t(old->length) * sizeof(XCHAR));
  // Zeroed, so that text a caller reads from a fresh GetBuffer is "" rather than garbage.
  std::fill(chars + old->length, chars + capacity + 1, XCHAR(0));
  if (!IsNil())
    ::operator delete(old);
  m_pszData = chars;
}

void CStringW::SetLength(int nLength) {
  if (IsNil())
    return;  // nLength is 0: the shared "" is already that
  GetData()->length = nLength;
  m_pszData[nLength] = 0;
}

void CStringW::Assign(const XCHAR* pch, int nLength) {
  if (nLength <= 0) {
    Empty();
    return;
  }
  if (!IsNil() && nLength <= GetData()->capacity) {
    std::memmove(m_pszData, pch, size_t(nLength) * sizeof(XCHAR));  // pch may lie inside us
  } else {
    CStringW fresh;
    fresh.Reserve(nLength);
    std::memcpy(fresh.m_pszData, pch, size_t(nLength) * sizeof(XCHAR));
    std::swap(m_pszData, fresh.m_pszData);
  }
  SetLength(nLength);
}

CStringW::CStringW() noexcept : m_pszData(NilChars()) {}

CStringW::CStringW(const CStringW& other) : CStringW() {
  Assign(other.m_pszData, other.GetLength());
}

CStringW::CStringW(CStringW&& other) noexcept : m_pszData(other.m_pszData) {
  other.m_pszData = NilChars();
}

CStringW::CStringW(PCXSTR psz) : CStringW() {
  if (psz != nullptr && IS_INTRESOURCE(psz)) {
    LoadString(LOWORD(psz));
    return;
  }
  View v = ViewOf(psz);
  Assign(v.data(), Clamp(v.size()));
}

CStringW::CStringW(const XCHAR* pch, int nLength) : CStringW() {
  if (pch != nullptr)
    Assign(pch, nLength);
}

CStringW::CStringW(PCYSTR psz) : CStringW() {
  if (psz != nullptr)
    *this = CStringW(psz, Clamp(std::strlen(psz)));
}

CStringW::CStringW(PCYSTR pch, int nLength) : CStringW() {
  if (pch == nullptr || nLength <= 0)
    return;
  std::u16string wide = zwin32::FromCp1252(std::string_view(pch, size_t(nLength)));
  Assign(wide.data(), Clamp(wide.size()));
}

CStringW::CStringW(XCHAR ch, int nRepeat) : CStringW() {
  if (nRepeat <= 0)
    return;
  Reserve(nRepeat);
  std::fill(m_pszData, m_pszData + nRepeat, ch);
  SetLength(nRepeat);
}

CStringW::~CStringW() {
  Empty();
}

CStringW& CStringW::operator=(const CStringW& other) {
  if (this != &other)
    Assign(other.m_pszData, other.GetLength());
  return *this;
}

CStringW& CStringW::operator=(CStringW&& other) noexcept {
  if (this != &other) {
    Empty();
    std::swap(m_pszData, other.m_pszData);
  }
  return *this;
}

CStringW& CStringW::operator=(PCXSTR psz) {
  View v = ViewOf(psz);
  Assign(v.data(), Clamp(v.size()));
  return *this;
}

CStringW& CStringW::operator=(PCYSTR psz) {
  return *this = CStringW(psz);
}

CStringW& CStringW::operator=(XCHAR ch) {
  Assign(&ch, 1);
  return *this;
}

void CStringW::Empty() {
  if (IsNil())
    return;
  ::operator delete(GetData());
  m_pszData = NilChars();
}

CStringW::XCHAR CStringW::GetAt(int iChar) const {
  return iChar >= 0 && iChar < GetLength() ? m_pszData[iChar] : XCHAR(0);
}

void CStringW::SetAt(int iChar, XCHAR ch) {
  if (iChar >= 0 && iChar < GetLength())
    m_pszData[iChar] = ch;
}

void CStringW::Append(PCXSTR pch, int nLength) {
  if (pch == nullptr || nLength <= 0)
    return;
  int old = GetLength();
  if (!IsNil() && pch >= m_pszData && pch <= m_pszData + old) {
    Append(CStringW(pch, nLength));  // appending part of ourselves: Reserve may move it
    return;
  }
  Reserve(old + nLength);
  std::memcpy(m_pszData + old, pch, size_t(nLength) * sizeof(XCHAR));
  SetLength(old + nLength);
}

void CStringW::Append(PCXSTR psz) {
  View v = ViewOf(psz);
  Append(v.data(), Clamp(v.size()));
}

void CStringW::AppendChar(XCHAR ch) {
  Append(&ch, 1);
}

CStringW& CStringW::operator+=(const CStringW& str) {
  Append(str.m_pszData, str.GetLength());
  return *this;
}

CStringW& CStringW::operator+=(PCXSTR psz) {
  Append(psz);
  return *this;
}

CStringW& CStringW::operator+=(PCYSTR psz) {
  return *this += CStringW(psz);
}

CStringW& CStringW::operator+=(XCHAR ch) {
  AppendChar(ch);
  return *this;
}

int CStringW::Compare(PCXSTR psz) const {
  int c = View(m_pszData, GetLength()).compare(ViewOf(psz));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CStringW::CompareNoCase(PCXSTR psz) const {
  View a(m_pszData, GetLength()), b = ViewOf(psz);
  for (size_t i = 0; i < a.size() || i < b.size(); ++i) {
    char16_t ca = i < a.size() ? zmfc::ToLower(a[i]) : 0;
    char16_t cb = i < b.size() ? zmfc::ToLower(b[i]) : 0;
    if (ca != cb)
      return ca < cb ? -1 : 1;
  }
  return 0;
}

int CStringW::Find(PCXSTR pszSub, int iStart) const {
  if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
    return -1;
  size_t at = View(m_pszData, GetLength()).find(View(pszSub), size_t(iStart));
  return at == View::npos ? -1 : int(at);
}

int CStringW::Find(XCHAR ch, int iStart) const {
  if (iStart < 0 || iStart >= GetLength())
    return -1;
  size_t at = View(m_pszData, GetLength()).find(ch, size_t(iStart));
  return at == View::npos ? -1 : int(at);
}

int CStringW::FindOneOf(PCXSTR pszCharSet) const {
  size_t at = View(m_pszData, GetLength()).find_first_of(ViewOf(pszCharSet));
  return at == View::npos ? -1 : int(at);
}

int CStringW::ReverseFind(XCHAR ch) const {
  size_t at = View(m_pszData, GetLength()).rfind(ch);
  return at == View::npos ? -1 : int(at);
}

CStringW CStringW::Mid(int iFirst) const {
  return Mid(iFirst, GetLength() - iFirst);
}

CStringW CStringW::Mid(int iFirst, int nCount) const {
  int length = GetLength();
  iFirst = std::clamp(iFirst, 0, length);
  nCount = std::clamp(nCount, 0, length - iFirst);
  return CStringW(m_pszData + iFirst, nCount);
}

CStringW CStringW::Left(int nCount) const {
  return CStringW(m_pszData, std::clamp(nCount, 0, GetLength()));
}

CStringW CStringW::Right(int nCount) const {
  nCount = std::clamp(nCount, 0, GetLength());
  return CStringW(m_pszData + GetLength() - nCount, nCount);
}

CStringW CStringW::SpanIncluding(PCXSTR pszCharSet) const {
  size_t n = View(m_pszData, GetLength()).find_first_not_of(ViewOf(pszCharSet));
  return Left(n == View::npos ? GetLength() : int(n));
}

CStringW CStringW::SpanExcluding(PCXSTR pszCharSet) const {
  size_t n = View(m_pszData, GetLength()).find_first_of(ViewOf(pszCharSet));
  return Left(n == View::npos ? GetLength() : int(n));
}

CStringW CStringW::Tokenize(PCXSTR pszTokens, int& iStart) const {
  View text(m_pszData, GetLength()), tokens = ViewOf(pszTokens);
  if (iStart >= 0 && iStart < GetLength()) {
    if (tokens.empty())
      return Mid(iStart);
    size_t from = text.find_first_not_of(tokens, size_t(iStart));
    if (from != View::npos) {
      size_t until = text.find_first_of(tokens, from);
      if (until == View::npos)
        until = text.size();
      iStart = int(until) + 1;
      return Mid(int(from), int(until - from));
    }
  }
  iStart = -1;
  return CStringW();
}

CStringW& CStringW::MakeUpper() {
  for (int i = 0; i < GetLength(); ++i)
    m_pszData[i] = zmfc::ToUpper(m_pszData[i]);
  return *this;
}

CStringW& CStringW::MakeLower() {
  for (int i = 0; i < GetLength(); ++i)
    m_pszData[i] = zmfc::ToLower(m_pszData[i]);
  return *this;
}

CStringW& CStringW::MakeReverse() {
  std::reverse(m_pszData, m_pszData + GetLength());
  return *this;
}

CStringW& CStringW::Trim() {
  return TrimRight().TrimLeft();
}
CStringW& CStringW::Trim(XCHAR chTarget) {
  return TrimRight(chTarget).TrimLeft(chTarget);
}
CStringW& CStringW::Trim(PCXSTR pszTargets) {
  return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CStringW& CStringW::TrimLeft() {
  int n = 0;
  while (n < GetLength() && IsWhiteSpace(m_pszData[n]))
    ++n;
  return n == 0 ? *this : (*this = Mid(n));
}

CStringW& CStringW::TrimLeft(XCHAR chTarget) {
  XCHAR targets[2] = {chTarget, 0};
  return TrimLeft(targets);
}

CStringW& CStringW::TrimLeft(PCXSTR pszTargets) {
  size_t n = View(m_pszData, GetLength()).find_first_not_of(ViewOf(pszTargets));
  if (n == View::npos)
    n = size_t(GetLength());
  return n == 0 ? *this : (*this = Mid(int(n)));
}

CStringW& CStringW::TrimRight() {
  int n = GetLength();
  while (n > 0 && IsWhiteSpace(m_pszData[n - 1]))
    --n;
  Truncate(n);
  return *this;
}

CStringW& CStringW::TrimRight(XCHAR chTarget) {
  int n = GetLength();
  while (n > 0 && m_pszData[n - 1] == chTarget)
    --n;
  Truncate(n);
  return *this;
}

CStringW& CStringW::TrimRight(PCXSTR pszTargets) {
  size_t n = View(m_pszData, GetLength()).find_last_not_of(ViewOf(pszTargets));
  Truncate(n == View::npos ? 0 : int(n) + 1);
  return *this;
}

int CStringW::Replace(PCXSTR pszOld, PCXSTR pszNew) {
  View text(m_pszData, GetLength()), from = ViewOf(pszOld), to = ViewOf(pszNew);
  if (from.empty())
    return 0;
  std::u16string result;
  int count = 0;
  size_t pos = 0;
  for (size_t at; (at = text.find(from, pos)) != View::npos; pos = at + from.size()) {
    result.append(text.substr(pos, at - pos)).append(to);
    ++count;
  }
  if (count == 0)
    return 0;
  result.append(text.substr(pos));
  Assign(result.data(), Clamp(result.size()));
  return count;
}

int CStringW::Replace(XCHAR chOld, XCHAR chNew) {
  if (chOld == chNew)
    return 0;
  int count = 0;
  for (int i = 0; i < GetLength(); ++i) {
    if (m_pszData[i] == chOld) {
      m_pszData[i] = chNew;
      ++count;
    }
  }
  return count;
}

int CStringW::Remove(XCHAR chRemove) {
  int length = GetLength();
  int kept = int(std::remove(m_pszData, m_pszData + length, chRemove) - m_pszData);
  SetLength(kept);
  return length - kept;
}

int CStringW::Insert(int iIndex, PCXSTR psz) {
  iIndex = std::clamp(iIndex, 0, GetLength());
  View v = ViewOf(psz);
  if (!v.empty()) {
    std::u16string result(m_pszData, size_t(GetLength()));
    result.insert(size_t(iIndex), v);
    Assign(result.data(), Clamp(result.size()));
  }
  return GetLength();
}

int CStringW::Insert(int iIndex, XCHAR ch) {
  XCHAR text[2] = {ch, 0};
  return Insert(iIndex, text);
}

int CStringW::Delete(int iIndex, int nCount) {
  int length = GetLength();
  iIndex = std::max(iIndex, 0);
  nCount = std::max(nCount, 0);
  if (iIndex < length && nCount > 0) {
    nCount = std::min(nCount, length - iIndex);
    std::memmove(m_pszData + iIndex, m_pszData + iIndex + nCount,
                 size_t(length - iIndex - nCount) * sizeof(XCHAR));
    SetLength(length - nCount);
  }
  return GetLength();
}

void CStringW::Truncate(int nNewLength) {
  if (nNewLength >= 0 && nNewLength < GetLength())
    SetLength(nNewLength);
}

CStringW::PXSTR CStringW::GetBuffer() {
  return GetBuffer(0);
}

CStringW::PXSTR CStringW::GetBuffer(int nMinBufferLength) {
  Reserve(std::max(nMinBufferLength, GetLength()));
  return m_pszData;
}

CStringW::PXSTR CStringW::GetBufferSetLength(int nLength) {
  nLength = std::max(nLength, 0);
  Reserve(nLength);
  SetLength(nLength);
  return m_pszData;
}

void CStringW::ReleaseBuffer(int nNewLength) {
  if (IsNil())
    return;
  int capacity = GetData()->capacity;
  if (nNewLength < 0) {
    nNewLength = 0;
    while (nNewLength < capacity && m_pszData[nNewLength] != 0)
      ++nNewLength;
  }
  SetLength(std::min(nNewLength, capacity));
}

void CStringW::ReleaseBufferSetLength(int nNewLength) {
  ReleaseBuffer(std::max(nNewLength, 0));
}

void CStringW::Preallocate(int nLength) {
  Reserve(std::max(nLength, GetLength()));
}

BOOL CStringW::LoadString(UINT nID) {
  return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CStringW::LoadString(HINSTANCE hInstance, UINT nID) {
  LPCWSTR text = nullptr;
  // With no buffer, LoadStringW hands out the string in place: no length limit, no copy.
  int length = LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr)
    return FALSE;
  Assign(text, length);
  return TRUE;
}

void CStringW::FormatV(PCXSTR pszFormat, va_list args) {
  std::u16string text = zmfc::FormatV(pszFormat, args);
  Assign(text.data(), Clamp(text.size()));
}

void CStringW::AppendFormatV(PCXSTR pszFormat, va_list args) {
  std::u16string text = zmfc::FormatV(pszFormat, args);
  Append(text.data(), Clamp(text.size()));
}

void CStringW::FormatArgs(PCXSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CStringW::AppendFormatArgs(PCXSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  AppendFormatV(pszFormat, args);
  va_end(args);
}

void CStringW::FormatResourceArgs(UINT nFormatID, ...) {
  CStringW format;
  format.LoadString(nFormatID);
  va_list args;
  va_start(args, nFormatID);
  FormatV(format, args);
  va_end(args);
}

void CStringW::AppendFormatResourceArgs(UINT nFormatID, ...) {
  CStringW format;
  format.LoadString(nFormatID);
  va_list args;
  va_start(args, nFormatID);
  AppendFormatV(format, args);
  va_end(args);
}

CStringW operator+(const CStringW& str1, const CStringW& str2) {
  CStringW result(str1);
  result += str2;
  return result;
}

CStringW operator+(const CStringW& str1, LPCWSTR psz2) {
  CStringW result(str1);
  result += psz2;
  return result;
}

CStringW operator+(LPCWSTR psz1, const CStringW& str2) {
  CStringW result(psz1);
  result += str2;
  return result;
}

CStringW operator+(const CStringW& str1, WCHAR ch2) {
  CStringW result(str1);
  result += ch2;
  return result;
}

CStringW operator+(WCHAR ch1, const CStringW& str2) {
  CStringW result(ch1);
  result += str2;
  return result;
}

namespace zmfc {

const char16_t* VarArg(const CStringW& value) {
  return value.GetString();
}

}  // namespace zmfc
