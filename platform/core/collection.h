// TCollection and TCollectionItem: an owned, ordered list of items of one
// class, streamed as a collection and notifying its owner through Update.
#pragma once

#include <string>
#include <vector>

#include "platform/core/persistent.h"

namespace tabulon {

class TCollection;

/// One item of a collection. Items are made by TCollection::Add (or the
/// streaming of a collection): the item is constructed completely first and
/// only then joins its collection, so the collection's Update already sees a
/// whole item.
class TCollectionItem : public TPersistent {
  TBN_CLASS(TCollectionItem, TPersistent)
 public:
  /// Constructs the item for `collection` without joining it yet.
  explicit TCollectionItem(TCollection* collection);
  /// Leaves the collection (which then reports the change).
  ~TCollectionItem() override;

  TCollection* GetCollection() const { return collection_; }
  /// Moves the item from its collection into `collection` (null: leave it).
  void SetCollection(TCollection* collection);
  /// Position in the collection; -1 without a collection.
  int GetIndex() const;
  /// Moves the item to `index`; EListError when out of range.
  virtual void SetIndex(int index);
  /// A number unique within the collection, given when the item joins it.
  int GetID() const { return id_; }
  virtual std::string GetDisplayName() const { return ClassName(); }
  virtual void SetDisplayName(const std::string&) {}
  std::string GetNamePath() const override;
  TPersistent* GetOwner() const override;

 protected:
  /// Reports a change of this item (or of all items) to the collection,
  /// unless the collection is inside BeginUpdate.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

/// An ordered list of owned items of one item class.
class TCollection : public TPersistent {
  TBN_CLASS(TCollection, TPersistent)
 public:
  /// A collection of items of class `itemClass` (a TCollectionItem class).
  explicit TCollection(const TClass* itemClass);
  ~TCollection() override;

  /// Appends a new item of the item class and returns it.
  TCollectionItem* Add();
  /// Makes a new item at `index` and returns it.
  TCollectionItem* Insert(int index);
  /// Frees item `index`.
  void Delete(int index);
  /// Frees every item, reporting one change.
  void Clear();
  void BeginUpdate() { ++updateCount_; }
  /// Ends an update; the outermost EndUpdate reports one change (Update(nullptr)).
  virtual void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  int Count() const { return static_cast<int>(items_.size()); }
  /// Item `index`; EListError "List index out of bounds (%d)" when out of range.
  TCollectionItem* GetItem(int index) const;
  /// Assigns `value` into item `index`.
  void SetItem(int index, TCollectionItem* value);
  TCollectionItem* FindItemID(int id) const;
  const TClass* ItemClass() const { return itemClass_; }

  void Assign(TPersistent* source) override;
  std::string GetNamePath() const override;
  /// The name of the owner's published property that holds this collection.
  std::string GetPropName() const;

 protected:
  /// Reports a change: Update(nullptr) unless inside BeginUpdate.
  void Changed();
  /// Called after a change of `item` (null: of the collection as a whole).
  virtual void Update(TCollectionItem* item);

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  const TClass* itemClass_;
  std::vector<TCollectionItem*> items_;  // owned
  int updateCount_ = 0;
  int nextID_ = 0;
};

/// A collection that reports a persistent owner (for name paths and streaming).
class TOwnedCollection : public TCollection {
  TBN_CLASS(TOwnedCollection, TCollection)
 public:
  TOwnedCollection(TPersistent* owner, const TClass* itemClass)
      : TCollection(itemClass), owner_(owner) {}
  TPersistent* GetOwner() const override { return owner_; }

 private:
  TPersistent* owner_;
};

}  // namespace tabulon
