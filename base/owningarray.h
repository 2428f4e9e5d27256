// An ordered collection that owns its records. Records live on the heap, so a
// reference to one stays valid while the collection is reordered.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace kovala {

template <typename T>
class TOwningArray {
 public:
  TOwningArray() = default;
  TOwningArray(TOwningArray&&) noexcept = default;
  TOwningArray& operator=(TOwningArray&&) noexcept = default;

  // Copies hold copies of every record, never shared ones.
  TOwningArray(const TOwningArray& other) { *this = other; }
  TOwningArray& operator=(const TOwningArray& other) {
    if (this != &other) {
      std::vector<std::unique_ptr<T>> copy;
      copy.reserve(other.items.size());
      for (const auto& item : other.items) copy.push_back(std::make_unique<T>(*item));
      items = std::move(copy);
    }
    return *this;
  }

  int Count() const { return static_cast<int>(items.size()); }
  bool IsEmpty() const { return items.empty(); }
  bool ValidIndex(int index) const { return index >= 0 && index < Count(); }

  T& operator[](int index) { return *items.at(static_cast<std::size_t>(index)); }
  const T& operator[](int index) const { return *items.at(static_cast<std::size_t>(index)); }
  T& Last() { return *items.back(); }
  const T& Last() const { return *items.back(); }

  T& Add(std::unique_ptr<T> item) {
    items.push_back(std::move(item));
    return *items.back();
  }
  T& Add(const T& item) { return Add(std::make_unique<T>(item)); }

  // Removes and destroys the record at `index`.
  void Destroy(int index) { items.erase(items.begin() + index); }
  // Removes the record at `index` and hands it to the caller.
  std::unique_ptr<T> Detach(int index) {
    auto item = std::move(items.at(static_cast<std::size_t>(index)));
    items.erase(items.begin() + index);
    return item;
  }
  void Flush() { items.clear(); }

  // Position of a record held by this collection, -1 when it is not held.
  int IndexOf(const T& record) const {
    for (std::size_t i = 0; i < items.size(); ++i)
      if (items[i].get() == &record) return static_cast<int>(i);
    return -1;
  }

  // Moves the record at `from` so that it ends up at position `to`; the
  // records in between shift by one. The record itself is not copied.
  void MoveTo(int from, int to) {
    if (from == to) return;
    auto item = std::move(items.at(static_cast<std::size_t>(from)));
    items.erase(items.begin() + from);
    items.insert(items.begin() + to, std::move(item));
  }

  auto begin() { return Deref{items.begin()}; }
  auto end() { return Deref{items.end()}; }
  auto begin() const { return CDeref{items.begin()}; }
  auto end() const { return CDeref{items.end()}; }

 private:
  using Vec = std::vector<std::unique_ptr<T>>;
  template <typename It, typename R>
  struct Iter {
    It it;
    R& operator*() const { return **it; }
    R* operator->() const { return it->get(); }
    Iter& operator++() {
      ++it;
      return *this;
    }
    bool operator==(const Iter& o) const { return it == o.it; }
  };
  using Deref = Iter<typename Vec::iterator, T>;
  using CDeref = Iter<typename Vec::const_iterator, const T>;

  Vec items;
};

}  // namespace kovala
