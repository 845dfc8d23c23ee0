// The program's own texts: captions, questions and notices, exactly as the user sees them.
#pragma once

namespace reelmark::texts {

inline constexpr wchar_t kCaption[] = L"Reelmark";
inline constexpr wchar_t kWindowClass[] = L"ReelmarkForm1";
inline constexpr wchar_t kNoticeTitle[] = L"提示";
inline constexpr wchar_t kHeaderRow[] = L"序号--播放时间--播放文件路径";

// Help text: six lines joined by CR LF, none after the last.
inline constexpr wchar_t kHelp[] =
    L"简要说明：支持多个文件拖放到列表框，双击列表相应的文件可播放。mplayer正在播放\r\n"
    L"时，运行本程序会关闭mplayer，并收藏正在播放的文件。添加了一个按钮(程序运行时收\r\n"
    L"播放的电影)，在屏幕右下角的任务栏里添加了一个图标，右键可直接收藏正藏正在在播\r\n"
    L"放的电影。在列表框里加入了右键菜单。\r\n"
    L"5.28加入三个快捷键：w为上移，s为下移，任何时候按ctrl+alt+F2可收藏播放的电影。\r\n"
    L"联系：reelmark@example.org  完成于2026年12月";

// Start-up.
inline constexpr wchar_t kNotInPlayerFolder[] = L"请将本程序复制到mplayer目录下";
inline constexpr wchar_t kAutoResumeOffStartUp[] = L"你没有打开 auto_resume,程序无法获取时间和路径";
inline constexpr wchar_t kAutoResumeTitle[] = L"是否打开记住播放位置选项？";
inline constexpr wchar_t kRestartPlayer[] = L"如果你已经打开mplayer，请重新打开，否则程序无法获取时间和路径！";
inline constexpr wchar_t kCurrentTimeIs[] = L"当前的播放时间是：";
inline constexpr wchar_t kEarlierTimeWas[] = L"以前的播放时间是：";
inline constexpr wchar_t kUpdateEarlier[] = L"你是否要更新以前的记录？";
inline constexpr wchar_t kNotAFavourite[] = L"这部不存在！";
inline constexpr wchar_t kAddIt[] = L"你是否要收藏这部影片？";
// Line break inside questions: LF then CR.
inline constexpr wchar_t kQuestionBreak[] = L"\n\r";

// Start-up found the recovery file held by another program; the file's path follows.
inline constexpr wchar_t kRecoveryHeld[] = L"收藏的恢复文件正被其他程序占用，请稍后再启动本程序：";

// A second start in the same folder, when the copy running there does not answer.
inline constexpr wchar_t kRunningNotAnswering[] = L"本程序已在运行，但没有响应。";

// Playing a favourite.
inline constexpr wchar_t kAutoResumeOffReplay[] = L"你没有打开 auto_resume,程序无法播放这个文件";
inline constexpr wchar_t kMissingFilm[] = L"所选的文件不存在，是否在列表中删除？";

// Dropping files and copying a path.
inline constexpr wchar_t kPlayIt[] = L"是否要播放";
inline constexpr wchar_t kNoRowToCopy[] = L"你没有选择列表或列表没有文件！";
inline constexpr wchar_t kPathCopied[] = L"文件路径已复制到粘贴板";

// List editing and shut-down.
inline constexpr wchar_t kClearAll[] = L"你确定要删除所有收藏？";
inline constexpr wchar_t kDeleteOnExit[] = L"你确定要在列表中删除";
// The favourites file could not be written at exit: the file, the system's reason, what
// No costs, then the question.
inline constexpr wchar_t kSaveFailed[] = L"收藏无法保存到文件：";
inline constexpr wchar_t kErrorCode[] = L"错误代码：";
inline constexpr wchar_t kSaveFailedNoLoses[] = L"选“否”将退出本程序，这次运行中对收藏所做的更改都会丢失。";
// The same, when the recovery file holds the changes.
inline constexpr wchar_t kSaveFailedNoRecovers[] = L"选“否”将退出本程序，这次运行中对收藏所做的更改会在下次启动时恢复。";
inline constexpr wchar_t kRetry[] = L"是否重试？";

}  // namespace reelmark::texts
