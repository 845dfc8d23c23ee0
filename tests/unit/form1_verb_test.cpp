#include <gtest/gtest.h>

#include "base/text.h"
#include "form1_fixture.h"
#include "ui/layout.h"

namespace reelmark {
namespace {

const std::wstring kVerbKey = L"Software\\Classes\\*\\shell\\Mplayer播放";

class Verb : public testing::Form1Test {};

TEST_F(Verb, CLenCountsBytesInTheAnsiCodePage) {
  struct Case {
    std::wstring text;
    std::int32_t length;
  } cases[] = {{L"", 0}, {L"mplayer.exe", 11}, {L"Mplayer播放", 11}, {L"\"D:\\电影\\mplayer.exe\" \"%1\"", 26}};
  for (const Case& c : cases) EXPECT_EQ(Form1::CLen(c.text), c.length);
}

TEST_F(Verb, SetValueExWritesTextAndDoubleWordsOnly) {
  platform.CreateRegistryKey(RegistryRoot::CurrentUser, L"k");
  const Form1::RegistryKey key{RegistryRoot::CurrentUser, L"k"};
  struct Case {
    std::uint32_t type;
    std::wstring value;
    std::optional<RegistryValue> stored;
  } cases[] = {
      {1, L"播放 %1", RegistryValue{L"播放 %1"}},
      {4, L"42", RegistryValue{42u}},
      {4, L"-1", RegistryValue{0xFFFFFFFFu}},
      {0, L"x", std::nullopt},
      {2, L"x", std::nullopt},
      {3, L"x", std::nullopt},
      {7, L"x", std::nullopt},
  };
  for (const Case& c : cases) {
    platform.registry[L"k"].clear();
    EXPECT_EQ(form->SetValueEx(key, L"v", c.type, c.value), 0) << c.type;
    const RegistryValue* stored = platform.RegistryValueOf(L"k", L"v");
    EXPECT_EQ(stored ? std::optional<RegistryValue>(*stored) : std::nullopt, c.stored) << c.type;
  }
  // The registry's status comes back: no such key.
  EXPECT_EQ(form->SetValueEx({RegistryRoot::CurrentUser, L"missing"}, L"v", 1, L"x"), 2);
}

TEST_F(Verb, TheVerbOpensAnyFileWithThePlayerBesideTheProgram) {
  platform.programDirectory = L"D:\\My Player";
  form->MenuCommand(kMplayer);
  form->MenuCommand(kMplayer);
  const RegistryValue* command = platform.RegistryValueOf(kVerbKey + L"\\Command", L"");
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(*command, RegistryValue{L"\"D:\\My Player\\mplayer.exe\" \"%1\""});
  EXPECT_EQ(platform.registry.at(kVerbKey + L"\\Command").size(), 1u);
  // The levels on the way hold no values: Explorer shows the key's name as the menu text.
  for (const wchar_t* level : {L"Software", L"Software\\Classes\\*", L"Software\\Classes\\*\\shell"}) {
    EXPECT_TRUE(platform.registry.at(level).empty()) << level;
  }
  EXPECT_TRUE(platform.registry.at(kVerbKey).empty());
}

}  // namespace
}  // namespace reelmark
