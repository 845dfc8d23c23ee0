/* A slow disk for one program, preloaded (LD_PRELOAD) into the processes of a Wine run:
 * in the process whose program is REELMARK_SLOW_FLUSH_PROGRAM (a file name such as
 * reelmark.exe; every process when it is not set), each flush to the disk, fsync and
 * fdatasync, takes REELMARK_SLOW_FLUSH_MS milliseconds longer. In every other process it
 * does nothing.
 *
 * Under Wine 8, FlushFileBuffers ends in fsync in the program's own process (its
 * NtFlushBuffersFile, in Wine's ntdll.so, which calls neither fdatasync nor
 * sync_file_range), so the thread that asked for the flush waits as it would for a slow
 * disk. Wine starts each Windows program with the Unix environment of the program that
 * started it, not the Windows one it was given, so LD_PRELOAD cannot be set for one program
 * alone: the library is in every process of the run and picks its program itself.
 *
 * So that a run cannot measure nothing without saying so, the load into the chosen program
 * and each flush slowed there are appended to REELMARK_SLOW_FLUSH_LOG as they happen, a
 * line each (a process ended by force runs no exit handler).
 *
 * Built by scripts/measure-responsiveness.sh with gcc -shared -fPIC, -m32 for 32-bit
 * programs. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <time.h>
#include <unistd.h>

typedef int (*flush_function)(int fd);
_Static_assert(sizeof(flush_function) == sizeof(void *), "dlsym's answer fits a function pointer");

static int chosen;
static long delay_ms;
static const char *log_path;

/* One write of a whole line, appended: lines of several threads do not mix. */
static void log_line(const char *line) {
  if (!log_path) return;
  int fd = open(log_path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  ssize_t written = write(fd, line, strlen(line));
  (void)written; /* a lost line shows as a count too low, which the script reports */
  close(fd);
}

/* The program a Wine process runs is its first argument ending in .exe (after Wine's
 * loader); compared by file name, without regard to case. */
static int runs_program(const char *arguments, size_t size, const char *program) {
  for (size_t at = 0; at < size; at += strlen(arguments + at) + 1) {
    const char *argument = arguments + at;
    size_t length = strlen(argument);
    if (length < 4 || strcasecmp(argument + length - 4, ".exe") != 0) continue;
    const char *name = argument;
    for (const char *p = argument; *p; ++p) {
      if (*p == '\\' || *p == '/') name = p + 1;
    }
    return strcasecmp(name, program) == 0;
  }
  return 0;
}

__attribute__((constructor)) static void on_load(void) {
  char arguments[4096];
  ssize_t size = 0;
  int fd = open("/proc/self/cmdline", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    size = read(fd, arguments, sizeof arguments - 1);
    close(fd);
  }
  if (size < 0) size = 0;
  arguments[size] = '\0';

  const char *program = getenv("REELMARK_SLOW_FLUSH_PROGRAM");
  chosen = !program || !*program || runs_program(arguments, (size_t)size, program);
  if (!chosen) return;
  const char *ms = getenv("REELMARK_SLOW_FLUSH_MS");
  delay_ms = ms ? strtol(ms, NULL, 10) : 0;
  if (delay_ms < 0) delay_ms = 0;
  log_path = getenv("REELMARK_SLOW_FLUSH_LOG");

  for (ssize_t i = 0; i + 1 < size; ++i) {
    if (arguments[i] == '\0') arguments[i] = ' ';
  }
  char line[4200];
  snprintf(line, sizeof line, "loaded pid=%d delay_ms=%ld: %s\n", (int)getpid(), delay_ms, arguments);
  log_line(line);
}

static void slow_down(const char *call, int fd) {
  struct timespec left = {delay_ms / 1000, (delay_ms % 1000) * 1000000L};
  while (nanosleep(&left, &left) == -1 && errno == EINTR) {
  }
  char link[64], path[1024];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  ssize_t n = readlink(link, path, sizeof path - 1);
  path[n > 0 ? n : 0] = '\0';
  char line[1200];
  snprintf(line, sizeof line, "slowed %s pid=%d by %ld ms: %s\n", call, (int)getpid(), delay_ms, path);
  log_line(line);
}

static int flush_for_real(const char *name, int fd) {
  /* dlsym answers an object pointer; POSIX makes it convertible to the function's. */
  void *found = dlsym(RTLD_NEXT, name);
  flush_function next;
  if (!found) {
    errno = ENOSYS;
    return -1;
  }
  memcpy(&next, &found, sizeof next);
  return next(fd);
}

static int flush(const char *name, int fd) {
  if (chosen) {
    int saved = errno;
    slow_down(name, fd);
    errno = saved;
  }
  return flush_for_real(name, fd);
}

int fsync(int fd) { return flush("fsync", fd); }

int fdatasync(int fd) { return flush("fdatasync", fd); }
