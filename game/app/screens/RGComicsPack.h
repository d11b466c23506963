#pragma once
// The comic table of "Levels\comics.xml": which level is followed by which comic file. A comic is
// built afresh from its file each time it is asked for.

#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"
#include "engine/framework/input/SInputMessager.h"
#include "game/app/screens/RGComics.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace Runegarden {

class RGComicsPack : public SCore::ISerialize, public SCore::IDeserialize {
public:
    struct Entry {
        std::string m_LevelName;
        std::wstring m_ComicsPath;
    };

    explicit RGComicsPack(const boost::shared_ptr<TarnEngine::SInputMessager>& input);
    ~RGComicsPack() override = default;

    void DoSerialize(SCore::SSerializator& out) override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override {}
    void DoDeserialize(SCore::SDeserializator& in) override;
    void AddComics(const std::string& levelName, const std::wstring& comicsPath);
    // The first entry's comic for the level, read from its file; empty when the level has none.
    boost::shared_ptr<RGComics> GetComics(const std::string& levelName);

    const std::vector<Entry>& GetEntries() const { return m_Entries; }

private:
    std::vector<Entry> m_Entries;
    boost::shared_ptr<TarnEngine::SInputMessager> m_Input;
};

} // namespace Runegarden
