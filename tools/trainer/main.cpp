// nn_trainer: trains the gesture network and writes Res\nn.xml.
//   nn_trainer [--seed N] [--out FILE] [--train N] [--scribbles N] [--test N] [--epochs N]
// Prints the held-out report as a markdown table. The same seed gives the same file.

#include "tools/trainer/RGGestureTraining.h"
#include "tools/trainer/RGNetFileWriter.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

using namespace Runegarden;

int main(int argc, char** argv)
{
    RGTrainingOptions options;
    std::string out = "data/Res/nn.xml";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) {
            std::cerr << "missing value after " << arg << "\n";
            return 2;
        }
        const char* value = argv[++i];
        if (arg == "--seed") options.seed = std::strtoull(value, nullptr, 10);
        else if (arg == "--out") out = value;
        else if (arg == "--train") options.trainPerClass = std::atoi(value);
        else if (arg == "--scribbles") options.trainScribbles = std::atoi(value);
        else if (arg == "--test") options.testPerClass = std::atoi(value);
        else if (arg == "--epochs") options.epochs = std::atoi(value);
        else {
            std::cerr << "unknown option " << arg << "\n";
            return 2;
        }
    }
    try {
        RGGestureTraining training(options);
        const boost::shared_ptr<NeuroNet> network = training.Train(&std::cerr);
        if (!RGNetFileWriter::WriteFile(*network, out)) {
            std::cerr << "can't write " << out << "\n";
            return 1;
        }
        std::cerr << "wrote " << out << "\n";
        std::cout << RGGestureTraining::ReportTable(training.Evaluate(
            network, RGGestureTraining::HeldOutSeed(options.seed), options.testPerClass));
    } catch (const std::exception& e) {
        std::cerr << "nn_trainer: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
