#pragma once
// A text field of a record: at most 255 bytes of Shift-JIS.
//
// Most texts of a drawing and nearly every font name are short, so a field
// keeps up to 31 bytes inside the record and only a longer text in storage of
// its own. A record of a text entity thus stays small: the reader fills one
// per text line, and their memory is most of what a large file costs.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The most bytes of a text that the host exchange keeps: a text field of a
// record, and a line of the output buffer.
inline constexpr std::size_t kMaxTextBytes = 255;

class FixedText {
 public:
  static constexpr std::size_t kMax = kMaxTextBytes;
  // The most bytes kept inside the field itself.
  static constexpr std::size_t kInline = 31;

  // An all-zero field is the empty text, so zero-filled records are valid.
  FixedText() noexcept : bytes_{}, size_(0) {}
  FixedText(const FixedText& other) : FixedText() { Assign(other.View()); }
  FixedText(FixedText&& other) noexcept : FixedText() { Take(other); }
  FixedText& operator=(const FixedText& other) {
    if (this != &other) Assign(other.View());
    return *this;
  }
  FixedText& operator=(FixedText&& other) noexcept {
    if (this != &other) {
      Free();
      Take(other);
    }
    return *this;
  }
  ~FixedText() { Free(); }

  // Stores the text, cut to its first 255 bytes. The text may be a view of
  // this field's own bytes.
  void Assign(std::string_view text) {
    const std::size_t size = text.size() < kMax ? text.size() : kMax;
    if (size <= kInline) {
      // memmove: the text may lie in the field's own bytes.
      char* const old = OnHeap() ? Heap() : nullptr;
      if (size != 0) std::memmove(bytes_, text.data(), size);
      delete[] old;
    } else {
      char* const bytes = new char[size];
      std::memcpy(bytes, text.data(), size);
      Free();
      SetHeap(bytes);
    }
    size_ = static_cast<std::uint8_t>(size);
  }

  std::size_t Size() const { return size_; }
  std::string_view View() const { return {OnHeap() ? Heap() : bytes_, size_}; }
  std::string Str() const { return std::string(View()); }

 private:
  static_assert(kInline >= sizeof(char*));

  bool OnHeap() const { return size_ > kInline; }
  // A longer text's storage: its address is kept in the first bytes of the
  // field (copied, so the field needs no alignment and stays 32 bytes).
  char* Heap() const {
    char* bytes;
    std::memcpy(&bytes, bytes_, sizeof bytes);
    return bytes;
  }
  void SetHeap(char* bytes) { std::memcpy(bytes_, &bytes, sizeof bytes); }
  void Free() noexcept {
    if (OnHeap()) delete[] Heap();
    size_ = 0;
  }
  // Takes the other field's text and leaves it empty.
  void Take(FixedText& other) noexcept {
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    size_ = other.size_;
    other.size_ = 0;
  }

  char bytes_[kInline];  // a text of up to kInline bytes, or where a longer one is kept
  std::uint8_t size_;
};
