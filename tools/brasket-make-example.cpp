// brasket-make-example OUT_DIR [--small]: writes the synthetic example export set.
#include <cstdio>
#include <string>

#include "../tools/examplegen.h"

int main(int argc, char** argv) {
    std::string out;
    bool small = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--small") small = true;
        else if (out.empty() && !a.empty() && a[0] != '-') out = a;
        else {
            std::fprintf(stderr, "brasket-make-example: unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: brasket-make-example OUT_DIR [--small]\n");
        return 2;
    }
    try {
        auto sum = brasket::example::makeexample(out, small);
        std::printf("%ld plants, %ld units (%ld unit lines), %ld analyses, %ld fuel-use lines written to %s\n",
                    sum.plants, sum.units, sum.unitlines, sum.analyses, sum.fueluselines, out.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brasket-make-example: %s\n", e.what());
        return 1;
    }
    return 0;
}
