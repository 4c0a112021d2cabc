#include "app/Launcher.h"

int main(int argc, char** argv) {
    return runPetalune(std::vector<std::string>(argv, argv + argc), true);
}
