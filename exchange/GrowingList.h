#pragma once
// A list whose capacity grows in steps of 1000 elements and never shrinks
// while it lives. Elements are stored in blocks of 1000, so growing never
// copies or moves the elements already stored (references to them stay valid
// and reading a file stays linear in its size).
//
// A block is taken as raw storage and each element is created, zero-filled,
// when it is appended: the memory of an element is written once, and the
// part of the last block that holds no element yet is not written at all.
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

template <typename T>
class GrowingList {
 public:
  static constexpr std::size_t kStep = 1000;

  GrowingList() = default;
  GrowingList(const GrowingList&) = delete;
  GrowingList& operator=(const GrowingList&) = delete;
  // A moved-from list is empty.
  GrowingList(GrowingList&& other) noexcept { Take(other); }
  GrowingList& operator=(GrowingList&& other) noexcept {
    if (this != &other) {
      Release();
      Take(other);
    }
    return *this;
  }
  ~GrowingList() { Release(); }

  // Appends a value-initialised (zero-filled) element and returns it.
  T& Append() {
    if (next_ == blockEnd_) AddBlock();
    T* const element = ::new (static_cast<void*>(next_)) T();
    ++next_;
    ++count_;
    return *element;
  }
  T& Append(const T& value) { return Append() = value; }

  std::size_t Count() const { return count_; }
  std::size_t Capacity() const { return blocks_.size() * kStep; }
  bool Empty() const { return count_ == 0; }

  T& operator[](std::size_t i) { return *Element(i); }
  const T& operator[](std::size_t i) const { return *Element(i); }
  T& Last() { return (*this)[count_ - 1]; }
  const T& Last() const { return (*this)[count_ - 1]; }

  // Empties the list and releases its storage.
  void Release() {
    if constexpr (!std::is_trivially_destructible_v<T>) {
      for (std::size_t i = 0; i < count_; ++i) Element(i)->~T();
    }
    blocks_.clear();
    blocks_.shrink_to_fit();
    count_ = 0;
    next_ = blockEnd_ = nullptr;
  }

 private:
  // Storage for one element, not initialised.
  struct alignas(T) Slot {
    unsigned char Bytes[sizeof(T)];
  };

  void Take(GrowingList& other) noexcept {
    blocks_ = std::move(other.blocks_);
    next_ = other.next_;
    blockEnd_ = other.blockEnd_;
    count_ = other.count_;
    other.blocks_.clear();
    other.next_ = other.blockEnd_ = nullptr;
    other.count_ = 0;
  }

  void AddBlock() {
    blocks_.push_back(std::unique_ptr<Slot[]>(new Slot[kStep]));
    next_ = blocks_.back().get();
    blockEnd_ = next_ + kStep;
  }

  T* Element(std::size_t i) const {
    return std::launder(reinterpret_cast<T*>(&blocks_[i / kStep][i % kStep]));
  }

  std::vector<std::unique_ptr<Slot[]>> blocks_;
  Slot* next_ = nullptr;      // where the next element goes
  Slot* blockEnd_ = nullptr;  // the end of the last block
  std::size_t count_ = 0;
};
