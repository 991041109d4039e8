// Method pointers: events that a component fires and that form files bind by
// the name of a published method. An event holds the target object and the
// callable; two events are equal when they name the same object and the same
// method, as the framework compares method pointers.
#pragma once

#include <array>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <typeinfo>

namespace tabulon {

class TObject;

/// Identity of the code part of a method pointer: the bytes of a member
/// function pointer together with its class, or a unique number for a lambda.
struct TMethodKey {
  const std::type_info* Class = nullptr;  // class of the member function; null for lambdas
  std::array<unsigned char, 16> Bytes{};  // member pointer bytes, or the lambda's number
  bool operator==(const TMethodKey& o) const {
    bool sameClass = Class == o.Class || (Class && o.Class && *Class == *o.Class);
    return sameClass && Bytes == o.Bytes;
  }

  template <class M>
  static TMethodKey ForMember(const std::type_info& cls, M member) {
    static_assert(sizeof(M) <= 16, "member function pointer too large");
    TMethodKey k;
    k.Class = &cls;
    std::memcpy(k.Bytes.data(), &member, sizeof(M));
    return k;
  }
  static TMethodKey Unique() {
    static std::atomic<unsigned long long> counter{0};
    TMethodKey k;
    unsigned long long n = ++counter;
    std::memcpy(k.Bytes.data(), &n, sizeof n);
    return k;
  }
};

/// An untyped method pointer, as run-time type information reads and writes
/// event properties. `Code` holds a std::function of the event's signature.
struct TMethod {
  TObject* Data = nullptr;                    // the object the method belongs to
  std::shared_ptr<const void> Code;           // the callable; null when unassigned
  TMethodKey Key;                             // identity of the code
  const std::type_info* Signature = nullptr;  // typeid(void(Args...)) of the callable

  bool Assigned() const { return Code != nullptr; }
  bool operator==(const TMethod& o) const {
    if (!Assigned() || !o.Assigned()) return Assigned() == o.Assigned();
    return Data == o.Data && Key == o.Key;
  }
};

/// A typed event: the method pointer of a component's OnX property.
template <class... A>
class TEvent {
 public:
  using Function = std::function<void(A...)>;

  TEvent() = default;
  TEvent(std::nullptr_t) {}
  /// Binds a member function of `obj`.
  template <class C>
  TEvent(C* obj, void (C::*member)(A...))
      : data_(obj),
        fn_(std::make_shared<Function>(
            [obj, member](A... a) { (obj->*member)(std::forward<A>(a)...); })),
        key_(TMethodKey::ForMember(typeid(C), member)) {}
  /// Wraps a callable; every wrapped callable has its own identity.
  template <class F, class = std::enable_if_t<std::is_invocable_v<F&, A...> &&
                                              !std::is_same_v<std::decay_t<F>, TEvent>>>
  TEvent(F&& f, TObject* data = nullptr)
      : data_(data),
        fn_(std::make_shared<Function>(std::forward<F>(f))),
        key_(TMethodKey::Unique()) {}

  bool Assigned() const { return fn_ != nullptr; }
  explicit operator bool() const { return Assigned(); }
  TObject* Data() const { return data_; }
  /// Calls the method; calling an unassigned event does nothing.
  void operator()(A... a) const {
    if (fn_) (*fn_)(std::forward<A>(a)...);
  }
  bool operator==(const TEvent& o) const { return ToMethod() == o.ToMethod(); }

  static const std::type_info& Signature() { return typeid(void(A...)); }
  TMethod ToMethod() const {
    TMethod m;
    m.Data = data_;
    m.Code = fn_;
    m.Key = key_;
    m.Signature = &Signature();
    return m;
  }
  /// The typed event of an untyped method; false when the signatures differ.
  static bool FromMethod(const TMethod& m, TEvent& out) {
    if (!m.Assigned()) {
      out = TEvent();
      return true;
    }
    if (!m.Signature || *m.Signature != Signature()) return false;
    out.data_ = m.Data;
    out.fn_ = std::static_pointer_cast<const Function>(m.Code);
    out.key_ = m.Key;
    return true;
  }

 private:
  TObject* data_ = nullptr;
  std::shared_ptr<const Function> fn_;
  TMethodKey key_;
};

/// The framework's plain event: the sender only.
using TNotifyEvent = TEvent<TObject*>;

}  // namespace tabulon
