#pragma once
// The program's failures. Every failure that leaves an event handler is an
// Exception and is shown by ReportError with its message.
#include <cstdint>
#include <exception>
#include <string>

namespace dz {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  // The class name, as the final "Application Error" box names it.
  virtual const char* ClassName() const noexcept { return "Exception"; }

 private:
  std::string message_;
};

#define DZ_EXCEPTION_CLASS(Name, Base)                                   \
  class Name : public Base {                                              \
   public:                                                                \
    using Base::Base;                                                     \
    const char* ClassName() const noexcept override { return #Name; }     \
  }

DZ_EXCEPTION_CLASS(EConvertError, Exception);
DZ_EXCEPTION_CLASS(EOutOfResources, Exception);

class EIntOverflow : public Exception {
 public:
  EIntOverflow() : Exception("Integer overflow") {}
  const char* ClassName() const noexcept override { return "EIntOverflow"; }
};

class ERangeError : public Exception {
 public:
  ERangeError() : Exception("Range check error") {}
  const char* ClassName() const noexcept override { return "ERangeError"; }
};

// A failed text-file operation; Code is the I/O code (the platform's error
// number of the failing call, or one of the runtime's own codes).
class EInOutError : public Exception {
 public:
  explicit EInOutError(std::uint32_t code);
  std::uint32_t Code() const noexcept { return code_; }
  const char* ClassName() const noexcept override { return "EInOutError"; }
  // "File not found", "File access denied", ... or "I/O error %d".
  static std::string MessageFor(std::uint32_t code);

 private:
  std::uint32_t code_;
};

}  // namespace dz
