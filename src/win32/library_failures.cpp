// The program throws and catches nothing: a failure the C++ library would throw for (no
// memory left, a length beyond reason, an empty function called) ends it at once, as an
// uncaught exception would. Defining the library's own throw and terminate routines here
// says so to the linker, which then leaves out the exception objects, the terminate
// handler's name demangler and the second string implementation they bring: about 150 KB
// of the exe. Only the program links this; the test builds keep the library's own.
#include <cstdlib>

#if defined(__GLIBCXX__)
#include <bits/functexcept.h>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std
#endif
