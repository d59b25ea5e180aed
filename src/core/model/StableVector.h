#pragma once
// A growable array whose elements never move. Storage comes in chunks that
// are never reallocated: the first holds a few elements, each next one twice
// as many up to a fixed size. An empty array owns no storage, a small one a
// few small chunks, and a large one wastes at most one chunk.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace plicora {

template <typename T>
class StableVector {
  static constexpr std::size_t kFirstShift = 2;  // 4 elements in the first chunk
  static constexpr std::size_t kGrowingChunks = 11;
  static constexpr std::size_t kLastShift = kFirstShift + kGrowingChunks - 1;  // 4096 per chunk after that
  static constexpr std::size_t kGrown = ((std::size_t{1} << kGrowingChunks) - 1) << kFirstShift;

  static constexpr std::size_t ChunkSize(std::size_t chunk) {
    return std::size_t{1} << (chunk < kGrowingChunks ? kFirstShift + chunk : kLastShift);
  }
  /// The chunk holding element `i` and the place in it.
  static constexpr std::pair<std::size_t, std::size_t> Locate(std::size_t i) {
    if (i >= kGrown) {
      const std::size_t beyond = i - kGrown;
      return {kGrowingChunks + (beyond >> kLastShift), beyond & ((std::size_t{1} << kLastShift) - 1)};
    }
    const std::size_t chunk = static_cast<std::size_t>(std::bit_width((i >> kFirstShift) + 1)) - 1;
    return {chunk, i - (((std::size_t{1} << chunk) - 1) << kFirstShift)};
  }

 public:
  template <bool Const>
  class Iterator {
    using Owner = std::conditional_t<Const, const StableVector, StableVector>;

   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = std::conditional_t<Const, const T*, T*>;
    using reference = std::conditional_t<Const, const T&, T&>;

    Iterator() = default;
    Iterator(Owner* owner, std::size_t index) : owner_(owner), index_(index) { Seek(); }
    operator Iterator<true>() const { return Iterator<true>(owner_, index_); }

    reference operator*() const { return *at_; }
    pointer operator->() const { return at_; }
    reference operator[](difference_type n) const { return (*owner_)[index_ + static_cast<std::size_t>(n)]; }
    Iterator& operator++() {
      ++index_;
      if (++at_ == chunkEnd_) Seek();
      return *this;
    }
    Iterator operator++(int) {
      Iterator old = *this;
      ++*this;
      return old;
    }
    Iterator& operator--() { return *this -= 1; }
    Iterator operator--(int) {
      Iterator old = *this;
      --*this;
      return old;
    }
    Iterator& operator+=(difference_type n) {
      index_ = static_cast<std::size_t>(static_cast<difference_type>(index_) + n);
      Seek();
      return *this;
    }
    Iterator& operator-=(difference_type n) { return *this += -n; }
    friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
    friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
    friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const Iterator& a, const Iterator& b) {
      return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.index_ == b.index_; }
    friend auto operator<=>(const Iterator& a, const Iterator& b) { return a.index_ <=> b.index_; }

   private:
    void Seek() {
      if (!owner_ || index_ >= owner_->size_) {
        at_ = chunkEnd_ = nullptr;
        return;
      }
      const auto [chunk, place] = Locate(index_);
      at_ = owner_->chunks_[chunk] + place;
      chunkEnd_ = owner_->chunks_[chunk] + ChunkSize(chunk);
    }
    Owner* owner_ = nullptr;
    std::size_t index_ = 0;
    pointer at_ = nullptr;
    pointer chunkEnd_ = nullptr;
  };
  using iterator = Iterator<false>;
  using const_iterator = Iterator<true>;
  using value_type = T;
  using size_type = std::size_t;

  StableVector() = default;
  StableVector(const StableVector&) = delete;
  StableVector& operator=(const StableVector&) = delete;
  StableVector(StableVector&& other) noexcept
      : chunks_(std::exchange(other.chunks_, {})), size_(std::exchange(other.size_, 0)) {}
  StableVector& operator=(StableVector&& other) noexcept {
    if (this != &other) {
      clear();
      chunks_ = std::exchange(other.chunks_, {});
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }
  StableVector& operator=(std::initializer_list<T> values) {
    clear();
    for (const T& value : values) push_back(value);
    return *this;
  }
  ~StableVector() { clear(); }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  T& operator[](std::size_t i) {
    const auto [chunk, place] = Locate(i);
    return chunks_[chunk][place];
  }
  const T& operator[](std::size_t i) const {
    const auto [chunk, place] = Locate(i);
    return chunks_[chunk][place];
  }
  T& front() { return chunks_.front()[0]; }
  const T& front() const { return chunks_.front()[0]; }
  T& back() { return (*this)[size_ - 1]; }
  const T& back() const { return (*this)[size_ - 1]; }

  iterator begin() { return iterator(this, 0); }
  iterator end() { return iterator(this, size_); }
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, size_); }

  /// Calls `f(first, count)` for every chunk holding elements, in order of
  /// index: lets a table find an element's index from its address.
  template <typename F>
  void ForEachChunk(F&& f) const {
    std::size_t left = size_;
    for (std::size_t c = 0; c < chunks_.size() && left > 0; ++c) {
      const std::size_t count = std::min(left, ChunkSize(c));
      f(static_cast<const T*>(chunks_[c]), count);
      left -= count;
    }
  }

  template <typename... Args>
  T& emplace_back(Args&&... args) {
    const auto [chunk, place] = Locate(size_);
    if (chunk == chunks_.size()) chunks_.push_back(std::allocator<T>().allocate(ChunkSize(chunk)));
    T* element = std::construct_at(chunks_[chunk] + place, std::forward<Args>(args)...);
    ++size_;
    return *element;
  }
  void push_back(const T& value) { emplace_back(value); }
  void push_back(T&& value) { emplace_back(std::move(value)); }
  void pop_back() { std::destroy_at(&back()), --size_; }
  void resize(std::size_t n) {
    while (size_ > n) pop_back();
    while (size_ < n) emplace_back();
  }
  /// Destroys every element and gives every chunk back.
  void clear() {
    while (size_ > 0) pop_back();
    for (std::size_t c = 0; c < chunks_.size(); ++c) std::allocator<T>().deallocate(chunks_[c], ChunkSize(c));
    chunks_.clear();
    chunks_.shrink_to_fit();
  }

 private:
  std::vector<T*> chunks_;
  std::size_t size_ = 0;
};

}  // namespace plicora
