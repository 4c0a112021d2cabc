#include <cstdio>

int main() {
    std::fprintf(stderr,
                 "Petalune: the game window is not built yet. The configuration tool is ready: "
                 "build/bin/petalune-tool --help\n");
    return 1;
}
