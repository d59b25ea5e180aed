#pragma once
// The corners of a face in order, as pointers to half-edges its solid owns.
// Rings of up to four corners (nearly every face) are held in place; only a
// longer ring takes storage of its own, room for the next power of two of its
// corners (so that no capacity needs to be kept: the ring is 36 bytes, and a
// face places a field of its own in the remaining 4).

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>

namespace plicora {

struct HalfEdge;

class CornerRing {
 public:
  static constexpr std::uint32_t kInPlace = 4;

  CornerRing() = default;
  CornerRing(std::initializer_list<HalfEdge*> corners) { assign(corners.begin(), corners.end()); }
  CornerRing(const CornerRing& other) { assign(other.begin(), other.end()); }
  CornerRing(CornerRing&& other) noexcept { Take(other); }
  CornerRing& operator=(const CornerRing& other) {
    if (this != &other) assign(other.begin(), other.end());
    return *this;
  }
  CornerRing& operator=(CornerRing&& other) noexcept {
    if (this != &other) {
      clear();
      Take(other);
    }
    return *this;
  }
  ~CornerRing() { clear(); }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  HalfEdge** data() { return OnHeap() ? heap_ : inPlace_; }
  HalfEdge* const* data() const { return OnHeap() ? heap_ : inPlace_; }
  HalfEdge*& operator[](std::size_t i) { return data()[i]; }
  HalfEdge* operator[](std::size_t i) const { return data()[i]; }
  HalfEdge*& front() { return data()[0]; }
  HalfEdge* front() const { return data()[0]; }
  HalfEdge*& back() { return data()[size_ - 1]; }
  HalfEdge* back() const { return data()[size_ - 1]; }
  HalfEdge** begin() { return data(); }
  HalfEdge** end() { return data() + size_; }
  HalfEdge* const* begin() const { return data(); }
  HalfEdge* const* end() const { return data() + size_; }

  void push_back(HalfEdge* corner) {
    // The storage is full at kInPlace corners and at every power of two beyond.
    if (size_ >= kInPlace && std::has_single_bit(size_)) Move(size_ + 1);
    ++size_;
    back() = corner;
  }
  void pop_back() {
    if (size_ == kInPlace + 1) Move(kInPlace);
    --size_;
  }
  void clear() {
    if (OnHeap()) delete[] heap_;
    size_ = 0;
  }
  template <typename Iterator>
  void assign(Iterator first, Iterator last) {
    const auto count = static_cast<std::uint32_t>(std::distance(first, last));
    clear();
    if (count > kInPlace) heap_ = new HalfEdge*[std::bit_ceil(count)];
    size_ = count;
    std::copy(first, last, data());
  }

 private:
  bool OnHeap() const { return size_ > kInPlace; }
  /// Moves the corners to the storage for a ring of `size` corners: in
  /// place, or room for the next power of two of it. The size stays.
  void Move(std::uint32_t size) {
    HalfEdge* kept[kInPlace];
    HalfEdge** target = size > kInPlace ? new HalfEdge*[std::bit_ceil(size)] : kept;
    const std::uint32_t count = std::min(size, size_);
    std::copy(data(), data() + count, target);
    if (OnHeap()) delete[] heap_;
    if (size > kInPlace)
      heap_ = target;
    else
      std::copy(kept, kept + count, inPlace_);
  }
  void Take(CornerRing& other) {
    size_ = other.size_;
    if (other.OnHeap())
      heap_ = other.heap_;
    else
      std::copy(other.inPlace_, other.inPlace_ + size_, inPlace_);
    other.size_ = 0;
  }

  union {
    HalfEdge* inPlace_[kInPlace] = {};
    HalfEdge** heap_;
  };
  std::uint32_t size_ = 0;
};

}  // namespace plicora
