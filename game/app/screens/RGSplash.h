#pragma once
// The splash pictures shown when the game starts: the JPEG pictures "fsdata\splash*.jpg" (newest
// name first) followed by every file of the folder "splash", 4000 ms each, fading in from and out
// to black through a full-screen sprite on the shared texture "BLACK". The last picture shows
// without the overlay. With no picture at all the splash is finished at once.

#include "engine/core/render/STexture.h"
#include "engine/framework/drawables/SSprite.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace Runegarden {

class RGSplash {
public:
    RGSplash();
    virtual ~RGSplash() = default;

    void Create();
    // Appends folder + name for each regular file the search finds, in the search's order.
    static void FindFiles(std::vector<std::wstring>& list, const std::wstring& folder, const std::wstring& pattern);
    // One texture per listed file; a file that does not load is left out (logged). Starts the clock.
    void LoadTextures();
    // Draws the current picture and its overlay, or sets the finished flag.
    void Render();

    const std::vector<std::wstring>& GetFiles() const { return m_Files; }
    size_t GetPictureCount() const { return m_Textures.size(); }
    // Set by Render: the picture drawn in the last frame and its overlay alpha.
    int32_t GetShownPicture() const { return m_ShownPicture; }
    int32_t GetOverlayAlpha() const { return m_OverlayAlpha; }
    const boost::shared_ptr<TarnEngine::SSprite>& GetPictureSprite() const { return m_Picture; }

    // Read and written by the splash mode's update.
    uint32_t m_StartTime;
    bool m_Finished;

private:
    boost::shared_ptr<TarnEngine::SSprite> m_Picture;
    boost::shared_ptr<TarnEngine::SSprite> m_Black;
    std::vector<std::wstring> m_Files;
    std::vector<float> m_Bottoms;
    std::vector<boost::shared_ptr<SCore::STexture>> m_Textures;
    std::vector<float> m_TextureBottoms;
    uint32_t m_PictureTime;
    int32_t m_ShownPicture;
    int32_t m_OverlayAlpha;
};

} // namespace Runegarden
