// soundgen: synthesises one WAV file from a recipe. Usage: soundgen <recipe> <out.wav>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/soundgen/Recipe.h"
#include "tools/soundgen/Synth.h"
#include "tools/soundgen/Wav.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: soundgen <recipe> <out.wav>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "soundgen: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    soundgen::Recipe recipe;
    std::string error;
    if (!soundgen::parseRecipe(text, recipe, error)) {
        std::fprintf(stderr, "soundgen: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const auto wav = soundgen::encodeWav(soundgen::render(recipe), recipe.rate);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
