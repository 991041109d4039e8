// The declarative builder that describes a class's published properties and
// methods. Include it only in the .cpp that holds the class's TBN_REGISTER.
//
//   TBN_REGISTER(TMyPanel) {
//     b.Property("Caption", &TMyPanel::GetCaption, &TMyPanel::SetCaption);
//     b.Property("Align", &TMyPanel::GetAlign, &TMyPanel::SetAlign).Default(alNone);
//     b.Property("OnClick", &TMyPanel::FOnClick);                 // a field
//     b.Property("Count", &TMyPanel::GetCount,
//     &TMyPanel::SetCount).Stored(&TMyPanel::IsCountStored); b.Method("ButtonClick",
//     &TMyPanel::ButtonClick);
//     b.Field("bbOk", &TMyForm::bbOk);  // bound to the child named bbOk when read
//   }
#pragma once

#include <functional>
#include <type_traits>

#include "platform/core/collection.h"
#include "platform/core/component.h"
#include "platform/core/exceptions.h"
#include "platform/core/object.h"

namespace tabulon {

namespace detail {
template <class T>
inline constexpr bool kIsOrdinal = std::is_integral_v<T> || std::is_enum_v<T> || IsSet<T>::value;

template <class R>
int64_t ToOrd(const R& v) {
  if constexpr (IsSet<R>::value)
    return static_cast<int64_t>(v.ToInt());
  else
    return static_cast<int64_t>(v);
}
template <class R>
R FromOrd(int64_t v) {
  if constexpr (IsSet<R>::value)
    return R::FromInt(static_cast<uint64_t>(v));
  else if constexpr (std::is_same_v<R, bool>)
    return v != 0;
  else
    return static_cast<R>(v);
}
[[noreturn]] void ThrowInvalidCast();
[[noreturn]] void ThrowMethodMismatch(const std::string& prop);
}  // namespace detail

template <class T>
class ClassBuilder {
 public:
  explicit ClassBuilder(TClass& cls) : cls_(cls) {
    cls.abstract_ = std::is_abstract_v<T>;
    if constexpr (std::is_base_of_v<TComponent, T>)
      cls.overridesNotification_ = !std::is_same_v<decltype(&T::Notification),
                                                   void (TComponent::*)(TComponent*, TOperation)>;
    if constexpr (!std::is_abstract_v<T>) {
      if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*>) {
        cls.componentFactory_ = [](TComponent* owner) -> TComponent* { return new T(owner); };
      } else if constexpr (std::is_base_of_v<TCollectionItem, T> &&
                           std::is_constructible_v<T, TCollection*>) {
        cls.itemFactory_ = [](TCollection* c) -> TCollectionItem* {
          T* item = new T(c);
          item->SetCollection(c);
          return item;
        };
      }
      if constexpr (std::is_default_constructible_v<T>)
        cls.defaultFactory_ = []() -> TObject* { return new T(); };
    }
  }

  /// Marks the class as an implementation helper (see TClass::IsInternal).
  void Internal() { cls_.internal_ = true; }

  /// Fluent settings of the property just declared.
  class Prop {
   public:
    explicit Prop(TPropInfo& p) : p_(p) {}
    /// The default value of an ordinal property; equal values are not written.
    template <class V>
    Prop& Default(V v) {
      p_.HasDefault = true;
      p_.Default = detail::ToOrd(v);
      return *this;
    }
    /// An ordinal property without default: always written.
    Prop& NoDefault() {
      p_.HasDefault = false;
      return *this;
    }
    /// Stored always (true) or never (false).
    Prop& Stored(bool stored) {
      p_.Stored = stored ? srAlways : srNever;
      return *this;
    }
    /// Stored when the predicate member function returns true.
    Prop& Stored(bool (T::*pred)() const, std::string name = "predicate") {
      p_.Stored = srPredicate;
      p_.StoredName = std::move(name);
      p_.StoredFn = [pred](const TObject* o) { return (static_cast<const T*>(o)->*pred)(); };
      return *this;
    }
    Prop& Stored(std::function<bool(const T*)> pred, std::string name = "predicate") {
      p_.Stored = srPredicate;
      p_.StoredName = std::move(name);
      p_.StoredFn = [pred](const TObject* o) { return pred(static_cast<const T*>(o)); };
      return *this;
    }
    const TPropInfo& Info() const { return p_; }

   private:
    TPropInfo& p_;
  };

  /// A published property read by `getter` (member function or field) and
  /// written by `setter` (member function, field, or nullptr for read-only).
  template <class G, class S = std::nullptr_t>
  Prop Property(std::string name, G getter, S setter = nullptr) {
    using R = std::remove_cvref_t<std::invoke_result_t<G, T*>>;
    TPropInfo& p = NewProp(std::move(name), TypeInfoOf<R>());
    auto get = [getter](const TObject* o) -> R {
      return std::invoke(getter, const_cast<T*>(static_cast<const T*>(o)));
    };
    std::function<void(TObject*, R)> set;
    if constexpr (std::is_member_object_pointer_v<G> && std::is_same_v<S, std::nullptr_t>) {
      set = [getter](TObject* o, R v) { static_cast<T*>(o)->*getter = std::move(v); };
    } else if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      if constexpr (std::is_member_object_pointer_v<S>)
        set = [setter](TObject* o, R v) { static_cast<T*>(o)->*setter = std::move(v); };
      else
        set = [setter](TObject* o, R v) { std::invoke(setter, static_cast<T*>(o), std::move(v)); };
    }
    Bind<R>(p, get, set);
    return Prop(p);
  }

  /// An indexed published property: the getter and setter take `index` first.
  template <class G, class S>
  Prop IndexedProperty(std::string name, int index, G getter, S setter) {
    using R = std::remove_cvref_t<std::invoke_result_t<G, T*, int>>;
    TPropInfo& p = NewProp(std::move(name), TypeInfoOf<R>());
    p.Index = index;
    auto get = [getter, index](const TObject* o) -> R {
      return std::invoke(getter, const_cast<T*>(static_cast<const T*>(o)), index);
    };
    std::function<void(TObject*, R)> set;
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      set = [setter, index](TObject* o, R v) {
        std::invoke(setter, static_cast<T*>(o), index, std::move(v));
      };
    Bind<R>(p, get, set);
    return Prop(p);
  }

  /// A published method that form files may bind events to by name.
  template <class C, class... A>
  void Method(std::string name, void (C::*member)(A...)) {
    auto m = std::make_unique<TMethodInfo>();
    m->Name = std::move(name);
    m->Signature = &typeid(void(A...));
    m->Key = TMethodKey::ForMember(typeid(C), member);
    m->Bind = [member](TObject* o) {
      return TEvent<A...>(static_cast<C*>(dynamic_cast<T*>(o)), member).ToMethod();
    };
    cls_.ownMethods_.push_back(std::move(m));
  }

  /// A published field: after a form file is read into an instance, the
  /// owned component named `name` is stored into `member` (a pointer to a
  /// component class); a component of another class raises EInvalidCast.
  template <class C>
  void Field(std::string name, C* T::*member) {
    auto f = std::make_unique<TFieldInfo>();
    f->Name = std::move(name);
    f->ClassType = &C::StaticClass;
    f->Set = [member](TObject* o, TObject* v) {
      C* typed = v ? dynamic_cast<C*>(v) : nullptr;
      if (v && !typed) detail::ThrowInvalidCast();
      static_cast<T*>(o)->*member = typed;
    };
    f->Get = [member](const TObject* o) -> TObject* { return static_cast<const T*>(o)->*member; };
    cls_.ownFields_.push_back(std::move(f));
  }

 private:
  TPropInfo& NewProp(std::string name, const TTypeInfo* type) {
    auto p = std::make_unique<TPropInfo>();
    p->Name = std::move(name);
    p->PropType = type;
    p->Owner = &cls_;
    cls_.ownProps_.push_back(std::move(p));
    return *cls_.ownProps_.back();
  }

  template <class R, class Get>
  void Bind(TPropInfo& p, Get get, std::function<void(TObject*, R)> set) {
    p.ReadOnly = !set;
    if constexpr (detail::kIsOrdinal<R>) {
      p.GetOrd = [get](const TObject* o) { return detail::ToOrd(get(o)); };
      if (set) p.SetOrd = [set](TObject* o, int64_t v) { set(o, detail::FromOrd<R>(v)); };
    } else if constexpr (std::is_floating_point_v<R>) {
      p.GetFloat = [get](const TObject* o) { return static_cast<long double>(get(o)); };
      if (set) p.SetFloat = [set](TObject* o, long double v) { set(o, static_cast<R>(v)); };
    } else if constexpr (std::is_same_v<R, std::string>) {
      p.GetStr = [get](const TObject* o) { return get(o); };
      if (set) p.SetStr = [set](TObject* o, const std::string& v) { set(o, v); };
    } else if constexpr (detail::IsEvent<R>::value) {
      p.GetMethod = [get](const TObject* o) { return get(o).ToMethod(); };
      if (set) {
        std::string name = p.Name;
        p.SetMethod = [set, name](TObject* o, const TMethod& m) {
          R ev;
          if (!R::FromMethod(m, ev)) detail::ThrowMethodMismatch(name);
          set(o, ev);
        };
      }
    } else if constexpr (std::is_pointer_v<R>) {
      p.GetObj = [get](const TObject* o) -> TObject* { return get(o); };
      if (set) {
        p.SetObj = [set](TObject* o, TObject* v) {
          R typed = v ? dynamic_cast<R>(v) : nullptr;
          if (v && !typed) detail::ThrowInvalidCast();
          set(o, typed);
        };
      }
    } else if constexpr (std::is_same_v<R, Variant>) {
      p.GetVar = [get](const TObject* o, Variant& out) { out = get(o); };
      if (set) p.SetVar = [set](TObject* o, const Variant& v) { set(o, v); };
    } else {
      static_assert(sizeof(R) == 0, "unsupported published property type");
    }
  }

  TClass& cls_;
};

namespace detail {
template <class T>
const TClass* BuildClass(const char* name) {
  auto* cls =
      new TClass(ShortTypeName(name), T::inherited::StaticClass());  // lives for the process
  ClassBuilder<T> b(*cls);
  T::DescribeClass(b);
  return cls;
}
}  // namespace detail

}  // namespace tabulon
