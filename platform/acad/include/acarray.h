// AcArray: the host's growable array (AcDbObjectIdArray and friends). Logical length is the
// number of elements in use, physical length what is allocated; it grows by growLength or by
// its current size, whichever is more. Only the elements in use are constructed: the room
// beyond them is raw memory, so a long array filled by append never writes its spare room.
#pragma once

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

template <class T>
class AcArrayMemCopyReallocator {};
template <class T>
class AcArrayObjectCopyReallocator {};

template <class T, class R = AcArrayObjectCopyReallocator<T>>
class AcArray {
 public:
  explicit AcArray(int initPhysicalLength = 0, int initGrowLength = 8)
      : mGrowLen(initGrowLength > 0 ? initGrowLength : 8) {
    setPhysicalLength(initPhysicalLength);
  }
  AcArray(const AcArray& src) : mGrowLen(src.mGrowLen) { *this = src; }
  AcArray(AcArray&& src) noexcept { swap(src); }
  ~AcArray() { setPhysicalLength(0); }

  AcArray& operator=(const AcArray& src) {
    if (this != &src) {
      setLogicalLength(0);
      for (int i = 0; i < src.mLogicalLen; ++i)
        append(src.mpArray[i]);
    }
    return *this;
  }
  AcArray& operator=(AcArray&& src) noexcept {
    swap(src);
    return *this;
  }
  bool operator==(const AcArray& o) const {
    return mLogicalLen == o.mLogicalLen && std::equal(mpArray, mpArray + mLogicalLen, o.mpArray);
  }

  T& operator[](int i) { return mpArray[i]; }
  const T& operator[](int i) const { return mpArray[i]; }
  T& at(int i) { return mpArray[i]; }
  const T& at(int i) const { return mpArray[i]; }
  T& first() { return mpArray[0]; }
  T& last() { return mpArray[mLogicalLen - 1]; }
  const T* asArrayPtr() const { return mpArray; }
  T* asArrayPtr() { return mpArray; }

  int append(const T& value) {
    if (mLogicalLen == mPhysicalLen) {
      T kept(value);  // `value` may be an element, moved by the growth
      // At least growLength more, and at least double, so that long arrays fill in linear time.
      setPhysicalLength(mPhysicalLen + std::max(mGrowLen, mPhysicalLen));
      ::new (static_cast<void*>(mpArray + mLogicalLen)) T(std::move(kept));
    } else {
      ::new (static_cast<void*>(mpArray + mLogicalLen)) T(value);
    }
    return mLogicalLen++;
  }
  AcArray& append(const AcArray& other) {
    for (int i = 0; i < other.mLogicalLen; ++i)
      append(other.mpArray[i]);
    return *this;
  }
  AcArray& insertAt(int index, const T& value) {
    append(value);
    std::rotate(mpArray + index, mpArray + mLogicalLen - 1, mpArray + mLogicalLen);
    return *this;
  }
  AcArray& removeAt(int index) {
    std::move(mpArray + index + 1, mpArray + mLogicalLen, mpArray + index);
    return removeLast();
  }
  bool remove(const T& value, int start = 0) {
    int index = -1;
    if (!find(value, index, start))
      return false;
    removeAt(index);
    return true;
  }
  AcArray& removeLast() {
    std::destroy_at(mpArray + --mLogicalLen);
    return *this;
  }
  AcArray& removeAll() {
    std::destroy(mpArray, mpArray + mLogicalLen);
    mLogicalLen = 0;
    return *this;
  }
  bool contains(const T& value, int start = 0) const {
    int index = -1;
    return find(value, index, start);
  }
  bool find(const T& value, int& foundAt, int start = 0) const {
    for (int i = start; i < mLogicalLen; ++i) {
      if (mpArray[i] == value) {
        foundAt = i;
        return true;
      }
    }
    return false;
  }
  int find(const T& value) const {
    int index = -1;
    find(value, index);
    return index;
  }

  int length() const { return mLogicalLen; }
  int logicalLength() const { return mLogicalLen; }
  int physicalLength() const { return mPhysicalLen; }
  int growLength() const { return mGrowLen; }
  bool isEmpty() const { return mLogicalLen == 0; }
  AcArray& setGrowLength(int n) {
    if (n > 0)
      mGrowLen = n;
    return *this;
  }
  AcArray& setLogicalLength(int n) {
    n = std::max(n, 0);
    if (n > mPhysicalLen)
      setPhysicalLength(n);
    if (n < mLogicalLen)
      std::destroy(mpArray + n, mpArray + mLogicalLen);
    for (int i = mLogicalLen; i < n; ++i)
      ::new (static_cast<void*>(mpArray + i)) T();
    mLogicalLen = n;
    return *this;
  }
  AcArray& setPhysicalLength(int n) {
    n = std::max(n, 0);
    const int kept = std::min(mLogicalLen, n);
    T* grown = n == 0 ? nullptr : std::allocator<T>().allocate(static_cast<size_t>(n));
    if (grown != nullptr)
      std::uninitialized_move(mpArray, mpArray + kept, grown);
    std::destroy(mpArray, mpArray + mLogicalLen);
    if (mpArray != nullptr)
      std::allocator<T>().deallocate(mpArray, static_cast<size_t>(mPhysicalLen));
    mpArray = grown;
    mPhysicalLen = n;
    mLogicalLen = kept;
    return *this;
  }

 private:
  void swap(AcArray& o) noexcept {
    std::swap(mpArray, o.mpArray);
    std::swap(mPhysicalLen, o.mPhysicalLen);
    std::swap(mLogicalLen, o.mLogicalLen);
    std::swap(mGrowLen, o.mGrowLen);
  }

  T* mpArray = nullptr;
  int mPhysicalLen = 0;
  int mLogicalLen = 0;
  int mGrowLen = 8;
};
