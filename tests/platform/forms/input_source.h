// A test input source: each piece of input is a function run with the
// innermost modal form; ModalStarted/ModalEnded are recorded in a trace.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/form.h"

namespace tabulon::test {

class StepSource : public TInputSource {
 public:
  StepSource() : previous_(SetInputSource(this)) {}
  ~StepSource() override { SetInputSource(previous_); }
  void Then(std::function<void(TCustomForm&)> step) { steps_.push_back(std::move(step)); }
  void ModalStarted(TCustomForm* form) override { Trace.push_back("start " + form->GetName()); }
  void ModalEnded(TCustomForm* form) override { Trace.push_back("end " + form->GetName()); }
  bool DeliverInput(TCustomForm* form) override {
    if (steps_.empty()) return false;
    auto step = std::move(steps_.front());
    steps_.pop_front();
    step(*form);
    return true;
  }
  std::vector<std::string> Trace;

 private:
  TInputSource* previous_;
  std::deque<std::function<void(TCustomForm&)>> steps_;
};

}  // namespace tabulon::test
