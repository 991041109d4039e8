#include "tests/platform/core/test_classes.h"

#include "platform/core/class_builder.h"

namespace tabulon::test {

TProbe::~TProbe() = default;

TBN_REGISTER(TProbe) {
  b.Property("Shade", &TProbe::GetShade, &TProbe::SetShade).Default(shMedium);
  b.Property("Flavours", &TProbe::GetFlavours, &TProbe::SetFlavours).Default(TFlavours{flSweet});
  b.Property("Weight", &TProbe::GetWeight, &TProbe::SetWeight);
  b.Property("Caption", &TProbe::GetCaption, &TProbe::SetCaption)
      .Stored(&TProbe::IsCaptionStored, "IsCaptionStored");
  b.Property("Buddy", &TProbe::GetBuddy, &TProbe::SetBuddy);
  b.IndexedProperty("Width", 0, &TProbe::GetSize, &TProbe::SetSize).Default(0);
  b.IndexedProperty("Height", 1, &TProbe::GetSize, &TProbe::SetSize).Default(0);
  b.Property("OnPoke", &TProbe::OnPoke);
  b.Method("Clicked", &TProbe::Clicked);
  b.Method("Other", &TProbe::Other);
}

TCountingCollection::TCountingCollection() : TCollection(TPlainItem::StaticClass()) {}

TBN_REGISTER(TCountingCollection) {}
TBN_REGISTER(TPlainItem) {
  b.Property("Value", &TPlainItem::GetValue, &TPlainItem::SetValue).Default(0);
}

}  // namespace tabulon::test
