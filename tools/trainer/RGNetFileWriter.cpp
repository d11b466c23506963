#include "tools/trainer/RGNetFileWriter.h"

#include <charconv>
#include <fstream>
#include <string>
#include <vector>

namespace Runegarden {

namespace {

// The shortest text that reads back as the same double.
std::string Number(double value)
{
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

void WriteList(const std::vector<double>& values, std::ostream& out)
{
    for (size_t i = 0; i < values.size(); ++i) {
        out << Number(values[i]);
        if (i + 1 < values.size()) out << (i % 16 == 15 ? ",\n" : ",");
    }
}

} // namespace

void RGNetFileWriter::Write(const NeuroNet& network, std::ostream& out)
{
    out << "<neuronet>\n";
    out << "<alpha>" << Number(network.GetAlpha()) << "</alpha>\n";
    out << "<beta>" << Number(network.GetBeta()) << "</beta>\n";
    out << "<layers>\n";
    const std::vector<int>& sizes = network.GetLayerSizes();
    for (size_t k = 0; k < sizes.size(); ++k) {
        out << "<layer size=\"" << sizes[k] << "\">";
        if (k > 0) WriteList(network.GetWeights()[k - 1], out);
        out << "</layer>\n";
    }
    out << "</layers>\n";
    out << "<input_scale>";
    WriteList(network.GetInputScale(), out);
    out << "</input_scale>\n";
    out << "<output_scale>";
    WriteList(network.GetOutputScale(), out);
    out << "</output_scale>\n";
    out << "</neuronet>\n";
}

bool RGNetFileWriter::WriteFile(const NeuroNet& network, const std::string& path)
{
    const std::string temporary = path + ".tmp";
    bool written;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        Write(network, out);
        out.close();
        written = !out.fail();
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

} // namespace Runegarden
