// Component classes with every kind of published property, used by the
// streaming tests: a probe with sub-objects, a collection, strings, custom
// data blocks, references and events; containers whose children are read
// with a parent; and form classes with published fields and methods.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/collection.h"
#include "platform/core/component.h"
#include "platform/core/strings.h"
#include "platform/variants/variant.h"

namespace tabulon {
class TReader;
class TWriter;
}  // namespace tabulon

namespace tabulon::test {

enum TShade { shLight, shMedium, shDark };
enum TFontStyle { fsBold, fsItalic, fsUnderline };
using TFontStyles = TSet<TFontStyle>;
/// An integer type with named constants, as colours are.
enum class TTestColor : int32_t {};

/// Where Loaded calls and observed component states are recorded.
extern std::vector<std::string>* gTrace;
void Trace(const std::string& s);

/// A persistent sub-object written with a dotted prefix.
class TTestFont : public TPersistent {
  TBN_CLASS(TTestFont, TPersistent)
 public:
  TTestFont() = default;
  std::string GetName() const { return name_; }
  void SetName(const std::string& n) { name_ = n; }
  int GetSize() const { return size_; }
  void SetSize(int s) { size_ = s; }
  TFontStyles GetStyle() const { return style_; }
  void SetStyle(TFontStyles s) { style_ = s; }

 private:
  std::string name_ = "Sans";
  int size_ = 8;
  TFontStyles style_;
};

class TStreamProbe;

/// A collection item with a reference to a component.
class TTestItem : public TCollectionItem {
  TBN_CLASS(TTestItem, TCollectionItem)
 public:
  explicit TTestItem(TCollection* c) : TCollectionItem(c) {}
  std::string GetCaption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  int GetValue() const { return value_; }
  void SetValue(int v) { value_ = v; }
  TStreamProbe* GetTarget() const { return target_; }
  void SetTarget(TStreamProbe* t) { target_ = t; }

 private:
  std::string caption_;
  int value_ = 0;
  TStreamProbe* target_ = nullptr;
};

/// Captions that survive being cleared: a blank caption is written with one
/// blank more and read back with one character less, while the owner is
/// being written or loaded.
class TTestCaptions : public TPersistent {
  TBN_CLASS(TTestCaptions, TPersistent)
 public:
  explicit TTestCaptions(TComponent* owner) : owner_(owner) {}
  TTestCaptions() = default;
  std::string GetWith() const;
  void SetWith(const std::string& v);
  bool IsWithStored() const { return with_ != "with"; }

 private:
  TComponent* owner_ = nullptr;
  std::string with_ = "with";
};

/// A component with every kind of published property and two custom data blocks.
class TStreamProbe : public TComponent {
  TBN_CLASS(TStreamProbe, TComponent)
 public:
  explicit TStreamProbe(TComponent* owner);
  ~TStreamProbe() override;
  void Loaded() override;

  int32_t GetCount() const { return count_; }
  void SetCount(int32_t v);
  int64_t GetBig() const { return big_; }
  void SetBig(int64_t v) { big_ = v; }
  char GetLetter() const { return letter_; }
  void SetLetter(char c) { letter_ = c; }
  TShade GetShade() const { return shade_; }
  void SetShade(TShade s) { shade_ = s; }
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool e) { enabled_ = e; }
  TTestColor GetColor() const { return color_; }
  void SetColor(TTestColor c) { color_ = c; }
  double GetRatio() const { return ratio_; }
  void SetRatio(double r) { ratio_ = r; }
  float GetScale() const { return scale_; }
  void SetScale(float s) { scale_ = s; }
  std::string GetCaption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  bool IsCaptionStored() const { return caption_ != "none"; }
  Variant GetData() const { return data_; }
  void SetData(const Variant& v) { data_ = v; }
  TTestFont* GetFont() const { return font_.get(); }
  void SetFont(TTestFont* f) { font_->SetName(f ? f->GetName() : std::string()); }
  TOwnedCollection* GetItems() const { return items_.get(); }
  TStrings* GetLines() const { return lines_.get(); }
  TStreamProbe* GetBuddy() const { return buddy_; }
  void SetBuddy(TStreamProbe* b);
  TTestCaptions* GetCaptions() const { return captions_.get(); }
  int GetExplode() const { return 0; }
  /// Fails with an exception that is not one of the framework's.
  void SetExplode(int v);
  void Notification(TComponent* c, TOperation op) override;
  void DefineProperties(TFiler* filer) override;

  TNotifyEvent OnPoke;
  /// Contents of the "Values" block: (name, value) pairs.
  std::vector<std::pair<std::string, Variant>> values;
  /// Whether the last "Values" block read had the version marker.
  bool versioned = false;
  /// Contents of the "Blob" binary block.
  std::string blob;

 private:
  void ReadValues(TReader* reader);
  void WriteValues(TWriter* writer);

  int32_t count_ = 0;
  int64_t big_ = 0;
  char letter_ = 0;
  TShade shade_ = shMedium;
  bool enabled_ = true;
  TTestColor color_{};
  double ratio_ = 0;
  float scale_ = 0;
  std::string caption_;
  Variant data_;
  std::unique_ptr<TTestFont> font_;
  std::unique_ptr<TOwnedCollection> items_;
  std::unique_ptr<TStringList> lines_;
  std::unique_ptr<TTestCaptions> captions_;
  TStreamProbe* buddy_ = nullptr;
};

/// A component read inside a container with the container as its parent.
class TTestControl : public TStreamProbe {
  TBN_CLASS(TTestControl, TStreamProbe)
 public:
  explicit TTestControl(TComponent* owner) : TStreamProbe(owner) {}
  ~TTestControl() override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* p) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  std::vector<TTestControl*> children;

 private:
  TTestControl* parent_ = nullptr;
  TComponent* placedIn_ = nullptr;  // the last parent given, control or form
};

/// A form root: the children of its own controls are written inside them.
class TTestForm : public TComponent {
  TBN_CLASS(TTestForm, TComponent)
 public:
  explicit TTestForm(TComponent* owner) : TComponent(owner) {}
  void Loaded() override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void Poke(TObject* sender) { poked = sender; }
  void Other(TObject*) {}
  TObject* poked = nullptr;
  TStreamProbe* bbOk = nullptr;
  TTestControl* Panel1 = nullptr;
};

/// A form derived from TTestForm whose resource inherits TTestForm's.
class TTestDerivedForm : public TTestForm {
  TBN_CLASS(TTestDerivedForm, TTestForm)
 public:
  explicit TTestDerivedForm(TComponent* owner) : TTestForm(owner) {}
  TStreamProbe* bbHelp = nullptr;
};

}  // namespace tabulon::test

TBN_ENUM(tabulon::test::TShade, "shLight", "shMedium", "shDark");
TBN_ENUM(tabulon::test::TFontStyle, "fsBold", "fsItalic", "fsUnderline");

template <>
struct tabulon::TypeInfoTraits<tabulon::test::TTestColor> {
  static const TTypeInfo* Get();
};
