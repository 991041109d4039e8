// The image control.
#include "platform/controls/image.h"

#include "platform/core/class_builder.h"

namespace tabulon {

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TBitmap>()) {
  SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
  SetBounds(0, 0, 105, 105);
  picture_->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
}

TImage::~TImage() { picture_->OnChange = TNotifyEvent(); }

void TImage::PictureChanged(TObject*) {
  if (autoSize_ && !picture_->GetEmpty())
    SetBounds(GetLeft(), GetTop(), picture_->GetWidth(), picture_->GetHeight());
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  PictureChanged(this);
}

void TImage::SetCenter(bool v) {
  if (v == center_) return;
  center_ = v;
  Invalidate();
}

void TImage::SetStretch(bool v) {
  if (v == stretch_) return;
  stretch_ = v;
  Invalidate();
}

void TImage::SetTransparent(bool v) {
  if (v == picture_->GetTransparent()) return;
  picture_->SetTransparent(v);
  Invalidate();
}

void TImage::Paint() {
  TCanvas& c = *GetCanvas();
  if (picture_->GetEmpty()) {
    // At design time an empty image shows a dashed outline.
    if (ComponentState().Contains(csDesigning)) {
      c.GetPen()->SetStyle(psDash);
      c.GetBrush()->SetStyle(bsClear);
      c.Rectangle(0, 0, GetWidth(), GetHeight());
    }
    return;
  }
  int pw = picture_->GetWidth(), ph = picture_->GetHeight();
  if (!stretch_) {
    int x = center_ ? (GetWidth() - pw) / 2 : 0, y = center_ ? (GetHeight() - ph) / 2 : 0;
    c.Draw(x, y, picture_.get());
    return;
  }
  // Nearest pixel: each target pixel takes the source pixel under its centre.
  bool skip = picture_->GetTransparent();
  uint32_t key = skip ? static_cast<uint32_t>(picture_->GetTransparentColor()) : 0;
  int w = GetWidth(), h = GetHeight();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = picture_->GetRaw((2 * x + 1) * pw / (2 * w), (2 * y + 1) * ph / (2 * h));
      if (!skip || p != key) c.Plot(x, y, p);
    }
}

TBN_REGISTER(TImage) {
  b.Property("Align", &TImage::GetAlign, &TImage::SetAlign).Default(alNone);
  b.Property("AutoSize", &TImage::GetAutoSize, &TImage::SetAutoSize).Default(false);
  b.Property("Center", &TImage::GetCenter, &TImage::SetCenter).Default(false);
  b.Property("ParentShowHint", &TImage::GetParentShowHint, &TImage::SetParentShowHint)
      .Default(true);
  b.Property("ShowHint", &TImage::GetShowHint, &TImage::SetShowHint)
      .Stored(&TImage::IsShowHintStored, "IsShowHintStored");
  b.Property("Stretch", &TImage::GetStretch, &TImage::SetStretch).Default(false);
  b.Property("Transparent", &TImage::GetTransparent, &TImage::SetTransparent).Default(false);
  b.Property("Visible", &TImage::GetVisible, &TImage::SetVisible).Default(true);
  b.Property("OnClick", &TImage::OnClick);
  b.Property("OnDblClick", &TImage::OnDblClick);
  b.Property("OnMouseDown", &TImage::OnMouseDown);
  b.Property("OnMouseMove", &TImage::OnMouseMove);
  b.Property("OnMouseUp", &TImage::OnMouseUp);
}

}  // namespace tabulon
