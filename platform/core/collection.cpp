#include "platform/core/collection.h"

#include <algorithm>

#include "platform/core/class_builder.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"

namespace tabulon {

TBN_REGISTER(TCollectionItem) {}
TBN_REGISTER(TCollection) {}
TBN_REGISTER(TOwnedCollection) {}

namespace {
[[noreturn]] void IndexError(int index) {
  throw EListError(Format(ResStr("SListIndexError"), {index}));
}
}  // namespace

// --- TCollectionItem ----------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection*) {}

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection_ == collection) return;
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::GetIndex() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  int cur = GetIndex();
  if (cur < 0 || cur == index) return;
  auto& items = collection_->items_;
  if (index < 0 || index >= static_cast<int>(items.size())) IndexError(index);
  items.erase(items.begin() + cur);
  items.insert(items.begin() + index, this);
  Changed(true);
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_ && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

std::string TCollectionItem::GetNamePath() const {
  if (!collection_) return ClassName();
  return Format("%s[%d]", {collection_->GetNamePath(), GetIndex()});
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

// --- TCollection --------------------------------------------------------------

TCollection::TCollection(const TClass* itemClass) : itemClass_(itemClass) {}

TCollection::~TCollection() {
  updateCount_ = 1;  // no change reports while the collection dies
  Clear();
}

TCollectionItem* TCollection::Add() { return itemClass_->CreateItem(this); }

TCollectionItem* TCollection::Insert(int index) {
  BeginUpdate();
  TCollectionItem* item = nullptr;
  try {
    item = Add();
    item->SetIndex(index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

void TCollection::Delete(int index) { delete GetItem(index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

void TCollection::EndUpdate() {
  --updateCount_;
  Changed();
}

TCollectionItem* TCollection::GetItem(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return items_[static_cast<size_t>(index)];
}

void TCollection::SetItem(int index, TCollectionItem* value) { GetItem(index)->Assign(value); }

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TCollection*>(source)) {
    BeginUpdate();
    try {
      Clear();
      for (TCollectionItem* item : other->items_) Add()->Assign(item);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

std::string TCollection::GetPropName() const {
  TPersistent* owner = GetOwner();
  if (!owner) return {};
  for (const TPropInfo* p : owner->ClassType()->Properties())
    if (p->Kind() == tkClass && p->GetObj && p->GetObj(owner) == this) return p->Name;
  return {};
}

std::string TCollection::GetNamePath() const {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  std::string s = owner->GetNamePath();
  if (s.empty()) return ClassName();
  std::string prop = GetPropName();
  return prop.empty() ? s : s + "." + prop;
}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::InsertItem(TCollectionItem* item) {
  if (!item->InheritsFrom(itemClass_)) throw EListError(ResStr("SInvalidPropertyValue"));
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextID_++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed();
}

}  // namespace tabulon
