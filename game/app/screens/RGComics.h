#pragma once
// One comic strip: comic meshes seen through a camera that flies along keyframes (eye, target and
// the time to the next keyframe), with a skip button. Finished when the track ends or on skip.
// Its form leaves the input thread's receivers when the comic goes.

#include "engine/core/render/SAnimator.h"
#include "engine/core/math/SVector3.h"
#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"
#include "engine/framework/drawables/STriMesh.h"
#include "engine/framework/input/SInputMessager.h"
#include "engine/framework/scene/SCamera.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUIForm.h"
#include "game/audio/RGLockGuard.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Runegarden {

class RGComics : public SCore::ISerialize, public SCore::IDeserialize, public SCore::SAnimator {
public:
    struct KeyFrame {
        SCore::SVector3 m_Eye;
        SCore::SVector3 m_At;
        float m_Time;
    };

    explicit RGComics(const boost::shared_ptr<TarnEngine::SInputMessager>& input);
    ~RGComics() override;

    void Create();
    void CreateCamera();
    void DoSerialize(SCore::SSerializator& out) override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override;
    void DoDeserialize(SCore::SDeserializator& in) override;
    void Render();
    // Input thread: the skip button.
    void OnSkip();
    bool IsFinished();

    std::vector<KeyFrame> m_KeyFrames;
    const boost::shared_ptr<TarnEngine::SCamera>& GetCamera() const { return m_Camera; }
    const boost::shared_ptr<TarnEngine::UI::SUIForm>& GetForm() const { return m_Form; }
    const boost::shared_ptr<TarnEngine::UI::SUIButton>& GetSkipButton() const { return m_SkipButton; }
    const std::vector<boost::shared_ptr<TarnEngine::STriMesh>>& GetMeshes() const { return m_Meshes; }

protected:
    // The camera track at the comic's age.
    void DoUpdate(uint32_t elapsedMs) override;

private:
    void Finish();

    std::vector<boost::shared_ptr<TarnEngine::STriMesh>> m_Meshes;
    boost::shared_ptr<TarnEngine::SCamera> m_Camera;
    RGLockGuard m_Lock;
    bool m_Finished;
    boost::shared_ptr<TarnEngine::UI::SUIForm> m_Form;
    boost::shared_ptr<TarnEngine::UI::SUIButton> m_SkipButton;
    boost::shared_ptr<TarnEngine::SInputMessager> m_Input;
};

} // namespace Runegarden
