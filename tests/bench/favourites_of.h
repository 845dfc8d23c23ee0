// A favourites file of `count` favourites, as the program writes it, for the benchmarks.
#pragma once

#include <string>

namespace reelmark::bench {

inline std::string FavouritesFileOf(int count) {
  std::string bytes = "[options]\r\nDelLast= 0\r\nDelLastPath= 0\r\nDblExit= 0\r\n";
  for (int i = 1; i <= count; ++i) {
    const std::string number = std::to_string(i);
    bytes.append("[").append(number).append("fav]\r\ntime= ").append(std::to_string(i * 37));
    bytes.append("\r\nFilename=D:\\\xB5\xE7\xD3\xB0\\film ").append(number).append(".rmvb\r\n");
  }
  return bytes;
}

}  // namespace reelmark::bench
