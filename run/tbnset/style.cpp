// TStyleOptions and TFSStyleOptions: which object holds each colour and
// font, and how a change reaches the panel (re-layout, parent messages).
#include "run/tbnset/style.h"

#include "platform/controls/messages.h"
#include "platform/controls/wincontrol.h"
#include "platform/core/class_builder.h"
#include "run/tbnset/panel.h"

namespace tabulon {

namespace {
// Copies `source` into `font` without firing its change event: taking over
// a parent's font is not a change of the panel's own choice.
void CopyQuietly(TFont* font, TFont* source) {
  TNotifyEvent keep = font->OnChange;
  font->OnChange = TNotifyEvent();
  try {
    font->Assign(source);
  } catch (...) {
    font->OnChange = keep;
    throw;
  }
  font->OnChange = keep;
}
}  // namespace

// ---- TStyleOptions ----

TStyleOptions::TStyleOptions(TPanelFieldsSet* panel) : Panel(panel) {
  for (auto& f : Fonts) {
    f = std::make_unique<TFont>();
    f->OnChange = TNotifyEvent(this, &TStyleOptions::FontChanged);
  }
}

TStyleOptions::~TStyleOptions() = default;

TFont* TStyleOptions::GetFont(int index) const {
  return index == 0 ? Panel->GetFont() : Fonts[index].get();
}

void TStyleOptions::SetFont(int index, TFont* font) {
  if (index == 0)
    Panel->SetFont(font);
  else
    Fonts[index]->Assign(font);
}

void TStyleOptions::FontChanged(TObject* sender) {
  for (int i = 0; i < 3; ++i) {
    if (Fonts[i].get() != sender) continue;
    ParentFonts[i] = false;
    Panel->WndChanged();
    return;
  }
}

bool TStyleOptions::GetParentFont(int index) const {
  return index == 0 ? Panel->GetParentFont() : ParentFonts[index];
}

void TStyleOptions::SetParentFont(int index, bool value) {
  if (GetParentFont(index) == value) return;
  ParentFontIndex = index;
  try {
    if (index == 0) {
      Panel->SetParentFont(value);
    } else {
      ParentFonts[index] = value;
      if (Panel->GetParent() && !Panel->ComponentState().Contains(csReading))
        Panel->Perform(CM_PARENTFONTCHANGED, 0, 0);
    }
  } catch (...) {
    ParentFontIndex = -1;
    throw;
  }
  // Without a parent no message consumed the index; a stale index would
  // narrow the next parent-font change to this one font.
  ParentFontIndex = -1;
}

TColor TStyleOptions::GetColor(int index) const {
  return index == 0 ? Panel->GetColor() : Colors[index];
}

void TStyleOptions::SetColor(int index, TColor value) {
  if (index == 0) {
    Panel->SetColor(value);
    return;
  }
  if (GetColor(index) == value) return;
  Colors[index] = value;
  ParentColors[index] = false;
  Panel->WndChanged();
}

bool TStyleOptions::GetParentColor(int index) const {
  return index == 0 ? Panel->GetParentColor() : ParentColors[index];
}

void TStyleOptions::SetParentColor(int index, bool value) {
  if (GetParentColor(index) == value) return;
  ParentColorIndex = index;
  try {
    if (index == 0) {
      Panel->SetParentColor(value);
    } else {
      ParentColors[index] = value;
      if (Panel->GetParent() && !Panel->ComponentState().Contains(csReading))
        Panel->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    }
  } catch (...) {
    ParentColorIndex = -1;
    throw;
  }
  ParentColorIndex = -1;
}

bool TStyleOptions::GetCtl3D() const { return Panel->GetCtl3D(); }
void TStyleOptions::SetCtl3D(bool value) { Panel->SetCtl3D(value); }
bool TStyleOptions::GetParentCtl3D() const { return Panel->GetParentCtl3D(); }
void TStyleOptions::SetParentCtl3D(bool value) { Panel->SetParentCtl3D(value); }

void TStyleOptions::Assign(TPersistent* source) {
  auto* s = dynamic_cast<TStyleOptions*>(source);
  if (!s) {
    TPersistent::Assign(source);
    return;
  }
  Panel->BeginPaint();
  try {
    for (int i = 0; i < 3; ++i) {
      if (s->GetParentFont(i)) {
        SetParentFont(i, true);
      } else {
        SetFont(i, s->GetFont(i));
      }
    }
    for (int i = 0; i < 2; ++i) {
      if (s->GetParentColor(i))
        SetParentColor(i, true);
      else
        SetColor(i, s->GetColor(i));
    }
    if (s->GetParentCtl3D())
      SetParentCtl3D(true);
    else
      SetCtl3D(s->GetCtl3D());
  } catch (...) {
    Panel->EndPaint();
    throw;
  }
  Panel->EndPaint();
}

TPersistent* TStyleOptions::GetOwner() const { return Panel; }

// ---- TFSStyleOptions ----

TWinControl* TFSStyleOptions::StyleParent() const {
  TComponent* owner = Panel->GetOwner();
  return owner ? dynamic_cast<TWinControl*>(owner->GetOwner()) : nullptr;
}

TFont* TFSStyleOptions::GetFont(int index) const {
  if (ParentFonts[index]) {
    if (TWinControl* p = StyleParent()) CopyQuietly(Fonts[index].get(), p->GetFont());
  }
  return Fonts[index].get();
}

void TFSStyleOptions::SetFont(int index, TFont* font) { Fonts[index]->Assign(font); }

void TFSStyleOptions::SetParentFont(int index, bool value) {
  if (ParentFonts[index] == value) return;
  if (TWinControl* p = StyleParent()) {
    CopyQuietly(Fonts[index].get(), p->GetFont());
    Panel->WndChanged();
  }
  ParentFonts[index] = value;
}

TColor TFSStyleOptions::GetColor(int index) const {
  if (ParentColors[index])
    if (TWinControl* p = StyleParent()) return p->GetColor();
  return Colors[index];
}

void TFSStyleOptions::SetColor(int index, TColor value) {
  if (GetColor(index) == value) return;
  Colors[index] = value;
  ParentColors[index] = false;
  Panel->WndChanged();
}

void TFSStyleOptions::SetParentColor(int index, bool value) {
  if (ParentColors[index] == value) return;
  TColor before = GetColor(index);
  if (TWinControl* p = StyleParent()) Colors[index] = p->GetColor();
  ParentColors[index] = value;
  if (GetColor(index) != before) Panel->WndChanged();
}

bool TFSStyleOptions::GetCtl3D() const {
  if (ParentCtl3D)
    if (TWinControl* p = StyleParent()) return p->GetCtl3D();
  return Ctl3D;
}

void TFSStyleOptions::SetCtl3D(bool value) {
  if (GetCtl3D() == value) return;
  Ctl3D = value;
  ParentCtl3D = false;
  Panel->WndChanged();
}

void TFSStyleOptions::SetParentCtl3D(bool value) {
  if (ParentCtl3D == value) return;
  bool before = GetCtl3D();
  if (TWinControl* p = StyleParent()) Ctl3D = p->GetCtl3D();
  ParentCtl3D = value;
  if (GetCtl3D() != before) Panel->WndChanged();
}

// ---- Published properties ----

TBN_REGISTER(TStyleOptions) {
  b.IndexedProperty("Color", 0, &TStyleOptions::GetColor, &TStyleOptions::SetColor)
      .Default(clBtnFace)
      .Stored(&TStyleOptions::IsPanelColorStored, "IsColorStored");
  b.IndexedProperty("ParentColor", 0, &TStyleOptions::GetParentColor,
                    &TStyleOptions::SetParentColor)
      .Stored(false);
  b.IndexedProperty("EditColor", 1, &TStyleOptions::GetColor, &TStyleOptions::SetColor)
      .Default(clWindow)
      .Stored(&TStyleOptions::IsEditColorStored, "IsColorStored");
  b.IndexedProperty("ParentEditColor", 1, &TStyleOptions::GetParentColor,
                    &TStyleOptions::SetParentColor)
      .Default(false);
  b.Property("TextFont", &TStyleOptions::GetTextFont, &TStyleOptions::SetTextFont)
      .Stored(&TStyleOptions::IsTextFontStored, "IsFontStored");
  b.IndexedProperty("ParentTextFont", 1, &TStyleOptions::GetParentFont,
                    &TStyleOptions::SetParentFont)
      .Stored(false);
  b.Property("EditFont", &TStyleOptions::GetEditFont, &TStyleOptions::SetEditFont)
      .Stored(&TStyleOptions::IsEditFontStored, "IsFontStored");
  b.IndexedProperty("ParentEditFont", 2, &TStyleOptions::GetParentFont,
                    &TStyleOptions::SetParentFont)
      .Stored(false);
  b.Property("Ctl3D", &TStyleOptions::GetCtl3D, &TStyleOptions::SetCtl3D)
      .Stored(&TStyleOptions::IsCtl3DStored, "IsCtl3DStored");
  b.Property("ParentCtl3D", &TStyleOptions::GetParentCtl3D, &TStyleOptions::SetParentCtl3D)
      .Stored(false);
}

TBN_REGISTER(TFSStyleOptions) {
  b.Property("Font", &TFSStyleOptions::GetPanelFont, &TFSStyleOptions::SetPanelFont)
      .Stored(&TFSStyleOptions::IsPanelFontStored, "IsFontStored");
  b.IndexedProperty("ParentFont", 0, &TFSStyleOptions::GetParentFont,
                    &TFSStyleOptions::SetParentFont)
      .Stored(false);
}

}  // namespace tabulon
