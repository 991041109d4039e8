// Small component classes shared by the core tests.
#pragma once

#include <string>
#include <vector>

#include "platform/core/collection.h"
#include "platform/core/component.h"
#include "platform/core/strings.h"

namespace tabulon::test {

enum TShade { shLight, shMedium, shDark };
enum TFlavour { flSweet, flSour, flBitter };
using TFlavours = TSet<TFlavour>;

/// A component that records what it is told and keeps one reference.
class TProbe : public TComponent {
  TBN_CLASS(TProbe, TComponent)
 public:
  explicit TProbe(TComponent* owner) : TComponent(owner) {}
  ~TProbe() override;

  TProbe* GetBuddy() const { return buddy_; }
  void SetBuddy(TProbe* b) {
    if (buddy_ == b) return;
    if (buddy_) buddy_->RemoveFreeNotification(this);
    buddy_ = b;
    if (b) b->FreeNotification(this);
  }
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove && c == buddy_) buddy_ = nullptr;
    if (log) log->push_back(GetName() + (op == opRemove ? ":remove " : ":insert ") + c->GetName());
    TComponent::Notification(c, op);
  }
  void Loaded() override {
    TComponent::Loaded();
    if (log) log->push_back(GetName() + ":loaded");
  }

  TShade GetShade() const { return shade_; }
  void SetShade(TShade s) { shade_ = s; }
  TFlavours GetFlavours() const { return flavours_; }
  void SetFlavours(TFlavours f) { flavours_ = f; }
  double GetWeight() const { return weight_; }
  void SetWeight(double w) { weight_ = w; }
  std::string GetCaption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  bool IsCaptionStored() const { return caption_ != "none"; }
  int GetSize(int i) const { return sizes_[i]; }
  void SetSize(int i, int v) { sizes_[i] = v; }
  void Clicked(TObject* sender) { clickedBy = sender; }
  void Other(TObject*) {}

  TNotifyEvent OnPoke;
  std::vector<std::string>* log = nullptr;  // where notifications are recorded
  TObject* clickedBy = nullptr;

 private:
  TProbe* buddy_ = nullptr;
  TShade shade_ = shMedium;
  TFlavours flavours_{flSweet};
  double weight_ = 0;
  std::string caption_;
  int sizes_[2] = {0, 0};
};

class TCountingCollection : public TCollection {
  TBN_CLASS(TCountingCollection, TCollection)
 public:
  TCountingCollection();
  std::vector<TCollectionItem*> updates;  // arguments of each Update call

 protected:
  void Update(TCollectionItem* item) override { updates.push_back(item); }
};

class TPlainItem : public TCollectionItem {
  TBN_CLASS(TPlainItem, TCollectionItem)
 public:
  explicit TPlainItem(TCollection* c)
      : TCollectionItem(c), sawCollectionCount(c ? c->Count() : -1) {}
  int GetValue() const { return value_; }
  void SetValue(int v) {
    if (v == value_) return;
    value_ = v;
    Changed(false);
  }
  void Assign(TPersistent* source) override {
    if (auto* p = dynamic_cast<TPlainItem*>(source)) {
      SetValue(p->value_);
      return;
    }
    TCollectionItem::Assign(source);
  }
  int sawCollectionCount;  // collection size seen by the constructor

 private:
  int value_ = 0;
};

}  // namespace tabulon::test

TBN_ENUM(tabulon::test::TShade, "shLight", "shMedium", "shDark");
TBN_ENUM(tabulon::test::TFlavour, "flSweet", "flSour", "flBitter");
