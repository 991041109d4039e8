// TImage: a graphic control that shows a bitmap, at its natural size,
// centred, or stretched to the control.
#pragma once

#include <memory>

#include "platform/controls/customcontrol.h"

namespace tabulon {

/// A picture on a form.
class TImage : public TGraphicControl {
  TBN_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  /// The picture (owned; changes repaint and, with AutoSize, resize the control).
  TBitmap* GetPicture() const { return picture_.get(); }
  /// Copies `picture` in.
  void SetPicture(TBitmap* picture) { picture_->Assign(picture); }
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool GetCenter() const { return center_; }
  void SetCenter(bool v);
  bool GetStretch() const { return stretch_; }
  void SetStretch(bool v);
  /// Pixels of the picture's transparent colour are not drawn.
  bool GetTransparent() const { return picture_->GetTransparent(); }
  void SetTransparent(bool v);

 protected:
  void Paint() override;

 private:
  void PictureChanged(TObject* sender);
  std::unique_ptr<TBitmap> picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool stretch_ = false;
};

}  // namespace tabulon
