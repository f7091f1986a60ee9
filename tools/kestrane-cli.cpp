#include <cstdio>
int main() { std::puts("kestrane-cli"); return 0; }
