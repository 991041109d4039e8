// The framework's exception hierarchy. Every failure of Tabulon is raised as
// one of these, carrying the exact message text the caller may show or test.
#pragma once

#include <exception>
#include <string>

namespace tabulon {

/// Base of every exception Tabulon raises; holds the message and a help context.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message, int helpContext = 0)
      : message_(std::move(message)), helpContext_(helpContext) {}
  /// The message text, exactly as shown to the user.
  const std::string& Message() const noexcept { return message_; }
  void SetMessage(std::string m) { message_ = std::move(m); }
  int HelpContext() const noexcept { return helpContext_; }
  const char* what() const noexcept override { return message_.c_str(); }
  /// The class name of the exception, as the framework reports it.
  virtual const char* ClassName() const noexcept { return "Exception"; }

 private:
  std::string message_;
  int helpContext_;
};

#define TBN_DECLARE_EXCEPTION(Name, Parent)                           \
  class Name : public Parent {                                        \
   public:                                                            \
    using Parent::Parent;                                             \
    const char* ClassName() const noexcept override { return #Name; } \
  }

TBN_DECLARE_EXCEPTION(EConvertError, Exception);
TBN_DECLARE_EXCEPTION(EVariantError, Exception);
TBN_DECLARE_EXCEPTION(EInvalidCast, Exception);
TBN_DECLARE_EXCEPTION(EInvalidOperation, Exception);
TBN_DECLARE_EXCEPTION(EInvalidPointer, Exception);
TBN_DECLARE_EXCEPTION(EListError, Exception);
TBN_DECLARE_EXCEPTION(EStringListError, Exception);
TBN_DECLARE_EXCEPTION(EComponentError, Exception);
TBN_DECLARE_EXCEPTION(EPropertyError, Exception);
TBN_DECLARE_EXCEPTION(EStreamError, Exception);
TBN_DECLARE_EXCEPTION(EFilerError, EStreamError);
TBN_DECLARE_EXCEPTION(EReadError, EFilerError);
TBN_DECLARE_EXCEPTION(EWriteError, EFilerError);
TBN_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
TBN_DECLARE_EXCEPTION(EFOpenError, EStreamError);
TBN_DECLARE_EXCEPTION(EFCreateError, EStreamError);
TBN_DECLARE_EXCEPTION(EParserError, Exception);
TBN_DECLARE_EXCEPTION(EOutOfResources, Exception);
TBN_DECLARE_EXCEPTION(EDatabaseError, Exception);
TBN_DECLARE_EXCEPTION(EMathError, Exception);
TBN_DECLARE_EXCEPTION(EZeroDivide, EMathError);
TBN_DECLARE_EXCEPTION(EOverflow, EMathError);

}  // namespace tabulon
