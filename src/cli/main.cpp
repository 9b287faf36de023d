#include <cstdio>

int main() {
  std::puts("velmora");
  return 0;
}
