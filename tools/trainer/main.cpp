// nn_trainer: trains the gesture network, prints its held-out report as a markdown table and,
// given --out, writes the network there. The same options give the same file.

#include "tools/trainer/RGGestureTraining.h"
#include "tools/trainer/RGNetFileWriter.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <string>

using namespace Runegarden;

namespace {

const char* const kUsage =
    "usage: nn_trainer [options]\n"
    "Trains the gesture network and prints its report on held-out strokes.\n"
    "  --out FILE        write the network to FILE (nothing is written without it)\n"
    "  --hidden N[,N]    hidden layer sizes, input side first (default 48,32)\n"
    "  --seed N          random seed (default 1)\n"
    "  --train N         training strokes per gesture (default 12000; walls drawn with a mouse\n"
    "                    get twice as many)\n"
    "  --scribbles N     training scribbles (default 24000)\n"
    "  --test N          held-out strokes per gesture and of scribbles (default 2000)\n"
    "  --epochs N        passes over the training strokes (default 40)\n"
    "  --help            print this and exit\n";

// A whole number of at least `least`, or false.
bool ParseCount(const std::string& text, long least, long long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && errno == 0 && value >= least && value <= 1000000000;
}

} // namespace

int main(int argc, char** argv)
{
    RGTrainingOptions options;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (i + 1 >= argc) {
            std::cerr << "nn_trainer: missing value after " << arg << "\n" << kUsage;
            return 2;
        }
        const std::string value = argv[++i];
        long long n = 0;
        bool ok = true;
        if (arg == "--out") {
            out = value;
        } else if (arg == "--hidden") {
            options.hidden.clear();
            size_t start = 0;
            for (;;) {
                const size_t comma = value.find(',', start);
                ok = ok && ParseCount(value.substr(start, comma - start), 1, n);
                options.hidden.push_back(static_cast<int>(n));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        } else if (arg == "--seed" || arg == "--train" || arg == "--scribbles" || arg == "--test" ||
                   arg == "--epochs") {
            ok = ParseCount(value, arg == "--seed" ? 0 : 1, n);
            if (arg == "--seed") options.seed = static_cast<uint64_t>(n);
            else if (arg == "--train") options.trainPerClass = static_cast<int>(n);
            else if (arg == "--scribbles") options.trainScribbles = static_cast<int>(n);
            else if (arg == "--test") options.testPerClass = static_cast<int>(n);
            else options.epochs = static_cast<int>(n);
        } else {
            std::cerr << "nn_trainer: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
        if (!ok) {
            std::cerr << "nn_trainer: bad value for " << arg << ": " << value << "\n";
            return 2;
        }
    }
    try {
        RGGestureTraining training(options);
        const boost::shared_ptr<NeuroNet> network = training.Train(&std::cerr);
        if (!out.empty()) {
            if (!RGNetFileWriter::WriteFile(*network, out)) {
                std::cerr << "nn_trainer: can't write " << out << "\n";
                return 1;
            }
            std::cerr << "wrote " << out << "\n";
        }
        std::cout << RGGestureTraining::ReportTable(training.Evaluate(
            network, RGGestureTraining::HeldOutSeed(options.seed), options.testPerClass));
    } catch (const std::exception& e) {
        std::cerr << "nn_trainer: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
