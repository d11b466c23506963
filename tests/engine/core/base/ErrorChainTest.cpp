#include "engine/core/base/SEngineException.h"
#include "engine/core/base/TarnCoreDX9Exception.h"
#include "engine/core/base/TarnCoreException.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

using SCore::TarnCoreException;
using tarn_test::ThrownText;

namespace {

static const char* const kTarnSource = "Src\\STextureManager";

// Each handler sits on the same line as the constant that records that line.
void AddTexture() { TARN_TRY throw TarnEngine::SEngineException("can't add texture, because texture with such name is exist:[A]"); TARN_CATCH("STextureManager::AddTexture()") } const int kAddTextureLine = __LINE__;

void LoadTextures() { TARN_TRY AddTexture(); TARN_CATCH("TarnApplication::DoLoadTextures()") } const int kLoadTexturesLine = __LINE__;

void CreateDevice() { TARN_TRY throw SCore::TarnCoreDX9Exception("Can't create D3D9 Device: OUTOFVIDEOMEMORY"); TARN_CATCH("SD3D9RenderDevice::Create()") }

void PassesForeignExceptions() { TARN_TRY throw std::runtime_error("not ours"); TARN_CATCH("X::Y()") }

} // namespace

TEST(ErrorChain, EachHandlerAppendsItsCallSiteInnermostFirst)
{
    EXPECT_EQ("can't add texture, because texture with such name is exist:[A]"
              " STextureManager::AddTexture() Src\\STextureManager at:" + std::to_string(kAddTextureLine) +
                  " TarnApplication::DoLoadTextures() Src\\STextureManager at:" + std::to_string(kLoadTexturesLine),
              ThrownText(LoadTextures));
}

TEST(ErrorChain, DerivedExceptionsBecomePlainAndForeignOnesPassUntouched)
{
    EXPECT_THROW(
        try { CreateDevice(); } catch (const SCore::TarnCoreDX9Exception&) { FAIL() << "the derived type survived"; },
        TarnCoreException);
    EXPECT_THROW(PassesForeignExceptions(), std::runtime_error);
    EXPECT_EQ("not ours", ThrownText(PassesForeignExceptions));
}

TEST(ErrorChain, AssertionThrowsEngineExceptionWithItsText)
{
    float fadeTime = 0.0f;
    EXPECT_THROW(TARN_ASSERT(fadeTime > 0), TarnEngine::SEngineException);
    EXPECT_EQ("fadeTime > 0", ThrownText([&] { TARN_ASSERT(fadeTime > 0); }));
}
