// TClipboard: the process-wide clipboard that cut, copy and paste use.
// Headless it holds text in memory; OnChange lets a host observe it.
#pragma once

#include <string>

#include "platform/core/method.h"
#include "platform/core/persistent.h"

namespace tabulon {

/// The clipboard.
class TClipboard : public TPersistent {
  TBN_CLASS(TClipboard, TPersistent)
 public:
  TClipboard() = default;
  /// The text on the clipboard ("" when it holds none).
  const std::string& GetAsText() const { return text_; }
  void SetAsText(const std::string& v);
  /// Whether the clipboard holds text.
  bool HasText() const { return hasText_; }
  void Clear();
  /// How many times the content changed.
  int GetChangeCount() const { return changes_; }

  TNotifyEvent OnChange;

 private:
  std::string text_;
  bool hasText_ = false;
  int changes_ = 0;
};

/// The clipboard of the process.
TClipboard* Clipboard();

}  // namespace tabulon
