#pragma once
// The store of loaded textures by name. Every texture belongs to the group "default". The loader
// thread adds while other threads look up, so every operation takes the manager's own lock.

#include <boost/shared_ptr.hpp>

#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace SCore {

class STexture;

class STextureManager {
public:
    STextureManager();
    virtual ~STextureManager() = default;

    boost::shared_ptr<STexture> GetTexture(const std::string& name) { return DoGetTexture(name); }
    void AddTexture(const boost::shared_ptr<STexture>& texture);
    bool ContainsTexture(const std::string& name);
    void AddTextureGroup(const std::string& name);
    bool ContainsTextureGroup(const std::string& name);
    // Visits every texture under the lock, in the table's order; the visitor must not call back.
    void ForEachTexture(const std::function<void(const boost::shared_ptr<STexture>&)>& visit);

protected:
    virtual boost::shared_ptr<STexture> DoGetTexture(const std::string& name);

private:
    struct Entry {
        boost::shared_ptr<STexture> texture;
        std::string group;
    };
    std::recursive_mutex m_Lock;
    std::unordered_map<std::string, Entry> m_Textures;
    std::unordered_set<std::string> m_Groups;
};

} // namespace SCore
