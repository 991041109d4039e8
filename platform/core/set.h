// TSet<E>: the framework's "set of" an enumeration, as a bit mask over the
// enumeration's ordinal values (at most 64 members).
#pragma once

#include <cstdint>
#include <initializer_list>

namespace tabulon {

/// A set of members of enumeration E, bit i standing for ordinal value i.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> members) {
    for (E m : members) bits_ |= Bit(m);
  }
  static constexpr TSet FromInt(uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr uint64_t ToInt() const { return bits_; }

  constexpr bool Contains(E m) const { return (bits_ & Bit(m)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E m) {
    bits_ |= Bit(m);
    return *this;
  }
  constexpr TSet& Exclude(E m) {
    bits_ &= ~Bit(m);
    return *this;
  }
  constexpr TSet operator+(TSet o) const { return FromInt(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromInt(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromInt(bits_ & o.bits_); }
  constexpr TSet& operator+=(TSet o) {
    bits_ |= o.bits_;
    return *this;
  }
  constexpr TSet& operator-=(TSet o) {
    bits_ &= ~o.bits_;
    return *this;
  }
  constexpr bool operator==(const TSet&) const = default;
  /// Whether every member of `o` is in this set.
  constexpr bool ContainsAll(TSet o) const { return (bits_ & o.bits_) == o.bits_; }

 private:
  static constexpr uint64_t Bit(E m) { return uint64_t{1} << static_cast<unsigned>(m); }
  uint64_t bits_ = 0;
};

}  // namespace tabulon
