// Range captions: the short texts before the first ("with") and the second
// ("on") edit of a range record. TFieldCaptions keeps the two texts and the
// rule that lets a cleared caption survive a form file (a blank caption is
// written with one extra blank and read back with one less);
// TFieldRecordCaptions is a record's own set, falling back to its panel's.
#pragma once

#include <string>

#include "platform/core/component.h"
#include "run/tbnset/types.h"

namespace tabulon {

class TFieldRecord;
class TFieldsSetModel;

/// The two range captions: index 0 WithCaption, index 1 OnCaption.
class TFieldCaptions : public TPersistent {
  TBN_CLASS(TFieldCaptions, TPersistent)
 public:
  /// Both captions from the string table ("with", "on").
  TFieldCaptions();

  /// Caption `index`; while the owner is being written, a blank caption
  /// gains one blank so that the filer stores it.
  virtual std::string GetCaption(int index) const;
  /// Stores caption `index`; while loading, a blank text loses its first
  /// character again. Calls Changed when the text changes.
  virtual void SetCaption(int index, const std::string& value);
  /// Whether caption `index` differs from the string table's text.
  virtual bool IsCaptionStored(int index) const;
  /// Told after a caption changed.
  virtual void Changed() = 0;
  /// The state of the component the captions belong to.
  virtual TComponentState GetComponentState() const = 0;

  std::string GetWithCaption() const { return GetCaption(0); }
  void SetWithCaption(const std::string& v) { SetCaption(0, v); }
  std::string GetOnCaption() const { return GetCaption(1); }
  void SetOnCaption(const std::string& v) { SetCaption(1, v); }

  void Assign(TPersistent* source) override;

 protected:
  /// The caption's own text, without the writing rule.
  const std::string& StoredCaption(int index) const { return captions_[index]; }

 private:
  std::string captions_[2];
};

/// A field record's captions; an unassigned caption reads the panel's.
class TFieldRecordCaptions : public TFieldCaptions {
  TBN_CLASS(TFieldRecordCaptions, TFieldCaptions)
 public:
  explicit TFieldRecordCaptions(TFieldRecord* record);

  std::string GetCaption(int index) const override;
  void SetCaption(int index, const std::string& value) override;
  bool IsCaptionStored(int index) const override;
  /// The panel's caption `index`, or empty when the record has no panel.
  std::string DefaultCaption(int index) const;
  /// Adds lcLayout to the list and notifies the collection for the record.
  void Changed() override;
  /// The panel's component state; empty without a panel.
  TComponentState GetComponentState() const override;
  TPersistent* GetOwner() const override;

 private:
  TFieldRecord* record_;
};

/// The panel's own captions; a change re-lays out the panel.
class TComponentCaptions : public TFieldCaptions {
  TBN_CLASS(TComponentCaptions, TFieldCaptions)
 public:
  explicit TComponentCaptions(TFieldsSetModel* panel);
  /// The panel's WndChanged.
  void Changed() override;
  /// The panel's component state.
  TComponentState GetComponentState() const override;
  TPersistent* GetOwner() const override;

 private:
  TFieldsSetModel* panel_;
};

}  // namespace tabulon
