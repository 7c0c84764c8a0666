#pragma once
// A list whose capacity grows in steps of 1000 elements and never shrinks
// while it lives. Elements are stored in blocks of 1000, so growing never
// copies or moves the elements already stored (references to them stay valid
// and reading a file stays linear in its size).
#include <cstddef>
#include <memory>
#include <vector>

template <typename T>
class GrowingList {
 public:
  static constexpr std::size_t kStep = 1000;

  // Appends a value-initialised (zero-filled) element and returns it.
  T& Append() {
    if (count_ == Capacity()) blocks_.push_back(std::make_unique<T[]>(kStep));
    T& slot = blocks_[count_ / kStep][count_ % kStep];
    slot = T{};
    ++count_;
    return slot;
  }
  T& Append(const T& value) { return Append() = value; }

  std::size_t Count() const { return count_; }
  std::size_t Capacity() const { return blocks_.size() * kStep; }
  bool Empty() const { return count_ == 0; }

  T& operator[](std::size_t i) { return blocks_[i / kStep][i % kStep]; }
  const T& operator[](std::size_t i) const { return blocks_[i / kStep][i % kStep]; }
  T& Last() { return (*this)[count_ - 1]; }
  const T& Last() const { return (*this)[count_ - 1]; }

  // Empties the list and releases its storage.
  void Release() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    count_ = 0;
  }

 private:
  std::vector<std::unique_ptr<T[]>> blocks_;
  std::size_t count_ = 0;
};
