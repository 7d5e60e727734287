/* paired ROUNDS INPUT PROGRAM...

   Times whole runs of each PROGRAM with INPUT as standard input and
   /dev/null as standard output. Each round runs every program once, in an
   order that rotates from round to round, so that drift in the machine's
   speed falls on all of them alike. Prints, per program, the median wall
   time and the median of its per-round ratio to the first program. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

static double seconds(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

static double runOnce(const char* program, const char* input) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input, O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  char* argv[] = {(char*)program, NULL};
  const double start = seconds();
  pid_t child;
  if (posix_spawn(&child, program, &actions, NULL, argv, environ) != 0) {
    perror(program);
    exit(2);
  }
  int status;
  waitpid(child, &status, 0);
  const double elapsed = seconds() - start;
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    fprintf(stderr, "%s did not exit with 0\n", program);
    exit(2);
  }
  return elapsed;
}

static int byValue(const void* a, const void* b) {
  const double x = *(const double*)a;
  const double y = *(const double*)b;
  return (x > y) - (x < y);
}

static double median(double* values, int count) {
  qsort(values, (size_t)count, sizeof *values, byValue);
  return count % 2 ? values[count / 2]
                   : (values[count / 2 - 1] + values[count / 2]) / 2;
}

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: paired ROUNDS INPUT PROGRAM...\n");
    return 2;
  }
  const int rounds = atoi(argv[1]);
  const char* input = argv[2];
  const int programs = argc - 3;
  double* times = calloc((size_t)(rounds * programs), sizeof *times);
  double* ratios = calloc((size_t)(rounds * programs), sizeof *ratios);
  if (rounds < 1 || times == NULL || ratios == NULL) return 2;

  for (int p = 0; p < programs; ++p) runOnce(argv[3 + p], input); /* warm */
  for (int r = 0; r < rounds; ++r) {
    for (int k = 0; k < programs; ++k) {
      const int p = (r + k) % programs;
      times[p * rounds + r] = runOnce(argv[3 + p], input);
    }
    for (int p = 0; p < programs; ++p) {
      ratios[p * rounds + r] = times[p * rounds + r] / times[r];
    }
  }
  for (int p = 0; p < programs; ++p) {
    printf("%s\t%.1f\t%.3f\n", argv[3 + p],
           median(times + p * rounds, rounds) * 1e6,
           median(ratios + p * rounds, rounds));
  }
  free(times);
  free(ratios);
  return 0;
}
