// Arbitrary text as a list row: reading it back must never crash or misbehave, and a row
// the program writes in the usual columns must read back to its path and time.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/text.h"
#include "persistence/favourites.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int number = input.ConsumeIntegralInRange<int>(1, reelmark::kMaxFavourites);
  // Under 100 hours the time fills exactly its hh:mm:ss column.
  const std::int32_t shown = input.ConsumeIntegralInRange<std::int32_t>(0, 100 * 3600 - 1);
  std::wstring text;
  while (input.remaining_bytes() >= 2) text.push_back(static_cast<wchar_t>(input.ConsumeIntegral<std::uint16_t>()));

  (void)reelmark::ParseListLine(text);
  (void)reelmark::ParseListLine(reelmark::FromAnsi(std::string(reinterpret_cast<const char*>(data), size)));

  const reelmark::ParsedListLine row = reelmark::ParseListLine(reelmark::FormatListLine(number, shown, text));
  if (row.path != text || row.storedSeconds != shown - reelmark::kShownOffsetSeconds) std::abort();
  return 0;
}
