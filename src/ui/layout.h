// The window as designed: the controls, their captions, places and sizes in twips
// (1440 to the inch), their control IDs and their tab order. The shell creates the real
// controls from this table; tests outside the program find them by these IDs.
#pragma once

#include <array>
#include <cstdint>

namespace reelmark {

enum class ControlKind { List, PushButton, StaticText, Check };

struct ControlLayout {
  const char* name;
  ControlKind kind;
  int id;
  const wchar_t* caption;
  int left, top, width, height;  // twips, inside the client area
};

inline constexpr int kClientWidthTwips = 7290;
inline constexpr int kClientHeightTwips = 5070;
inline constexpr int kTwipsPerInch = 1440;

// Control IDs.
inline constexpr int kList1 = 1001;
inline constexpr int kCommand1 = 1101, kCommand2 = 1102, kCommand3 = 1103, kCommand4 = 1104;
inline constexpr int kCheck1Base = 1200;  // Check1(index) is kCheck1Base + index
inline constexpr int kLabel1 = 1301, kLabel2 = 1302, kLabel3 = 1303, kLabel4 = 1304;

// Label2's colour, 0x00BBGGRR: red 99, green 237, blue 120. It is the label's background.
inline constexpr std::uint32_t kLabel2Colour = 0x0078ED63;

// In tab order.
inline constexpr std::array<ControlLayout, 12> kLayout{{
    {"List1", ControlKind::List, kList1, L"", 60, 1080, 7215, 2760},
    {"Command2", ControlKind::PushButton, kCommand2, L"复制路径", 6000, 320, 1215, 315},
    {"Label1", ControlKind::StaticText, kLabel1, L"文件名称：", 60, 60, 915, 255},
    {"Label2", ControlKind::StaticText, kLabel2, L"", 1080, 60, 6195, 255},
    {"Command3", ControlKind::PushButton, kCommand3, L"删除选定项", 3240, 720, 1095, 315},
    {"Check1(0)", ControlKind::Check, kCheck1Base + 0, L"退出时在收藏中删除正在选中的项 ", 60, 360, 3135, 255},
    {"Command1", ControlKind::PushButton, kCommand1, L"退出", 6360, 720, 855, 315},
    {"Label3", ControlKind::StaticText, kLabel3, L"Label3", 5760, 0, 1095, 255},
    {"Check1(1)", ControlKind::Check, kCheck1Base + 1, L"退出时在KK.ini删除播放文件路径", 60, 720, 3015, 255},
    {"Label4", ControlKind::StaticText, kLabel4, L"", 120, 3960, 7095, 1095},
    {"Check1(2)", ControlKind::Check, kCheck1Base + 2, L"双击时播放并退出本程序", 3240, 360, 2355, 255},
    {"Command4", ControlKind::PushButton, kCommand4, L"收藏正在播放的电影", 4380, 720, 1935, 315},
}};

// Menu command IDs, sent to the main window as WM_COMMAND.
inline constexpr int kBofang1 = 2001, kBofang3 = 2002, kBofang2 = 2003, kMoveUp = 2004, kMoveDown = 2005,
                     kClr1 = 2006, kDel1 = 2007, kBobangliebiao = 2008, kMplayer = 2009, kZouren = 2010;
inline constexpr int kSc = 2101, kExit = 2102;

// Pixels for a length in twips at the given DPI, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
  return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

}  // namespace reelmark
