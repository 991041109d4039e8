// TQXFinder, its data link and its index object.
#include "run/tbnfinder/finder.h"

#include "platform/core/class_builder.h"
#include "platform/db/dataset.h"

namespace tabulon {

TBN_REGISTER(TDBFinderDataLink) {}
TBN_REGISTER(TQXFinderIndex) {}

TBN_REGISTER(TQXFinder) {
  b.Property("DataSet", &TQXFinder::GetDataSet, &TQXFinder::SetDataSet);
  b.Property("DataSource", &TQXFinder::GetDataSource, &TQXFinder::SetDataSource);
  b.Property("DataSetIndex", &TQXFinder::GetDataSetIndex, &TQXFinder::SetDataSetIndex);
  b.Property("LocaleID", &TQXFinder::GetLocaleID, &TQXFinder::SetLocaleID).Default(1024);
}

// ---- TDBFinderDataLink ----

TDBFinderDataLink::~TDBFinderDataLink() { FFinder = nullptr; }

void TDBFinderDataLink::ActiveChanged() {
  if (FFinder) FFinder->ActiveChanged();
}

void TDBFinderDataLink::LayoutChanged() {
  if (FFinder) FFinder->LayoutChanged();
}

// ---- TQXFinderIndex ----

TDataSet* TQXFinderIndex::GetDataSet() {
  if (!FFinder) return nullptr;
  TDataSource* source = FFinder->GetDataSource();
  TDataSet* ds = source ? source->GetDataSet() : FFinder->GetDataSet();
  // A dataset being destroyed tells its links while it is half gone: the
  // index lets it go instead of reading it.
  return ds && !ds->ComponentState().Contains(csDestroying) ? ds : nullptr;
}

TPersistent* TQXFinderIndex::GetOwner() const { return FFinder; }

// ---- TQXFinder ----

TQXFinder::TQXFinder(TComponent* owner)
    : TComponent(owner),
      FDataLink(std::make_unique<TDBFinderDataLink>(this)),
      FDataSetIndex(std::make_unique<TQXFinderIndex>(this)) {}

TQXFinder::~TQXFinder() {
  // Nothing the link hears from here on concerns a finder being destroyed.
  FDataLink->FFinder = nullptr;
  if (!FUseDataSource && FDataLink->GetDataSource()) {
    FUseDataSource = true;
    FreeOwnDataSource();
  }
  FDataSetIndex.reset();
  FDataLink.reset();
}

TDataSet* TQXFinder::GetDataSet() const {
  if (FUseDataSource) return nullptr;
  TDataSource* own = FDataLink->GetDataSource();
  return own ? own->GetDataSet() : nullptr;
}

void TQXFinder::SetDataSet(TDataSet* value) {
  if (value == GetDataSet()) return;
  if (FUseDataSource) {
    FDataLink->SetDataSource(new TDataSource(nullptr));
    FUseDataSource = false;
  }
  if (value) value->FreeNotification(this);
  FDataLink->GetDataSource()->SetDataSet(value);
  FDataSetIndex->UpdateDataSet();
}

TDataSource* TQXFinder::GetDataSource() const {
  return FUseDataSource ? FDataLink->GetDataSource() : nullptr;
}

void TQXFinder::SetDataSource(TDataSource* value) {
  if (value == GetDataSource()) return;
  if (!FUseDataSource) {
    FUseDataSource = true;
    FreeOwnDataSource();
  }
  if (value) value->FreeNotification(this);
  FDataLink->SetDataSource(value);
  FDataSetIndex->UpdateDataSet();
}

void TQXFinder::FreeOwnDataSource() {
  TDataSource* own = FDataLink->GetDataSource();
  if (!own) return;
  own->SetDataSet(nullptr);
  FDataLink->SetDataSource(nullptr);
  TObject::Free(own);
}

void TQXFinder::SetDataSetIndex(TDataSetIndex* value) {
  if (value && value != FDataSetIndex.get()) FDataSetIndex->Assign(value);
}

bool TQXFinder::FindKey(std::initializer_list<TQXKey> keys) {
  return FindRecord(keys, dsoFirstEQ, dgoNone);
}

bool TQXFinder::FindNearest(std::initializer_list<TQXKey> keys) {
  return FindRecord(keys, dsoAfterEQ, dgoLast);
}

bool TQXFinder::FindRecord(std::initializer_list<TQXKey> keys, TQXSeekOption seekOption,
                           TQXGotoOption gotoOption) {
  return FDataSetIndex->Seek(QXKeysToVariant(keys), seekOption, gotoOption);
}

bool TQXFinder::Seek(const Variant& keyValues, TQXSeekOption seekOption) {
  const bool before = seekOption == dsoBeforeEQ || seekOption == dsoBefore;
  return FDataSetIndex->Seek(keyValues, seekOption, before ? dgoFirst : dgoLast);
}

bool TQXFinder::SeekEx(const Variant& keyValues, TQXSeekOption seekOption,
                       TQXGotoOption gotoOption) {
  return FDataSetIndex->Seek(keyValues, seekOption, gotoOption);
}

void TQXFinder::ActiveChanged() {
  FDataSetIndex->UpdateDataSet();
  FDataSetIndex->UpdateIndex();
}

void TQXFinder::LayoutChanged() {
  FDataSetIndex->UpdateDataSet();
  FDataSetIndex->UpdateIndex();
}

void TQXFinder::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || !component) return;
  if (component == GetDataSource())
    SetDataSource(nullptr);
  else if (component == GetDataSet())
    SetDataSet(nullptr);
}

}  // namespace tabulon
