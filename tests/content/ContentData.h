#pragma once
// The shipped content for the content tests: files by the game's own backslash paths, documents
// parsed with the engine's XML parser, and look-ups that fail the test naming what is missing.
#include "engine/core/xml/XMLNode.h"
#include "platform/image/ImageDecoder.h"

#include <boost/shared_ptr.hpp>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace content {

using SCore::SXML::XMLNode;
typedef boost::shared_ptr<XMLNode> Node;

// data/ on disk for a path written the way the game writes it ("Levels\level1.xml").
std::string DataPath(const std::string& gamePath);
bool Exists(const std::string& gamePath);
std::string ReadBytes(const std::string& gamePath);

// Every regular file under data/ as game paths, sorted; the XML ones.
std::vector<std::string> AllDataFiles();
std::vector<std::string> XmlFiles();

// The document element of a shipped XML file; fails the test and returns an empty pointer when
// the file is missing or malformed.
Node LoadXml(const std::string& gamePath);

// Attribute text; fails the test and returns "" when it is missing.
std::string Attr(const Node& node, const std::string& name);
bool HasAttr(const Node& node, const std::string& name);
double NumAttr(const Node& node, const std::string& name);

// Children named `name` (all when empty); the first one, failing the test when there is none;
// every element below node (node included) named `name`, depth first.
std::vector<Node> Children(const Node& node, const std::string& name = "");
Node Child(const Node& node, const std::string& name);
std::vector<Node> Descendants(const Node& node, const std::string& name = "");

struct ImageSize {
    unsigned width = 0, height = 0;
    int colourType = -1; // PNG colour type (6 = RGBA); -1 when not a PNG
};
ImageSize PngSize(const std::string& gamePath);
// The texels of a shipped image, decoded as the game decodes it; fails the test and returns an
// empty picture when it cannot be read.
platform::image::Picture Texels(const std::string& gamePath);
unsigned Le16(const std::string& bytes, std::size_t at);
unsigned Le32(const std::string& bytes, std::size_t at);

// The texture list (name -> path), the object definitions (name -> document element), a level
// pack's (name, path) entries, both packs main first, and the tutorial, map and score trainers.
std::map<std::string, std::string> TextureList();
std::map<std::string, Node> Definitions();
std::vector<std::pair<std::string, std::string>> LevelPack(const std::string& gamePath);
std::vector<std::pair<std::string, std::string>> AllLevels();
std::vector<std::string> TrainerFiles();

// The names the game registers for its nineteen effects (name -> file).
const std::map<std::string, std::string>& RegisteredSounds();

} // namespace content
