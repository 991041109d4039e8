// The in-memory clipboard.
#include "platform/forms/clipboard.h"

#include <memory>

#include "platform/core/class_builder.h"

namespace tabulon {

void TClipboard::SetAsText(const std::string& v) {
  text_ = v;
  hasText_ = true;
  ++changes_;
  OnChange(this);
}

void TClipboard::Clear() {
  text_.clear();
  hasText_ = false;
  ++changes_;
  OnChange(this);
}

TClipboard* Clipboard() {
  static std::unique_ptr<TClipboard> c(new TClipboard());
  return c.get();
}

TBN_REGISTER(TClipboard) {
  b.Property("AsText", &TClipboard::GetAsText, &TClipboard::SetAsText).Stored(false);
}

}  // namespace tabulon
