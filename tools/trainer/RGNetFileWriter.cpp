#include "tools/trainer/RGNetFileWriter.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace Runegarden {

namespace {

void WriteList(const std::vector<double>& values, std::ostream& out)
{
    char text[64];
    for (size_t i = 0; i < values.size(); ++i) {
        std::snprintf(text, sizeof text, "%.9g", values[i]);
        out << text;
        if (i + 1 < values.size()) out << (i % 16 == 15 ? ",\n" : ",");
    }
}

} // namespace

void RGNetFileWriter::Write(const NeuroNet& network, std::ostream& out)
{
    char text[64];
    out << "<neuronet>\n";
    std::snprintf(text, sizeof text, "%.9g", network.GetAlpha());
    out << "<alpha>" << text << "</alpha>\n";
    std::snprintf(text, sizeof text, "%.9g", network.GetBeta());
    out << "<beta>" << text << "</beta>\n";
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
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        Write(network, out);
        out.close();
        if (!out) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace Runegarden
