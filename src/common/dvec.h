#pragma once
// Growable arrays shared by the whole game.
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

// Capacity an empty array grows to on its first append; byte arrays start larger.
template <typename T>
struct DVecStart {
  static constexpr uint32_t value = sizeof(T) == 1 ? 128 : 32;
};

// Array of trivially copyable records. Frees its block, never what the entries point to.
template <typename T>
class DVec {
  static_assert(std::is_trivially_copyable<T>::value, "DVec holds plain records only");

 public:
  T* data = nullptr;
  uint32_t count = 0;
  uint32_t capacity = 0;

  DVec() = default;
  DVec(const DVec&) = delete;
  DVec& operator=(const DVec&) = delete;
  virtual ~DVec() { ::operator delete(data); }

  T& operator[](uint32_t i) { return data[i]; }
  const T& operator[](uint32_t i) const { return data[i]; }
  uint32_t size() const { return count; }
  bool empty() const { return count == 0; }
  T* begin() { return data; }
  T* end() { return data + count; }
  const T* begin() const { return data; }
  const T* end() const { return data + count; }
  T& back() { return data[count - 1]; }

  // Makes room for at least `needed` entries: twice the old capacity, or `needed` if larger.
  void reserve(uint32_t needed) {
    if (needed <= capacity) return;
    uint32_t grown = capacity == 0 ? DVecStart<T>::value : capacity * 2;
    if (grown < needed) grown = needed;
    T* block = static_cast<T*>(::operator new(sizeof(T) * static_cast<size_t>(grown)));
    if (count) std::memcpy(static_cast<void*>(block), static_cast<const void*>(data), sizeof(T) * count);
    ::operator delete(data);
    data = block;
    capacity = grown;
  }

  T& add(const T& value) {
    if (count == capacity) {
      T copy = value;  // value may live inside the block that is about to move
      reserve(count + 1);
      data[count] = copy;
    } else {
      data[count] = value;
    }
    return data[count++];
  }

  // Sets the count; new entries are zeroed.
  void resize(uint32_t n) {
    reserve(n);
    if (n > count) std::memset(static_cast<void*>(data + count), 0, sizeof(T) * (n - count));
    count = n;
  }

  void clear() { count = 0; }
};

// Array of owned pointers: deletes every non-null entry when it goes.
template <typename T>
class VecOwn;

template <typename T>
class VecOwn<T*> : public DVec<T*> {
 public:
  ~VecOwn() override { delete_all(); }

  void delete_all() {
    for (uint32_t i = 0; i < this->count; ++i) delete this->data[i];
    this->count = 0;
  }
};
