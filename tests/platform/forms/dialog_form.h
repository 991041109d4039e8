// A form for the dialog tests, at (100, 100), with controls added by name
// and position.
#pragma once

#include <memory>
#include <string>

#include "platform/forms/form.h"

namespace tabulon::test {

struct DialogForm {
  DialogForm(const std::string& name, int width, int height) : form(new TForm(nullptr)) {
    form->SetName(name);
    form->SetBounds(100, 100, width, height);
  }
  /// A new control of class C on the form.
  template <class C>
  C* Add(const std::string& name, int x, int y) {
    auto* c = new C(form.get());
    c->SetName(name);
    c->SetParent(form.get());
    c->SetLeft(x);
    c->SetTop(y);
    return c;
  }
  std::unique_ptr<TForm> form;
};

}  // namespace tabulon::test
