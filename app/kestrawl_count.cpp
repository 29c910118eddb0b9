// kestrawl-count: the command-line companion over the counting engine.
#include <cstdio>

int main(int argc, char** argv) {
  (void)argc;
  (void)argv;
  std::fputs("kestrawl-count: not yet available\n", stderr);
  return 2;
}
