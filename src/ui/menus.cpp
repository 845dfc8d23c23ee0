#include "ui/menus.h"

#include "ui/layout.h"

namespace reelmark {

Menu MakeListMenu() {
  return Menu{"mnumov", L"移动",
              {
                  {"bofang", L"播放", 0,
                   {{"bofang1", L"所选文件", kBofang1, {}},
                    {"bofang3", L"选定项以下", kBofang3, {}},
                    {"bofang2", L"mplayer.pls", kBofang2, {}}}},
                  {"moveup", L"上移", kMoveUp, {}},
                  {"movedown", L"下移", kMoveDown, {}},
                  {"clr1", L"清除", kClr1, {}},
                  {"del1", L"删除", kDel1, {}},
                  {"save1", L"保存", 0, {{"bobangliebiao", L"为播放列表", kBobangliebiao, {}}}},
                  {"guanlian", L"关联", 0, {{"mplayer", L"右键Mplayer播放", kMplayer, {}}}},
                  {"zouren", L"走人", kZouren, {}},
              }};
}

Menu MakeTrayMenu() {
  return Menu{"mnuTray", L"mnuTray", {{"sc", L"收藏", kSc, {}}, {"exit", L"退出", kExit, {}}}};
}

}  // namespace reelmark
