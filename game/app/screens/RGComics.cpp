#include "game/app/screens/RGComics.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/framework/input/SUIMessageManager.h"
#include "engine/framework/threads/SLockGuard.h"
#include "game/app/kit/RGEventBinding.h"
#include "game/app/kit/RGScreenKit.h"
#include "game/gameplay/services/RGSpriteCreator.h"

static const char* const kTarnSource = "..\\Src\\RGComics";

namespace Runegarden {

namespace {

SCore::SVector3 Between(const SCore::SVector3& a, const SCore::SVector3& b, float f)
{
    return SCore::SVector3{a.X + (b.X - a.X) * f, a.Y + (b.Y - a.Y) * f, a.Z + (b.Z - a.Z) * f};
}

} // namespace

RGComics::RGComics(const boost::shared_ptr<TarnEngine::SInputMessager>& input)
    : SAnimator("NonameAnimator"), m_Finished(false), m_Input(input)
{
    Create();
}

RGComics::~RGComics()
{
    // A form left with the input thread would call a comic that is gone.
    if (m_Input && m_Input->GetMessageManager()) m_Input->GetMessageManager()->RemoveReceiver(m_Form);
}

void RGComics::Create()
{
    TARN_TRY
    CreateCamera();
    m_Form.reset(new TarnEngine::UI::SUIForm("Intro"));
    m_Form->SetViewport(RGSpriteCreator::GetViewport());
    m_Form->m_W = 1.0f;
    m_Form->m_H = 1.0f;
    m_SkipButton = RGScreenKit::StripButton("SKIPBTNACTPAS", 1.0f, 0.0f, 0.4375f, 0.4375f, 0.875f, 0.78076171875f,
                                            0.8743489384651184f, 0.125f, 0.0729166641831398f);
    BindClickEvent(*m_SkipButton, &RGComics::OnSkip, this);
    m_Form->AddControl(m_SkipButton);
    if (m_Input) m_Input->AddReceiver(m_Form);
    m_Form->SetEnabled(true);
    CriticalSectionLock lock(m_Lock.Section());
    m_Finished = false;
    TARN_CATCH("RGComics::Create()")
}

void RGComics::CreateCamera()
{
    TARN_TRY
    m_Camera = TarnEngine::SCameraFactory::CreateCamera(TarnEngine::SCT_CAMERA);
    m_Camera->Create(RGSpriteCreator::GetViewport());
    m_Camera->m_Eye = SCore::SVector3{0.0f, -2.0f, -3.0f};
    m_Camera->m_At = SCore::SVector3{0.0f, -2.0f, 0.0f};
    TARN_CATCH("RGComics::CreateCamera()")
}

void RGComics::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    out.BeginChild("AnimationTrack");
    out.BeginChild("Frames");
    for (const KeyFrame& frame : m_KeyFrames) {
        out.BeginChild("KeyFrame");
        out.Serialize("Eye", frame.m_Eye);
        out.Serialize("At", frame.m_At);
        out.Serialize("Time", frame.m_Time);
        out.EndChild();
    }
    out.EndChild();
    out.BeginChild("Meshes");
    for (const boost::shared_ptr<TarnEngine::STriMesh>& mesh : m_Meshes) {
        out.BeginChild("ComicsMesh");
        mesh->DoSerialize(out);
        out.EndChild();
    }
    out.EndChild();
    out.EndChild();
    TARN_CATCH("RGComics::DoSerialize()")
}

void RGComics::DoDeserialize(SCore::SDeserializator&, unsigned int)
{
    throw SCore::TarnCoreException("inconclusive");
}

void RGComics::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("AnimationTrack");
    in.BeginChild("Frames");
    const unsigned int frames = in.GetChildCount();
    for (unsigned int i = 0; i < frames; ++i) {
        in.BeginChild(i);
        KeyFrame frame;
        in.Deserialize("Eye", frame.m_Eye);
        in.Deserialize("At", frame.m_At);
        in.Deserialize("Time", frame.m_Time);
        m_KeyFrames.push_back(frame);
        in.EndChild();
    }
    in.EndChild();
    in.BeginChild("Meshes");
    const unsigned int meshes = in.GetChildCount();
    for (unsigned int i = 0; i < meshes; ++i) {
        boost::shared_ptr<TarnEngine::STriMesh> mesh(new TarnEngine::STriMesh("Noname mesh"));
        mesh->Create(RGSpriteCreator::GetViewport());
        in.BeginChild(i);
        mesh->DoDeserialize(in);
        m_Meshes.push_back(mesh);
        in.EndChild();
    }
    in.EndChild();
    in.EndChild();
    TARN_CATCH("RGComics::DoDeserialize()")
}

void RGComics::DoUpdate(uint32_t elapsedMs)
{
    TARN_TRY
    const float t = static_cast<float>(elapsedMs) * 0.001f;
    float sum = 0.0f;
    for (size_t k = 0; k < m_KeyFrames.size(); ++k) {
        sum += m_KeyFrames[k].m_Time;
        if (sum > t) {
            const KeyFrame& from = m_KeyFrames[k];
            const KeyFrame& to = m_KeyFrames[k + 1 < m_KeyFrames.size() ? k + 1 : k];
            const float f = (t - (sum - from.m_Time)) / from.m_Time;
            m_Camera->m_At = Between(from.m_At, to.m_At, f);
            m_Camera->m_Eye = Between(from.m_Eye, to.m_Eye, f);
            return;
        }
    }
    Finish();
    TARN_CATCH("RGComics::DoUpdate()")
}

void RGComics::Render()
{
    TARN_TRY
    m_Camera->Set();
    for (const boost::shared_ptr<TarnEngine::STriMesh>& mesh : m_Meshes)
        if (mesh->m_Enabled) mesh->Draw();
    if (!m_Form->IsHidden()) m_Form->DoRender(0.0f, 0.0f);
    TARN_CATCH("RGComics::Render()")
}

void RGComics::OnSkip() { Finish(); }

void RGComics::Finish()
{
    CriticalSectionLock lock(m_Lock.Section());
    m_Finished = true;
    m_Form->SetEnabled(false);
}

bool RGComics::IsFinished()
{
    CriticalSectionLock lock(m_Lock.Section());
    return m_Finished;
}

} // namespace Runegarden
