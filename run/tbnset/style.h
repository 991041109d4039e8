// Style options of a fields panel: the colour and font of each kind of
// thing the panel draws (index 0 the panel itself, 1 the texts, 2 the
// editors for fonts; 0 the panel, 1 the editors' background for colours),
// and whether each follows its parent. TStyleOptions delegates index 0 to
// the panel control; TFSStyleOptions keeps every index itself and follows
// the owner's owner of the panel (the form holding a dialog component).
#pragma once

#include <memory>

#include "platform/controls/controltypes.h"
#include "platform/core/persistent.h"
#include "platform/graphics/color.h"
#include "platform/graphics/graphobj.h"

namespace tabulon {

class TPanelFieldsSet;
class TWinControl;

/// Colours, fonts and 3-D look of a fields panel.
class TStyleOptions : public TPersistent {
  TBN_CLASS(TStyleOptions, TPersistent)
 public:
  explicit TStyleOptions(TPanelFieldsSet* panel);
  ~TStyleOptions() override;

  /// Font `index` (0 the panel's own font).
  virtual TFont* GetFont(int index) const;
  /// Copies `font` into font `index`; clears its parent flag and re-lays out.
  virtual void SetFont(int index, TFont* font);
  virtual bool GetParentFont(int index) const;
  /// Changes whether font `index` follows the parent; turning it on copies
  /// the parent's font at once (through the parent-font message).
  virtual void SetParentFont(int index, bool value);
  /// Colour `index` (0 the panel's own colour).
  virtual TColor GetColor(int index) const;
  /// Stores a different colour, clears its parent flag and re-lays out.
  virtual void SetColor(int index, TColor value);
  virtual bool GetParentColor(int index) const;
  /// As SetParentFont, for colours.
  virtual void SetParentColor(int index, bool value);
  virtual bool GetCtl3D() const;
  virtual void SetCtl3D(bool value);
  virtual bool GetParentCtl3D() const;
  virtual void SetParentCtl3D(bool value);

  /// Change event of the held fonts: the font no longer follows its parent.
  void FontChanged(TObject* sender);
  /// A font, colour or 3-D look is written only while it does not follow.
  bool IsFontStored(int index) const { return !GetParentFont(index); }
  bool IsColorStored(int index) const { return !GetParentColor(index); }
  bool IsCtl3DStored() const { return !GetParentCtl3D(); }

  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override;

  // Published accessors by name.
  TFont* GetTextFont() const { return GetFont(1); }
  void SetTextFont(TFont* f) { SetFont(1, f); }
  TFont* GetEditFont() const { return GetFont(2); }
  void SetEditFont(TFont* f) { SetFont(2, f); }
  bool IsTextFontStored() const { return IsFontStored(1); }
  bool IsEditFontStored() const { return IsFontStored(2); }
  bool IsPanelColorStored() const { return IsColorStored(0); }
  bool IsEditColorStored() const { return IsColorStored(1); }
  TFont* GetPanelFont() const { return GetFont(0); }
  void SetPanelFont(TFont* f) { SetFont(0, f); }
  bool IsPanelFontStored() const { return IsFontStored(0); }

  /// The panel served.
  TPanelFieldsSet* Panel;
  std::unique_ptr<TFont> Fonts[3];
  bool ParentFonts[3] = {true, true, true};
  TColor Colors[2] = {clBtnFace, clWindow};
  bool ParentColors[2] = {true, false};
  bool Ctl3D = true;
  bool ParentCtl3D = true;
  /// The index whose parent-font flag changed last; -1 for all.
  int ParentFontIndex = -1;
  /// The index whose parent-colour flag changed last; -1 for all.
  int ParentColorIndex = -1;
};

/// Style options of a panel embedded in a dialog component: every index is
/// held here and follows the owner's owner of the panel.
class TFSStyleOptions : public TStyleOptions {
  TBN_CLASS(TFSStyleOptions, TStyleOptions)
 public:
  explicit TFSStyleOptions(TPanelFieldsSet* panel) : TStyleOptions(panel) {}

  TFont* GetFont(int index) const override;
  void SetFont(int index, TFont* font) override;
  bool GetParentFont(int index) const override { return ParentFonts[index]; }
  void SetParentFont(int index, bool value) override;
  TColor GetColor(int index) const override;
  void SetColor(int index, TColor value) override;
  bool GetParentColor(int index) const override { return ParentColors[index]; }
  void SetParentColor(int index, bool value) override;
  bool GetCtl3D() const override;
  void SetCtl3D(bool value) override;
  bool GetParentCtl3D() const override { return ParentCtl3D; }
  void SetParentCtl3D(bool value) override;

  /// The owner's owner of the panel when it is a windowed control, else null.
  TWinControl* StyleParent() const;
};

}  // namespace tabulon
