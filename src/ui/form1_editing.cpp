// Moving, deleting and clearing favourites: edits of the list only. The favourites file
// follows at shut-down.
#include "base/path.h"
#include "persistence/favourites.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark {
namespace {

constexpr size_t kNumberFieldLength = 4;

std::wstring_view NumberPart(const std::wstring& line) { return Mid(line, 1, kNumberFieldLength); }
std::wstring_view RestPart(const std::wstring& line) { return FromPosition(line, kNumberFieldLength + 1); }

std::wstring Join(std::wstring_view number, std::wstring_view rest) {
  std::wstring line(number);
  line += rest;
  return line;
}

}  // namespace

void Form1::moveup_Click() {
  const int a = CurrentRow;
  // After a clear the current row can name a row that is gone: then nothing moves.
  if (a < 2 || a >= List1.Count()) return;
  List1.Select(a);
  const std::wstring lower = List1.SelectedText();
  List1.Select(a - 1);
  const std::wstring upper = List1.SelectedText();
  List1.Remove(a - 1);
  List1.Remove(a - 1);
  // The entries change places; the number fields stay where they were.
  List1.Insert(a - 1, Join(NumberPart(lower), RestPart(upper)));
  List1.Insert(a - 1, Join(NumberPart(upper), RestPart(lower)));
  List1.Select(a - 1);
}

void Form1::movedown_Click() {
  const int a = CurrentRow;
  if (!(0 < a && a < List1.Count() - 1)) return;
  List1.Select(a + 1);
  const std::wstring lower = List1.SelectedText();
  List1.Select(a);
  const std::wstring upper = List1.SelectedText();
  List1.Remove(a);
  List1.Remove(a);
  List1.Insert(a, Join(NumberPart(lower), RestPart(upper)));
  List1.Insert(a, Join(NumberPart(upper), RestPart(lower)));
  List1.Select(a + 1);
}

void Form1::Command3_Click() {
  const int a = CurrentRow;
  if (a < 1 || a >= List1.Count()) return;
  List1.Remove(a);
  Label2.SetCaption(L"");
  const int last = List1.Count() - 1;
  // Renumber the rows below. Selecting each on the way would only move Label2 and the
  // current row, which the final selection sets anyway.
  for (int i = a; i <= last; ++i) {
    List1.Replace(i, Join(NumberField(i), RestPart(List1.Row(i))));
  }
  List1.Select(a <= last ? a : last);
}

void Form1::clr1_Click() {
  RunEvent([this] {
    if (Ask(texts::kClearAll, texts::kNoticeTitle, MessageButtons::YesNo) != MessageAnswer::Yes) return;
    List1.Clear();
    List1.Append(texts::kHeaderRow);
    Label2.SetCaption(L"");
  });
}

}  // namespace reelmark
