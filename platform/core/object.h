// The object model: TObject, class descriptors (TClass) with their published
// properties and methods, and the class registry through which form files
// create components from class names.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/typeinfo.h"

namespace tabulon {

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;
template <class T>
class ClassBuilder;

/// How a property decides whether it is written to a form file.
enum TStoredRule { srAlways, srNever, srPredicate };

/// Descriptor of one published property.
struct TPropInfo {
  std::string Name;                     // property name as written in form files
  const TTypeInfo* PropType = nullptr;  // type of the property
  const TClass* Owner = nullptr;        // class that declares the property
  int NameIndex = 0;                    // position in the class's full property list
  int Index = INT32_MIN;                // index of an indexed property; INT32_MIN when none
  bool HasDefault = false;              // ordinal default given (else "nodefault")
  int64_t Default = 0;                  // ordinal default value
  bool ReadOnly = false;                // no setter
  TStoredRule Stored = srAlways;        // stored rule
  std::string StoredName;               // name of the stored predicate, for listings
  std::function<bool(const TObject*)> StoredFn;

  // Accessors; only those of the property's kind are set.
  std::function<int64_t(const TObject*)> GetOrd;
  std::function<void(TObject*, int64_t)> SetOrd;
  std::function<long double(const TObject*)> GetFloat;
  std::function<void(TObject*, long double)> SetFloat;
  std::function<std::string(const TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<TObject*(const TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;
  std::function<TMethod(const TObject*)> GetMethod;
  std::function<void(TObject*, const TMethod&)> SetMethod;
  std::function<void(const TObject*, Variant&)> GetVar;
  std::function<void(TObject*, const Variant&)> SetVar;

  TTypeKind Kind() const { return PropType ? PropType->Kind : tkUnknown; }
  /// Whether the stored rule lets the property be written for `instance`.
  bool IsStored(const TObject* instance) const;
};

/// Descriptor of one published method (a target for events in form files).
struct TMethodInfo {
  std::string Name;                           // method name as written in form files
  const std::type_info* Signature = nullptr;  // typeid(void(Args...))
  TMethodKey Key;                             // identity of the member function
  std::function<TMethod(TObject*)> Bind;      // the method pointer for an instance
};

/// Descriptor of one published field: a component reference of the class
/// that form loading sets to the owned component of the same name.
struct TFieldInfo {
  std::string Name;                             // component name the field binds to
  const TClass* (*ClassType)() = nullptr;       // class the component must have
  std::function<void(TObject*, TObject*)> Set;  // stores the component into the field
  std::function<TObject*(const TObject*)> Get;  // reads the field
};

/// Class descriptor: name, parent, virtual constructors, published members.
class TClass {
 public:
  TClass(std::string name, const TClass* parent) : name_(std::move(name)), parent_(parent) {}
  TClass(const TClass&) = delete;
  TClass& operator=(const TClass&) = delete;

  const std::string& ClassName() const { return name_; }
  const TClass* ClassParent() const { return parent_; }
  bool InheritsFrom(const TClass* other) const;

  /// Creates a component of this class; EComponentError when the class is no
  /// creatable component class.
  TComponent* CreateComponent(TComponent* owner) const;
  /// Creates a collection item of this class in `collection` (added to it).
  TCollectionItem* CreateItem(TCollection* collection) const;
  /// Creates an instance with the default constructor, when the class has one.
  TObject* CreateInstance() const;
  bool IsComponentClass() const { return static_cast<bool>(componentFactory_); }
  bool IsItemClass() const { return static_cast<bool>(itemFactory_); }
  bool IsAbstract() const { return abstract_; }
  /// Whether the class is an implementation helper of the framework:
  /// registered like any class, but not one of the classes it offers.
  bool IsInternal() const { return internal_; }
  /// Whether the class (or an ancestor below TComponent) overrides
  /// TComponent::Notification; owners skip forwarding to components that do
  /// not and have nothing of their own to update.
  bool OverridesNotification() const { return overridesNotification_; }

  /// Published properties, inherited first, in declaration order.
  const std::vector<const TPropInfo*>& Properties() const;
  /// The property of that name (case-insensitive), or null.
  const TPropInfo* FindProperty(std::string_view name) const;
  /// Published methods of this class and its ancestors.
  std::vector<const TMethodInfo*> Methods() const;
  /// The published method of that name (case-insensitive), or null.
  const TMethodInfo* FindMethod(std::string_view name) const;
  /// The name of the published method `m` refers to on `instance`, or "".
  std::string MethodName(const TObject* instance, const TMethod& m) const;
  /// The published field of that name (case-insensitive) of this class or an
  /// ancestor, or null.
  const TFieldInfo* FindField(std::string_view name) const;
  /// Published fields declared by this class itself.
  const std::vector<std::unique_ptr<TFieldInfo>>& OwnFields() const { return ownFields_; }
  /// Properties declared by this class itself.
  const std::vector<std::unique_ptr<TPropInfo>>& OwnProperties() const { return ownProps_; }
  const std::vector<std::unique_ptr<TMethodInfo>>& OwnMethods() const { return ownMethods_; }

 private:
  template <class T>
  friend class ClassBuilder;
  friend struct ClassFactoryAccess;

  std::string name_;
  const TClass* parent_;
  bool abstract_ = false;
  bool internal_ = false;
  bool overridesNotification_ = false;
  std::function<TComponent*(TComponent*)> componentFactory_;
  std::function<TCollectionItem*(TCollection*)> itemFactory_;
  std::function<TObject*()> defaultFactory_;
  std::vector<std::unique_ptr<TPropInfo>> ownProps_;
  std::vector<std::unique_ptr<TMethodInfo>> ownMethods_;
  std::vector<std::unique_ptr<TFieldInfo>> ownFields_;
  mutable std::vector<const TPropInfo*> allProps_;
  mutable bool propsBuilt_ = false;
  mutable std::map<std::string, const TPropInfo*> propIndex_;  // upper-cased names
};

/// Root of the class hierarchy; every class carries a class descriptor.
class TObject {
 public:
  using ThisClass = TObject;
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClass* StaticClass();
  virtual const TClass* ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType()->ClassName(); }
  bool InheritsFrom(const TClass* cls) const { return ClassType()->InheritsFrom(cls); }
  template <class T>
  bool Is() const {
    return dynamic_cast<const T*>(this) != nullptr;
  }
  /// Runs before the destructor while the object is still whole; components
  /// mark themselves as destroying here.
  virtual void BeforeDestruction() {}
  /// Frees an object the framework's way: BeforeDestruction, then delete.
  /// Freeing null does nothing.
  static void Free(TObject* obj);
};

/// Registers a class for lookup by name (done automatically by TBN_REGISTER).
/// Registering a second, different class under a name already taken raises
/// EFilerError "A class named %s already exists".
void RegisterClass(const TClass* cls);
/// The registered class of that name (case-insensitive), or null.
const TClass* GetClass(std::string_view name);
/// The registered class of that name; EClassNotFound "Class %s not found" when absent.
const TClass* FindClass(std::string_view name);
/// All registered classes, sorted by name.
std::vector<const TClass*> RegisteredClasses();

/// Case-insensitive comparison of ASCII identifiers.
bool SameText(std::string_view a, std::string_view b) noexcept;
/// Whether `s` is a valid identifier (a letter or _, then letters, digits, _).
bool IsValidIdent(std::string_view s) noexcept;

namespace detail {
struct AutoRegister {
  explicit AutoRegister(const TClass* (*get)()) { RegisterClass(get()); }
};
template <class T>
const TClass* BuildClass(const char* name);
}  // namespace detail

}  // namespace tabulon

/// Declares class information inside a class body:
/// Every class must declare it, also one that only overrides a virtual method:
///   class TMyComponent : public TComponent {
///     TBN_CLASS(TMyComponent, TComponent)
///    public: ...
#define TBN_CLASS(Cls, Parent)                                                  \
 public:                                                                        \
  using inherited = Parent;                                                     \
  using ThisClass = Cls;                                                        \
  static const ::tabulon::TClass* StaticClass();                                \
  const ::tabulon::TClass* ClassType() const override { return StaticClass(); } \
  static void DescribeClass(::tabulon::ClassBuilder<Cls>& b);                   \
                                                                                \
 private:

#define TBN_CAT2(a, b) a##b
#define TBN_CAT(a, b) TBN_CAT2(a, b)

/// Defines the class information declared by TBN_CLASS and registers the
/// class; the braces that follow describe its published members:
///   TBN_REGISTER(TMyComponent) { b.Property("Tag", &TMyComponent::GetTag, ...); }
#define TBN_REGISTER(Cls)                                                            \
  const ::tabulon::TClass* Cls::StaticClass() {                                      \
    static const ::tabulon::TClass* cls = ::tabulon::detail::BuildClass<Cls>(#Cls);  \
    return cls;                                                                      \
  }                                                                                  \
  static const ::tabulon::detail::AutoRegister TBN_CAT(tbnAutoRegister_,             \
                                                       __LINE__){&Cls::StaticClass}; \
  void Cls::DescribeClass([[maybe_unused]] ::tabulon::ClassBuilder<Cls>& b)
