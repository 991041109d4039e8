// TStrings and TStringList: lists of texts with associated objects, sorting,
// duplicates handling, line and comma text, name=value pairs and change events.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/persistent.h"

namespace tabulon {

/// How a sorted string list treats a duplicate.
enum TDuplicates { dupIgnore, dupAccept, dupError };

/// Abstract list of strings with objects.
class TStrings : public TPersistent {
  TBN_CLASS(TStrings, TPersistent)
 public:
  TStrings() = default;
  virtual int Count() const = 0;
  /// String `index`; EStringListError "List index out of bounds (%d)" when out of range.
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* obj);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void InsertObject(int index, const std::string& s, TObject* obj);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const std::string& s);
  virtual int AddObject(const std::string& s, TObject* obj);
  void Append(const std::string& s) { Add(s); }
  virtual void AddStrings(const TStrings* strings);
  virtual void Exchange(int a, int b);
  virtual void Move(int from, int to);
  /// Index of the first string equal to `s` (case-insensitive in the base), or -1.
  virtual int IndexOf(const std::string& s) const;
  int IndexOfObject(const TObject* obj) const;
  int IndexOfName(const std::string& name) const;
  bool Equals(const TStrings* other) const;

  std::string GetStrings(int index) const { return Get(index); }
  void SetStrings(int index, const std::string& s) { Put(index, s); }
  TObject* GetObjects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* obj) { PutObject(index, obj); }
  /// The part before '=' of string `index`.
  std::string GetNames(int index) const;
  /// The text after "name=" of the first string with that name, or "".
  std::string GetValues(const std::string& name) const;
  /// Sets "name=value", adding it when absent; an empty value deletes the entry.
  void SetValues(const std::string& name, const std::string& value);

  /// All strings, each followed by a line break.
  virtual std::string GetText() const;
  /// Replaces the contents with the lines of `text` (CR, LF or CR LF breaks).
  virtual void SetText(const std::string& text);
  /// The strings separated by commas, quoted with '"' where needed.
  std::string GetCommaText() const;
  void SetCommaText(const std::string& text);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void Assign(TPersistent* source) override;

 protected:
  /// Called with true when the outermost BeginUpdate starts, false when it ends.
  virtual void SetUpdateState(bool) {}
  [[noreturn]] void Error(const std::string& key, int index) const;
  /// Compares two strings as IndexOf and sorting do.
  virtual int CompareStrings(const std::string& a, const std::string& b) const;

 private:
  int updateCount_ = 0;
};

/// A string list in memory, optionally sorted.
class TStringList : public TStrings {
  TBN_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* obj) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* obj) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* obj) override;
  void Exchange(int a, int b) override;
  int IndexOf(const std::string& s) const override;
  /// Binary search of a sorted list: true when found; `index` is the position
  /// of the match or where `s` would be inserted.
  bool Find(const std::string& s, int& index) const;
  void Sort();
  void CustomSort(const std::function<int(TStringList*, int, int)>& compare);

  bool GetSorted() const { return sorted_; }
  void SetSorted(bool value);
  TDuplicates GetDuplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }
  bool GetCaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool value);

  TNotifyEvent OnChange;    // after every change (outside BeginUpdate)
  TNotifyEvent OnChanging;  // before every change (outside BeginUpdate)

 protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(const std::string& a, const std::string& b) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct Item {
    std::string Text;
    TObject* Object = nullptr;
  };
  void InsertItem(int index, const std::string& s, TObject* obj);
  void CheckIndex(int index) const;
  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

/// Compares texts ignoring case as string lists do; ICU-based collation is
/// installed here by the locale layer, the default folds ASCII letters only.
using TStringCompare = int (*)(const std::string& a, const std::string& b, bool caseSensitive);
void SetStringListCompare(TStringCompare compare);

}  // namespace tabulon

TBN_ENUM(tabulon::TDuplicates, "dupIgnore", "dupAccept", "dupError");
