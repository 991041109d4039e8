// TPopupChooser: what a drop-down control tells the scripted host so that
// "choose" works on it as a person would: click the drop button, then click
// the item in the list that opened.
#pragma once

namespace tabulon {

class TControl;

/// A control that drops a list to choose from.
class TPopupChooser {
 public:
  virtual ~TPopupChooser() = default;
  /// The control whose click opens the list (null when there is none).
  virtual TControl* DropButtonControl() = 0;
  /// The open list, or null while it is closed.
  virtual TControl* ChoiceList() = 0;
};

}  // namespace tabulon
