#pragma once
// A filter graph that plays one MP3 file: RenderFile decodes the whole file with libmpg123 into
// samples of the mixer's format; the graph's voice plays them from Run to Stop. One object
// answers for all five interfaces, with one reference count, and dies with its last reference.

#include "platform/audio/AudioMixer.h"
#include "platform/dshow.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {
namespace audio {

class MusicGraph : public IGraphBuilder,
                   public IMediaControl,
                   public IMediaEvent,
                   public IBasicAudio,
                   public IMediaSeeking {
public:
    MusicGraph();

    HRESULT QueryInterface(REFIID iid, void** object) override;

    HRESULT RenderFile(const wchar_t* file, const wchar_t* playList) override;
    HRESULT Run() override;
    HRESULT Stop() override;
    HRESULT WaitForCompletion(LONG ms, LONG* eventCode) override;
    HRESULT put_Volume(LONG hundredthsOfDb) override;
    HRESULT get_Volume(LONG* hundredthsOfDb) override;
    HRESULT GetPositions(LONGLONG* current, LONGLONG* stop) override;
    HRESULT SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                         DWORD stopFlags) override;

private:
    ~MusicGraph() override;

    // Guarded by the mixer lock.
    std::shared_ptr<Voice> m_Voice;
    LONG m_Volume = 0;
    bool m_Running = false; // between Run and Stop
};

// Decodes MP3 bytes to interleaved stereo 16-bit samples at the mixer's rate; false when the
// bytes hold no audio.
bool DecodeMp3(const std::string& bytes, std::vector<int16_t>& samples);

} // namespace audio
} // namespace platform
