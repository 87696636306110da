#pragma once
// What a piece of code prints on standard output.
#include <gtest/gtest.h>

#include <string>

template <typename Code>
std::string Printed(Code&& code) {
  testing::internal::CaptureStdout();
  code();
  return testing::internal::GetCapturedStdout();
}
