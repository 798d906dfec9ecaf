#include <gtest/gtest.h>

#include <string>

#include "command_line.h"

namespace {

const char* StepByte(const char* text) { return *text ? text + 1 : text; }

std::string Arguments(const char* commandLine) { return SkipProgramName(commandLine, StepByte); }

TEST(CommandLine, ArgumentTextBehindTheProgramName) {
  EXPECT_EQ(Arguments("kelvaris.scr /s"), "/s");
  EXPECT_EQ(Arguments("kelvaris.scr \t /p 12"), "/p 12");
  EXPECT_EQ(Arguments("\"C:\\Program Files\\kelvaris.scr\" /s"), "/s");
  EXPECT_EQ(Arguments("\"C:\\Program Files\\kelvaris.scr /s"), "");  // unclosed quote
  EXPECT_EQ(Arguments("kelvaris.scr"), "");
  EXPECT_EQ(Arguments(""), "");
  EXPECT_EQ(Arguments("k\xE9lvaris.scr /c"), "/c");  // bytes above 127 belong to the name
  EXPECT_EQ(Arguments(" /s"), "/s");                 // no name before the blank
}

TEST(CommandLine, ModeLetters) {
  for (const char* s : {"/S", "-s", "s", "//s", "/scr", " - / s"}) {
    EXPECT_EQ(ReadModeRequest(s).mode, SaverMode::kFullScreen) << s;
  }
  for (const char* s : {"", "   ", "/-/ -"}) {
    EXPECT_EQ(ReadModeRequest(s).mode, SaverMode::kConfigWithoutOwner) << s;
  }
  for (const char* s : {"/x", "/\ts", "/\xC3", "\x80", "/1"}) {
    EXPECT_EQ(ReadModeRequest(s).mode, SaverMode::kUnknown) << s;
  }
}

TEST(CommandLine, WhatFollowsTheLetter) {
  EXPECT_EQ(std::string(ReadModeRequest("/p 1234").argument), "1234");
  EXPECT_EQ(std::string(ReadModeRequest("/p1234").argument), "1234");
  EXPECT_EQ(std::string(ReadModeRequest("/L   77").argument), "77");
  EXPECT_EQ(ReadModeRequest("/l 77").mode, SaverMode::kPreview);
  EXPECT_EQ(std::string(ReadModeRequest("/p:1234").argument), ":1234");
  EXPECT_EQ(std::string(ReadModeRequest("/c:1234").argument), "1234");
  EXPECT_EQ(ReadModeRequest("/c 1234").argument, nullptr);
  EXPECT_EQ(ReadModeRequest("/c").argument, nullptr);
  EXPECT_EQ(ReadModeRequest("/a 99").mode, SaverMode::kChangePassword);
  EXPECT_EQ(std::string(ReadModeRequest("/a 99").argument), "99");
}

TEST(CommandLine, WindowHandles) {
  EXPECT_EQ(ParseWindowHandle("1234"), 1234u);
  EXPECT_EQ(ParseWindowHandle("12ab"), 12u);
  EXPECT_EQ(ParseWindowHandle("4294967297"), 1u);
  EXPECT_EQ(ParseWindowHandle("4294967295"), 4294967295u);
  EXPECT_EQ(ParseWindowHandle(" 12"), 0u);
  EXPECT_EQ(ParseWindowHandle("-12"), 0u);
  EXPECT_EQ(ParseWindowHandle(""), 0u);
}

}  // namespace
