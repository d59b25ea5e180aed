#pragma once
// The corners of a face in order, as pointers to half-edges its solid owns.
// Rings of up to four corners (nearly every face) are held in place; only a
// longer ring takes storage of its own.

#include <algorithm>
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
      Free();
      Take(other);
    }
    return *this;
  }
  ~CornerRing() { Free(); }

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
    if (size_ == capacity_) Grow(capacity_ * 2);
    data()[size_++] = corner;
  }
  void pop_back() { --size_; }
  void clear() { size_ = 0; }
  template <typename Iterator>
  void assign(Iterator first, Iterator last) {
    const auto count = static_cast<std::uint32_t>(std::distance(first, last));
    size_ = 0;
    if (count > capacity_) Grow(count);
    std::copy(first, last, data());
    size_ = count;
  }

 private:
  bool OnHeap() const { return capacity_ > kInPlace; }
  void Grow(std::uint32_t capacity) {
    HalfEdge** grown = new HalfEdge*[capacity];
    std::copy(begin(), end(), grown);
    Free();
    heap_ = grown;
    capacity_ = capacity;
  }
  void Free() {
    if (OnHeap()) delete[] heap_;
    capacity_ = kInPlace;
  }
  void Take(CornerRing& other) {
    size_ = other.size_;
    capacity_ = other.capacity_;
    if (other.OnHeap())
      heap_ = other.heap_;
    else
      std::copy(other.inPlace_, other.inPlace_ + size_, inPlace_);
    other.size_ = 0;
    other.capacity_ = kInPlace;
  }

  union {
    HalfEdge* inPlace_[kInPlace] = {};
    HalfEdge** heap_;
  };
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = kInPlace;
};

}  // namespace plicora
