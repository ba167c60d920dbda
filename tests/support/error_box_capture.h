// Captures the error boxes the installer would show, for as long as it lives.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "i18n/error_box.h"

namespace kavadesk::test {

class ErrorBoxCapture {
 public:
  using Box = std::pair<std::wstring, std::wstring>;  // title, body

  ErrorBoxCapture() {
    SetErrorBoxSinkForTesting([this](const std::wstring& title, const std::wstring& body) {
      boxes_.emplace_back(title, body);
    });
  }
  ~ErrorBoxCapture() { SetErrorBoxSinkForTesting(nullptr); }
  ErrorBoxCapture(const ErrorBoxCapture&) = delete;
  ErrorBoxCapture& operator=(const ErrorBoxCapture&) = delete;

  const std::vector<Box>& Boxes() const { return boxes_; }

 private:
  std::vector<Box> boxes_;
};

}  // namespace kavadesk::test
